#pragma once

#include <windows.h>

#include <string>

#include "shared/ScopedWin.h"

// One tooltip control that shows the hints of any number of windows.
class TToolTips {
public:
  void Create(HWND owner);
  void Add(HWND tool, const std::wstring& hint);
  HWND Handle() const { return window_.Get(); }

private:
  TOwnedWindow window_;
};
