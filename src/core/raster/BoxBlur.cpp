#include "core/raster/BoxBlur.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

class TLineBlur {
public:
  TLineBlur(int length, int radius)
      : length_(length),
        radius_(radius),
        window_(2 * static_cast<std::uint64_t>(radius) + 1),
        line_(static_cast<std::size_t>(length)) {
    for (auto& sums : sums_) sums.resize(static_cast<std::size_t>(length) + 1);
  }

  // Blurs `length` pixels starting at `first`, `stride` pixels apart.
  void Run(TColor32* first, std::ptrdiff_t stride) {
    for (int i = 0; i < length_; ++i) line_[static_cast<std::size_t>(i)] = first[i * stride];
    // Running sums of the pixels inside the line; the window's part beyond
    // either edge is counted as copies of the edge pixel, so a radius far
    // larger than the line costs no more.
    for (int c = 0; c < 4; ++c) {
      std::vector<std::uint64_t>& sums = sums_[static_cast<std::size_t>(c)];
      const int shift = 24 - 8 * c;
      for (int i = 0; i < length_; ++i)
        sums[static_cast<std::size_t>(i) + 1] =
            sums[static_cast<std::size_t>(i)] + ((line_[static_cast<std::size_t>(i)] >> shift) & 0xFF);
    }
    const TColor32 head = line_.front();
    const TColor32 tail = line_.back();
    for (int x = 0; x < length_; ++x) {
      const long long lo = static_cast<long long>(x) - radius_;
      const long long hi = static_cast<long long>(x) + radius_;
      const auto before = static_cast<std::uint64_t>(lo < 0 ? -lo : 0);
      const auto after = static_cast<std::uint64_t>(hi > length_ - 1 ? hi - (length_ - 1) : 0);
      const auto from = static_cast<std::size_t>(std::max(lo, 0LL));
      const auto to = static_cast<std::size_t>(std::min(hi, static_cast<long long>(length_) - 1)) + 1;
      TColor32 result = 0;
      for (int c = 0; c < 4; ++c) {
        const std::vector<std::uint64_t>& sums = sums_[static_cast<std::size_t>(c)];
        const int shift = 24 - 8 * c;
        const std::uint64_t sum =
            sums[to] - sums[from] + before * ((head >> shift) & 0xFF) + after * ((tail >> shift) & 0xFF);
        result |= static_cast<TColor32>(sum / window_) << shift;
      }
      first[x * stride] = result;
    }
  }

private:
  int length_;
  int radius_;
  std::uint64_t window_;
  std::vector<TColor32> line_;
  std::array<std::vector<std::uint64_t>, 4> sums_;
};

}  // namespace

void BoxBlur(TBitmap32& bitmap, int radius, int passes) {
  if (radius <= 0 || passes <= 0 || bitmap.Empty()) return;
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  TLineBlur rowBlur(width, radius);
  for (int y = 0; y < height; ++y)
    for (int pass = 0; pass < passes; ++pass) rowBlur.Run(bitmap.Row(y), 1);
  TLineBlur columnBlur(height, radius);
  for (int x = 0; x < width; ++x)
    for (int pass = 0; pass < passes; ++pass) columnBlur.Run(bitmap.Bits() + x, width);
}
