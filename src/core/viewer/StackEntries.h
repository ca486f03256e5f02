// The entries every view shows for one folder: sub-folders and files in a
// fixed order, the go-back entry and the Explore entry, each with its caption,
// the path it stands for (Hint), its action (Tag) and its component name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/viewer/CommandLine.h"
#include "core/base/Listing.h"

// Tag values: what activating an entry does.
constexpr int kTagBrowse = 1;  // show the folder in Hint inside the same view
constexpr int kTagOpen = 2;    // hand the path in Hint to the shell and close

enum class TEntryKind { GoBack, Folder, File, Explore };

struct TStackEntry {
  TEntryKind Kind = TEntryKind::File;
  std::wstring Caption;
  std::wstring Hint;      // full path; a folder path never ends in a backslash
  std::wstring IconPath;  // the path whose shell icon the entry shows
  std::wstring Name;      // "StackItemFolder0", "GridItemExplore", ...; empty in the menu
  int Tag = kTagOpen;
};

// What the sort orders look at, as the folder's listing gave it.
struct TEntryFacts {
  std::int64_t Modified = 0, Created = 0, Size = 0;
};

// The two listings of one folder, as full paths, each with its entries'
// facts at the same places (empty when the listing has none: every fact 0).
struct TFolderListing {
  std::vector<std::wstring> Folders;
  std::vector<std::wstring> Files;
  std::vector<TEntryFacts> FolderFacts = {};
  std::vector<TEntryFacts> FileFacts = {};
};

// Lists sub-folders (neither hidden nor system) and files (not hidden) of a
// folder given without trailing backslash, in the platform's order.
TFolderListing ListFolderEntries(TDirEntrySource& source, const std::wstring& folder);

// Sorts both lists in an order; ties, and the name order itself, go by the
// sort keys of the entries' names: byte strings whose plain order (byte by
// byte, a key that begins another one first) is the wanted order. Entries
// with equal keys keep their listed order. All entries of a listing share
// their folder, so their names decide, and each key is made once rather than
// once per comparison. Kind compares the keys of the extensions (a name
// without one first) and size the sizes, of files only: folders have
// neither, and stay in name order. The times order folders too.
using TSortKeyMaker = std::function<std::string(const std::wstring& name)>;
void SortListing(TFolderListing& listing, const TSortKeyMaker& keyOf, TSortOrder order = TSortOrder::Name);

// The entries of a view of folder in display order: go-back, folders, files,
// Explore (the menu: Explore first, no go-back). listing must be sorted. A
// crowded stack shows only its go-back and "Too many items -- Explore"
// entries. stackFolder is the stack's top folder (no go-back entry there);
// windowsFolder ends in a backslash (explorer.exe gives Explore's icon).
std::vector<TStackEntry> BuildEntries(const TFolderListing& listing, const std::wstring& folder, TViewKind view,
                                      const std::wstring& stackFolder, const TDisplayOptions& options, bool crowded,
                                      const std::wstring& windowsFolder);

// The menu view's lines for the entries of one folder (BuildEntries for the
// menu): Explore is followed by a separator, folders open sub-menus when
// browsing is on and are plain items otherwise, files are plain items.
enum class TMenuLineKind { Item, SubMenu, Separator };
struct TMenuLine {
  TMenuLineKind Kind = TMenuLineKind::Item;
  TStackEntry Entry;  // empty for a separator
};
std::vector<TMenuLine> MenuLines(const std::vector<TStackEntry>& entries, bool browseFolders);

// A file's caption: with its extension unless extensions are hidden or it is a
// shortcut (".lnk" in any case).
std::wstring FileCaption(const std::wstring& path, bool hideExtensions);
