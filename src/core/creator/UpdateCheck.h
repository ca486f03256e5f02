// What the maker's web server answers to the update check, and what the
// creator makes of it. The answer is three fields joined by "+++++": the
// newest version's text, its build number and its download page.
#pragma once

#include <optional>
#include <string>

#include "core/base/Version.h"

// This program's own version.
constexpr wchar_t kCurrentVersionText[] = HEAPFOLD_SHORT_VERSION_TEXT;
constexpr int kCurrentBuild = HEAPFOLD_BUILD_NUMBER;
// The resource asked for, and the most of an answer that is read.
constexpr wchar_t kUpdateResource[] = L"/heapfold/update/";
constexpr std::size_t kUpdateAnswerLimit = 64 * 1024;
// The maker's web server, asked unless another one is configured.
constexpr wchar_t kDefaultUpdateServer[] = L"https://www.brenwick.example";

// Where the update check connects: scheme, host and port, nothing more.
struct TServerAddress {
  bool Secure = true;  // https
  std::wstring Host;   // a name, an IPv4 address, or an IPv6 address in brackets ("[::1]")
  int Port = 443;
};

// Reads "http://host[:port]" or "https://host[:port]", with at most one
// trailing "/". Scheme letters may be in any case; the port defaults to 80 or
// 443 and is otherwise 1..65535 in decimal digits. The host is kept as
// written. Anything else (a path, a query, a user name, another scheme, an
// empty host, blanks or control characters) gives nothing.
std::optional<TServerAddress> ParseServerAddress(const std::wstring& text);

enum class TUpdateVerdict {
  Failure,     // the request failed or the answer was empty: "Error contacting website."
  NoUpdate,    // "No update available."
  NewVersion,  // the offer to download
};

struct TUpdateAnswer {
  TUpdateVerdict Verdict = TUpdateVerdict::Failure;
  std::wstring VersionText;
  int Build = 0;
  std::wstring DownloadAddress;
  // Only an absolute http or https address is handed to the shell.
  bool AddressOpenable = false;
};

// The answer's body as received (UTF-8 text, read up to kUpdateAnswerLimit
// bytes), or a failed request. Carriage returns are removed before the
// fields are split; a newer version is one whose text differs from ours and
// whose build number is above ours.
TUpdateAnswer ReadUpdateAnswer(bool requestSucceeded, const std::string& body);

// A build number: decimal digits after an optional sign; 0 when empty, not a
// number or out of range.
int ReadBuildNumber(const std::wstring& field);

// An absolute http or https address with a host: what the update check and
// the credits' links may open in the browser.
bool IsWebAddress(const std::wstring& address);

// The offer's text.
std::wstring NewVersionText(const std::wstring& versionText);
