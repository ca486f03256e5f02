// Sizes of the grid view: how many tiles a work area holds, how the tiles are
// arranged, how large the window's client area is.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/viewer/StackEntries.h"
#include "core/viewer/StackLayout.h"

constexpr std::int32_t kGridTileWidth = kDesignMetrics.GridTileWidth;  // at 96 DPI
constexpr std::int32_t kGridTileHeight = kDesignMetrics.GridTileHeight;

// N: the integer nearest to (W / 64 + 1) x (H / 56 + 1), computed exactly,
// halves to even, with the tile size of the metrics' DPI. A grid shows at
// most N + 1 folder and file tiles.
std::int64_t GridCapacity(std::int32_t workAreaWidth, std::int32_t workAreaHeight,
                          const TViewMetrics& metrics = kDesignMetrics);

// How many of the listed folders and files a grid of capacity N shows:
// folders first, min(N + 1, F); files after them, min(N - F + 1, Nf), none
// when F is larger than N. Go-back and Explore come on top.
struct TGridTileCounts {
  std::size_t Folders = 0;
  std::size_t Files = 0;
};
TGridTileCounts GridTileCounts(std::int64_t capacity, std::size_t folders, std::size_t files);
// Drops the entries beyond those counts from a sorted listing.
void LimitListingToGrid(TFolderListing& listing, std::int64_t capacity);

// Fewer than 8 tiles stand in one row; more in ceil(sqrt n) columns and as
// many rows as they need. No tiles at all: 0 columns, 1 row.
struct TGridShape {
  std::int32_t Columns = 0;
  std::int32_t Rows = 1;
};
TGridShape GridShape(std::size_t tiles);
// columns x 64 + 4 by rows x 56 + 4, each number scaled to the metrics' DPI.
TSizeI GridClientSize(const TGridShape& shape, const TViewMetrics& metrics = kDesignMetrics);
