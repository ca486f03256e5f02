// Test pictures made in the tests: encoded with the libraries' own encoders
// (JPEG, PNG, GIF) or written byte by byte (Windows bitmaps), saved in a
// scratch folder that lives as long as the test program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/raster/Bitmap32.h"
#include "core/imaging/ImageDecoders.h"

using TBytes = std::vector<unsigned char>;

// Writes bytes to a new file in the scratch folder; gives its wide path.
std::wstring WriteScratchFile(const std::wstring& name, const TBytes& bytes);

// Decodes bytes saved under name (whose extension picks the kind).
TBitmap32 DecodeBytes(const TBytes& bytes, const std::wstring& name, const TJpegDecodeOptions& jpeg = {});

// For damaged copies of a valid file: each must decode or throw EImageError,
// never anything else. Gives how many were refused.
int CountRefused(const std::vector<TBytes>& files, const std::wstring& name);
std::vector<TBytes> Truncations(const TBytes& bytes);               // cut at several lengths, the empty file too
std::vector<TBytes> ByteFlips(const TBytes& bytes, std::size_t n);  // each of the first n bytes inverted

// Channels within tolerance (alpha exactly).
::testing::AssertionResult ColourNear(TColor32 actual, TColor32 expected, int tolerance);

// JPEG: components 1 (grey), 3 (RGB) or 4 (CMYK, stored as given); pixel
// fills one pixel's components.
struct TJpegLayout {
  int width = 16, height = 16, components = 3;
  bool progressive = false;
  bool adobeMarker = true;  // CMYK only
};
TBytes EncodeJpeg(const TJpegLayout& layout, const std::function<void(int x, int y, unsigned char* px)>& pixel);
TBytes SolidJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// PNG from raw rows as libpng takes them (16-bit samples big-endian).
struct TPngLayout {
  int width = 1, height = 1, bitDepth = 8, colorType = 2;  // PNG_COLOR_TYPE_RGB
  bool interlaced = false;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  std::vector<unsigned char> paletteAlpha;
};
TBytes EncodePng(const TPngLayout& layout, const std::vector<TBytes>& rows);

// GIF: one or more frames of palette indexes, rows top to bottom.
struct TGifFrame {
  int left = 0, top = 0, width = 1, height = 1;
  bool interlaced = false;
  std::vector<std::uint32_t> localPalette;  // 0xRRGGBB; empty: the global one
  std::vector<std::vector<unsigned char>> rows;
  int transparentIndex = -1;
};
TBytes EncodeGif(int screenWidth, int screenHeight, const std::vector<std::uint32_t>& globalPalette,
                 const std::vector<TGifFrame>& frames);

// Little-endian fields appended to a byte string, for bitmaps written by hand.
void Put16(TBytes& out, std::uint32_t value);
void Put32(TBytes& out, std::uint32_t value);
void PutAt32(TBytes& out, std::size_t at, std::uint32_t value);
