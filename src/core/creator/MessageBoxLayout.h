// The creator's own message box: its button records, where the buttons go,
// and which system sound goes with each picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/base/Dpi.h"

// Modal results, as the box and its buttons give them.
enum : std::int32_t { kResultNone = 0, kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

// The pictures of the box, by IconType.
enum : std::uint8_t {
  kIconWarningOutline = 0,
  kIconWarning = 1,
  kIconError = 2,
  kIconInformation = 3,
  kIconQuestion = 4,
  kIconApproval = 5,
  kIconNewVersion = 6,
  kIconUnlocked = 7,
  kIconShredder = 8,
  kIconNotes = 9,
  kIconCleanUp = 10,
  kIconTypeCount = 11,
};

// The button images, numbered from 1 in TMDButton (0 is no image).
enum : std::uint8_t {
  kButtonImageOk = 1,
  kButtonImageCancel,
  kButtonImageAdd,
  kButtonImageRemove,
  kButtonImageNew,
  kButtonImageEdit,
  kButtonImageShred,
  kMessageButtonImageCount = kButtonImageShred,
};

// One button of the box.
struct TMDButton {
  bool Visible = false;
  std::uint8_t ImageNumber = 0;  // 0: no image; n: button image n - 1
  std::wstring Caption;
  bool IsDefault = false;
  std::int32_t ModalResult = kResultNone;
};

TMDButton MakeButton(bool visible, std::uint8_t imageNumber, const std::wstring& caption, bool isDefault,
                     std::int32_t modalResult);
// A hidden button: every field zero or empty.
TMDButton NoButton();

// A button is as wide as its caption plus its image (16) plus 24 of margins;
// image and margins scale with the DPI, the caption's width is measured in
// the font of that DPI.
int MessageButtonWidth(int captionWidth, int dpi = kDesignDpi);

// Left edges of the four buttons, 8 pixels apart. When the visible buttons
// are B1 alone, B1 and B2, B1 to B3 or all four, they form one row centred in
// the client width. Otherwise B1 starts at 8; with B1, B2 and B4 visible, B2
// follows B1 and B4 ends 8 from the right edge; with B1 and B4, B4 ends 8 from
// the right and B2 and B3 keep their places; in every other pattern B2, B3
// and B4 follow one another, hidden ones included.
// Every distance here is at 96 DPI and scales with the DPI; widths and the
// client width are real pixels.
std::array<int, 4> ArrangeButtons(const std::array<bool, 4>& visible, const std::array<int, 4>& widths,
                                  const std::array<int, 4>& currentLefts, int clientWidth, int dpi = kDesignDpi);

// The message's text box at 96 DPI: top and height before a longer message
// makes the box taller, and the most it grows by.
constexpr int kMessageTextTop = 8;
constexpr int kMessageTextHeight = 49;
constexpr int kMostMessageExtraHeight = 480;

// How many design units (96 DPI) taller the text box and the box itself get
// so that a message needing neededHeight pixels at dpi fits: what is missing
// from the text box's height at that DPI, turned into design units rounded
// up, at most kMostMessageExtraHeight; 0 when it fits.
int MessageTextExtraHeight(int neededHeight, int dpi = kDesignDpi);

// The system sound alias played with a picture.
const wchar_t* SoundForIconType(int iconType);
