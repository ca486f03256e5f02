// The views at a higher DPI seen from outside: Wine is told the screen's DPI
// before the viewer starts, and the stack and grid must come out at exactly
// the design sizes scaled, with icons drawn from images of their own size
// (a test file type whose icon has a different colour in each size tells
// which image was drawn, and at what size).
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>
#include <vector>

#include "../common/TestIcons.h"
#include "E2eFixture.h"
#include "core/viewer/Placement.h"
#include "core/viewer/StackLayout.h"
#include "core/viewer/ViewMetrics.h"
#include "shared/Desktop.h"

using namespace e2e;

namespace {

// The bounding box, in the window's client coordinates, of the pixels of one
// colour inside a client rectangle; empty when there are none. Read in one
// copy of the screen.
RECT BoxOfColor(HWND window, RECT area, COLORREF color) {
  POINT origin = {area.left, area.top};
  ::ClientToScreen(window, &origin);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const TScreenDC screen;
  const TMemoryDC memory(::CreateCompatibleDC(screen.Get()));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const TBitmap dib(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  RECT box = {0, 0, 0, 0};
  if (!dib || !bits) return box;
  const TSelectObject select(memory.Get(), dib.Get());
  ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  bool any = false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] & 0xFFFFFF) != want) continue;
      const RECT at = {area.left + x, area.top + y, area.left + x + 1, area.top + y + 1};
      if (!any) box = at;
      ::UnionRect(&box, &box, &at);
      any = true;
    }
  return box;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class Dpi : public TViewerTest {
protected:
  Dpi() : TViewerTest(TAnimation::Off) {}

  // Waits until the icon of that colour has been painted at the place; each
  // entry is waited for on its own, since a repaint may reach one before
  // the other.
  static RECT WaitForBox(HWND window, RECT area, COLORREF color, const RECT& want) {
    RECT box = {};
    WaitUntil([&] {
      box = BoxOfColor(window, area, color);
      return ::EqualRect(&box, &want) != FALSE;
    });
    return box;
  }
  // The stack's client size by the metrics, and the icons of its first two
  // entries: the image of that colour at the toolbar's padding and icon
  // margin, one entry height apart.
  static void ExpectStack(HWND window, const TViewMetrics& m, int entries, COLORREF color) {
    const TWindowFacts facts = ReadWindowFacts(window);
    EXPECT_EQ(facts.ClientWidth(), m.MinEntryWidth + m.ClientPadding);
    EXPECT_EQ(facts.ClientHeight(), entries * m.StackEntryHeight + m.ClientPadding);
    EXPECT_EQ(facts.Window.bottom, PrimaryWorkArea().bottom - m.TaskbarGap) << "beside the taskbar by the scaled gap";
    const int left = m.ToolbarPadding + ScaleForDpi(6, m.Dpi);
    const int top = m.ToolbarPadding + (m.StackEntryHeight - m.IconSize) / 2;
    const RECT firstWant = {left, top, left + m.IconSize, top + m.IconSize};
    const RECT firstEntry = {0, 0, facts.ClientWidth(), m.ToolbarPadding + m.StackEntryHeight};
    const RECT first = WaitForBox(window, firstEntry, color, firstWant);
    EXPECT_TRUE(::EqualRect(&first, &firstWant)) << Describe(first);
    RECT secondWant = firstWant;
    ::OffsetRect(&secondWant, 0, m.StackEntryHeight);
    const RECT secondEntry = {0, firstEntry.bottom, facts.ClientWidth(), firstEntry.bottom + m.StackEntryHeight};
    const RECT second = WaitForBox(window, secondEntry, color, secondWant);
    EXPECT_TRUE(::EqualRect(&second, &secondWant)) << Describe(second);
  }
};

TEST_F(Dpi, GridAt144HasTilesOf96By84With48PixelIconsAndThumbnails) {
  TScratchFolder scratch(L"Dpi");
  TTestIconType iconType(scratch.Add(L"frames.ico", TestIconFile()));
  const std::wstring folder = scratch.AddFolder(L"Grid");
  scratch.Add(L"Grid\\a.hfdpi");
  scratch.Add(L"Grid\\b.hfdpi");
  // A 2 x 2 red bitmap: its thumbnail fills the tile's icon square.
  std::string bmp = "BM";
  const unsigned char bmpRest[] = {70, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                                   24, 0, 0, 0, 0, 0, 16, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  bmp.append(reinterpret_cast<const char*>(bmpRest), sizeof(bmpRest));
  for (int row = 0; row < 2; ++row) bmp.append({0, 0, char(0xFF), 0, 0, char(0xFF), 0, 0});
  scratch.Add(L"Grid\\c.bmp", bmp);

  const TViewMetrics m = ViewMetricsFor(144);
  const TLogPixels dpi(144);
  MoveCursor({500, 1000});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder) + L" /grid /thumbs");
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ(m.GridTileWidth, 96);
  EXPECT_EQ(m.GridTileHeight, 84);
  EXPECT_EQ(facts.ClientWidth(), 4 * 96 + 6) << "two files, the picture and Explore in one row";
  EXPECT_EQ(facts.ClientHeight(), 84 + 6);

  const auto tileIcon = [&](int tile) {
    const int left = m.ToolbarPadding + tile * m.GridTileWidth + (m.GridTileWidth - m.IconSize) / 2;
    const int top = m.ToolbarPadding + ScaleForDpi(4, 144);
    return RECT{left, top, left + m.IconSize, top + m.IconSize};
  };
  const auto tileArea = [&](int tile) {
    const int left = m.ToolbarPadding + tile * m.GridTileWidth;
    return RECT{left, 0, left + m.GridTileWidth, facts.ClientHeight()};
  };
  const RECT iconWant = tileIcon(0), pictureWant = tileIcon(2);
  const RECT icon = WaitForBox(window, tileArea(0), TestIconColor(48), iconWant);
  EXPECT_TRUE(::EqualRect(&icon, &iconWant)) << Describe(icon);
  const RECT picture = WaitForBox(window, tileArea(2), RGB(255, 0, 0), pictureWant);
  EXPECT_TRUE(::EqualRect(&picture, &pictureWant)) << "the thumbnail fills 48 x 48: " << Describe(picture);
}

// A stack opens at the DPI Wine has (144): one and a half times the design
// stack, with the shell's 48-pixel icons. Moved to monitors of other DPIs
// (told so, as the system tells it) it is laid out again and placed beside
// the taskbar where it stood. Wine's lists at 144 are 24, 48, 72 and 256
// pixels: 40 (at 120) and 32 (at 96) are the 48-pixel image shrunk, 64 (at
// 192) the 72-pixel one.
TEST_F(Dpi, AStackOpensAtItsMonitorsDpiAndIsLaidOutAgainAtAnother) {
  ASSERT_EQ(WaitForTaskbarEdge(), kEdgeBottom);
  TScratchFolder scratch(L"Dpi");
  TTestIconType iconType(scratch.Add(L"frames.ico", TestIconFile()));
  // A short parent name, so the go-back text leaves the minimum width.
  const std::wstring folder = scratch.AddFolder(L"p\\Stack");
  scratch.Add(L"p\\Stack\\first.hfdpi");
  scratch.Add(L"p\\Stack\\second.hfdpi");
  const int entries = 3;  // and Explore
  const TLogPixels systemDpi(144);
  MoveCursor({500, 1000});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  const TWindowFacts at144 = ReadWindowFacts(window);
  ExpectStack(window, ViewMetricsFor(144), entries, TestIconColor(48));

  const struct { int Dpi, FromImage; } rows[] = {{120, 48}, {192, 72}, {96, 48}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Dpi);
    const TViewMetrics m = ViewMetricsFor(row.Dpi);
    const TWindowFacts before = ReadWindowFacts(window);
    const int centre = before.Window.left + before.Width() / 2;
    DWORD_PTR result = 0;
    // WM_DPICHANGED; the views do not read its rectangle.
    ASSERT_TRUE(::SendMessageTimeoutW(window, 0x02E0, MAKEWPARAM(row.Dpi, row.Dpi), 0, SMTO_NORMAL, kTimeout, &result));
    ASSERT_TRUE(WaitUntil([&] {
      return ReadWindowFacts(window).ClientHeight() == entries * m.StackEntryHeight + m.ClientPadding &&
             IsViewAtRest(window);
    }));
    const TWindowFacts after = ReadWindowFacts(window);
    EXPECT_EQ(after.Window.left, centre - after.Width() / 2) << "centred where it stood";
    ExpectStack(window, m, entries, TestIconColor(row.FromImage));
    if (row.Dpi == 96) {
      EXPECT_EQ(at144.ClientWidth() * 2, after.ClientWidth() * 3);
      EXPECT_EQ(at144.ClientHeight() * 2, after.ClientHeight() * 3);
    }
  }
}

}  // namespace
