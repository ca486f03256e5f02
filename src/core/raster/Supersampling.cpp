#include "core/raster/Supersampling.h"

#include <algorithm>
#include <cmath>

namespace {

int Channel(TColor32 pixel, int index) {  // 0 blue, 1 green, 2 red
  return static_cast<int>((pixel >> (index * 8)) & 0xFF);
}

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::lround(std::min(std::max(value, 0.0), 255.0)));
}

}  // namespace

TBitmap32 ImageFromBlackAndWhiteRenderings(const TBitmap32& overBlack, const TBitmap32& overWhite, int scale) {
  TBitmap32 image;
  if (scale < 1 || overBlack.Empty() || overBlack.Width() != overWhite.Width() ||
      overBlack.Height() != overWhite.Height() || overBlack.Width() % scale != 0 || overBlack.Height() % scale != 0)
    return image;
  const int width = overBlack.Width() / scale;
  const int height = overBlack.Height() / scale;
  image.SetSize(width, height);
  const double samples = static_cast<double>(scale) * scale;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Over black a pixel is alpha * colour; over white the background adds
      // (1 - alpha) * 255 to it.
      double alpha = 0;
      double premultiplied[3] = {0, 0, 0};
      for (int sy = 0; sy < scale; ++sy) {
        for (int sx = 0; sx < scale; ++sx) {
          const TColor32 black = overBlack.Pixel(x * scale + sx, y * scale + sy);
          const TColor32 white = overWhite.Pixel(x * scale + sx, y * scale + sy);
          double cover = 0;
          for (int c = 0; c < 3; ++c) {
            cover += 1.0 - (Channel(white, c) - Channel(black, c)) / 255.0;
            premultiplied[c] += Channel(black, c);
          }
          alpha += cover / 3;
        }
      }
      alpha /= samples;
      if (alpha <= 1.0 / 512) continue;  // stays transparent
      const double a = std::min(alpha, 1.0);
      image.SetPixel(x, y,
                     Color32(ToByte(a * 255), ToByte(premultiplied[2] / samples / alpha),
                             ToByte(premultiplied[1] / samples / alpha), ToByte(premultiplied[0] / samples / alpha)));
    }
  }
  return image;
}
