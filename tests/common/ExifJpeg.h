// JPEG files as cameras write them, with an Exif segment (APP1) that holds an
// orientation and a small JPEG thumbnail, for the tests of every layer and the
// benchmark's pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "JpegWriter.h"

namespace exifjpeg {

using jpegwriter::TByteString;

// Where IFD0's and IFD1's next-IFD links point.
enum class TIfdLinks {
  Plain,          // IFD0 to IFD1, IFD1 to none
  NoIfd1,         // IFD0 to none
  Ifd0ToItself,   // IFD0 to IFD0: a cycle where IFD1 should be
  Ifd1ToItself,   // IFD0 to IFD1, IFD1 to itself
  Ifd1PastTheEnd  // IFD0 to an offset beyond the segment
};

struct TExifLayout {
  bool bigEndian = false;  // "MM" rather than "II"
  int orientation = 0;     // tag 0x0112 in IFD0; 0: no such tag
  TIfdLinks links = TIfdLinks::Plain;
  TByteString thumbnail;  // IFD1's JPEG; empty: IFD1 without the thumbnail's tags
  // Added to the thumbnail's true offset and length (damaged segments).
  std::int64_t offsetShift = 0;
  std::int64_t lengthShift = 0;
};

// The Exif segment's contents, as given to jpeg_write_marker: "Exif\0\0",
// then the TIFF header, IFD0 (an orientation and an X resolution held outside
// its entry), IFD1 (compression, the thumbnail's offset and length), the
// thumbnail.
inline TByteString ComposeExifSegment(const TExifLayout& layout) {
  TByteString segment;
  for (const char c : {'E', 'x', 'i', 'f', '\0', '\0'}) segment.push_back(static_cast<unsigned char>(c));
  TByteString& tiff = segment;  // the TIFF structure follows; its offsets count from its first byte
  const auto put16 = [&](std::uint32_t value) {
    const unsigned char hi = static_cast<unsigned char>(value >> 8), lo = static_cast<unsigned char>(value);
    tiff.push_back(layout.bigEndian ? hi : lo);
    tiff.push_back(layout.bigEndian ? lo : hi);
  };
  const auto put32 = [&](std::uint32_t value) {
    put16(layout.bigEndian ? value >> 16 : value & 0xFFFF);
    put16(layout.bigEndian ? value & 0xFFFF : value >> 16);
  };
  const auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
    put16(tag);
    put16(type);
    put32(1);
    if (type == 3) {  // a SHORT sits in the first two bytes of the value field
      put16(value);
      put16(0);
    } else {
      put32(value);
    }
  };
  const std::uint32_t ifd0 = 8;
  const std::uint32_t entries0 = layout.orientation != 0 ? 2 : 1;
  const std::uint32_t resolution = ifd0 + 2 + 12 * entries0 + 4;
  const std::uint32_t ifd1 = resolution + 8;
  const std::uint32_t entries1 = layout.thumbnail.empty() ? 1 : 3;
  const std::uint32_t thumbnail = ifd1 + 2 + 12 * entries1 + 4;

  tiff.push_back(layout.bigEndian ? 'M' : 'I');
  tiff.push_back(layout.bigEndian ? 'M' : 'I');
  put16(42);
  put32(ifd0);
  put16(entries0);
  entry(0x011A, 5, resolution);  // XResolution, a RATIONAL outside the entry
  if (layout.orientation != 0) entry(0x0112, 3, static_cast<std::uint32_t>(layout.orientation));
  switch (layout.links) {
    case TIfdLinks::NoIfd1: put32(0); break;
    case TIfdLinks::Ifd0ToItself: put32(ifd0); break;
    case TIfdLinks::Ifd1PastTheEnd: put32(0x7FFFFFF0); break;
    default: put32(ifd1); break;
  }
  put32(72);
  put32(1);
  put16(entries1);
  entry(0x0103, 3, 6);  // Compression: JPEG
  if (!layout.thumbnail.empty()) {
    entry(0x0201, 4, static_cast<std::uint32_t>(thumbnail + layout.offsetShift));
    entry(0x0202, 4, static_cast<std::uint32_t>(layout.thumbnail.size() + layout.lengthShift));
  }
  put32(layout.links == TIfdLinks::Ifd1ToItself ? ifd1 : 0);
  tiff.insert(tiff.end(), layout.thumbnail.begin(), layout.thumbnail.end());
  return segment;
}

using jpegwriter::TMarker;

// A JPEG of width x height in one colour (0xRRGGBB), without the JFIF segment
// (Exif files have none), with the given segments right after SOI.
inline TByteString SolidJpegWithMarkers(int width, int height, std::uint32_t rgb, const std::vector<TMarker>& markers) {
  jpegwriter::TJpegSettings settings;
  settings.width = width;
  settings.height = height;
  settings.jfif = false;
  settings.markers = markers;
  return jpegwriter::CompressJpeg(settings, [width, rgb](int, unsigned char* row) {
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<unsigned char>(rgb >> 16);
      row[x * 3 + 1] = static_cast<unsigned char>(rgb >> 8);
      row[x * 3 + 2] = static_cast<unsigned char>(rgb);
    }
  });
}

// A camera's file: a picture of one colour carrying a thumbnail of another.
inline TByteString SolidJpegWithThumbnail(int width, int height, std::uint32_t rgb, int thumbnailWidth,
                                          int thumbnailHeight, std::uint32_t thumbnailRgb, int orientation = 1) {
  TExifLayout layout;
  layout.orientation = orientation;
  layout.thumbnail = SolidJpegWithMarkers(thumbnailWidth, thumbnailHeight, thumbnailRgb, {});
  return SolidJpegWithMarkers(width, height, rgb, {{JPEG_APP0 + 1, ComposeExifSegment(layout)}});
}

}  // namespace exifjpeg
