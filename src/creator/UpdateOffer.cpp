#include "creator/UpdateOffer.h"

#include "core/base/Errors.h"
#include "core/base/ScopeGuard.h"
#include "core/creator/UpdateCheck.h"
#include "creator/About.h"
#include "creator/MessageDialog.h"
#include "shared/ExtraWinUtils.h"
#include "shared/RegUtils.h"

std::optional<TServerAddress> UpdateServer() {
  std::optional<std::wstring> configured;
  try {
    configured = RegReadString(kRegCompany, kRegApplication, kRegSection, L"UpdateServer");
  } catch (const EError&) {
    return std::nullopt;
  }
  return ParseServerAddress(configured ? *configured : std::wstring(kDefaultUpdateServer));
}

namespace {

THttpGetResult AskServer(HWND owner, const TServerAddress& server) {
  THttpGetOptions options;
  options.Accept = L"text/html, */*";
  options.UserAgent = L"Mozilla/3.0 (compatible; Indy Library)";
  options.ContentType = L"text/html";
  options.BodyLimit = kUpdateAnswerLimit;
  const bool enabled = ::IsWindowEnabled(owner) != FALSE;
  ::EnableWindow(owner, FALSE);
  const auto reenable = MakeScopeGuard([owner, enabled] {
    if (enabled) ::EnableWindow(owner, TRUE);
  });
  return HttpGet(server, kUpdateResource, options);
}

}  // namespace

void OfferNewVersion(HWND owner, bool interactive) {
  const wchar_t title[] = L"Heapfold";
  THttpGetResult response;
  if (const std::optional<TServerAddress> server = UpdateServer()) response = AskServer(owner, *server);
  const TUpdateAnswer answer = ReadUpdateAnswer(response.Succeeded, response.Body);
  switch (answer.Verdict) {
    case TUpdateVerdict::NewVersion:
      if (ShowQuestion(title, NewVersionText(answer.VersionText), kIconNewVersion, L"Yes, download it now",
                       L"No, not at this time") != kResultYes) {
        return;
      }
      if (answer.AddressOpenable) {
        ShellOpen(answer.DownloadAddress);
      } else if (!answer.DownloadAddress.empty()) {
        ShowInfo(title,
                 L"The website's answer did not hold a valid download address, so nothing was opened.\n\n"
                 L"Please visit " +
                     std::wstring(kProductAddress) + L" for the new version.",
                 kIconError, L"OK");
      }
      return;
    case TUpdateVerdict::NoUpdate:
      if (interactive) ShowInfo(title, L"No update available.", kIconInformation, L"OK");
      return;
    case TUpdateVerdict::Failure:
      if (interactive) ShowInfo(title, L"Error contacting website.", kIconError, L"OK");
      return;
  }
}
