// Reading an icon file (.ico) held as bytes: which of its images to draw a
// picture of a given size with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TIconFileImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::size_t Offset = 0;  // of the image's bytes (a bitmap or a PNG file) in the file
  std::size_t Size = 0;
};

// The file's images in the order to try them for a picture of `size`
// pixels: that size, then the larger ones from the smallest up, then the
// smaller ones from the largest down; among images of one size, the file's
// order. A caller goes down the list until one can be drawn (a system that
// reads no PNG images skips those). Empty when the bytes are not an icon
// file; entries whose bytes lie outside the file are left out.
std::vector<TIconFileImage> IconFileImagesFor(const std::uint8_t* data, std::size_t length, std::int32_t size);
