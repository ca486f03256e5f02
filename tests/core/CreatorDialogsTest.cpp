// The creator's dialogs, their pure parts: the message box's button layout
// and sounds, the about box's date, the caption proposed for a folder and the
// caption's key filter.
#include <gtest/gtest.h>

#include "core/base/DateFormat.h"
#include "core/creator/MessageBoxLayout.h"
#include "core/creator/StackShortcut.h"

namespace {

TEST(MessageBox, ArrangeButtonsByTheFourRules) {
  constexpr int kClient = 480;
  const std::array<int, 4> widths = {60, 100, 80, 70};
  const std::array<int, 4> before = {-1, -2, -3, -4};
  struct {
    std::array<bool, 4> visible;
    std::array<int, 4> lefts;
  } cases[] = {
      // One centred row: B1; B1-B2; B1-B3; all four.
      {{true, false, false, false}, {210, -2, -3, -4}},
      {{true, true, false, false}, {156, 224, -3, -4}},
      {{true, true, true, false}, {112, 180, 288, -4}},
      {{true, true, true, true}, {73, 141, 249, 337}},
      // B1, B2 and B4: B4 at the right edge, B3 keeps its place.
      {{true, true, false, true}, {8, 76, -3, 402}},
      // B1 and B4: B2 and B3 keep their places.
      {{true, false, false, true}, {8, -2, -3, 402}},
      // Anything else: one after another from the left, hidden ones included.
      {{true, false, true, false}, {8, 76, 184, 272}},
      {{false, false, false, false}, {8, 76, 184, 272}},
      {{false, true, false, false}, {8, 76, 184, 272}},
      {{false, false, true, false}, {8, 76, 184, 272}},
      {{false, false, false, true}, {8, 76, 184, 272}},
      {{false, true, true, false}, {8, 76, 184, 272}},
      {{false, true, false, true}, {8, 76, 184, 272}},
      {{false, false, true, true}, {8, 76, 184, 272}},
      {{false, true, true, true}, {8, 76, 184, 272}},
      // B1, B3 and B4 are a case of B1 and B4.
      {{true, false, true, true}, {8, -2, -3, 402}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArrangeButtons(c.visible, widths, before, kClient), c.lefts)
        << c.visible[0] << c.visible[1] << c.visible[2] << c.visible[3];
  }
  // A row wider than the box starts left of it, halved toward zero.
  EXPECT_EQ(ArrangeButtons({true, false, false, false}, {101, 0, 0, 0}, before, 100)[0], 0);
  EXPECT_EQ(ArrangeButtons({true, false, false, false}, {103, 0, 0, 0}, before, 100)[0], -1);
  EXPECT_EQ(MessageButtonWidth(17), 57);
}

// The gaps, the image and the margins grow with the DPI; 96 is the layout above.
TEST(MessageBox, ButtonLayoutScalesWithTheDpi) {
  struct {
    int dpi;
    int width;                 // of a caption 17 wide
    std::array<int, 4> row;    // B1 to B3 centred in 720
    std::array<int, 4> sides;  // B1, B2 and B4
  } cases[] = {
      {96, 57, {222, 310, 418, -4}, {8, 96, -3, 642}},
      {120, 67, {220, 310, 420, -4}, {10, 100, -3, 640}},
      {144, 77, {218, 310, 422, -4}, {12, 104, -3, 638}},
      {192, 97, {214, 310, 426, -4}, {16, 112, -3, 634}},
  };
  const std::array<int, 4> widths = {80, 100, 80, 70};
  const std::array<int, 4> before = {-1, -2, -3, -4};
  for (const auto& c : cases) {
    EXPECT_EQ(MessageButtonWidth(17, c.dpi), c.width) << c.dpi;
    EXPECT_EQ(ArrangeButtons({true, true, true, false}, widths, before, 720, c.dpi), c.row) << c.dpi;
    EXPECT_EQ(ArrangeButtons({true, true, false, true}, widths, before, 720, c.dpi), c.sides) << c.dpi;
  }
}

TEST(MessageBox, ButtonsOfTheShortFormsAndSounds) {
  const TMDButton hidden = NoButton();
  EXPECT_FALSE(hidden.Visible);
  EXPECT_EQ(hidden.ImageNumber, 0);
  EXPECT_EQ(hidden.Caption, L"");
  EXPECT_FALSE(hidden.IsDefault);
  EXPECT_EQ(hidden.ModalResult, 0);
  const TMDButton yes = MakeButton(true, kButtonImageOk, L"Yes", true, kResultYes);
  EXPECT_TRUE(yes.Visible && yes.IsDefault);
  EXPECT_EQ(yes.ImageNumber, 1);
  EXPECT_EQ(yes.ModalResult, 6);

  const std::pair<int, std::wstring> sounds[] = {
      {0, L"SystemAsterisk"},    {1, L"SystemAsterisk"},   {2, L"SystemHand"},      {3, L"SystemQuestion"},
      {4, L"SystemExclamation"}, {5, L"SystemQuestion"},   {6, L"SystemQuestion"},  {10, L"SystemQuestion"},
      {11, L"SystemQuestion"},   {255, L"SystemQuestion"}, {-1, L"SystemQuestion"},
  };
  for (const auto& [iconType, alias] : sounds) EXPECT_EQ(SoundForIconType(iconType), alias) << iconType;
}

TDateNames EnglishNames() {
  return {{L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"},
          {L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August", L"September", L"October",
           L"November", L"December"}};
}

TEST(AboutBox, ReleaseDateInTheUsersLanguage) {
  EXPECT_EQ(FormatDayNumber(L"dddd, mmmm d, yyyy", kReleaseDayNumber, EnglishNames()), L"Sunday, July 5, 2009");
  const TDateNames german = {{L"Sonntag", L"Montag", L"Dienstag", L"Mittwoch", L"Donnerstag", L"Freitag", L"Samstag"},
                             {L"Januar", L"Februar", L"M\u00e4rz", L"April", L"Mai", L"Juni", L"Juli", L"August",
                              L"September", L"Oktober", L"November", L"Dezember"}};
  EXPECT_EQ(FormatDayNumber(L"dddd, mmmm d, yyyy", kReleaseDayNumber, german), L"Sonntag, Juli 5, 2009");
  EXPECT_EQ(FormatDayNumber(L"DD.MM.YY d/m", kReleaseDayNumber, german), L"05.07.09 5/7");

  struct {
    int dayNumber;
    int year, month, day, dayOfWeek;
  } dates[] = {
      {0, 1899, 12, 30, 6},  {1, 1899, 12, 31, 0},       {2, 1900, 1, 1, 1},      {60, 1900, 2, 28, 3},
      {61, 1900, 3, 1, 4},   {25569, 1970, 1, 1, 4},     {36585, 2000, 2, 29, 2}, {39999, 2009, 7, 5, 0},
      {-1, 1899, 12, 29, 5}, {2958465, 9999, 12, 31, 5},
  };
  for (const auto& d : dates) {
    const TCivilDate date = CivilDateOfDayNumber(d.dayNumber);
    EXPECT_EQ(date.Year, d.year) << d.dayNumber;
    EXPECT_EQ(date.Month, d.month) << d.dayNumber;
    EXPECT_EQ(date.Day, d.day) << d.dayNumber;
    EXPECT_EQ(date.DayOfWeek, d.dayOfWeek) << d.dayNumber;
  }
}

TEST(FolderChoice, CaptionProposedForAChosenFolder) {
  struct {
    const wchar_t* folder;
    bool markDriveRoot;
    const wchar_t* caption;
  } cases[] = {
      {L"C:\\Users\\ann\\Music", true, L"Music"},
      {L"C:\\Users\\ann\\Music\\", true, L"Music"},
      {L"E:\\", true, L"Drive E"},
      {L"E:\\", false, L"E"},
      {L"E:", true, L"E"},
      {L"C:\\Windows\\Fonts", false, L"Fonts"},
      {L"", false, L""},
      {L"\\\\server\\share", true, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProposeCaption(c.folder, c.markDriveRoot), c.caption) << c.folder;
}

TEST(FolderChoice, CaptionKeyFilterRefusesWhatAFileNameCannotHold) {
  std::wstring refused;
  for (wchar_t c = 1; c < 0x250; ++c)
    if (IsRefusedCaptionCharacter(c)) refused += c;
  EXPECT_EQ(refused, L"\"*/:<>?\\|");
  EXPECT_FALSE(IsRefusedCaptionCharacter(L'\0'));
  EXPECT_FALSE(IsRefusedCaptionCharacter(L'\b')) << "control characters such as Backspace pass";
}

}  // namespace
