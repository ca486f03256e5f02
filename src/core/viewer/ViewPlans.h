// One answer per view: from a folder's listing, the display options and a
// text measurer, everything the form applies to show the stack, the grid or
// one level of the menu: the entries with their captions, the sizes, whether
// a stack is crowded or opens as a grid instead, and the window's captions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/Rect.h"
#include "core/viewer/DisplayOptions.h"
#include "core/viewer/GridLayout.h"
#include "core/viewer/StackEntries.h"
#include "core/viewer/StackLayout.h"
#include "core/viewer/ViewMetrics.h"

// What every view is built from, besides the listing.
struct TViewRequest {
  std::wstring Folder;       // the folder shown, without trailing backslash
  std::wstring StackFolder;  // the stack's top folder (no go-back entry there)
  TDisplayOptions Options;
  std::wstring WindowsFolder;  // with trailing backslash: Explore's icon
  TRectI WorkArea;             // of the view's monitor
  TViewMetrics Metrics = kDesignMetrics;
  TSortKeyMaker SortKey;  // the order of the entries' names
  // The system offers the shell's thumbnails (OffersShellThumbnails): a grid
  // with thumbnails then asks for every file's picture, not only for those our
  // decoders read.
  bool ShellThumbnails = false;
};

// The width in pixels of a text in the font the entries are measured with.
using TTextWidth = std::function<std::int32_t(const std::wstring& text)>;

struct TStackPlan {
  std::wstring Caption;  // the window's: the folder's name
  std::vector<TStackEntry> Entries;
  std::int32_t EntryWidth = 0;
  std::int32_t EntryHeight = 0;
  bool Crowded = false;          // only go-back and "Too many items -- Explore"
  bool FallsBackToGrid = false;  // at start-up the stack opens as a grid
  TSizeI Client;                 // the window's client area
  // The outer height when the stack is taller than its work area; otherwise
  // the window's frame around Client decides it.
  std::optional<std::int32_t> OuterHeight;
};
// listing: the folder's, unsorted (the longest name is the first one found).
TStackPlan PlanStack(TFolderListing listing, const TViewRequest& request, const TTextWidth& measure);

struct TGridTile {
  TStackEntry Entry;
  bool Picture = false;        // a file whose picture is made for the tile (ThumbnailSources)
  std::size_t FileNumber = 0;  // files count from 1; 0 for the other tiles
};
struct TGridPlan {
  std::wstring Name;  // the folder's name, the window's caption at rest
  std::vector<TGridTile> Tiles;
  std::vector<std::wstring> Pictures;     // the files whose pictures are made, in tile order
  std::vector<std::size_t> PictureTiles;  // each picture's tile, an index into Tiles
  std::size_t AllFiles = 0;               // the folder's files, those beyond the grid's capacity included
  std::int32_t TileWidth = 0;
  std::int32_t TileHeight = 0;
  TGridShape Shape;
  TSizeI Client;

  // The captions while the grid is built: cleared, then loading its tiles.
  std::wstring CleaningUpCaption() const { return Name + L" (Cleaning up)"; }
  std::wstring LoadingCaption() const { return Name + L" (Loading)"; }
  std::wstring LoadingCaption(std::size_t fileNumber) const;
  // The caption of the grid at rest while its pictures come in reading
  // order: the loading caption of the first tile still waiting for its
  // picture, and the name alone once placed pictures are all of them.
  std::wstring CaptionWithPicturesPlaced(std::size_t placed) const;
};
TGridPlan PlanGrid(TFolderListing listing, const TViewRequest& request);

// While the grid's pictures come, they are placed and its caption counts
// them at most every kProgressCaptionMilliseconds (each placing repaints the
// tiles and each new caption costs the window manager a round trip); the
// last is always due. Ticks are the system's millisecond counter, which wraps.
constexpr std::uint32_t kProgressCaptionMilliseconds = 100;
constexpr bool ProgressCaptionDue(std::uint32_t shownAt, std::uint32_t now, bool last) {
  return last || static_cast<std::uint32_t>(now - shownAt) >= kProgressCaptionMilliseconds;
}

// One level of the menu view: request.Folder's lines (WorkArea and Metrics
// are not used).
std::vector<TMenuLine> PlanMenu(TFolderListing listing, const TViewRequest& request);
