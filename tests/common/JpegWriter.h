// JPEGs compressed into memory from rows the caller fills, for the tests of
// every layer and the benchmark's pictures. Portable: libjpeg-turbo's
// compressor only (the Windows layers link it through the core library).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

// jpeglib.h needs FILE declared before it.
#include <jpeglib.h>

namespace jpegwriter {

using TByteString = std::vector<unsigned char>;

// A segment written right after SOI: its marker code (JPEG_APP0 + n) and
// contents.
struct TMarker {
  int code;
  TByteString contents;
};

struct TJpegSettings {
  int width = 16, height = 16;
  int components = 3;  // 1 gray, 3 RGB, 4 CMYK
  int quality = 90;
  bool progressive = false;
  bool adobeMarker = true;  // CMYK only
  bool jfif = true;         // the JFIF segment, where the colour space has one (Exif files have none)
  std::vector<TMarker> markers;
};

// fill(y, row) writes the width x components samples of row y.
inline TByteString CompressJpeg(const TJpegSettings& settings, const std::function<void(int, unsigned char*)>& fill) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(settings.width);
  info.image_height = static_cast<JDIMENSION>(settings.height);
  info.input_components = settings.components;
  info.in_color_space = settings.components == 1 ? JCS_GRAYSCALE : settings.components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, settings.quality, TRUE);
  if (settings.components == 4) {
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = settings.adobeMarker ? TRUE : FALSE;
  }
  if (!settings.jfif) info.write_JFIF_header = FALSE;
  if (settings.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  for (const TMarker& marker : settings.markers)
    jpeg_write_marker(&info, marker.code, marker.contents.data(), static_cast<unsigned>(marker.contents.size()));
  std::vector<unsigned char> row(static_cast<std::size_t>(settings.width) * settings.components);
  while (info.next_scanline < info.image_height) {
    fill(static_cast<int>(info.next_scanline), row.data());
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  TByteString bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace jpegwriter
