// Reading picture files into 32-bit images: JPEG through libjpeg-turbo, PNG
// through libpng, GIF through giflib, Windows bitmaps by our own code.
//
// Every decoder gives a complete, non-empty image or throws EImageError: a
// file that is not of the kind asked for (its first bytes are checked), is
// damaged, or ends early never yields a half-filled image. A declared size
// wider or taller than kMaxImageSide, or of more than kMaxImagePixels, is
// refused before any pixel memory is taken.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "core/raster/Bitmap32.h"
#include "core/base/Errors.h"

constexpr int kMaxImageSide = 30000;
constexpr std::int64_t kMaxImagePixels = 100000000;

// Image kinds, numbered as the thumbnail code and its callers know them.
enum class TImageKind : int { None = 0, Jpeg = 1, Bitmap = 2, Gif = 3, Png = 4 };

// By the extension, lower-cased: ".jpg" and ".jpeg", ".bmp", ".gif", ".png".
// A path without an extension (or with a dot only in a folder name) is None.
TImageKind ImageKindOf(const std::wstring& path);
bool IsImageFile(const std::wstring& path);

class EImageError : public EError {
public:
  // name: the file as the user knows it; reason: why it cannot be read.
  EImageError(const std::wstring& name, const std::wstring& reason);
};

struct TJpegDecodeOptions {
  // libjpeg's fast integer transform and plain (not smoothed) chroma
  // upsampling: quicker and slightly coarser.
  bool fast = false;
  // Reduced-size decoding: given the picture's full width, gives 1, 2, 4 or 8,
  // the factor the picture is shrunk by while decoding (sides rounded up).
  // Null: full size.
  std::function<int(int fullWidth)> scaleDenominator;
};

// Decoders over an open file, read from its start. name is used in messages.
//
// JPEG: greyscale, YCbCr and RGB pictures; CMYK and YCCK ones converted to
//   RGB (the inverted CMYK that Adobe applications write, recognised by the
//   Adobe marker, as well as plain CMYK). Opaque. Progressive files with more
//   than 1000 scans, or needing more than 512 MiB of working memory, are
//   refused, and so is a file that ends before its end marker.
// PNG: every colour type and depth; palette transparency (tRNS) and alpha
//   channels kept as straight alpha; 16-bit samples rounded to 8 bits;
//   interlaced files; gamma is not applied. A file that ends before its end
//   chunk is refused.
// GIF: the first picture at its own frame size (not placed on the logical
//   screen), every pixel opaque, the transparent colour index included;
//   indexes beyond the colour table are black.
// Windows bitmap: the 12-byte OS/2 header and the 40, 52, 56, 108 and 124-byte
//   Windows headers; 1, 2, 4 and 8 bits through the palette (biClrUsed
//   entries, or fewer when the pixel data starts before the full table ends),
//   16 bits (5-5-5 or bit fields), 24 and 32 bits (the fourth byte ignored
//   unless bit fields name an alpha mask), bottom-up and top-down, RLE8 and
//   RLE4. Pixels an RLE picture skips (by delta or end-of-line) are
//   transparent; palette indexes beyond the table are black. When an alpha
//   mask gives every pixel alpha 0, the picture is taken as opaque: such
//   files carry no alpha, they only have the field set.
TBitmap32 DecodeJpeg(std::FILE* file, const std::wstring& name, const TJpegDecodeOptions& options = {});
// A JPEG picture held in memory (the thumbnail inside a camera's JPEG file),
// read as DecodeJpeg reads a file: the same limits, errors and options; bytes
// that end before the end marker are refused.
TBitmap32 DecodeJpegBytes(const void* bytes, std::size_t size, const std::wstring& name,
                          const TJpegDecodeOptions& options = {});
TBitmap32 DecodePng(std::FILE* file, const std::wstring& name);
// A PNG picture held in memory (the programs' own pictures, from resources).
TBitmap32 DecodePngBytes(const void* bytes, std::size_t size, const std::wstring& name);
TBitmap32 DecodeGif(std::FILE* file, const std::wstring& name);
TBitmap32 DecodeBmp(std::FILE* file, const std::wstring& name);

// Opens path (a wide path, see WideFile.h) and decodes it as kind; None and
// files that cannot be opened throw EImageError.
TBitmap32 DecodeImageFile(const std::wstring& path, TImageKind kind, const TJpegDecodeOptions& jpeg = {});
