// The update check's inputs from outside: the web server's answer (the input's
// bytes as received) and the configured server address (the same bytes read
// as wide text), and the build number of the answer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzText.h"
#include "core/creator/UpdateCheck.h"

namespace {

void CheckAnswer(const std::string& body) {
  FUZZ_CHECK(ReadUpdateAnswer(false, body).Verdict == TUpdateVerdict::Failure);
  const TUpdateAnswer answer = ReadUpdateAnswer(true, body);
  if (answer.Verdict == TUpdateVerdict::Failure) {
    FUZZ_CHECK(answer.VersionText.empty() && answer.DownloadAddress.empty() && !answer.AddressOpenable);
    return;
  }
  for (const std::wstring* field : {&answer.VersionText, &answer.DownloadAddress}) {
    FUZZ_CHECK(field->find(L'\r') == std::wstring::npos);
    FUZZ_CHECK(field->find(L"+++++") == std::wstring::npos);
  }
  // Only a web address is ever handed to the shell.
  if (answer.AddressOpenable) FUZZ_CHECK(IsWebAddress(answer.DownloadAddress));
  if (answer.Verdict == TUpdateVerdict::NewVersion)
    FUZZ_CHECK(answer.Build > kCurrentBuild && answer.VersionText != kCurrentVersionText);
  else
    FUZZ_CHECK(answer.Build <= kCurrentBuild || answer.VersionText == kCurrentVersionText);
  FUZZ_CHECK(ReadBuildNumber(std::to_wstring(answer.Build)) == answer.Build);
}

void CheckAddress(const std::wstring& text) {
  if (IsWebAddress(text))
    for (const wchar_t c : text) FUZZ_CHECK(c > L' ' && c != 0x7F);
  const auto address = ParseServerAddress(text);
  if (!address) return;
  // Whatever the check connects to, the credits' links would open too.
  FUZZ_CHECK(IsWebAddress(text));
  FUZZ_CHECK(!address->Host.empty() && address->Port >= 1 && address->Port <= 65535);
  const std::wstring written =
      std::wstring(address->Secure ? L"https://" : L"http://") + address->Host + L":" + std::to_wstring(address->Port);
  const auto again = ParseServerAddress(written);
  FUZZ_CHECK(again && again->Secure == address->Secure && again->Host == address->Host && again->Port == address->Port);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckAnswer(std::string(reinterpret_cast<const char*>(data), size));
  const std::wstring text = WideText(data, size);
  CheckAddress(text);
  ReadBuildNumber(text);
  return 0;
}
