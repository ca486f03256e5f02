// TFormPrefs: the three preferences every stack obeys (caption colours,
// animation, how a stack closes), read when the dialog shows and written
// when the user presses OK.
#pragma once

#include <windows.h>

#include <memory>

#include "shared/GdiTextRenderer.h"
#include "shared/ScopedWin.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

class TFormPrefs : public TForm {
public:
  // owner: the creator's window, on which the dialog is centred.
  void FormCreate(HWND owner);

  TGroupBox GroupStackAppearance;
  TLabel LblText;
  TRadioButton RadioBlackOnWhite;
  TRadioButton RadioWhiteOnBlack;
  TPaintBox32 PBPreviewBW;
  TPaintBox32 PBPreviewWB;
  TGroupBox GroupStackBehavior;
  TCheckBox ChkDoAnimation;
  TLabel LblCloseBy;
  TRadioButton RadioCloseDefault;
  TRadioButton RadioClose2ndClick;
  TLabel LblNote;
  TBitButton BtnOK;
  TBitButton BtnCancel;
  TImageList ILButtons;

  void BtnOKClick();

protected:
  void FormShow() override;
  void DpiChanged() override;

private:
  void PaintPreview(TBitmap32& buffer, bool blackOnWhite);
  // The OK and Cancel images and the previews' font, at the form's DPI.
  void MakeDpiResources();
  TFontDescription font_{L"MS Sans Serif", 8};
  // The previews' font, made once per DPI: the boxes paint with it on every repaint.
  std::unique_ptr<TGdiTextRenderer> previewFont_;
};
