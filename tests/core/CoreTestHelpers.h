// Helpers the core tests share: a directory source over an in-memory tree
// and a compact spelling of the display options.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/viewer/DisplayOptions.h"
#include "core/base/Listing.h"
#include "core/base/PathUtils.h"

// Folder part (with trailing backslash) -> entries in platform order.
class TFakeDirSource : public TDirEntrySource {
public:
  std::map<std::wstring, std::vector<TDirEntry>> Folders;
  void Enumerate(const std::wstring& pattern, const std::function<void(const TDirEntry&)>& onEntry) override {
    for (const TDirEntry& entry : Folders[ExtractFilePath(pattern)])
      if (MatchesMask(ExtractFileName(pattern), entry.Name)) onEntry(entry);
  }
};

// Options as five letters, upper case when set: Explore, Browse, hideext, thumbs, clear.
inline std::wstring Flags(const TDisplayOptions& o) {
  return {o.ShowExplore ? L'E' : L'e', o.BrowseFolders ? L'B' : L'b', o.HideExtensions ? L'H' : L'h',
          o.ShowThumbnails ? L'T' : L't', o.Clear ? L'C' : L'c'};
}
