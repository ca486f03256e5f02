// Path pieces for captions and defaults. Paths are handled as plain strings:
// backslash and colon end the folder part, nothing touches the file system.
#include "core/base/PathUtils.h"

#include "core/base/ExtraStrUtils.h"

#include <algorithm>
#include <vector>

namespace {

// 0-based index just past the folder part (0 when there is none).
std::size_t NameStart(const std::wstring& path) {
  const std::size_t at = path.find_last_of(L"\\:");
  return at == std::wstring::npos ? 0 : at + 1;
}

std::wstring WithTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path;
  return path + L'\\';
}

// Appends the decimal digits of a non-negative value.
void AppendDigits(std::wstring& out, std::uint64_t value) { out += std::to_wstring(value); }

}  // namespace

std::wstring ExtractFilePath(const std::wstring& path) { return path.substr(0, NameStart(path)); }

std::wstring ExtractFileName(const std::wstring& path) { return path.substr(NameStart(path)); }

std::wstring ExtractFileExt(const std::wstring& path) {
  const std::size_t at = path.find_last_of(L":\\/.");
  if (at == std::wstring::npos || at == 0 || path[at] != L'.') return std::wstring();
  return path.substr(at);
}

bool IsShortcutName(const std::wstring& path) { return AsciiLowerCase(ExtractFileExt(path)) == L".lnk"; }

std::wstring ExtractFileNameNoExt(const std::wstring& path) {
  const std::wstring name = ExtractFileName(path);
  return name.substr(0, name.size() - std::min(name.size(), ExtractFileExt(path).size()));
}

std::wstring ExtractLastFolderName(const std::wstring& path) {
  const std::wstring closed = WithTrailingBackslash(path);
  // The folder name is the last field before the first empty one, so a
  // doubled backslash ends the walk early and a UNC path gives nothing.
  const std::size_t fieldCount = static_cast<std::size_t>(std::count(closed.begin(), closed.end(), L'\\')) + 1;
  const std::vector<std::wstring> fields = SplitList(L"\\", closed, fieldCount);
  std::wstring last;
  for (const std::wstring& field : fields) {
    if (field.empty()) break;
    last = field;
  }
  return last;
}

std::wstring ExtractParentFolder(const std::wstring& path) {
  const std::wstring closed = WithTrailingBackslash(path);
  // Walk back from the character before the closing backslash to the one
  // before it; without such a backslash there is no parent.
  std::size_t i = closed.size() - 1;
  while (i > 0) {
    --i;
    if (closed[i] == L'\\') return closed.substr(0, i + 1);
  }
  return std::wstring();
}

std::wstring StripTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
  return path;
}

std::wstring StripTrailingBackslashes(const std::wstring& path) {
  const std::size_t end = path.find_last_not_of(L'\\');
  return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

std::wstring FormatByteSize(std::int64_t size, const std::wstring& decimalSeparator) {
  struct TUnit {
    std::int64_t Divisor;
    const wchar_t* Suffix;
  };
  static const TUnit kUnits[] = {
      {1073741824, L" GB"},
      {1048576, L" MB"},
      {1024, L" KB"},
  };
  for (const TUnit& unit : kUnits) {
    if (size <= unit.Divisor) continue;
    // size is positive here. Round to hundredths on integers (half away from
    // zero) so no binary fraction decides a digit, and without forming
    // size * 100, which could overflow.
    const std::uint64_t value = static_cast<std::uint64_t>(size);
    const std::uint64_t divisor = static_cast<std::uint64_t>(unit.Divisor);
    const std::uint64_t whole = value / divisor;
    const std::uint64_t rest = value % divisor;
    const std::uint64_t hundredths = whole * 100 + (rest * 200 + divisor) / (2 * divisor);
    const std::uint64_t intPart = hundredths / 100;
    const std::uint64_t fraction = hundredths % 100;
    std::wstring text;
    if (intPart != 0) AppendDigits(text, intPart);
    if (fraction != 0) {
      text += decimalSeparator;
      text += static_cast<wchar_t>(L'0' + fraction / 10);
      if (fraction % 10 != 0) text += static_cast<wchar_t>(L'0' + fraction % 10);
    }
    return text + unit.Suffix;
  }
  // Whole bytes; a zero prints no digits at all, like a "#" picture.
  if (size == 0) return L" bytes";
  return std::to_wstring(size) + L" bytes";
}
