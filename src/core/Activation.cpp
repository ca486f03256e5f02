#include "core/Activation.h"

#include "core/PathUtils.h"

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// First position of needle in text, letter case ignored (ASCII), or npos.
std::size_t FindIgnoringCase(const std::wstring& text, const std::wstring& needle) {
  if (needle.size() > text.size()) return std::wstring::npos;
  for (std::size_t at = 0; at + needle.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && AsciiLower(text[at + i]) == AsciiLower(needle[i])) ++i;
    if (i == needle.size()) return at;
  }
  return std::wstring::npos;
}

}  // namespace

bool IsShortcutName(const std::wstring& path) { return ExtractFileExt(path) == L".lnk"; }

std::optional<std::wstring> RepairedShortcutTarget(const std::wstring& target, bool targetExists) {
  static const std::wstring marker = L" (x86)";
  // Whether to repair is decided on the exact marker; where to cut is found
  // without regard to case (the first occurrence in any case).
  if (targetExists || target.find(marker) == std::wstring::npos) return std::nullopt;
  std::wstring repaired = target;
  repaired.erase(FindIgnoringCase(target, marker), marker.size());
  return repaired;
}
