// A 32-bit raster image: width x height pixels, each alpha, red, green and
// blue in 8 bits from the top byte down (0xFF000000 is opaque black), rows top
// to bottom, straight (not premultiplied) alpha. The portable core draws,
// blends, blurs and stretches these; the image decoders fill them; the Win32
// layer turns them into device bitmaps.
//
// Besides its pixels a bitmap carries how it is drawn onto another one (see
// core/Blend.h and core/Resamplers.h): its draw mode, its combine mode, and
// the resampler used when it is drawn stretched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

using TColor32 = std::uint32_t;

constexpr TColor32 kColor32Black = 0xFF000000u;
constexpr TColor32 kColor32White = 0xFFFFFFFFu;
constexpr TColor32 kColor32Transparent = 0x00000000u;

constexpr std::uint8_t AlphaOf(TColor32 c) { return static_cast<std::uint8_t>(c >> 24); }
constexpr std::uint8_t RedOf(TColor32 c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t GreenOf(TColor32 c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(TColor32 c) { return static_cast<std::uint8_t>(c); }
constexpr TColor32 Color32(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (static_cast<TColor32>(a) << 24) | (static_cast<TColor32>(r) << 16) | (static_cast<TColor32>(g) << 8) | b;
}

// Opaque: the bitmap's pixels replace the target's, alpha and all. Blend: they
// are combined with the target's by the combine mode.
enum class TDrawMode : std::uint8_t { Opaque, Blend };

// Blend: colours mixed by the source's alpha as if the target were opaque
// (cheap, and exact over opaque targets). Merge: full source-over of straight
// alpha, for targets that are themselves partly transparent.
enum class TCombineMode : std::uint8_t { Blend, Merge };

class TResampler;

class TBitmap32 {
public:
  TBitmap32() = default;
  // Every pixel starts fully transparent. Negative sizes give an empty image.
  TBitmap32(int width, int height) { SetSize(width, height); }

  void SetSize(int width, int height) {
    width_ = width > 0 && height > 0 ? width : 0;
    height_ = width > 0 && height > 0 ? height : 0;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kColor32Transparent);
  }

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return pixels_.empty(); }

  // Rows top to bottom, Width() pixels each.
  TColor32* Bits() noexcept { return pixels_.data(); }
  const TColor32* Bits() const noexcept { return pixels_.data(); }
  TColor32* Row(int y) noexcept {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  const TColor32* Row(int y) const noexcept {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }

  bool Contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Outside the image: transparent on reading, nothing on writing.
  TColor32 Pixel(int x, int y) const noexcept { return Contains(x, y) ? Row(y)[x] : kColor32Transparent; }
  void SetPixel(int x, int y, TColor32 color) noexcept {
    if (Contains(x, y)) Row(y)[x] = color;
  }
  void Fill(TColor32 color) { pixels_.assign(pixels_.size(), color); }

  // How this bitmap is drawn onto another; a new bitmap is drawn opaque.
  TDrawMode DrawMode() const noexcept { return drawMode_; }
  void SetDrawMode(TDrawMode mode) noexcept { drawMode_ = mode; }
  // How colours land on this bitmap and how it lands on others when blended.
  TCombineMode CombineMode() const noexcept { return combineMode_; }
  void SetCombineMode(TCombineMode mode) noexcept { combineMode_ = mode; }
  // Used when this bitmap is drawn stretched; none means the draft resampler.
  const std::shared_ptr<const TResampler>& Resampler() const noexcept { return resampler_; }
  void SetResampler(std::shared_ptr<const TResampler> resampler) noexcept { resampler_ = std::move(resampler); }

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor32> pixels_;
  TDrawMode drawMode_ = TDrawMode::Opaque;
  TCombineMode combineMode_ = TCombineMode::Blend;
  std::shared_ptr<const TResampler> resampler_;
};
