#include "core/GridLayout.h"

#include <algorithm>
#include <cmath>

std::int64_t GridCapacity(std::int32_t workAreaWidth, std::int32_t workAreaHeight, const TViewMetrics& metrics) {
  const double tiles = (workAreaWidth / static_cast<double>(metrics.GridTileWidth) + 1) *
                       (workAreaHeight / static_cast<double>(metrics.GridTileHeight) + 1);
  // Nearest integer, halves to the even neighbour.
  const double below = std::floor(tiles);
  const double fraction = tiles - below;
  std::int64_t nearest = static_cast<std::int64_t>(below);
  if (fraction > 0.5 || (fraction == 0.5 && nearest % 2 != 0)) ++nearest;
  return std::max<std::int64_t>(nearest, 0);
}

TGridTileCounts GridTileCounts(std::int64_t capacity, std::size_t folders, std::size_t files) {
  TGridTileCounts counts;
  if (capacity < 0) capacity = 0;
  const auto limit = static_cast<std::uint64_t>(capacity) + 1;
  counts.Folders = static_cast<std::size_t>(std::min<std::uint64_t>(limit, folders));
  if (folders <= static_cast<std::uint64_t>(capacity))
    counts.Files = static_cast<std::size_t>(std::min<std::uint64_t>(limit - folders, files));
  return counts;
}

void LimitListingToGrid(TFolderListing& listing, std::int64_t capacity) {
  const TGridTileCounts counts = GridTileCounts(capacity, listing.Folders.size(), listing.Files.size());
  listing.Folders.resize(counts.Folders);
  listing.Files.resize(counts.Files);
}

TGridShape GridShape(std::size_t tiles) {
  if (tiles < 8) return {static_cast<std::int32_t>(tiles), 1};
  auto columns = static_cast<std::size_t>(std::sqrt(static_cast<double>(tiles)));
  while (columns * columns < tiles) ++columns;  // the square root rounded up, exactly
  while (columns > 1 && (columns - 1) * (columns - 1) >= tiles) --columns;
  const std::size_t rows = (tiles + columns - 1) / columns;
  return {static_cast<std::int32_t>(columns), static_cast<std::int32_t>(rows)};
}

TSizeI GridClientSize(const TGridShape& shape, const TViewMetrics& metrics) {
  return {shape.Columns * metrics.GridTileWidth + metrics.ClientPadding,
          shape.Rows * metrics.GridTileHeight + metrics.ClientPadding};
}
