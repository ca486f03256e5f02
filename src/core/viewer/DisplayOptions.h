// The display options of one stack. They travel in the stack
// shortcut's arguments: the creator composes them, the viewer's command line
// reads them, and the entries and the window follow them.
#pragma once

#include <cstdint>

// The order of a view's entries ("/sort:"). Folders come before files in
// every order, and ties fall back to the order of names.
enum class TSortOrder : std::uint8_t {
  Name,      // the default
  Modified,  // newest first
  Created,   // newest first: when a file came into the folder
  Kind,      // by extension, then name
  Size,      // largest first
};

struct TDisplayOptions {
  bool ShowExplore = true;      // cleared by "/noexplore"
  bool BrowseFolders = true;    // cleared by "/nobrowse"
  bool HideExtensions = false;  // "/hideext"
  bool ShowThumbnails = false;  // "/thumbs"
  bool Clear = false;           // "/clear": no window border
  TSortOrder Sort = TSortOrder::Name;

  bool operator==(const TDisplayOptions& other) const {
    return ShowExplore == other.ShowExplore && BrowseFolders == other.BrowseFolders &&
           HideExtensions == other.HideExtensions && ShowThumbnails == other.ShowThumbnails && Clear == other.Clear &&
           Sort == other.Sort;
  }
  bool operator!=(const TDisplayOptions& other) const { return !(*this == other); }
};
