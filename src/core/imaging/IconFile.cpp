#include "core/imaging/IconFile.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Little(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

}  // namespace

std::vector<TIconFileImage> IconFileImagesFor(const std::uint8_t* data, std::size_t length, std::int32_t size) {
  std::vector<TIconFileImage> images;
  // Reserved 0, type 1 (an icon, not a cursor), then the number of entries.
  if (data == nullptr || length < kHeaderSize || Little(data, 2) != 0 || Little(data + 2, 2) != 1) return images;
  const std::size_t count = Little(data + 4, 2);
  if (count > (length - kHeaderSize) / kEntrySize) return images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = data + kHeaderSize + i * kEntrySize;
    TIconFileImage image;
    // A width or height byte of 0 means 256.
    image.Width = entry[0] == 0 ? 256 : entry[0];
    image.Height = entry[1] == 0 ? 256 : entry[1];
    image.Size = Little(entry + 8, 4);
    image.Offset = Little(entry + 12, 4);
    if (image.Size == 0 || image.Offset > length || image.Size > length - image.Offset) continue;
    images.push_back(image);
  }
  // Exact first, then larger ascending, then smaller descending.
  const auto rank = [size](const TIconFileImage& image) {
    const std::int32_t side = image.Width;
    if (side == size) return std::int64_t(0);
    if (side > size) return std::int64_t(side);
    return std::int64_t(1000) + (256 - side);
  };
  std::stable_sort(images.begin(), images.end(),
                   [&](const TIconFileImage& a, const TIconFileImage& b) { return rank(a) < rank(b); });
  return images;
}
