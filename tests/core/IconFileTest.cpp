#include "core/imaging/IconFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct TEntry {
  std::uint8_t Side;  // 0 for 256
  std::uint32_t Size, Offset;
};

// An icon file's header and entries; the image bytes are zeros up to `length`.
std::vector<std::uint8_t> IconFile(const std::vector<TEntry>& entries, std::size_t length, std::uint16_t type = 1) {
  std::vector<std::uint8_t> bytes(length, 0);
  const auto put = [&](std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(2, type, 2);
  put(4, static_cast<std::uint32_t>(entries.size()), 2);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t at = 6 + 16 * i;
    bytes[at] = bytes[at + 1] = entries[i].Side;
    put(at + 8, entries[i].Size, 4);
    put(at + 12, entries[i].Offset, 4);
  }
  return bytes;
}

std::vector<std::int32_t> Sides(const std::vector<TIconFileImage>& images) {
  std::vector<std::int32_t> sides;
  for (const TIconFileImage& image : images) sides.push_back(image.Width);
  return sides;
}

}  // namespace

TEST(IconFile, ImagesComeExactThenLargerThenSmaller) {
  // As the icon script writes them: 256 (a PNG) first, then 48 down to 16.
  const std::vector<std::uint8_t> file =
      IconFile({{0, 100, 200}, {48, 50, 300}, {32, 40, 350}, {24, 30, 390}, {16, 20, 420}}, 440);
  const struct {
    std::int32_t size;
    std::vector<std::int32_t> order;
  } cases[] = {
      {48, {48, 256, 32, 24, 16}},  {32, {32, 48, 256, 24, 16}}, {72, {256, 48, 32, 24, 16}},
      {300, {256, 48, 32, 24, 16}}, {8, {16, 24, 32, 48, 256}},
  };
  for (const auto& c : cases) EXPECT_EQ(Sides(IconFileImagesFor(file.data(), file.size(), c.size)), c.order) << c.size;
  const TIconFileImage first = IconFileImagesFor(file.data(), file.size(), 48).front();
  EXPECT_EQ(first.Offset, 300u);
  EXPECT_EQ(first.Size, 50u);
  EXPECT_EQ(first.Height, 48);
}

TEST(IconFile, DamagedFilesGiveNothingOrOnlyTheirWholeImages) {
  // An entry reaching past the end, one starting past it and one empty are left out.
  const std::vector<std::uint8_t> file = IconFile({{48, 50, 100}, {32, 61, 100}, {24, 1, 200}, {16, 0, 150}}, 160);
  EXPECT_EQ(Sides(IconFileImagesFor(file.data(), file.size(), 48)), std::vector<std::int32_t>{48});
  // More entries than the file holds, a cursor file, too short, nothing.
  std::vector<std::uint8_t> many = IconFile({{48, 50, 40}}, 40);
  many[4] = 200;
  EXPECT_TRUE(IconFileImagesFor(many.data(), many.size(), 48).empty());
  const std::vector<std::uint8_t> cursor = IconFile({{48, 10, 30}}, 40, 2);
  EXPECT_TRUE(IconFileImagesFor(cursor.data(), cursor.size(), 48).empty());
  EXPECT_TRUE(IconFileImagesFor(file.data(), 5, 48).empty());
  EXPECT_TRUE(IconFileImagesFor(nullptr, 0, 48).empty());
}
