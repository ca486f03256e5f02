// Folder listings into joined lists. The source only enumerates; which entries
// count, and how sub-folders are walked, is decided here.
#include "core/base/Listing.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

#include <vector>

namespace {

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

bool IsDirectory(std::uint32_t attributes) { return (attributes & faDirectory) != 0; }

}  // namespace

bool IsListedFolder(const TDirEntry& entry) {
  return PassesAttributeSet(entry.Attributes, faDirectory) && IsDirectory(entry.Attributes) && !IsDotEntry(entry.Name);
}

bool IsListedFile(const TDirEntry& entry, std::uint32_t attributeSet) {
  return PassesAttributeSet(entry.Attributes, attributeSet) &&
         !(IsDirectory(entry.Attributes) && IsDotEntry(entry.Name));
}

namespace {

void ListFolderFiles(TDirEntrySource& source, const std::wstring& folder, const std::wstring& mask,
                     const std::wstring& sep, long long& count, bool recursive, std::uint32_t attributeSet,
                     std::wstring& list) {
  source.Enumerate(folder + mask, [&](const TDirEntry& entry) {
    if (!IsListedFile(entry, attributeSet)) return;
    list += folder + entry.Name + sep;
    ++count;
  });
  if (!recursive) return;
  // Sub-folders are found with "*" (the mask may not match them), collected
  // first and walked afterwards, so a folder's own entries come before any of
  // its sub-folders' and no enumeration is open while another runs.
  std::vector<std::wstring> subFolders;
  source.Enumerate(folder + L"*", [&](const TDirEntry& entry) {
    if (!PassesAttributeSet(entry.Attributes, attributeSet | faDirectory)) return;
    if (!IsDirectory(entry.Attributes) || IsDotEntry(entry.Name)) return;
    subFolders.push_back(entry.Name);
  });
  for (const std::wstring& name : subFolders)
    ListFolderFiles(source, folder + name + L"\\", mask, sep, count, true, attributeSet, list);
}

}  // namespace

bool PassesAttributeSet(std::uint32_t entryAttributes, std::uint32_t attributeSet) {
  return (entryAttributes & faSpecial & ~attributeSet) == 0;
}

bool MatchesMask(const std::wstring& mask, const std::wstring& name) {
  if (mask == L"*.*") return true;
  // Greedy match with one backtrack point: the last '*' seen and where in the
  // name it started matching.
  std::size_t m = 0, n = 0;
  std::size_t starAt = std::wstring::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == L'*') {
      starAt = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == L'?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
      ++m;
      ++n;
    } else if (starAt != std::wstring::npos) {
      m = starAt + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == L'*') ++m;
  return m == mask.size();
}

void ListFiles(TDirEntrySource& source, const std::wstring& fileMask, const std::wstring& sep, long long& count,
               bool recursive, std::uint32_t attributeSet, std::wstring& list) {
  count = 0;
  ListFolderFiles(source, ExtractFilePath(fileMask), ExtractFileName(fileMask), sep, count, recursive, attributeSet,
                  list);
}

void ListFolders(TDirEntrySource& source, const std::wstring& fileMask, const std::wstring& sep, long long& count,
                 std::wstring& list) {
  count = 0;
  const std::wstring folder = ExtractFilePath(fileMask);
  source.Enumerate(folder + ExtractFileName(fileMask), [&](const TDirEntry& entry) {
    if (!IsListedFolder(entry)) return;
    list += folder + entry.Name + sep;
    ++count;
  });
}
