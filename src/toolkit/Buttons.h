// Push buttons (with text, an icon or both), check boxes and radio buttons.
#pragma once

#include "shared/ScopedWin.h"
#include "toolkit/Control.h"

class TButton : public TControl {
public:
  // The default button is the one Enter presses.
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool isDefault = false);
  // Raised after a click, Space or Enter on the focused button, or BM_CLICK.
  TNotifyEvent OnClick;

protected:
  bool OnCommand(WORD code) override;
};

// A square push button showing one image of an image list instead of text.
class TImageButton : public TButton {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  void SetImage(HIMAGELIST images, int index);

private:
  TIcon icon_;
};

class TCheckBox : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
  bool Checked() const;
  void SetChecked(bool checked);
};

// A radio button; the buttons of one group (see SetGroupStart) exclude each other.
class TRadioButton : public TCheckBox {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};

// A push button with an image of an image list before its caption.
class TBitButton : public TButton {
public:
  // The image list is copied from; it need not outlive the button.
  void SetImage(HIMAGELIST images, int index);

private:
  TImageListHandle image_;
};
