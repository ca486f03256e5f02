#include <gtest/gtest.h>

#include "core/raster/Blend.h"
#include "core/raster/Contrast.h"
#include "core/viewer/ViewLook.h"

namespace {

constexpr TWindowsVersion kXp{5, 1, 2600}, kVista{6, 0, 6002}, kSeven{6, 1, 7601}, kEight{6, 3, 9600},
    kTen1803{10, 0, 17134}, kTen1903{10, 0, 18362}, kTen22H2{10, 0, 19045}, kEleven{10, 0, 22000},
    kEleven22H2{10, 0, 22621};

}  // namespace

TEST(ViewLook, FromTheSystemsVersionThemeAccentAndHighContrast) {
  const std::optional<std::uint32_t> none;
  const struct {
    TWindowsVersion Version;
    bool Composition;
    std::optional<std::uint32_t> Light, Prevalence, Transparency, Accent;
    bool HighContrast;
    TLookKind Kind;
    bool Round, Backdrop;
    std::uint32_t Attribute;
    bool DarkFrame;
  } cases[] = {
      // Vista and 7 keep glass with composition and gray without; XP is gray.
      {kXp, false, none, none, none, none, false, TLookKind::Gray, false, false, 0, false},
      {kXp, true, 0u, none, none, none, false, TLookKind::Gray, false, false, 0, false},
      {kVista, true, none, none, none, none, false, TLookKind::Glass, false, false, 0, false},
      {kSeven, true, 1u, 1u, 1u, 0xFF0000FFu, false, TLookKind::Glass, false, false, 0, false},
      {kSeven, false, none, none, none, none, false, TLookKind::Gray, false, false, 0, false},
      // From 8 on the taskbar's theme, dark where the value is missing.
      {kEight, true, none, none, none, none, false, TLookKind::Dark, false, false, 0, true},
      {kEight, false, 1u, none, none, none, false, TLookKind::Light, false, false, 0, false},
      {kTen1803, true, none, none, none, none, false, TLookKind::Dark, false, false, 0, true},
      {kTen1903, true, 0u, none, none, none, false, TLookKind::Dark, false, false, 19, true},
      {kTen1903, true, 1u, 0u, none, none, false, TLookKind::Light, false, false, 19, false},
      {kTen22H2, true, 1u, none, 1u, none, false, TLookKind::Light, false, false, 20, false},
      // The accent colours the surface only when the taskbar shows it and it is known.
      {kTen22H2, true, 0u, 1u, none, 0xFFD77800u, false, TLookKind::Accent, false, false, 20, true},
      {kTen22H2, true, 1u, 1u, none, none, false, TLookKind::Light, false, false, 20, false},
      {kTen22H2, true, 1u, 0u, none, 0xFFD77800u, false, TLookKind::Light, false, false, 20, false},
      // Windows 11: rounded corners; the backdrop from 22H2 unless transparency is off.
      {kEleven, true, 0u, none, 1u, none, false, TLookKind::Dark, true, false, 20, true},
      {kEleven22H2, true, 0u, none, 1u, none, false, TLookKind::Dark, true, true, 20, true},
      {kEleven22H2, true, 1u, none, none, none, false, TLookKind::Light, true, true, 20, false},
      {kEleven22H2, true, 1u, none, 0u, none, false, TLookKind::Light, true, false, 20, false},
      // The system's acrylic follows the frame's theme, not the accent.
      {kEleven22H2, true, 0u, 1u, 1u, 0xFFD77800u, false, TLookKind::Accent, true, false, 20, true},
      // High contrast wins on every version, without a backdrop or a dark frame.
      {kXp, false, none, none, none, none, true, TLookKind::HighContrast, false, false, 0, false},
      {kSeven, true, none, none, none, none, true, TLookKind::HighContrast, false, false, 0, false},
      {kEleven22H2, true, 0u, 1u, 1u, 0xFFD77800u, true, TLookKind::HighContrast, true, false, 0, false},
  };
  for (const auto& c : cases) {
    TLookFacts facts;
    facts.Version = c.Version;
    facts.Composition = c.Composition;
    facts.SystemUsesLightTheme = c.Light;
    facts.ColorPrevalence = c.Prevalence;
    facts.EnableTransparency = c.Transparency;
    facts.AccentColor = c.Accent;
    facts.HighContrast = c.HighContrast;
    const TViewLook look = ChooseViewLook(facts);
    const std::string row = std::to_string(c.Version.Major) + "." + std::to_string(c.Version.Minor) + "." +
                            std::to_string(c.Version.Build) + " light " + std::to_string(c.Light.value_or(9)) + " hc " +
                            std::to_string(c.HighContrast);
    EXPECT_EQ(look.Kind, c.Kind) << row;
    EXPECT_EQ(look.Halo, c.Kind == TLookKind::Glass || c.Kind == TLookKind::Gray) << row;
    EXPECT_EQ(look.RoundCorners, c.Round) << row;
    EXPECT_EQ(look.Backdrop, c.Backdrop) << row;
    EXPECT_EQ(look.DarkModeAttribute, c.Attribute) << row;
    EXPECT_EQ(look.DarkFrame, c.DarkFrame) << row;
  }
}

TEST(ViewLook, ColoursOfEachLook) {
  TLookFacts facts;
  facts.Version = kTen22H2;
  facts.SystemUsesLightTheme = 0;
  TViewLook look = ChooseViewLook(facts);
  EXPECT_EQ(look.Surface, 0xFF202020u);
  EXPECT_EQ(look.Text, kColor32White);
  EXPECT_EQ(look.HotFill, 0xFF353535u);
  EXPECT_EQ(look.SelectedFill, 0xFF434343u);
  facts.SystemUsesLightTheme = 1;
  look = ChooseViewLook(facts);
  EXPECT_EQ(look.Surface, 0xFFF3F3F3u);
  EXPECT_EQ(look.Text, kColor32Black);
  EXPECT_EQ(look.HotFill, 0xFFDCDCDCu);
  // Over the backdrop the fills are the text, as much of it as the solid
  // fills take: laid over the solid sheet they give those fills.
  for (const bool lightTheme : {false, true}) {
    facts.SystemUsesLightTheme = lightTheme ? 1u : 0u;
    look = ChooseViewLook(facts);
    EXPECT_EQ(look.ClearHotFill & 0x00FFFFFFu, look.Text & 0x00FFFFFFu);
    EXPECT_EQ(BlendColor32(look.ClearHotFill, look.Surface), look.HotFill);
    EXPECT_EQ(BlendColor32(look.ClearSelectedFill, look.Surface), look.SelectedFill);
  }
  // The accent, read as 0xAABBGGRR, with the text of more contrast: white
  // on the default blue falls just short of 4.5 : 1, black does not.
  facts.ColorPrevalence = 1;
  facts.AccentColor = 0xFFD77800u;
  look = ChooseViewLook(facts);
  EXPECT_EQ(look.Surface, 0xFF0078D7u);
  EXPECT_EQ(look.Text, kColor32Black);
  facts.AccentColor = 0xFF6A3A00u;  // a dark blue
  EXPECT_EQ(ChooseViewLook(facts).Text, kColor32White);
  facts.AccentColor = 0xFF00FFFFu;  // yellow
  EXPECT_EQ(ChooseViewLook(facts).Text, kColor32Black);
  // High contrast takes the system's colours as they are.
  facts.HighContrast = true;
  facts.System = {0xFF000000u, 0xFFFFFF00u, 0xFF00FF00u, 0xFF000000u};
  look = ChooseViewLook(facts);
  EXPECT_EQ(look.Surface, 0xFF000000u);
  EXPECT_EQ(look.Text, 0xFFFFFF00u);
  EXPECT_EQ(look.HotFill, 0xFF00FF00u);
  EXPECT_EQ(look.HighlightText, 0xFF000000u);
}

TEST(Contrast, RatiosAsTheGuidelinesComputeThem) {
  EXPECT_DOUBLE_EQ(ContrastRatio(kColor32Black, kColor32White), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0xFF336699u, 0xFF336699u), 1.0);
  // The well-known pair on either side of 4.5 : 1 against white.
  EXPECT_FALSE(ContrastAtLeast(0xFF777777u, kColor32White, 9, 2));
  EXPECT_TRUE(ContrastAtLeast(0xFF767676u, kColor32White, 9, 2));
  EXPECT_NEAR(ContrastRatio(0xFF767676u, kColor32White), 4.54, 0.005);
  EXPECT_NEAR(ContrastRatio(kColor32White, 0xFF0078D7u), 4.50, 0.005);
  EXPECT_FALSE(ContrastAtLeast(kColor32White, 0xFF0078D7u, 9, 2));
}

TEST(Contrast, TheTextChosenForAnyBackgroundDiffersByAtLeastFourAndAHalf) {
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        const TColor32 background =
            Color32(255, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
        const TColor32 text = TextColorOn(background);
        ASSERT_TRUE(ContrastAtLeast(text, background, 9, 2)) << std::hex << background;
        const TColor32 other = text == kColor32White ? kColor32Black : kColor32White;
        ASSERT_GE(ContrastRatio(text, background), ContrastRatio(other, background)) << std::hex << background;
      }
}

TEST(ViewLook, TheSettingChangesThatMayChangeIt) {
  EXPECT_TRUE(ChangesLook(0, L"ImmersiveColorSet"));
  EXPECT_TRUE(ChangesLook(0, L"immersivecolorset"));
  EXPECT_TRUE(ChangesLook(0x0043, L""));
  EXPECT_FALSE(ChangesLook(0, L""));
  EXPECT_FALSE(ChangesLook(0x002F, L"Environment"));  // the work area, the environment
}

TEST(ViewLook, TheCreatorsTitleBarFollowsTheAppsTheme) {
  EXPECT_TRUE(AppsFrameIsDark(0u, false));
  EXPECT_FALSE(AppsFrameIsDark(1u, false));
  EXPECT_FALSE(AppsFrameIsDark(std::nullopt, false)) << "light where the value is missing";
  EXPECT_FALSE(AppsFrameIsDark(0u, true)) << "high contrast keeps its own";
}

TEST(ViewLook, TheMenuDrawsItselfInTheSheetsColoursExceptUnderGlassAndGray) {
  TLookFacts facts;
  facts.Version = kSeven;
  facts.Composition = true;
  EXPECT_FALSE(MenuLookFor(ChooseViewLook(facts))) << "glass leaves the menu to the system";
  facts.Composition = false;
  EXPECT_FALSE(MenuLookFor(ChooseViewLook(facts))) << "gray too";

  facts.Version = kTen22H2;
  for (const std::optional<std::uint32_t> light :
       {std::optional<std::uint32_t>(0u), std::optional<std::uint32_t>(1u)}) {
    facts.SystemUsesLightTheme = light;
    const TViewLook look = ChooseViewLook(facts);
    const std::optional<TMenuLook> menu = MenuLookFor(look);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->Surface, look.Surface);
    EXPECT_EQ(menu->HotFill, look.SelectedFill);
    // Captions read on the sheet and on the highlighted item; the separator
    // shows, yet stays quieter than the text.
    EXPECT_TRUE(ContrastAtLeast(menu->Text, menu->Surface, 9, 2));
    EXPECT_TRUE(ContrastAtLeast(menu->HotText, menu->HotFill, 9, 2));
    EXPECT_GT(ContrastRatio(menu->Separator, menu->Surface), 1.2);
    EXPECT_LT(ContrastRatio(menu->Separator, menu->Surface), ContrastRatio(menu->Text, menu->Surface));
  }

  facts.HighContrast = true;
  facts.System = {0xFF000000u, 0xFFFFFF00u, 0xFF00FF00u, 0xFF000000u};
  const std::optional<TMenuLook> menu = MenuLookFor(ChooseViewLook(facts));
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->Surface, 0xFF000000u);
  EXPECT_EQ(menu->Text, 0xFFFFFF00u);
  EXPECT_EQ(menu->HotFill, 0xFF00FF00u);
  EXPECT_EQ(menu->HotText, 0xFF000000u);
}
