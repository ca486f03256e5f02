// TRichEditURL: a read-only rich edit that finds web addresses in its text
// by itself and reports a click on one.
#pragma once

#include <functional>
#include <string>

#include "toolkit/Controls.h"

class TRichEditURL : public TControl {
public:
  // Read-only, with a vertical scroll bar. Raises EError when neither rich
  // edit library of the system can be loaded.
  void Create(HWND parent, int x, int y, int width, int height);
  // Replaces the text with a rich-text document.
  void LoadRichText(const std::string& rtf);
  // Called with the text of a link the user clicked.
  std::function<void(const std::wstring& link)> OnURLClick;
  // Placed for the DPI, with the text zoomed to it.
  void ApplyDpi(int dpi) override;

protected:
  bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT& result) override;
};
