#include "core/raster/Resamplers.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/raster/Blend.h"

namespace {

// Where target position i of `targetSize` samples a source of `sourceSize`
// under centre alignment: pixel `first` and the next, with the weight of the
// next in 256ths; held at the edges.
struct TLinearTap {
  int First = 0;
  int Second = 0;
  std::uint32_t Fraction = 0;
};

std::vector<TLinearTap> LinearTaps(int sourceSize, int targetSize, int from, int to) {
  std::vector<TLinearTap> taps;
  taps.reserve(static_cast<std::size_t>(to - from));
  const long long den = 2LL * targetSize;
  for (long long i = from; i < to; ++i) {
    // u = ((2i + 1) * sourceSize - targetSize) / (2 * targetSize), in 256ths.
    const long long num = (2 * i + 1) * sourceSize - targetSize;
    TLinearTap tap;
    if (num > 0) {
      const long long whole = num / den;
      const auto fraction = static_cast<std::uint32_t>((num % den) * 256 / den);
      if (whole >= sourceSize - 1) {
        tap.First = tap.Second = sourceSize - 1;
      } else {
        tap.First = static_cast<int>(whole);
        tap.Second = tap.First + 1;
        tap.Fraction = fraction;
      }
    }
    taps.push_back(tap);
  }
  return taps;
}

// Sums of premultiplied channels, turned back into a straight colour.
struct TPremultipliedSum {
  std::uint64_t A = 0, R = 0, G = 0, B = 0;

  void Add(TColor32 c, std::uint64_t weight) {
    const std::uint64_t aw = AlphaOf(c) * weight;
    A += aw;
    R += RedOf(c) * aw;
    G += GreenOf(c) * aw;
    B += BlueOf(c) * aw;
  }
  TColor32 Average(std::uint64_t totalWeight) const {
    const std::uint64_t alpha = (A + totalWeight / 2) / totalWeight;
    if (alpha == 0) return kColor32Transparent;
    const auto channel = [this](std::uint64_t sum) { return static_cast<std::uint8_t>((sum + A / 2) / A); };
    return Color32(static_cast<std::uint8_t>(alpha), channel(R), channel(G), channel(B));
  }
};

// The source pixels under target position i: [first, last), whole pixels that
// tile the source when shrinking, one pixel when enlarging.
struct TBox {
  int First = 0;
  int Last = 0;
};

std::vector<TBox> DraftBoxes(int sourceSize, int targetSize, int from, int to) {
  std::vector<TBox> boxes;
  boxes.reserve(static_cast<std::size_t>(to - from));
  for (long long i = from; i < to; ++i) {
    const auto first = static_cast<int>(i * sourceSize / targetSize);
    const auto last = static_cast<int>((i + 1) * sourceSize / targetSize);
    boxes.push_back({first, std::max(first + 1, last)});
  }
  return boxes;
}

}  // namespace

void TLinearResampler::Resample(TBitmap32& target, const TRectI& rect, const TRectI& clip,
                                const TBitmap32& source) const {
  const std::vector<TLinearTap> columns =
      LinearTaps(source.Width(), RectWidth(rect), clip.Left - rect.Left, clip.Right - rect.Left);
  const std::vector<TLinearTap> rows =
      LinearTaps(source.Height(), RectHeight(rect), clip.Top - rect.Top, clip.Bottom - rect.Top);
  const TDrawMode drawMode = source.DrawMode();
  const TCombineMode combineMode = source.CombineMode();
  for (int ty = clip.Top; ty < clip.Bottom; ++ty) {
    const TLinearTap& row = rows[static_cast<std::size_t>(ty - clip.Top)];
    const TColor32* upper = source.Row(row.First);
    const TColor32* lower = source.Row(row.Second);
    TColor32* out = target.Row(ty);
    for (int tx = clip.Left; tx < clip.Right; ++tx) {
      const TLinearTap& col = columns[static_cast<std::size_t>(tx - clip.Left)];
      const std::uint64_t wx1 = col.Fraction, wx0 = 256 - wx1;
      const std::uint64_t wy1 = row.Fraction, wy0 = 256 - wy1;
      TPremultipliedSum sum;
      sum.Add(upper[col.First], wx0 * wy0);
      sum.Add(upper[col.Second], wx1 * wy0);
      sum.Add(lower[col.First], wx0 * wy1);
      sum.Add(lower[col.Second], wx1 * wy1);
      out[tx] = CombineColor32(sum.Average(256 * 256), out[tx], drawMode, combineMode);
    }
  }
}

void TDraftResampler::Resample(TBitmap32& target, const TRectI& rect, const TRectI& clip,
                               const TBitmap32& source) const {
  const std::vector<TBox> columns =
      DraftBoxes(source.Width(), RectWidth(rect), clip.Left - rect.Left, clip.Right - rect.Left);
  const std::vector<TBox> rows =
      DraftBoxes(source.Height(), RectHeight(rect), clip.Top - rect.Top, clip.Bottom - rect.Top);
  const TDrawMode drawMode = source.DrawMode();
  const TCombineMode combineMode = source.CombineMode();
  for (int ty = clip.Top; ty < clip.Bottom; ++ty) {
    const TBox& row = rows[static_cast<std::size_t>(ty - clip.Top)];
    TColor32* out = target.Row(ty);
    for (int tx = clip.Left; tx < clip.Right; ++tx) {
      const TBox& col = columns[static_cast<std::size_t>(tx - clip.Left)];
      TPremultipliedSum sum;
      for (int sy = row.First; sy < row.Last; ++sy) {
        const TColor32* in = source.Row(sy);
        for (int sx = col.First; sx < col.Last; ++sx) sum.Add(in[sx], 1);
      }
      const auto count =
          static_cast<std::uint64_t>(row.Last - row.First) * static_cast<std::uint64_t>(col.Last - col.First);
      out[tx] = CombineColor32(sum.Average(count), out[tx], drawMode, combineMode);
    }
  }
}

std::shared_ptr<const TResampler> LinearResampler() {
  static const std::shared_ptr<const TResampler> instance = std::make_shared<TLinearResampler>();
  return instance;
}

std::shared_ptr<const TResampler> DraftResampler() {
  static const std::shared_ptr<const TResampler> instance = std::make_shared<TDraftResampler>();
  return instance;
}

void StretchBitmap(TBitmap32& target, const TRectI& rect, const TBitmap32& source) {
  if (source.Empty() || RectWidth(rect) <= 0 || RectHeight(rect) <= 0) return;
  const TRectI clip = IntersectRects(rect, {0, 0, target.Width(), target.Height()});
  if (RectWidth(clip) <= 0 || RectHeight(clip) <= 0) return;
  const TResampler* resampler = source.Resampler() ? source.Resampler().get() : DraftResampler().get();
  resampler->Resample(target, rect, clip, source);
}
