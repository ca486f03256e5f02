// The desktop helpers: the margin and font rules, real fonts, the taskbar of
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

#include "core/Errors.h"
#include "shared/Desktop.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"

namespace {

TEST(DesktopRules, MarginsByEdgeAndTheSystemFontRule) {
  const TMarginsValues m = MarginsFromRect(RECT{10, 20, 30, 40});
  EXPECT_EQ((std::vector<int>{m.cxLeftWidth, m.cxRightWidth, m.cyTopHeight, m.cyBottomHeight}),
            (std::vector<int>{10, 30, 20, 40}));

  const struct { const wchar_t* name; bool vista, installed; const wchar_t* wantName; int wantSize; } cases[] = {
      {L"Tahoma", true, true, L"Segoe UI", 9}, {L"Tahoma", true, false, L"Tahoma", 8},
      {L"Tahoma", false, true, L"Tahoma", 8},  {L"segoe ui", true, true, L"segoe ui", 8},
      {L"Segoe UI Light", true, true, L"Segoe UI", 9},
  };
  for (const auto& c : cases) {
    TFontSpec font{c.name, 8};
    const bool changed = ApplySystemFontRule(font, c.vista, c.installed);
    EXPECT_EQ(changed, font.Name != c.name) << c.name;
    EXPECT_EQ(font.Name, c.wantName) << c.name;
    EXPECT_EQ(font.PointSize, c.wantSize) << c.name;
    EXPECT_FALSE(ApplySystemFontRule(font, c.vista, c.installed)) << c.name;  // never grows twice
  }
}

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
    const TFont font = CreateFontFromSpec({name, 9});
    LOGFONTW lf{};
    ASSERT_EQ(::GetObjectW(font.Get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -::MulDiv(9, dpi, 72));
    EXPECT_EQ(std::wstring(lf.lfFaceName), name.substr(0, LF_FACESIZE - 1));
  }
}

struct TEdgeProbe {
  HDESK desktop = nullptr;
  std::wstring earlyError;  // asked before the desktop's explorer has started
  int edge = -1;            // asked once its taskbar is up
};

DWORD WINAPI ProbeEdgeOnDesktop(void* param) {
  auto& probe = *static_cast<TEdgeProbe*>(param);
  if (!::SetThreadDesktop(probe.desktop)) return 1;
  ::SetLastError(0);
  try {
    GetTaskbarEdge();
  } catch (const EError& e) {
    probe.earlyError = e.Message();
  }
  ::GetDesktopWindow();  // Wine starts the desktop's explorer, which makes the taskbar
  for (int i = 0; i < 100 && !::FindWindowW(L"Shell_TrayWnd", nullptr); ++i) ::Sleep(100);
  try {
    probe.edge = GetTaskbarEdge();
  } catch (const EError&) {
  }
  return 0;
}

TEST(DesktopTaskbar, MissingTaskbarRaisesAndVirtualDesktopTaskbarIsAtTheBottom) {
  EXPECT_EQ(OsErrorText(0), L"A call to an OS function failed");
  EXPECT_EQ(OsErrorText(5), L"System Error.  Code: 5.\r\n" + SystemErrorMessage(5));
  if (!::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) GTEST_SKIP() << "needs Wine";

  // A desktop with a size in Wine's settings is a virtual one, with a taskbar.
  const std::wstring name = L"heapfold-edge-" + std::to_wstring(::GetCurrentProcessId());
  const std::wstring sizes = L"Software\\Wine\\Explorer\\Desktops";
  ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, sizes.c_str(), name.c_str(), REG_SZ, L"800x600", 16), ERROR_SUCCESS);
  TEdgeProbe probe;
  probe.desktop = ::CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (probe.desktop) {
    const THandle thread(::CreateThread(nullptr, 0, ProbeEdgeOnDesktop, &probe, 0, nullptr));
    ::WaitForSingleObject(thread.Get(), INFINITE);  // the probe gives up by itself
    ::CloseDesktop(probe.desktop);
  }
  ::SHDeleteValueW(HKEY_CURRENT_USER, sizes.c_str(), name.c_str());
  ASSERT_NE(probe.desktop, nullptr);
  // Wine's FindWindow keeps the last error at 0; a system that sets one gives the other form.
  EXPECT_TRUE(probe.earlyError == OsErrorText(0) || probe.earlyError.rfind(L"System Error.  Code: ", 0) == 0);
  EXPECT_EQ(probe.edge, ABE_BOTTOM);
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
    if (!standin_ || ::GetModuleHandleW(L"dwmapi.dll") != standin_.Get()) GTEST_SKIP() << "no stand-in dwmapi.dll";
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
  ExtendGlassFrame(window, RECT{10, 20, 30, 40});
  ExtendGlassFrame(window, RECT{-1, -1, -1, -1});
  const std::string hwnd = std::to_string(reinterpret_cast<std::uintptr_t>(window));
  EXPECT_EQ(Recorded(), hwnd + " 10 30 20 40\r\n" + hwnd + " -1 -1 -1 -1\r\n");
}

TEST_F(DesktopGlass, CompositionOffMeansNoGlassAndNoFrameExtension) {
  ::SetEnvironmentVariableW(L"HEAPFOLD_DWM_COMPOSITION", L"0");
  EXPECT_FALSE(IsGlassEnabled());
  ExtendGlassFrame(::GetDesktopWindow(), RECT{-1, -1, -1, -1});
  EXPECT_EQ(Recorded(), "");
}

}  // namespace
