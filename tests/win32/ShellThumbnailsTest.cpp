// The shell's thumbnails against the stand-in thumbnail cache
// (tests/e2e/thumbcache), registered in the prefix for each test's scope and
// called, as the grid calls it, from a worker thread in the multithreaded
// apartment. Wine itself has no thumbnail cache.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "../common/ComClassScope.h"
#include "../common/TestFiles.h"
#include "ScratchDir.h"
#include "shared/ScopedWin.h"
#include "shared/ShellThumbnails.h"

namespace {

constexpr TColor32 kBlue = 0xFF0000FFu;
constexpr TColor32 kGreen = 0xFF00FF00u;
constexpr TColor32 kHalfBlue = 0x800000FFu;  // straight alpha

std::wstring HostPath(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* p = unixPath; *p; ++p) path += (*p == '/') ? L'\\' : static_cast<wchar_t>(*p);
  return path;
}

const std::wstring kStandIn = HostPath(HEAPFOLD_THUMBCACHE_HOST);
const wchar_t kThumbnailCacheClass[] = L"{50EF4544-AC9F-4A8E-B21B-8A26180DB13F}";

// The picture, asked for on a thread of its own in the multithreaded
// apartment.
std::optional<TBitmap32> OnWorker(const std::wstring& path, int size, TShellThumbnailMode mode) {
  std::optional<TBitmap32> picture;
  std::thread([&] {
    const TComInitMultithreaded com;
    picture = ShellThumbnail(path, size, mode);
  }).join();
  return picture;
}

// Every pixel of the picture, or of its rows [top, bottom), is colour.
bool Solid(const TBitmap32& picture, TColor32 colour, int top = 0, int bottom = -1) {
  if (bottom < 0) bottom = picture.Height();
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (picture.Pixel(x, y) != colour) return false;
  return true;
}

class ShellThumbnails : public ::testing::Test {
protected:
  void SetUp() override { ::DeleteFileW(log_.c_str()); }
  void TearDown() override { ::DeleteFileW(log_.c_str()); }
  std::vector<std::wstring> Calls() const { return ReadLines(log_); }

  const std::wstring log_ = kStandIn + L".txt";
  const TScratchDir dir_{L"shellthumbs"};
};

TEST_F(ShellThumbnails, TheCachesAnswersByFileAndMode) {
  const TComClassScope standIn(kThumbnailCacheClass, kStandIn, L"Both");
  ASSERT_TRUE(standIn.Registered());
  const auto cache = TShellThumbnailMode::CacheOnly;
  const auto extract = TShellThumbnailMode::Extract;
  struct {
    const wchar_t* name;
    int size;
    TShellThumbnailMode mode;
    std::optional<TColor32> colour;  // of every pixel; nothing: no picture
  } cases[] = {
      {L"photo cached.png", 48, cache, kBlue},  // opaque though the stand-in's fourth byte is 0
      {L"photo cached.png", 32, extract, kBlue},
      {L"movie shellonly.avi", 48, cache, std::nullopt},  // the cache has none and may not make one
      {L"movie shellonly.avi", 48, extract, kGreen},
      {L"notes.txt", 32, cache, std::nullopt},
      {L"notes.txt", 32, extract, std::nullopt},
      {L"logo alpha.png", 32, cache, kHalfBlue},       // premultiplied made straight
      {L"scan 24bit.png", 32, extract, std::nullopt},  // not a 32-bit bitmap
  };
  std::vector<std::wstring> expectedCalls;
  for (const auto& c : cases) {
    const std::wstring path = dir_.File(c.name);
    const std::optional<TBitmap32> picture = OnWorker(path, c.size, c.mode);
    expectedCalls.push_back(std::wstring(c.name) + L"|" + std::to_wstring(c.size) +
                            (c.mode == cache ? L"|cache" : L"|extract"));
    if (!c.colour) {
      EXPECT_FALSE(picture.has_value()) << c.name;
      continue;
    }
    ASSERT_TRUE(picture.has_value()) << c.name;
    EXPECT_EQ(picture->Width(), c.size) << c.name;
    EXPECT_EQ(picture->Height(), c.size) << c.name;
    EXPECT_TRUE(Solid(*picture, *c.colour)) << c.name << std::hex << " " << picture->Pixel(0, 0);
  }
  EXPECT_EQ(Calls(), expectedCalls) << "one call per picture, with the file, the size and the mode";
}

TEST_F(ShellThumbnails, ALargerPictureIsShrunkKeepingItsShape) {
  const TComClassScope standIn(kThumbnailCacheClass, kStandIn, L"Both");
  ASSERT_TRUE(standIn.Registered());
  // The stand-in gives 64 x 32 for 32: it becomes 32 x 16, centred.
  const std::optional<TBitmap32> picture = OnWorker(dir_.File(L"banner wide.png"), 32, TShellThumbnailMode::CacheOnly);
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->Width(), 32);
  ASSERT_EQ(picture->Height(), 32);
  EXPECT_TRUE(Solid(*picture, kColor32Transparent, 0, 8));
  EXPECT_TRUE(Solid(*picture, kBlue, 8, 24));
  EXPECT_TRUE(Solid(*picture, kColor32Transparent, 24, 32));
}

TEST_F(ShellThumbnails, NothingWithoutACacheAMissingFileOrASizeItTakes) {
  const std::wstring cached = dir_.File(L"photo cached.png");
  // As on Wine and Windows XP: the class is not registered.
  EXPECT_FALSE(OnWorker(cached, 32, TShellThumbnailMode::CacheOnly).has_value());
  EXPECT_FALSE(OnWorker(cached, 32, TShellThumbnailMode::Extract).has_value());
  EXPECT_TRUE(Calls().empty());

  const TComClassScope standIn(kThumbnailCacheClass, kStandIn, L"Both");
  ASSERT_TRUE(standIn.Registered());
  EXPECT_FALSE(OnWorker(dir_.Path() + L"gone cached.png", 32, TShellThumbnailMode::Extract).has_value());
  EXPECT_FALSE(OnWorker(cached, 0, TShellThumbnailMode::Extract).has_value());
  EXPECT_FALSE(OnWorker(cached, 1025, TShellThumbnailMode::Extract).has_value());
  EXPECT_TRUE(Calls().empty()) << "no shell item for a missing file, and sizes the cache refuses are not asked for";
}

}  // namespace
