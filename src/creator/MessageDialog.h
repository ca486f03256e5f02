// TFormMessage: the creator's own message box. A picture (one of eleven, by
// IconType), the message, up to four buttons described by TMDButton records,
// an optional "Don't show this message again" box, and the system sound of
// the picture. Centred on the full bounds of the monitor under the cursor.
// Every question, notice and error of the creator goes through it.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/raster/Bitmap32.h"
#include "core/creator/MessageBoxLayout.h"
#include "shared/ScopedWin.h"
#include "toolkit/Form.h"

// The identifier of the message text, the one static text of the box that
// tools reading the box from outside look for (as in the system's boxes).
constexpr int kIdMessageText = 0xFFFF;

class TFormMessage : public TForm {
public:
  TFormMessage();
  void FormCreate();

  // Applies one record to one of the four buttons (0..3).
  void SetupButton(int index, const TMDButton& record);
  // Widths from the captions, then places by the box's four rules.
  void ArrangeButtons();
  // A message longer than the box holds makes it taller: the check box and
  // the buttons move down with its bottom edge.
  void FitText();

  TPaintBox32 Img;
  TLabel MessageText;
  TCheckBox CheckDontShow;
  std::array<TBitButton, 4> Buttons;
  std::array<TBitmap32, kIconTypeCount> BLImages;
  TImageList ILButtons;
  int IconType = 0;
  bool DontShow = false;  // the check box's state when the box closed

protected:
  void FormShow() override;
  void FormClose() override;
  void DpiChanged() override;

private:
  void ImgPaintBuffer(TBitmap32& buffer);
  // The pictures and button images at the form's DPI.
  void LoadPictures();
  std::array<bool, 4> defaults_ = {};
  std::array<std::uint8_t, 4> imageNumbers_ = {};
  int textExtra_ = 0;  // the height added for the message, in design units
};

// The box, modal; gives the pressed button's modal result (2 when closed
// with the close box or Esc). dontShow receives the state of the box's check
// box when it was shown.
int ShowMessageBox(const std::wstring& title, const std::wstring& text, int iconType, bool& dontShow, bool showDontShow,
                   const TMDButton& button1, const TMDButton& button2, const TMDButton& button3,
                   const TMDButton& button4);
// Two buttons: the first default with image OK and result 6 (Yes), the
// second with image cancel and result 7 (No).
int ShowQuestion(const std::wstring& title, const std::wstring& text, int iconType, const std::wstring& yesCaption,
                 const std::wstring& noCaption);
// One default button with image OK and result 1.
int ShowInfo(const std::wstring& title, const std::wstring& text, int iconType, const std::wstring& caption);
