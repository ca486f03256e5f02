// Listing, ordering and captioning the entries of one folder for the three
// views. The views differ only in captions, names and where Explore goes, so
// one builder serves them all and the view code only turns entries into items.
#include "core/viewer/StackEntries.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

#include <algorithm>

namespace {

// Menu captions treat a single "&" as an accelerator marker; doubling shows it.
std::wstring DoubleAmpersands(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

// What differs between the views, beside Explore's place and the go-back entry.
struct TViewWording {
  const wchar_t* NamePrefix;  // nullptr: items carry no names
  bool StackCaptions;         // "Go back to: <name>" / "Explore: <name>" rather than the short grid words
  bool DoubleAmpersand;
};

TViewWording WordingFor(TViewKind view) {
  switch (view) {
    case TViewKind::Grid: return {L"GridItem", false, false};
    case TViewKind::Menu: return {nullptr, true, true};
    default: return {L"StackItem", true, false};
  }
}

}  // namespace

TFolderListing ListFolderEntries(TDirEntrySource& source, const std::wstring& folder) {
  // One enumeration gives both lists, each entry going where ListFolders("*")
  // and ListFiles("*.*", read-only, system and archive) would put it: both
  // masks match every name, and a folder with many entries is read once.
  TFolderListing listing;
  const std::wstring prefix = folder + L"\\";
  source.Enumerate(prefix + L"*", [&](const TDirEntry& entry) {
    const TEntryFacts facts{entry.Modified, entry.Created, entry.Size};
    if (IsListedFolder(entry)) {
      listing.Folders.push_back(prefix + entry.Name);
      listing.FolderFacts.push_back(facts);
    } else if (IsListedFile(entry, faReadOnly | faSysFile | faArchive)) {
      listing.Files.push_back(prefix + entry.Name);
      listing.FileFacts.push_back(facts);
    }
  });
  return listing;
}

namespace {

struct TSortItem {
  std::int64_t Newer = 0;  // compared descending: newest or largest first
  std::string Kind;        // the extension's key
  std::string Name;        // the name's key
  std::size_t Listed = 0;  // the place in the listing
  bool operator<(const TSortItem& other) const {
    if (Newer != other.Newer) return Newer > other.Newer;
    if (Kind != other.Kind) return Kind < other.Kind;
    if (Name != other.Name) return Name < other.Name;
    return Listed < other.Listed;
  }
};

std::int64_t PrimaryFact(const TEntryFacts& facts, TSortOrder order, bool files) {
  switch (order) {
    case TSortOrder::Modified: return facts.Modified;
    case TSortOrder::Created: return facts.Created;
    case TSortOrder::Size: return files ? facts.Size : 0;
    default: return 0;
  }
}

void SortPaths(std::vector<std::wstring>& paths, std::vector<TEntryFacts>& facts, const TSortKeyMaker& keyOf,
               TSortOrder order, bool files) {
  const bool hasFacts = facts.size() == paths.size();
  std::vector<TSortItem> items(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::wstring name = ExtractFileName(paths[i]);
    TSortItem& item = items[i];
    item.Newer = hasFacts ? PrimaryFact(facts[i], order, files) : 0;
    if (order == TSortOrder::Kind && files) {
      const std::wstring extension = ExtractFileExt(name);
      if (!extension.empty()) item.Kind = keyOf(extension);
    }
    item.Name = keyOf(name);
    item.Listed = i;
  }
  std::sort(items.begin(), items.end());
  std::vector<std::wstring> sorted;
  std::vector<TEntryFacts> sortedFacts;
  sorted.reserve(paths.size());
  for (const TSortItem& item : items) {
    sorted.push_back(std::move(paths[item.Listed]));
    if (hasFacts) sortedFacts.push_back(facts[item.Listed]);
  }
  paths = std::move(sorted);
  if (hasFacts) facts = std::move(sortedFacts);
}

}  // namespace

void SortListing(TFolderListing& listing, const TSortKeyMaker& keyOf, TSortOrder order) {
  SortPaths(listing.Folders, listing.FolderFacts, keyOf, order, false);
  SortPaths(listing.Files, listing.FileFacts, keyOf, order, true);
}

std::wstring FileCaption(const std::wstring& path, bool hideExtensions) {
  if (!hideExtensions && !IsShortcutName(path)) return ExtractFileName(path);
  return ExtractFileNameNoExt(path);
}

std::vector<TStackEntry> BuildEntries(const TFolderListing& listing, const std::wstring& folder, TViewKind view,
                                      const std::wstring& stackFolder, const TDisplayOptions& options, bool crowded,
                                      const std::wstring& windowsFolder) {
  const TViewWording wording = WordingFor(view);
  const bool menu = view == TViewKind::Menu;
  // Only the stack has a crowded form; the grid caps its tiles instead and the
  // menu has no limit.
  const bool crowdedStack = crowded && view != TViewKind::Grid && !menu;

  const auto caption = [&](const std::wstring& text) {
    return wording.DoubleAmpersand ? DoubleAmpersands(text) : text;
  };
  const auto name = [&](const wchar_t* kind, std::size_t index, bool numbered) {
    if (!wording.NamePrefix) return std::wstring();
    std::wstring n = std::wstring(wording.NamePrefix) + kind;
    if (numbered) n += std::to_wstring(index);
    return n;
  };

  std::vector<TStackEntry> entries;
  entries.reserve(listing.Folders.size() + listing.Files.size() + 2);

  // A crowded stack keeps Explore even when it is switched off: it is then
  // the only way to the folder's contents.
  const bool showExplore = options.ShowExplore || crowdedStack;
  const auto makeExplore = [&] {
    TStackEntry explore;
    explore.Kind = TEntryKind::Explore;
    if (crowdedStack)
      explore.Caption = L"Too many items -- Explore";
    else if (wording.StackCaptions)
      explore.Caption = caption(L"Explore: " + ExtractLastFolderName(folder));
    else
      explore.Caption = L"Explore";
    explore.Hint = StripTrailingBackslash(folder);
    explore.IconPath = windowsFolder + L"explorer.exe";
    explore.Name = name(L"Explore", 0, false);
    explore.Tag = kTagOpen;
    return explore;
  };

  if (menu && showExplore) entries.push_back(makeExplore());

  // Exact comparison on purpose: the paths are built from StackFolder as the
  // user wrote it, so returning to it reproduces it character for character.
  if (!menu && options.BrowseFolders && folder != stackFolder) {
    TStackEntry back;
    back.Kind = TEntryKind::GoBack;
    back.Hint = StripTrailingBackslash(ExtractParentFolder(folder));
    back.Caption = wording.StackCaptions ? L"Go back to: " + ExtractLastFolderName(back.Hint) : L"Go back";
    back.IconPath = back.Hint;
    back.Name = name(L"GoBack", 0, false);
    back.Tag = kTagBrowse;
    entries.push_back(std::move(back));
  }

  if (!crowdedStack) {
    for (std::size_t i = 0; i < listing.Folders.size(); ++i) {
      TStackEntry entry;
      entry.Kind = TEntryKind::Folder;
      entry.Caption = caption(ExtractLastFolderName(listing.Folders[i]));
      entry.Hint = listing.Folders[i];
      entry.IconPath = entry.Hint;
      entry.Name = name(L"Folder", i, true);
      entry.Tag = options.BrowseFolders ? kTagBrowse : kTagOpen;
      entries.push_back(std::move(entry));
    }
    for (std::size_t i = 0; i < listing.Files.size(); ++i) {
      TStackEntry entry;
      entry.Kind = TEntryKind::File;
      entry.Caption = caption(FileCaption(listing.Files[i], options.HideExtensions));
      entry.Hint = listing.Files[i];
      entry.IconPath = entry.Hint;
      entry.Name = name(L"File", i, true);
      entry.Tag = kTagOpen;
      entries.push_back(std::move(entry));
    }
  }

  if (!menu && showExplore) entries.push_back(makeExplore());
  return entries;
}

std::vector<TMenuLine> MenuLines(const std::vector<TStackEntry>& entries, bool browseFolders) {
  std::vector<TMenuLine> lines;
  for (const TStackEntry& entry : entries) {
    const bool subMenu = entry.Kind == TEntryKind::Folder && browseFolders;
    lines.push_back({subMenu ? TMenuLineKind::SubMenu : TMenuLineKind::Item, entry});
    if (entry.Kind == TEntryKind::Explore) lines.push_back({TMenuLineKind::Separator, TStackEntry{}});
  }
  return lines;
}
