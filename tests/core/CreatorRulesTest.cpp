// The creator's small rules and the plain-value helpers beneath it: folder
// comparison, stack shortcuts, the drop-down's items, the Windows version
// rules, the stored preferences, the message box's growth and the scope guard.
#include <gtest/gtest.h>

#include <cwctype>
#include <stdexcept>

#include "core/base/Preferences.h"
#include "core/base/ScopeGuard.h"
#include "core/base/WindowsVersion.h"
#include "core/creator/CreatorRules.h"
#include "core/creator/MessageBoxLayout.h"

namespace {

std::wstring AsciiUpper(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

}  // namespace

TEST(CreatorRules, SameFolderPathIgnoresCaseOnlyForPathsOfOneLength) {
  // An upper-casing that lengthens ß, as some system mappings do: only paths
  // of one length ever match, whatever the mapping makes of them.
  const TUpperCase expanding = [](std::wstring text) {
    std::wstring out;
    for (wchar_t c : AsciiUpper(text)) out += (c == L'\u00DF') ? std::wstring(L"SS") : std::wstring(1, c);
    return out;
  };
  const struct {
    std::wstring a, b;
    bool same;
  } cases[] = {
      {L"C:\\Docs", L"c:\\DOCS", true},
      {L"C:\\Docs", L"C:\\Docs2", false},
      {L"C:\\Docs", L"C:\\Docs\\", false},
      {L"", L"", true},
      {L"C:\\Stra\u00DFe", L"C:\\STRASSE", false},
      {L"C:\\Stra\u00DFe", L"C:\\Strasse", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a + L"|" + c.b);
    EXPECT_EQ(SameFolderPath(c.a, c.b, expanding), c.same);
    EXPECT_EQ(SameFolderPath(c.b, c.a, expanding), c.same);
  }
}

TEST(CreatorRules, ViewerTargetsAndStackTypeIndexes) {
  const std::pair<std::wstring, bool> targets[] = {{L"C:\\Prog\\Heapview3.exe", true},
                                                   {L"Heapview", true},
                                                   {L"C:\\Prog\\heapview3.exe", false},
                                                   {L"C:\\Windows\\notepad.exe", false},
                                                   {L"", false}};
  for (const auto& [target, isViewer] : targets) EXPECT_EQ(IsViewerTarget(target), isViewer) << target;

  const std::pair<int, TStackType> indexes[] = {{0, TStackType::Stack},
                                                {1, TStackType::Grid},
                                                {2, TStackType::Menu},
                                                {-1, TStackType::Stack},
                                                {3, TStackType::Stack}};
  for (const auto& [index, type] : indexes) EXPECT_EQ(StackTypeOfIndex(index), type) << index;
  for (TStackType type : {TStackType::Stack, TStackType::Grid, TStackType::Menu})
    EXPECT_EQ(StackTypeOfIndex(IndexOfStackType(type)), type);

  // "Sort by": each caption stands for its order, and nothing chosen is by name.
  const std::vector<std::wstring>& captions = SortOrderCaptions();
  ASSERT_EQ(captions.size(), 5u);
  EXPECT_EQ(captions[3], L"Kind");
  for (const TSortOrder order :
       {TSortOrder::Name, TSortOrder::Modified, TSortOrder::Created, TSortOrder::Kind, TSortOrder::Size})
    EXPECT_EQ(SortOrderOfIndex(IndexOfSortOrder(order)), order);
  EXPECT_EQ(SortOrderOfIndex(-1), TSortOrder::Name);
  EXPECT_EQ(SortOrderOfIndex(5), TSortOrder::Name);
}

TEST(WindowsVersion, VistaAndSevenFromPlainNumbers) {
  const struct {
    TWindowsVersion version;
    bool vista, seven;
  } cases[] = {
      {{0, 0, 0}, false, false},     // not read
      {{5, 1, 2600}, false, false},  // XP
      {{5, 2, 3790}, false, false},  // XP x64, Server 2003
      {{6, 0, 6002}, true, false},   // Vista
      {{6, 1, 7601}, true, true},    // 7
      {{6, 2, 9200}, true, true},    // 8
      {{6, 3, 9600}, true, true},    // 8.1
      {{10, 0, 19045}, true, true},  // 10
      {{10, 0, 22631}, true, true},  // 11
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.Major << "." << c.version.Minor);
    EXPECT_EQ(IsVistaOrLater(c.version), c.vista);
    EXPECT_EQ(IsWindows7OrLater(c.version), c.seven);
  }
}

TEST(Preferences, StoredValuesAndTheirDefaults) {
  EXPECT_EQ(std::wstring(kPrefTextColor.Name), L"TextColor");
  EXPECT_EQ(kPrefTextColor.Default, 1);
  EXPECT_EQ(std::wstring(kPrefAnimate.Name), L"DoAnim");
  EXPECT_TRUE(kPrefAnimate.Default);
  EXPECT_EQ(std::wstring(kPrefCloseBySecondClick.Name), L"CloseBy2ndClick");
  EXPECT_FALSE(kPrefCloseBySecondClick.Default);

  // Only the low 8 bits of TextColor count.
  const struct {
    std::int32_t stored;
    std::uint8_t scheme;
    bool blackOnWhite;
  } cases[] = {{1, 1, true},    {0, 0, false},    {257, 1, true}, {256, 0, false},
               {-255, 1, true}, {-1, 255, false}, {2, 2, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(TextColorScheme(c.stored), c.scheme) << c.stored;
    EXPECT_EQ(IsBlackOnWhite(TextColorScheme(c.stored)), c.blackOnWhite) << c.stored;
  }
  EXPECT_TRUE(IsBlackOnWhite(TextColorScheme(StoredTextColor(true))));
  EXPECT_FALSE(IsBlackOnWhite(TextColorScheme(StoredTextColor(false))));
}

TEST(MessageBox, TextGrowsByWhatIsMissingInDesignUnitsRoundedUp) {
  const struct {
    int needed, dpi, extra;
  } cases[] = {
      {0, 96, 0},
      {49, 96, 0},
      {50, 96, 1},
      {529, 96, 480},
      {2000, 96, 480},
      // At 144 DPI the box shows 86 - 12 = 74 pixels.
      {74, 144, 0},
      {75, 144, 1},
      {218, 144, 96},
      {219, 144, 97},
      // At 120 DPI, 71 - 10 = 61 pixels.
      {61, 120, 0},
      {62, 120, 1},
      {181, 120, 96},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageTextExtraHeight(c.needed, c.dpi), c.extra) << c.needed << " at " << c.dpi;
}

TEST(ScopeGuard, RunsOnEveryExitUnlessDismissed) {
  int runs = 0;
  {
    const auto guard = MakeScopeGuard([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  try {
    const auto guard = MakeScopeGuard([&] { ++runs; });
    throw std::runtime_error("failed step");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(runs, 2);
  {
    auto guard = MakeScopeGuard([&] { ++runs; });
    guard.Dismiss();
  }
  EXPECT_EQ(runs, 2);
  {
    auto first = MakeScopeGuard([&] { ++runs; });
    auto moved = std::move(first);  // the action runs once, for the guard that holds it
  }
  EXPECT_EQ(runs, 3);
}
