// The desktop helpers: real fonts, the taskbar of
// a private Wine desktop, and glass through the stand-in dwmapi.dll that the
// build puts in standin-bin beside this program.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/Errors.h"
#include "shared/Desktop.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"

#include "../common/WaitUntil.h"

namespace {

int CALLBACK TakeFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM out) {
  *reinterpret_cast<std::wstring*>(out) = lf->lfFaceName;
  return lf->lfFaceName[0] == L'@';  // vertical variants are no families of their own
}

TEST(DesktopFonts, FamiliesAreFoundIgnoringCaseAndFontsGetPixelHeights) {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  std::wstring family;
  ::EnumFontFamiliesExW(screen, &any, TakeFamily, reinterpret_cast<LPARAM>(&family), 0);
  ::ReleaseDC(nullptr, screen);
  ASSERT_FALSE(family.empty());
  ::CharUpperW(&family[0]);
  EXPECT_TRUE(IsFontFamilyInstalled(family));
  EXPECT_FALSE(IsFontFamilyInstalled(L"Heapfold No Such Family"));
  for (const std::wstring& name : {std::wstring(L"Segoe UI"), std::wstring(40, L'x')}) {
    const TFont font = CreateFontFromDescription({name, 9});
    LOGFONTW lf{};
    ASSERT_EQ(::GetObjectW(font.Get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -::MulDiv(9, dpi, 72));
    EXPECT_EQ(std::wstring(lf.lfFaceName), name.substr(0, LF_FACESIZE - 1));
  }
}

TEST(DesktopTaskbar, ErrorTextsAndTheTestDisplaysTaskbarAtTheBottom) {
  EXPECT_EQ(OsErrorText(0), L"A call to an OS function failed");
  EXPECT_EQ(OsErrorText(5), L"System Error.  Code: 5.\r\n" + SystemErrorMessage(5));
  // Wine starts the taskbar with the desktop window. (A second, virtual
  // desktop would have a taskbar too, but making one changes the screen size
  // of every later program in the prefix, so the tests never do.)
  ::GetDesktopWindow();
  WaitUntil([] { return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }, 10000);
  EXPECT_EQ(GetTaskbarEdge(), ABE_BOTTOM);
}

class DesktopGlass : public testing::Test {
protected:
  const std::wstring folder_ = GetProgramFolder() + L"standin-bin\\";
  const std::wstring record_ = folder_ + L"dwmapi-calls.txt";
  TLibrary standin_;

  void SetUp() override {
    ::DeleteFileW(record_.c_str());
    // Loaded first by its full path, the stand-in is what later loads by name get.
    standin_.Reset(::LoadLibraryW((folder_ + L"dwmapi.dll").c_str()));
    // Without the stand-in every glass test would pass on nothing.
    ASSERT_TRUE(standin_ && ::GetModuleHandleW(L"dwmapi.dll") == standin_.Get()) << "no stand-in dwmapi.dll";
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"HEAPFOLD_DWM_COMPOSITION", nullptr);
    ::DeleteFileW(record_.c_str());
  }
  std::string Recorded() {
    std::stringstream text;
    text << std::ifstream(std::string(record_.begin(), record_.end()), std::ios::binary).rdbuf();
    return text.str();
  }
};

TEST_F(DesktopGlass, GlassOnExtendsTheFrameByEdge) {
  ASSERT_TRUE(IsGlassEnabled());
  const HWND window = ::GetDesktopWindow();  // the stand-in only records the handle
  ExtendGlassFrame(window, TRectI{10, 20, 30, 40});
  ExtendGlassFrame(window, TRectI{-1, -1, -1, -1});
  const std::string hwnd = std::to_string(reinterpret_cast<std::uintptr_t>(window));
  EXPECT_EQ(Recorded(), hwnd + " 10 30 20 40\r\n" + hwnd + " -1 -1 -1 -1\r\n");
}

TEST_F(DesktopGlass, CompositionOffMeansNoGlassAndNoFrameExtension) {
  ::SetEnvironmentVariableW(L"HEAPFOLD_DWM_COMPOSITION", L"0");
  EXPECT_FALSE(IsGlassEnabled());
  ExtendGlassFrame(::GetDesktopWindow(), TRectI{-1, -1, -1, -1});
  EXPECT_EQ(Recorded(), "");
}

}  // namespace
