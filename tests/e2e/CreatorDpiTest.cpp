// The creator and its dialogs on a screen of another DPI (Wine's "LogPixels"):
// client sizes and control rectangles are the 96-DPI ones with every edge
// scaled as MulDiv rounds, and 96 gives them unchanged.
#include <gtest/gtest.h>

#include <memory>

#include "E2eFixture.h"
#include "core/base/Dpi.h"
#include "creator/ControlIds.h"

using namespace e2e;

namespace {

constexpr int kIdMessageText = 0xFFFF;

// A control's place at 96 DPI in its parent: found by its identifier, or by its text.
struct TPlace {
  int Id;
  const wchar_t* Text;
  int X, Y, Width, Height;
};

RECT ScaledRect(const TPlace& place, int dpi) {
  return {ScaleForDpi(place.X, dpi), ScaleForDpi(place.Y, dpi), ScaleForDpi(place.X + place.Width, dpi),
          ScaleForDpi(place.Y + place.Height, dpi)};
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

void ExpectLayout(HWND form, int dpi, int clientWidth, int clientHeight, const std::vector<TPlace>& places) {
  const TWindowFacts facts = ReadWindowFacts(form);
  EXPECT_EQ(facts.ClientWidth(), ScaleForDpi(clientWidth, dpi));
  EXPECT_EQ(facts.ClientHeight(), ScaleForDpi(clientHeight, dpi));
  for (const TPlace& place : places) {
    const HWND control = place.Text ? ChildWithText(form, place.Text) : ::GetDlgItem(form, place.Id);
    ASSERT_NE(control, nullptr) << place.Id << " " << (place.Text ? Narrow(place.Text) : "");
    EXPECT_EQ(Describe(RectInClient(::GetParent(control), control)), Describe(ScaledRect(place, dpi)))
        << place.Id << " " << (place.Text ? Narrow(place.Text) : "");
  }
}

class CreatorDpi : public TCreatorTest, public ::testing::WithParamInterface<int> {
protected:
  TLogPixels logPixels_{static_cast<DWORD>(GetParam())};
};

TEST_P(CreatorDpi, MainFormAndItsMessageBox) {
  const int dpi = GetParam();
  const HWND form = Start(L"", L"Create a new Heapfold");
  ASSERT_NE(form, nullptr);
  ExpectLayout(form, dpi, 336, 280,
               {
                   {kIdLblFolder, nullptr, 8, 8, 321, 14},
                   {kIdEditFolder, nullptr, 8, 24, 321, 21},
                   {kIdEditName, nullptr, 8, 72, 233, 21},
                   {kIdChkShowThumbs, nullptr, 8, 200, 321, 17},
                   {kIdBtnCreateShortcut, nullptr, 8, 248, 161, 25},
                   {kIdBtnPrefs, nullptr, 204, 248, 25, 25},
                   {kIdBtnClose, nullptr, 264, 248, 65, 25},
               });
  // The buttons inside the folder field: "..." and "SF", 20 wide each, at its right.
  const RECT field = RectInClient(form, ::GetDlgItem(form, kIdEditFolder));
  const HWND special = ::GetDlgItem(::GetDlgItem(form, kIdEditFolder), kIdBtnSpecialFolder);
  ASSERT_NE(special, nullptr);
  RECT r = RectInClient(form, special);
  EXPECT_EQ(r.right - r.left, ScaleForDpi(20, dpi));
  EXPECT_LT(r.right, field.right);

  // Saving without a folder is refused in the creator's own box.
  ::PostMessageW(::GetDlgItem(form, kIdBtnCreateShortcut), BM_CLICK, 0, 0);
  const TMessageBox box = WaitForMessageBox(process_->Id(), L"Create Heapview");
  ASSERT_NE(box.Window, nullptr);
  ExpectLayout(box.Window, dpi, 480, 120, {{kIdMessageText, nullptr, 64, 8, 409, 49}});
  const HWND ok = ChildWithText(box.Window, L"OK");
  ASSERT_NE(ok, nullptr);
  r = RectInClient(box.Window, ok);
  EXPECT_EQ(r.top, ScaleForDpi(88, dpi));
  EXPECT_EQ(r.bottom, ScaleForDpi(113, dpi));
  EXPECT_EQ(r.left, (ScaleForDpi(480, dpi) - (r.right - r.left)) / 2);
  EXPECT_TRUE(AnswerMessageBox(box, IDOK));
  ::PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit());
}

// A message longer than the box's three lines makes the box taller; the
// button stays at its distance from the bottom edge.
TEST_P(CreatorDpi, LongMessageMakesTheBoxTaller) {
  const int dpi = GetParam();
  process_ = std::make_unique<TProcess>(TProcess::Launch(DistDir() + L"Heapmaker.exe", L"/edit C:\\nothing"));
  const TMessageBox box = WaitForMessageBox(process_->Id(), L"Create Heapview");
  ASSERT_NE(box.Window, nullptr);
  const TWindowFacts facts = ReadWindowFacts(box.Window);
  EXPECT_GT(facts.ClientHeight(), ScaleForDpi(120, dpi));
  const HWND text = ::GetDlgItem(box.Window, kIdMessageText);
  const RECT textRect = RectInClient(box.Window, text);
  EXPECT_NEAR(textRect.bottom - textRect.top, facts.ClientHeight() - ScaleForDpi(120 - 49, dpi), 1);
  const RECT ok = RectInClient(box.Window, ChildWithText(box.Window, L"OK"));
  EXPECT_NEAR(facts.ClientHeight() - ok.bottom, ScaleForDpi(7, dpi), 1);
  EXPECT_TRUE(AnswerMessageBox(box, IDOK));
  const HWND form = WaitForWindow(process_->Id(), kTimeout, L"Create a new Heapfold");
  ::PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit());
}

TEST_P(CreatorDpi, PreferencesAndAboutBox) {
  const int dpi = GetParam();
  struct {
    const wchar_t* Arguments;
    const wchar_t* Caption;
    int ClientWidth, ClientHeight;
    std::vector<TPlace> Places;
  } dialogs[] = {
      {L"/prefs",
       L"Heapfold Preferences",
       352,
       248,
       {
           {0, L"Appearance", 8, 8, 337, 73},
           {0, L"White text on black background", 32, 56, 190, 17},
           {0, L"Clicking the stack's icon again (like Mac OS X)", 32, 160, 290, 17},
           {0, L"OK", 86, 216, 75, 25},
           {0, L"Cancel", 166, 216, 75, 25},
       }},
      {L"/about",
       L"About Heapfold",
       347,
       264,
       {
           {0, L"Brenwick Software", 64, 80, 250, 14},
           {0, L"Close", 136, 232, 75, 25},
       }},
  };
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(Narrow(dialog.Arguments));
    const HWND form = Start(dialog.Arguments, dialog.Caption);
    ASSERT_NE(form, nullptr);
    ExpectLayout(form, dpi, dialog.ClientWidth, dialog.ClientHeight, dialog.Places);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process_->WaitForExit());
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, CreatorDpi, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Dpi"; });

}  // namespace
