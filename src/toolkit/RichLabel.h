// A read-only label that shows rich text: a rich edit control without border,
// scroll bars, caret or word wrap, on a solid background.
#pragma once

#include <windows.h>

#include <string>

#include "shared/ScopedWin.h"

class TRichLabel {
public:
  TRichLabel() = default;
  TRichLabel(const TRichLabel&) = delete;
  TRichLabel& operator=(const TRichLabel&) = delete;

  void Create(HWND parent, int x, int y, int width, int height, COLORREF background);
  void SetRtf(const std::string& rtf);
  // The plain text as the control holds it (lines joined by "\r").
  std::wstring Text() const;
  HWND Handle() const { return control_.Get(); }

private:
  TOwnedWindow control_;
};
