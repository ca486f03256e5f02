// The five display options of one stack. They travel in the stack
// shortcut's arguments: the creator composes them, the viewer's command line
// reads them, and the entries and the window follow them.
#pragma once

struct TDisplayOptions {
  bool ShowExplore = true;      // cleared by "/noexplore"
  bool BrowseFolders = true;    // cleared by "/nobrowse"
  bool HideExtensions = false;  // "/hideext"
  bool ShowThumbnails = false;  // "/thumbs"
  bool Clear = false;           // "/clear": no window border

  bool operator==(const TDisplayOptions& other) const {
    return ShowExplore == other.ShowExplore && BrowseFolders == other.BrowseFolders &&
           HideExtensions == other.HideExtensions && ShowThumbnails == other.ShowThumbnails && Clear == other.Clear;
  }
  bool operator!=(const TDisplayOptions& other) const { return !(*this == other); }
};
