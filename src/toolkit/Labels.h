// Controls that show rather than take: a label, a web link, an icon and a
// group box's frame.
#pragma once

#include <string>

#include "shared/ScopedWin.h"
#include "toolkit/Control.h"

class TLabel : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};

// A text that acts as a web link: blue, underlined, a hand cursor, a click
// event.
class TLinkLabel : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool centred = true);
  TNotifyEvent OnClick;

protected:
  // Takes the font's name and size; the link keeps its own colour and underline.
  void ApplyFont(HFONT font) override;
  bool OnCommand(WORD code) override;
  bool OnControlColor(HDC dc, LRESULT& result) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  TFont underlined_;
};

// A picture: an icon at its own size.
class TIconImage : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  // Takes the icon; it is destroyed with the control's object.
  void SetIcon(TIcon icon);

private:
  TIcon icon_;
};

class TGroupBox : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};
