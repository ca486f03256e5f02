// Folder listings into joined lists. The enumeration itself comes from a
// TDirEntrySource (FindFirstFileW on Windows, a fake in tests); the attribute
// filter and the recursion live here so every platform lists alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum : std::uint32_t {
  faReadOnly = 1,
  faHidden = 2,
  faSysFile = 4,
  faVolumeID = 8,
  faDirectory = 16,
  faArchive = 32,
  faAnyFile = 63,
  faSpecial = faHidden | faSysFile | faVolumeID | faDirectory,
};

struct TDirEntry {
  std::wstring Name;             // name only, no folder
  std::uint32_t Attributes = 0;  // the bits above (other platform bits may be set too)
  std::int64_t Size = 0;
  // Last written and created, in the platform's ticks (on Windows 100 ns
  // since 1601); 0 where unknown.
  std::int64_t Modified = 0;
  std::int64_t Created = 0;
};

class TDirEntrySource {
public:
  virtual ~TDirEntrySource() = default;
  // Calls onEntry for every entry matching pattern (a folder part followed by
  // a wildcard mask, under the platform's wildcard rules) in the platform's
  // order, "." and ".." included when the platform gives them. A folder that
  // cannot be read gives no entries.
  virtual void Enumerate(const std::wstring& pattern, const std::function<void(const TDirEntry&)>& onEntry) = 0;
};

// True when an entry with these attributes passes an attribute set: any of the
// four special bits on the entry must also be in the set.
bool PassesAttributeSet(std::uint32_t entryAttributes, std::uint32_t attributeSet);

// Wildcard match as FindFirstFile does it for the masks the programs use:
// '*' any run, '?' one character, case-insensitive (ASCII), and "*.*" matches
// every name, also names without a full stop. For fake sources.
bool MatchesMask(const std::wstring& mask, const std::wstring& name);

// The rules ListFolders and ListFiles apply to each entry: a folder that is
// neither hidden nor system, "." and ".." left out; an entry whose special
// attribute bits all lie in the attribute set, "." and ".." left out.
bool IsListedFolder(const TDirEntry& entry);
bool IsListedFile(const TDirEntry& entry, std::uint32_t attributeSet);

// Appends the folder part + name + sep of every matching entry to list and
// sets count to their number (see the .cpp for the exact rules).
void ListFiles(TDirEntrySource& source, const std::wstring& fileMask, const std::wstring& sep, long long& count,
               bool recursive, std::uint32_t attributeSet, std::wstring& list);

// One level under attribute set 16, directories only, "." and ".." skipped.
void ListFolders(TDirEntrySource& source, const std::wstring& fileMask, const std::wstring& sep, long long& count,
                 std::wstring& list);
