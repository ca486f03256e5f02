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

TFolderIconFacts ReadFolderIconFacts(const std::wstring& path) {
  TFolderIconFacts facts;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  facts.Exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts.ReadOnlyOrSystem = (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
  facts.SpecialFolder = CsidlOfPath(path) >= 0;
  return facts;
}

int TEntryIcons::IndexOf(const TStackEntry& entry) {
  std::wstring key;
  if (entry.Kind == TEntryKind::File) {
    key = TypeIconKey(entry.IconPath);
    if (!key.empty() && byType_.find(key) == byType_.end() && !TypeIconIsShared(key, ReadTypeIconFacts(key)))
      byType_.emplace(key, -1);
  } else if (entry.Kind == TEntryKind::Folder) {
    key = FolderIconKey(ReadFolderIconFacts(entry.IconPath));
  }
  if (key.empty()) return list_.GetIconIndex(entry.IconPath, 0);
  auto found = byType_.find(key);
  if (found == byType_.end()) {
    // The shell names the type's icon without parsing the entry's path
    // (which binds its folder); where it knows none, the entry's own lookup
    // stands for the type.
    int index = list_.GetTypeIconIndex(entry.Kind == TEntryKind::Folder ? L"" : key, entry.Kind == TEntryKind::Folder);
    if (index <= 0) index = list_.GetIconIndex(entry.IconPath, 0);
    found = byType_.emplace(key, index).first;
  }
  return found->second >= 0 ? found->second : list_.GetIconIndex(entry.IconPath, 0);
}
