#include <gtest/gtest.h>

#include "ImageTestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <gif_lib.h>
#include <png.h>

#include "../common/JpegWriter.h"

#include "core/base/WideFile.h"

namespace fs = std::filesystem;

namespace {

// One scratch folder per test program, removed when it ends.
class TScratchFolder {
public:
  TScratchFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("heapfold-decoders-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

private:
  fs::path path_;
};

const fs::path& ScratchPath() {
  static TScratchFolder folder;
  return folder.Path();
}

}  // namespace

std::wstring WriteScratchFile(const std::wstring& name, const TBytes& bytes) {
  // Joined by hand: path's own conversion of a wide name goes through the
  // locale, which natively may not take names outside ASCII.
  const std::wstring path = ScratchPath().wstring() + static_cast<wchar_t>(fs::path::preferred_separator) + name;
  TFilePtr file = OpenWideFile(path, L"wb");
  EXPECT_TRUE(file != nullptr) << "cannot write the scratch file";
  if (file && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  return path;
}

TBitmap32 DecodeBytes(const TBytes& bytes, const std::wstring& name, const TJpegDecodeOptions& jpeg) {
  const std::wstring path = WriteScratchFile(name, bytes);
  return DecodeImageFile(path, ImageKindOf(path), jpeg);
}

int CountRefused(const std::vector<TBytes>& files, const std::wstring& name) {
  int refused = 0;
  for (const TBytes& bytes : files) {
    try {
      DecodeBytes(bytes, name);
    } catch (const EImageError&) {
      ++refused;
    }
  }
  return refused;
}

std::vector<TBytes> Truncations(const TBytes& bytes) {
  std::vector<TBytes> cuts;
  for (std::size_t length :
       {std::size_t{0}, std::size_t{1}, std::size_t{8}, std::size_t{30}, bytes.size() / 2, bytes.size() - 4})
    if (length < bytes.size()) cuts.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
  return cuts;
}

std::vector<TBytes> ByteFlips(const TBytes& bytes, std::size_t n) {
  std::vector<TBytes> flips;
  for (std::size_t i = 0; i < n && i < bytes.size(); ++i) {
    flips.push_back(bytes);
    flips.back()[i] ^= 0xFF;
  }
  return flips;
}

::testing::AssertionResult ColourNear(TColor32 actual, TColor32 expected, int tolerance) {
  auto off = [&](int shift) { return std::abs(int((actual >> shift) & 255) - int((expected >> shift) & 255)); };
  if (AlphaOf(actual) == AlphaOf(expected) && off(16) <= tolerance && off(8) <= tolerance && off(0) <= tolerance)
    return ::testing::AssertionSuccess();
  char text[64];
  std::snprintf(text, sizeof text, "0x%08X is not within %d of 0x%08X", unsigned(actual), tolerance,
                unsigned(expected));
  return ::testing::AssertionFailure() << text;
}

TBytes EncodeJpeg(const TJpegLayout& layout, const std::function<void(int, int, unsigned char*)>& pixel) {
  jpegwriter::TJpegSettings settings;
  settings.width = layout.width;
  settings.height = layout.height;
  settings.components = layout.components;
  settings.quality = 95;
  settings.progressive = layout.progressive;
  settings.adobeMarker = layout.adobeMarker;
  return jpegwriter::CompressJpeg(settings, [&](int y, unsigned char* row) {
    for (int x = 0; x < layout.width; ++x) pixel(x, y, &row[x * layout.components]);
  });
}

TBytes SolidJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return EncodeJpeg({width, height}, [&](int, int, unsigned char* px) {
    px[0] = r;
    px[1] = g;
    px[2] = b;
  });
}

TBytes EncodePng(const TPngLayout& layout, const std::vector<TBytes>& rows) {
  TBytes bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, png_size_t length) {
        auto* out = static_cast<TBytes*>(png_get_io_ptr(p));
        out->insert(out->end(), data, data + length);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width), static_cast<png_uint_32>(layout.height),
               layout.bitDepth, layout.colorType, layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::uint32_t c : layout.palette) palette.push_back({png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!layout.paletteAlpha.empty())
    png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()), nullptr);
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (const TBytes& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

TBytes EncodeGif(int screenWidth, int screenHeight, const std::vector<std::uint32_t>& globalPalette,
                 const std::vector<TGifFrame>& frames) {
  TBytes bytes;
  auto makeMap = [](const std::vector<std::uint32_t>& colours) -> ColorMapObject* {
    if (colours.empty()) return nullptr;
    std::vector<GifColorType> entries;
    for (std::uint32_t c : colours) entries.push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
    return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());  // size: a power of two
  };
  int error = 0;
  GifFileType* gif = EGifOpen(
      &bytes,
      [](GifFileType* g, const GifByteType* data, int length) {
        auto* out = static_cast<TBytes*>(g->UserData);
        out->insert(out->end(), data, data + length);
        return length;
      },
      &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = makeMap(globalPalette);
  EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global);
  GifFreeMapObject(global);
  for (const TGifFrame& frame : frames) {
    if (frame.transparentIndex >= 0) {
      const GifByteType control[] = {1, 0, 0, GifByteType(frame.transparentIndex)};
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    }
    ColorMapObject* local = makeMap(frame.localPalette);
    EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, local);
    GifFreeMapObject(local);
    // An interlaced frame's rows are written in pass order.
    std::vector<int> order;
    if (frame.interlaced) {
      static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < frame.height; y += kStep[pass]) order.push_back(y);
    } else {
      for (int y = 0; y < frame.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      std::vector<GifPixelType> row(frame.rows[static_cast<std::size_t>(y)].begin(),
                                    frame.rows[static_cast<std::size_t>(y)].end());
      EGifPutLine(gif, row.data(), frame.width);
    }
  }
  EGifCloseFile(gif, &error);
  return bytes;
}

void Put16(TBytes& out, std::uint32_t value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}
void Put32(TBytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void PutAt32(TBytes& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}
