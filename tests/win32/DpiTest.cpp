// The DPI facts of the Win32 layer under Wine, which gives every monitor the
// system's DPI; and the shell's icons brought to sizes its lists do not have.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../common/TestFiles.h"
#include "../common/TestIcons.h"
#include "shared/Desktop.h"
#include "shared/GdiTextRenderer.h"
#include "shared/Monitors.h"
#include "shared/ScaledIcons.h"
#include "shared/SysImg.h"

namespace {

TEST(MonitorDpi, MonitorsAndFontsFollowTheSystemsDpi) {
  const TScreenDC screen;
  const int logPixels = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  EXPECT_EQ(SystemDpi(), logPixels);
  EXPECT_EQ(MonitorDpiByIndex(0), logPixels);
  EXPECT_EQ(MonitorDpi(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)), logPixels);
  for (const int stale : {-1, 99}) EXPECT_EQ(MonitorDpiByIndex(stale), logPixels) << stale;
  EXPECT_EQ(MonitorDpi(nullptr), logPixels);

  // Fonts for a monitor's DPI have that DPI's pixels, whatever the screen's.
  for (const int dpi : {96, 120, 144, 192}) {
    const TFont font = CreateFontForDpi({L"Tahoma", 8}, dpi);
    LOGFONTW description = {};
    ASSERT_TRUE(::GetObjectW(font.Get(), sizeof(description), &description));
    EXPECT_EQ(description.lfHeight, -::MulDiv(8, dpi, 72)) << dpi;
  }
  const int small = TGdiTextRenderer(L"Tahoma", 8, true, 96).Measure(L"Heapfold").Height;
  const int large = TGdiTextRenderer(L"Tahoma", 8, true, 192).Measure(L"Heapfold").Height;
  EXPECT_NEAR(large, 2 * small, 2);
}

class ScaledIcons : public testing::Test {
protected:
  TComInit com_;
  std::wstring folder_;

  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    folder_ = std::wstring(temp) + L"hf-scaledicons-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(folder_); }

  std::wstring Write(const std::wstring& name, const std::string& content) {
    const std::wstring path = folder_ + L"\\" + name;
    const THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    return path;
  }
};

// At the system's 96 DPI the shell's lists are 16, 32, 48 and 256 pixels.
// Each target size is drawn from the image of the list the rule picks (the
// test icon's images tell which by their colour), at exactly that size,
// made once.
TEST_F(ScaledIcons, EachSizeIsMadeOnceFromTheSharpestImage) {
  const TScreenDC screen;
  // The test prefix runs at 96 DPI; another DPI is a broken set-up, not a pass.
  ASSERT_EQ(::GetDeviceCaps(screen.Get(), LOGPIXELSY), 96) << "the rows are for 96 DPI";
  const TTestIconType type(Write(L"frames.ico", TestIconFile()));
  const std::wstring file = Write(L"sample.hfdpi", "x");
  TSysImageList sys;
  sys.SetIconSize(TIconSize::isLargeIcons);
  const int shellIndex = sys.GetIconIndex(file, 0);
  ASSERT_GT(shellIndex, 0);

  struct {
    int Target;
    bool Scales;
    int FromImage;
  } rows[] = {{32, false, 32}, {16, false, 16}, {48, false, 48}, {20, true, 32},
              {24, true, 32},  {40, true, 48},  {64, true, 256}, {96, true, 256}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Target);
    TScaledIconList icons;
    icons.SetIconSize(row.Target);
    ASSERT_NE(icons.Handle(), nullptr);
    EXPECT_EQ(icons.Scales(), row.Scales);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(icons.Handle(), &width, &height);
    EXPECT_EQ(width, row.Target);
    EXPECT_EQ(height, row.Target);
    const int index = icons.IndexOf(shellIndex);
    ASSERT_GE(index, 0);
    EXPECT_EQ(icons.IndexOf(shellIndex), index) << "made once";
    if (row.Scales) {
      EXPECT_EQ(::ImageList_GetImageCount(icons.Handle()), 1);
    } else {
      EXPECT_EQ(index, shellIndex) << "the shell's own list, as it is";
    }
    const TBitmap32 drawn = ImageListIcon(icons.Handle(), index);
    ASSERT_EQ(drawn.Width(), row.Target);
    const COLORREF c = TestIconColor(row.FromImage);
    const TColor32 want = Color32(255, GetRValue(c), GetGValue(c), GetBValue(c));
    for (const auto& [x, y] : {std::pair{0, 0}, {row.Target / 2, row.Target / 2}, {row.Target - 1, row.Target - 1}})
      EXPECT_EQ(drawn.Pixel(x, y), want) << x << "," << y;
    EXPECT_EQ(icons.IndexOf(-1), -1);
    EXPECT_EQ(icons.IndexOf(1000000), -1);
  }
}

}  // namespace
