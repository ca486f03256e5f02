#include "core/imaging/ThumbnailSources.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/imaging/Thumbnails.h"

namespace {

using S = TThumbnailSource;

std::string Names(const std::vector<TThumbnailSource>& sources) {
  std::string names;
  for (const TThumbnailSource source : sources) {
    if (!names.empty()) names += ",";
    names += source == S::ShellCache ? "cache" : source == S::Decoder ? "decoder" : "extract";
  }
  return names;
}

}  // namespace

TEST(ThumbnailSources, ByDecodabilitySystemAndSwitch) {
  struct {
    bool decodable, shell, shown;
    const char* sources;
  } cases[] = {
      {true, true, true, "cache,decoder"},  // Vista and later: what the shell made is reused
      {false, true, true, "extract"},       // videos, documents: as Explorer shows them
      {true, false, true, "decoder"},       // XP
      {false, false, true, ""},             // XP: the file's icon
      {true, true, false, ""},              // without "/thumbs" nothing is asked for
      {false, true, false, ""},
      {true, false, false, ""},
      {false, false, false, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Names(ThumbnailSources({c.decodable, c.shell, c.shown})), c.sources) << c.decodable << c.shell << c.shown;
}

TEST(ThumbnailSources, TheShellOffersThumbnailsFromVistaOn) {
  struct {
    TWindowsVersion version;
    bool offers;
  } cases[] = {{{5, 1, 2600}, false}, {{5, 2, 3790}, false},  {{6, 0, 6002}, true},
               {{6, 1, 7601}, true},  {{10, 0, 22631}, true}, {{0, 0, 0}, false}};  // unread: older
  for (const auto& c : cases) EXPECT_EQ(OffersShellThumbnails(c.version), c.offers) << c.version.Major;
}

TEST(ThumbnailSources, FirstPictureWinsAndFailuresFallThrough) {
  // What each source does: 'p' a picture, 'n' nothing, 'e' an empty
  // picture, 't' throws.
  struct {
    const char* answers;  // cache, decoder, extract
    std::vector<TThumbnailSource> sources;
    const char* asked;
    int picture;  // the winning source's number, 0 for none
  } cases[] = {
      {"ppp", {S::ShellCache, S::Decoder}, "cache", 1},
      {"npp", {S::ShellCache, S::Decoder}, "cache,decoder", 2},
      {"tpp", {S::ShellCache, S::Decoder}, "cache,decoder", 2},
      {"epp", {S::ShellCache, S::Decoder}, "cache,decoder", 2},
      {"ntp", {S::ShellCache, S::Decoder}, "cache,decoder", 0},
      {"nnp", {S::ShellExtract}, "extract", 3},
      {"nnt", {S::ShellExtract}, "extract", 0},
      {"ppp", {}, "", 0},
  };
  for (const auto& c : cases) {
    std::vector<TThumbnailSource> asked;
    const std::optional<TBitmap32> picture =
        FirstThumbnail(c.sources, [&](TThumbnailSource source) -> std::optional<TBitmap32> {
          asked.push_back(source);
          const int number = static_cast<int>(source) + 1;
          switch (c.answers[number - 1]) {
            case 'p': {
              TBitmap32 result(1, 1);
              result.SetPixel(0, 0, static_cast<TColor32>(number));
              return result;
            }
            case 'e': return TBitmap32();
            case 't': throw std::runtime_error("damaged");
            default: return std::nullopt;
          }
        });
    EXPECT_EQ(Names(asked), c.asked) << c.answers << " " << Names(c.sources);
    if (c.picture == 0) {
      EXPECT_FALSE(picture.has_value()) << c.answers << " " << Names(c.sources);
    } else {
      ASSERT_TRUE(picture.has_value()) << c.answers << " " << Names(c.sources);
      EXPECT_EQ(picture->Pixel(0, 0), static_cast<TColor32>(c.picture));
    }
  }
}

TEST(ThumbnailFit, ShapeKeptShrunkNeverEnlargedCentred) {
  struct {
    int width, height, size;
    TRectI rect;
  } cases[] = {
      {48, 48, 48, {0, 0, 48, 48}},                                // the size asked for
      {96, 96, 48, {0, 0, 48, 48}},                                // the cache's next size up
      {256, 144, 48, {0, 10, 48, 37}},                             // wide: 27 rows, centred
      {144, 256, 48, {10, 0, 37, 48}},                             // tall
      {20, 10, 32, {6, 11, 26, 21}},                               // small: kept as it is
      {1000, 1, 32, {0, 15, 32, 16}},                              // a line keeps one pixel
      {33, 32, 32, {0, 0, 32, 31}},    {0, 10, 32, {0, 0, 0, 0}},  // nothing to place
      {10, 10, 0, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const TRectI rect = ThumbnailFitRect(c.width, c.height, c.size);
    EXPECT_EQ(rect.Left, c.rect.Left) << c.width << "x" << c.height << " in " << c.size;
    EXPECT_EQ(rect.Top, c.rect.Top) << c.width << "x" << c.height << " in " << c.size;
    EXPECT_EQ(rect.Right, c.rect.Right) << c.width << "x" << c.height << " in " << c.size;
    EXPECT_EQ(rect.Bottom, c.rect.Bottom) << c.width << "x" << c.height << " in " << c.size;
  }
}

TEST(ThumbnailFit, PictureDrawnOnTransparentSquareWithItsAlpha) {
  TBitmap32 wide(96, 48);
  wide.Fill(0x80102030u);  // half transparent
  const TBitmap32 fitted = FitThumbnail(wide, 32);
  ASSERT_EQ(fitted.Width(), 32);
  ASSERT_EQ(fitted.Height(), 32);
  EXPECT_EQ(fitted.Pixel(16, 3), kColor32Transparent) << "above the picture";
  EXPECT_EQ(fitted.Pixel(16, 29), kColor32Transparent) << "below the picture";
  EXPECT_EQ(fitted.Pixel(0, 8), 0x80102030u);
  EXPECT_EQ(fitted.Pixel(31, 23), 0x80102030u);
  EXPECT_EQ(FitThumbnail(TBitmap32(), 32).Pixel(16, 16), kColor32Transparent) << "an empty picture places nothing";
}

TEST(ThumbnailFit, ShellAlphaPremultipliedMadeStraightOrElseOpaque) {
  struct {
    const char* what;
    bool alpha;
    std::vector<TColor32> pixels, taken;
  } cases[] = {
      {"premultiplied",
       true,
       {0xFF0000FF, 0x80000080, 0x40201008, 0x00000000},
       {0xFF0000FF, 0x800000FF, 0x40804020, 0}},
      {"colours beyond their alpha are held at 255", true, {0x10FF2008}, {0x10FFFF80}},
      {"no pixel with alpha: none at all", true, {0x000000FF, 0x00102030}, {0xFF0000FF, 0xFF102030}},
      {"without alpha the fourth byte is ignored", false, {0x000000FF, 0x80102030}, {0xFF0000FF, 0xFF102030}},
  };
  for (const auto& c : cases) {
    TBitmap32 picture(static_cast<int>(c.pixels.size()), 1);
    for (std::size_t i = 0; i < c.pixels.size(); ++i) picture.SetPixel(static_cast<int>(i), 0, c.pixels[i]);
    TakeShellThumbnailAlpha(picture, c.alpha);
    for (std::size_t i = 0; i < c.taken.size(); ++i)
      EXPECT_EQ(picture.Pixel(static_cast<int>(i), 0), c.taken[i]) << c.what << " " << i;
  }
}
