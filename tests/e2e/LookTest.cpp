// The look a stack takes from the system, seen from outside: its background
// and caption pixels, and what it asks of the DWM (through the stand-in
// dwmapi.dll), for glass, gray and the taskbar's dark, light and accent
// themes; and an open stack taking a new theme.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "E2eFixture.h"
#include "core/raster/Contrast.h"

using namespace e2e;

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// What the system sends every window when the theme, accent or transparency
// changes.
void BroadcastThemeChange() {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, &result);
}

TColor32 Opaque(COLORREF c) { return Color32(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

struct TLookCase {
  const char* Name;
  const wchar_t* WindowsVersion;  // empty: Wine's default
  std::optional<DWORD> LightTheme;
  std::optional<DWORD> AccentOnTaskbar;  // ColorPrevalence, with the accent 0xFF6A3A00 (ABGR)
  COLORREF Background;
  std::vector<std::wstring> DwmCalls;
};

void PrintTo(const TLookCase& c, std::ostream* os) { *os << c.Name; }

class Look : public TViewerTest {
protected:
  TScratchFolder folder_{L"Look"};
  Look() { folder_.Add(L"A caption long enough to read.txt"); }

  TProcess Start() { return TProcess::Launch(install_.Viewer(), Quoted(folder_.Path())); }
  // Waits for the stack at rest and for its corner to have the colour.
  static HWND WaitFor(const TProcess& viewer, COLORREF background) {
    const HWND window = WaitForWindow(viewer.Id(), kTimeout);
    if (!window || !WaitForViewAtRest(window)) return nullptr;
    WaitUntil([&] { return ScreenPixel(Corner(window)) == background; });
    return window;
  }
  static POINT Corner(HWND window) {
    const TWindowFacts facts = ReadWindowFacts(window);
    return {facts.Client.left + 1, facts.Client.top + 1};
  }
  // The pixel of the first entry's caption (right of its icon) that differs
  // most from the background.
  static double CaptionContrast(HWND window, COLORREF background) {
    const RECT client = ReadWindowFacts(window).Client;
    double best = 1;
    for (LONG y = client.top + 4; y < client.top + 40; ++y)
      for (LONG x = client.left + 50; x < client.right - 8; ++x)
        best = std::max(best, ContrastRatio(Opaque(ScreenPixel({x, y})), Opaque(background)));
    return best;
  }
};

class WindowLook : public Look, public ::testing::WithParamInterface<TLookCase> {};

TEST_P(WindowLook, FollowsTheSystem) {
  const TLookCase& c = GetParam();
  TWineVersion version(c.WindowsVersion);
  TDwmStandIn dwm(install_);
  std::optional<TUserDword> light, prevalence, accent;
  if (c.LightTheme) light.emplace(kPersonalize, L"SystemUsesLightTheme", *c.LightTheme);
  if (c.AccentOnTaskbar) {
    prevalence.emplace(kPersonalize, L"ColorPrevalence", *c.AccentOnTaskbar);
    accent.emplace(L"Software\\Microsoft\\Windows\\DWM", L"AccentColor", 0xFF6A3A00u);
  }
  const TProcess viewer = Start();
  const HWND window = WaitFor(viewer, c.Background);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ScreenPixel(Corner(window)), c.Background);
  EXPECT_EQ(dwm.Calls(), c.DwmCalls);
  // Captions without a halo carry the contrast themselves.
  if (c.WindowsVersion == std::wstring(L"win10")) {
    EXPECT_GE(CaptionContrast(window, c.Background), 4.5);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, WindowLook,
    ::testing::Values(TLookCase{"Windows7WithComposition", L"win7", {}, {}, RGB(0, 0, 0), {L"-1 -1 -1 -1"}},
                      TLookCase{"WindowsXP", L"winxp", {}, {}, RGB(128, 128, 128), {}},
                      // Wine's Windows 10 is 1903: the frame's dark mode has its earlier number.
                      TLookCase{"Windows10Dark", L"win10", 0u, {}, RGB(32, 32, 32), {L"attribute 19 1"}},
                      TLookCase{"Windows10Light", L"win10", 1u, {}, RGB(243, 243, 243), {L"attribute 19 0"}},
                      TLookCase{"Windows10WithoutATheme", L"win10", {}, {}, RGB(32, 32, 32), {L"attribute 19 1"}},
                      TLookCase{"Windows10Accent", L"win10", 1u, 1u, RGB(0, 58, 106), {L"attribute 19 0"}}),
    [](const ::testing::TestParamInfo<TLookCase>& info) { return std::string(info.param.Name); });

TEST_F(Look, AnOpenStackTakesANewThemeWhenTheSystemSaysSo) {
  TWineVersion version(L"win10");
  TUserDword light(kPersonalize, L"SystemUsesLightTheme", 0);
  const TProcess viewer = Start();
  const HWND window = WaitFor(viewer, RGB(32, 32, 32));
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(ScreenPixel(Corner(window)), RGB(32, 32, 32));
  light.Set(1);
  BroadcastThemeChange();
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(Corner(window)) == RGB(243, 243, 243); }));
  EXPECT_GE(CaptionContrast(window, RGB(243, 243, 243)), 4.5);
}

// High contrast as the stand-in dwmapi.dll turns it on in the viewer, with
// system colours no other look has.
class HighContrastLook {
public:
  explicit HighContrastLook(const TInstalledCopy& install) : dwm_(install) {}
  static constexpr COLORREF kWindow = RGB(0, 0, 96), kText = RGB(255, 255, 0), kHighlight = RGB(0, 255, 255),
                            kHighlightText = RGB(0, 0, 96);
  TDwmStandIn& Dwm() { return dwm_; }

private:
  TDwmStandIn dwm_;
  TEnvironmentVariable on_{L"HEAPFOLD_HIGH_CONTRAST", L"1"};
  TSystemColors colors_{{COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
                        {kWindow, kText, kHighlight, kHighlightText}};
};

TEST_F(Look, HighContrastGivesTheSystemsColoursOnEveryVersion) {
  for (const wchar_t* windows : {L"win10", L"win7"}) {
    SCOPED_TRACE(Narrow(windows));
    TWineVersion version(windows);
    HighContrastLook contrast(install_);
    const TProcess viewer = Start();
    const HWND window = WaitFor(viewer, HighContrastLook::kWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ScreenPixel(Corner(window)), HighContrastLook::kWindow);
    // The caption is in the window text's colour, not in a halo.
    bool textColour = false;
    const RECT client = ReadWindowFacts(window).Client;
    for (const COLORREF pixel : ScreenPixels({client.left + 4, client.top + 4, client.right - 4, client.top + 40}))
      textColour = textColour || pixel == HighContrastLook::kText;
    EXPECT_TRUE(textColour);
    EXPECT_EQ(contrast.Dwm().Calls(), std::vector<std::wstring>{}) << "no glass, no dark frame";
  }
}

struct TMenuLookCase {
  const char* Name;
  std::optional<DWORD> LightTheme;  // unset: high contrast
  COLORREF Surface;
};
void PrintTo(const TMenuLookCase& c, std::ostream* os) { *os << c.Name; }

class MenuLook : public Look, public ::testing::WithParamInterface<TMenuLookCase> {
protected:
  MenuLook() {
    folder_.AddFolder(L"A folder with a name");
    folder_.Add(L"Another file.txt");
  }
};

// The most frequent colour of the pixels, and the highest contrast any of
// them has against it.
std::pair<COLORREF, double> SurfaceAndContrast(const std::vector<COLORREF>& pixels) {
  std::map<COLORREF, std::size_t> counts;
  for (const COLORREF pixel : pixels) ++counts[pixel];
  COLORREF surface = 0;
  std::size_t most = 0;
  for (const auto& [colour, count] : counts)
    if (count > most) surface = colour, most = count;
  double contrast = 1;
  for (const auto& entry : counts) contrast = std::max(contrast, ContrastRatio(Opaque(entry.first), Opaque(surface)));
  return {surface, contrast};
}

TEST_P(MenuLook, ItemsArePaintedInTheThemesColours) {
  const TMenuLookCase& c = GetParam();
  TWineVersion version(L"win10");
  std::optional<TUserDword> light;
  std::optional<HighContrastLook> contrast;
  if (c.LightTheme)
    light.emplace(kPersonalize, L"SystemUsesLightTheme", *c.LightTheme);
  else
    contrast.emplace(install_);
  MoveCursor({300, 200});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  // Inside the menu's border: the items' sheet, and captions that read on it.
  RECT inner = ReadWindowFacts(menu).Window;
  ::InflateRect(&inner, -4, -4);
  std::pair<COLORREF, double> seen;
  EXPECT_TRUE(WaitUntil([&] {
    seen = SurfaceAndContrast(ScreenPixels(inner));
    return seen.first == c.Surface;
  })) << std::hex
      << seen.first;
  EXPECT_GE(seen.second, 4.5);
  PressKey(menu, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Themes, MenuLook,
                         ::testing::Values(TMenuLookCase{"Dark", 0u, RGB(32, 32, 32)},
                                           TMenuLookCase{"Light", 1u, RGB(243, 243, 243)},
                                           TMenuLookCase{"HighContrast", {}, HighContrastLook::kWindow}),
                         [](const ::testing::TestParamInfo<TMenuLookCase>& info) {
                           return std::string(info.param.Name);
                         });

// Windows 11 22H2 with transparency on, as the stand-in reports it. The
// stack asks for the flyouts' acrylic behind its whole client area once it
// has faded in and left its layering (the system draws no backdrop behind a
// layered window), and paints with alpha. Wine shows the colours without
// their alpha: the clear sheet as black, captions in the theme's text, the
// hot fill as the text at its lean premultiplied. Fading out, or transparency
// turned off, takes the backdrop back.
TEST_F(Look, OnWindows11TheAcrylicShowsThroughAClearSheet) {
  TWineVersion version(L"win10");
  TDwmStandIn dwm(install_);
  TEnvironmentVariable build(L"HEAPFOLD_WINDOWS_BUILD", L"22621");
  TUserDword light(kPersonalize, L"SystemUsesLightTheme", 0);
  TUserDword transparency(kPersonalize, L"EnableTransparency", 1);
  MoveCursor({500, 1000});
  TProcess viewer = Start();
  const HWND window = WaitFor(viewer, RGB(0, 0, 0));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ScreenPixel(Corner(window)), RGB(0, 0, 0));
  EXPECT_FALSE(ReadWindowFacts(window).Layered);
  EXPECT_EQ(dwm.CallsOn(window),
            (std::vector<std::wstring>{L"attribute 33 2", L"attribute 20 1", L"attribute 38 3", L"-1 -1 -1 -1"}));

  const RECT client = ReadWindowFacts(window).Client;
  const RECT firstEntry = {client.left + 4, client.top + 4, client.right - 4, client.top + 30};
  const std::vector<COLORREF> resting = ScreenPixels(firstEntry);
  EXPECT_NE(std::find(resting.begin(), resting.end(), RGB(255, 255, 255)), resting.end()) << "a caption pixel";
  EXPECT_EQ(SurfaceAndContrast(resting).first, RGB(0, 0, 0));
  MoveCursor({(client.left + client.right) / 2, client.top + 17});
  COLORREF hot = 0;
  EXPECT_TRUE(WaitUntil([&] { return (hot = SurfaceAndContrast(ScreenPixels(firstEntry)).first) == RGB(24, 24, 24); }))
      << std::hex << hot;
  const std::vector<std::wstring> backdropTakenBack = {L"attribute 38 1", L"0 0 0 0"};
  const auto lastCalls = [&](HWND on) {
    const std::vector<std::wstring> calls = dwm.CallsOn(on);
    return calls.size() < 2 ? calls : std::vector<std::wstring>(calls.end() - 2, calls.end());
  };
  PressKey(window, VK_ESCAPE, 27);
  ASSERT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(lastCalls(window), backdropTakenBack) << "the stack fades out on its solid sheet";

  const TProcess again = Start();
  const HWND reopened = WaitFor(again, RGB(0, 0, 0));
  ASSERT_NE(reopened, nullptr);
  transparency.Set(0);
  BroadcastThemeChange();
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(Corner(reopened)) == RGB(32, 32, 32); }));
  EXPECT_EQ(lastCalls(reopened), backdropTakenBack);
}

}  // namespace
