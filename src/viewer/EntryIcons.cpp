#include "viewer/EntryIcons.h"

#include <windows.h>

#include "shared/ScopedWin.h"

namespace {

// The default value of HKEY_CLASSES_ROOT\key, or of its named value; empty
// when it is missing or not a string.
std::wstring ClassesString(const std::wstring& key, const wchar_t* name = nullptr) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return L"";
  const TRegKey opened(raw);
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return L"";
  value[size / sizeof(wchar_t)] = L'\0';
  return value;
}

bool ClassesKeyExists(const std::wstring& key) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
  const TRegKey opened(raw);
  return true;
}

}  // namespace

TTypeIconFacts ReadTypeIconFacts(const std::wstring& key) {
  TTypeIconFacts facts;
  if (key.empty()) return facts;
  const std::wstring progId = ClassesString(key);
  facts.DefaultIcon = progId.empty() ? L"" : ClassesString(progId + L"\\DefaultIcon");
  if (facts.DefaultIcon.empty()) facts.DefaultIcon = ClassesString(key + L"\\DefaultIcon");
  facts.HasIconHandler = ClassesKeyExists(key + L"\\ShellEx\\IconHandler") ||
                         ClassesKeyExists(L"SystemFileAssociations\\" + key + L"\\ShellEx\\IconHandler") ||
                         (!progId.empty() && ClassesKeyExists(progId + L"\\ShellEx\\IconHandler"));
  return facts;
}

int TEntryIcons::IndexOf(const TStackEntry& entry) {
  if (entry.Kind != TEntryKind::File) return list_.GetIconIndex(entry.IconPath, 0);
  const std::wstring key = TypeIconKey(entry.IconPath);
  auto found = byType_.find(key);
  if (found == byType_.end())
    found =
        byType_.emplace(key, TypeIconIsShared(key, ReadTypeIconFacts(key)) ? list_.GetIconIndex(entry.IconPath, 0) : -1)
            .first;
  return found->second >= 0 ? found->second : list_.GetIconIndex(entry.IconPath, 0);
}
