// A hint balloon: a small top-most popup that shows a text of one or more
// lines (broken at carriage returns only) and sizes itself to it. It never
// takes activation. Its text is its window text, so tools outside the program
// can read what it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "shared/ScopedWin.h"
#include "toolkit/Window.h"

class THintWindow : public TWindow {
public:
  // The window of the hint's owner, which it stays above.
  void Create(HWND owner);
  void SetFont(HFONT font) { font_ = font; }  // not owned; the system's message font when null
  // The hint's background and text; the system's tooltip colours when none.
  struct TColors {
    COLORREF Background, Text;
  };
  void SetColors(std::optional<TColors> colors) { colors_ = colors; }
  // Shows text with its top-left corner near the screen point (below and
  // right of the pointer), kept on the monitor's work area.
  void ShowAt(const std::wstring& text, POINT screenPoint);
  void HideHint();
  bool Showing() const { return Handle() && ::IsWindowVisible(Handle()); }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  SIZE TextSize(HDC dc) const;
  void Paint(HDC dc);
  // The system's status font at the DPI of the monitor the hint shows on.
  void UseDpi(int dpi);

  std::wstring text_;
  std::optional<TColors> colors_;
  HFONT font_ = nullptr;
  TFont messageFont_;
  int dpi_ = 0;  // of messageFont_ and the padding
};
