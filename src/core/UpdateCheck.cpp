#include "core/UpdateCheck.h"

#include <climits>

#include "core/ExtraStrUtils.h"
#include "core/WideFile.h"

namespace {

const wchar_t kFieldSeparator[] = L"+++++";

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && AsciiLowerCase(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

int ReadBuildNumber(const std::wstring& field) {
  std::size_t i = 0;
  bool negative = false;
  if (i < field.size() && (field[i] == L'+' || field[i] == L'-')) negative = field[i++] == L'-';
  if (i == field.size()) return 0;
  long long value = 0;
  for (; i < field.size(); ++i) {
    if (field[i] < L'0' || field[i] > L'9') return 0;
    value = value * 10 + (field[i] - L'0');
    if (value > INT_MAX) return 0;
  }
  return static_cast<int>(negative ? -value : value);
}

bool IsWebAddress(const std::wstring& address) {
  for (const wchar_t* scheme : {L"http://", L"https://"}) {
    const std::wstring prefix = scheme;
    if (!StartsWithIgnoringCase(address, prefix)) continue;
    const std::wstring rest = address.substr(prefix.size());
    // A host comes first; no control characters or blanks anywhere.
    if (rest.empty() || rest[0] == L'/' || rest[0] == L'\\' || rest[0] == L'@') return false;
    for (const wchar_t c : address)
      if (c <= L' ' || c == 0x7F) return false;
    return true;
  }
  return false;
}

TUpdateAnswer ReadUpdateAnswer(bool requestSucceeded, const std::string& body) {
  TUpdateAnswer answer;
  if (!requestSucceeded) return answer;
  std::wstring text = Utf8ToWide(body.substr(0, kUpdateAnswerLimit));
  std::wstring kept;
  for (const wchar_t c : text)
    if (c != L'\r') kept += c;
  if (kept.empty()) return answer;
  answer.VersionText = GetListField(kFieldSeparator, kept, 1);
  answer.Build = ReadBuildNumber(GetListField(kFieldSeparator, kept, 2));
  answer.DownloadAddress = GetListField(kFieldSeparator, kept, 3);
  answer.AddressOpenable = IsWebAddress(answer.DownloadAddress);
  const bool newer = answer.VersionText != kCurrentVersionText && answer.Build > kCurrentBuild;
  answer.Verdict = newer ? TUpdateVerdict::NewVersion : TUpdateVerdict::NoUpdate;
  return answer;
}

std::wstring NewVersionText(const std::wstring& versionText) {
  return L"A new version (" + versionText + L") is available.  Download it now?";
}
