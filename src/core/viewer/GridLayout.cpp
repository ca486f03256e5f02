#include "core/viewer/GridLayout.h"

#include <algorithm>
#include <cmath>

std::int64_t GridCapacity(std::int32_t workAreaWidth, std::int32_t workAreaHeight, const TViewMetrics& metrics) {
  // (W / w + 1) x (H / h + 1) is the fraction (W + w)(H + h) / (w h), taken
  // in integers: in floating point a product that should be a half can land
  // on either side of it, and differently on x87 and SSE.
  const std::int64_t tileWidth = metrics.GridTileWidth, tileHeight = metrics.GridTileHeight;
  if (tileWidth <= 0 || tileHeight <= 0) return 0;
  const std::int64_t across = std::int64_t(workAreaWidth) + tileWidth;
  const std::int64_t down = std::int64_t(workAreaHeight) + tileHeight;
  if (across <= 0 || down <= 0) return 0;
  const std::int64_t numerator = across * down, denominator = tileWidth * tileHeight;
  std::int64_t nearest = numerator / denominator;
  const std::int64_t twiceRest = 2 * (numerator % denominator);
  // Nearest integer, halves to the even neighbour.
  if (twiceRest > denominator || (twiceRest == denominator && nearest % 2 != 0)) ++nearest;
  return nearest;
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
