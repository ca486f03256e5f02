#include "core/raster/Blend.h"

#include <algorithm>

namespace {

// Rounded n / d for non-negative n and positive d.
constexpr std::uint32_t DivRound(std::uint32_t n, std::uint32_t d) { return (n + d / 2) / d; }

}  // namespace

TColor32 StraightFromPremultiplied(TColor32 premultiplied) noexcept {
  const std::uint32_t a = AlphaOf(premultiplied);
  if (a == 0) return kColor32Transparent;
  if (a == 255) return premultiplied;
  const auto straight = [a](std::uint32_t v) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, DivRound(v * 255, a)));
  };
  return Color32(static_cast<std::uint8_t>(a), straight(RedOf(premultiplied)), straight(GreenOf(premultiplied)),
                 straight(BlueOf(premultiplied)));
}

TColor32 PremultipliedFromGrounds(TColor32 onBlack, TColor32 onWhite) noexcept {
  const auto through = [](std::uint8_t black, std::uint8_t white) { return white > black ? white - black : 0; };
  const std::uint32_t sum = through(RedOf(onBlack), RedOf(onWhite)) + through(GreenOf(onBlack), GreenOf(onWhite)) +
                            through(BlueOf(onBlack), BlueOf(onWhite));
  const std::uint8_t alpha = static_cast<std::uint8_t>(255 - DivRound(sum, 3));
  const auto channel = [alpha](std::uint8_t v) { return std::min(v, alpha); };
  return Color32(alpha, channel(RedOf(onBlack)), channel(GreenOf(onBlack)), channel(BlueOf(onBlack)));
}

TColor32 MergeColor32(TColor32 source, TColor32 target) noexcept {
  const std::uint32_t sa = AlphaOf(source);
  if (sa == 255) return source;
  if (sa == 0) return target;
  const std::uint32_t da = AlphaOf(target);
  if (da == 0) return source;
  // Everything in 255ths: weights sum to the result's alpha times 255.
  const std::uint32_t sw = sa * 255;
  const std::uint32_t dw = da * (255 - sa);
  const std::uint32_t total = sw + dw;
  const auto mix = [&](std::uint32_t s, std::uint32_t d) {
    return static_cast<std::uint8_t>(DivRound(s * sw + d * dw, total));
  };
  return Color32(static_cast<std::uint8_t>(DivRound(total, 255)), mix(RedOf(source), RedOf(target)),
                 mix(GreenOf(source), GreenOf(target)), mix(BlueOf(source), BlueOf(target)));
}

TColor32 BlendColor32(TColor32 source, TColor32 target) noexcept {
  const std::uint32_t sa = AlphaOf(source);
  if (sa == 255) return source;
  if (sa == 0) return target;
  const std::uint32_t da = AlphaOf(target);
  const auto mix = [&](std::uint32_t s, std::uint32_t d) {
    return static_cast<std::uint8_t>(DivRound(s * sa + d * (255 - sa), 255));
  };
  return Color32(static_cast<std::uint8_t>(DivRound(sa * 255 + da * (255 - sa), 255)),
                 mix(RedOf(source), RedOf(target)), mix(GreenOf(source), GreenOf(target)),
                 mix(BlueOf(source), BlueOf(target)));
}

TColor32 CombineColor32(TColor32 source, TColor32 target, TDrawMode drawMode, TCombineMode combineMode) noexcept {
  if (drawMode == TDrawMode::Opaque) return source;
  return combineMode == TCombineMode::Merge ? MergeColor32(source, target) : BlendColor32(source, target);
}

void BlendPixel(TBitmap32& target, int x, int y, TColor32 color) noexcept {
  if (!target.Contains(x, y)) return;
  TColor32& pixel = target.Row(y)[x];
  pixel = CombineColor32(color, pixel, TDrawMode::Blend, target.CombineMode());
}

void DrawBitmap(TBitmap32& target, int x, int y, const TBitmap32& source) {
  // Clip in 64 bits: a point near the int range must not wrap.
  const long long left = std::max<long long>(0, x);
  const long long top = std::max<long long>(0, y);
  const long long right = std::min<long long>(target.Width(), static_cast<long long>(x) + source.Width());
  const long long bottom = std::min<long long>(target.Height(), static_cast<long long>(y) + source.Height());
  if (left >= right || top >= bottom) return;
  const TDrawMode drawMode = source.DrawMode();
  const TCombineMode combineMode = source.CombineMode();
  for (long long ty = top; ty < bottom; ++ty) {
    const TColor32* from = source.Row(static_cast<int>(ty - y)) + (left - x);
    TColor32* to = target.Row(static_cast<int>(ty)) + left;
    if (drawMode == TDrawMode::Opaque) {
      std::copy(from, from + (right - left), to);
      continue;
    }
    for (long long i = 0; i < right - left; ++i) to[i] = CombineColor32(from[i], to[i], drawMode, combineMode);
  }
}
