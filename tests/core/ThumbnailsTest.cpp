#include "core/imaging/Thumbnails.h"

#include <gtest/gtest.h>

#include "ImageTestFiles.h"
#include "core/imaging/ImageDecoders.h"
#include "core/base/WideFile.h"

TEST(ImageKind, ByLowerCasedExtension) {
  struct {
    const wchar_t* path;
    TImageKind kind;
  } cases[] = {
      {L"C:\\pics\\photo.JPEG", TImageKind::Jpeg},
      {L"a.jpg", TImageKind::Jpeg},
      {L"a.Bmp", TImageKind::Bitmap},
      {L"a.gif", TImageKind::Gif},
      {L"a.PNG", TImageKind::Png},
      {L"photo.tif", TImageKind::None},
      {L"C:\\pics.png\\photo", TImageKind::None},
      {L"photo", TImageKind::None},
      {L"photo.png.txt", TImageKind::None},
      {L"", TImageKind::None},
      {L"jpg", TImageKind::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ImageKindOf(c.path), c.kind) << c.path;
    EXPECT_EQ(IsImageFile(c.path), c.kind != TImageKind::None) << c.path;
  }
}

TEST(Thumbnails, ScaleAndResamplerRules) {
  struct {
    int width, scale;
  } scales[] = {{300, 8}, {257, 8}, {256, 4}, {200, 4}, {129, 4}, {128, 2}, {65, 2}, {64, 1}, {60, 1}, {1, 1}};
  for (const auto& c : scales) EXPECT_EQ(JpegThumbnailScale(c.width), c.scale) << c.width;
  EXPECT_EQ(ChooseThumbnailResampler(16), TThumbnailResampler::Linear);
  EXPECT_EQ(ChooseThumbnailResampler(32), TThumbnailResampler::Linear);
  EXPECT_EQ(ChooseThumbnailResampler(33), TThumbnailResampler::Draft);
  EXPECT_EQ(ChooseThumbnailResampler(60), TThumbnailResampler::Draft);
}

// The sizes the grid's thumbnails are decoded at, as libjpeg rounds them up.
TEST(Thumbnails, JpegDecodedReducedOnlyInFastMode) {
  struct {
    int width, height, fastWidth, fastHeight;
  } cases[] = {{300, 20, 38, 3}, {200, 40, 50, 10}, {60, 30, 60, 30}, {100, 10, 50, 5}};
  for (const auto& c : cases) {
    const std::wstring path = WriteScratchFile(L"scaled.jpg", SolidJpeg(c.width, c.height, 200, 40, 40));
    const auto fast = DecodeThumbnailSource(path, true);
    ASSERT_TRUE(fast.has_value());
    EXPECT_EQ(fast->Width(), c.fastWidth) << c.width;
    EXPECT_EQ(fast->Height(), c.fastHeight) << c.width;
    EXPECT_TRUE(ColourNear(fast->Pixel(fast->Width() / 2, fast->Height() / 2), 0xFFC82828, 10));
    const auto full = DecodeThumbnailSource(path, false);
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->Width(), c.width);
    EXPECT_EQ(full->Height(), c.height);
  }
}

TEST(Thumbnails, NothingForMissingFilesOrOtherKinds_ErrorsForWrongContent) {
  EXPECT_FALSE(DecodeThumbnailSource(WriteScratchFile(L"gone.png", {}) + L".missing.png", true).has_value());
  EXPECT_FALSE(DecodeThumbnailSource(WriteScratchFile(L"text.txt", {'h', 'i'}), true).has_value());
  // A JPEG named .png is decoded as PNG, which refuses it.
  const std::wstring misnamed = WriteScratchFile(L"misnamed.png", SolidJpeg(8, 8, 0, 0, 0));
  EXPECT_THROW(DecodeThumbnailSource(misnamed, true), EImageError);
  try {
    DecodeThumbnailSource(misnamed, true);
  } catch (const EImageError& e) {
    EXPECT_NE(e.Message().find(misnamed), std::wstring::npos);
    EXPECT_NE(e.Message().find(L"not a PNG file"), std::wstring::npos);
  }
}

TEST(WideFile, Utf8AndNamesOutsideTheCodePage) {
  EXPECT_EQ(WideToUtf8(L"a.png"), "a.png");
  EXPECT_EQ(WideToUtf8(L"\u00e9\u4e2d"), "\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");  // a surrogate pair where wchar_t has 16 bits
  EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");

  TPngLayout layout;
  const std::wstring path =
      WriteScratchFile(L"\u00e9t\u00e9-\u4e2d\u6587-\u0394.png", EncodePng(layout, {{10, 20, 30}}));
  const auto decoded = DecodeThumbnailSource(path, true);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->Pixel(0, 0), 0xFF0A141Eu);
}
