// The shell icons of a view's entries, looked up once per file type where
// every file of the type shows the same icon (TypeIconIsShared), once for
// all plain folders (FolderIconKey), and entry by entry otherwise: a folder
// of 20 folders and 180 text files costs two lookups, not 200.
#pragma once

#include <map>
#include <string>

#include "core/viewer/StackEntries.h"
#include "core/viewer/TypeIcons.h"
#include "shared/SysImg.h"

// What the registry of this system says of the type's icon.
TTypeIconFacts ReadTypeIconFacts(const std::wstring& key);
// What the file system says of a folder.
TFolderIconFacts ReadFolderIconFacts(const std::wstring& path);

class TEntryIcons {
public:
  explicit TEntryIcons(TSysImageList& list) : list_(list) {}
  // The index in the shell's list of the entry's icon (its IconPath's).
  int IndexOf(const TStackEntry& entry);

private:
  TSysImageList& list_;
  std::map<std::wstring, int> byType_;  // -1: the type's files are looked up one by one
};
