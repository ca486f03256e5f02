#include "core/viewer/TypeIcons.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

std::wstring TypeIconKey(const std::wstring& path) {
  const std::wstring extension = ExtractFileExt(path);
  return extension.size() > 1 ? AsciiLowerCase(extension) : std::wstring();
}

bool TypeIconIsShared(const std::wstring& key, const TTypeIconFacts& facts) {
  if (key.empty()) return false;
  static const wchar_t* const kOwnIcons[] = {L".exe", L".lnk", L".ico", L".cur", L".ani", L".url",
                                             L".scr", L".cpl", L".pif", L".msc", L".dll", L".appref-ms"};
  for (const wchar_t* own : kOwnIcons)
    if (key == own) return false;
  if (facts.HasIconHandler) return false;
  // "%1" (or "%1" with an index) names the file itself as its icon.
  return facts.DefaultIcon.find(L"%1") == std::wstring::npos;
}

std::wstring FolderIconKey(const TFolderIconFacts& facts) {
  // A key no extension can be: extensions start with a dot.
  return facts.Exists && !facts.ReadOnlyOrSystem && !facts.SpecialFolder ? L"<folder>" : L"";
}
