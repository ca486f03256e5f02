#include "core/creator/UpdateCheck.h"

#include <climits>

#include "core/base/ExtraStrUtils.h"
#include "core/base/WideFile.h"

namespace {

const wchar_t kFieldSeparator[] = L"+++++";

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && AsciiLowerCase(text.substr(0, prefix.size())) == prefix;
}

// Characters a host never holds: blanks and controls, and those that would
// begin a path, a query, a fragment, a user name or a port.
bool IsHostCharacter(wchar_t c) {
  return c > L' ' && (c < 0x7F || c > 0x9F) && c != L'/' && c != L'\\' && c != L'?' && c != L'#' && c != L'@' &&
         c != L'[' && c != L']' && c != L':';
}

bool IsIpv6Character(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F') || c == L':' || c == L'.';
}

// 1..65535 in decimal digits only; 0 when not a port.
int ReadPort(const std::wstring& digits) {
  if (digits.empty() || digits.size() > 5) return 0;
  int port = 0;
  for (const wchar_t c : digits) {
    if (c < L'0' || c > L'9') return 0;
    port = port * 10 + (c - L'0');
  }
  return port <= 65535 ? port : 0;
}

}  // namespace

std::optional<TServerAddress> ParseServerAddress(const std::wstring& text) {
  TServerAddress address;
  std::wstring rest;
  if (StartsWithIgnoringCase(text, L"https://")) {
    rest = text.substr(8);
  } else if (StartsWithIgnoringCase(text, L"http://")) {
    address.Secure = false;
    address.Port = 80;
    rest = text.substr(7);
  } else {
    return std::nullopt;
  }
  if (!rest.empty() && rest.back() == L'/') rest.pop_back();

  // The host, then an optional ":port"; an IPv6 address is in brackets.
  std::size_t hostEnd = 0;
  if (!rest.empty() && rest[0] == L'[') {
    const std::size_t close = rest.find(L']');
    if (close == std::wstring::npos || close < 3) return std::nullopt;
    for (std::size_t i = 1; i < close; ++i)
      if (!IsIpv6Character(rest[i])) return std::nullopt;
    if (rest.find(L':', 1) > close) return std::nullopt;
    hostEnd = close + 1;
  } else {
    while (hostEnd < rest.size() && IsHostCharacter(rest[hostEnd])) ++hostEnd;
    if (hostEnd == 0) return std::nullopt;
  }
  address.Host = rest.substr(0, hostEnd);
  if (hostEnd == rest.size()) return address;
  if (rest[hostEnd] != L':') return std::nullopt;
  address.Port = ReadPort(rest.substr(hostEnd + 1));
  if (address.Port == 0) return std::nullopt;
  return address;
}

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
