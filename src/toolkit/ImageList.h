#pragma once

#include <windows.h>
#include <commctrl.h>

#include "shared/ScopedWin.h"

// An image list of our own (not one of the system's shared lists).
class TImageList {
public:
  void Create(int width, int height, UINT flags, int initial);
  void Reset() { handle_.Reset(); }
  HIMAGELIST Handle() const { return handle_.Get(); }
  int Count() const;

private:
  TImageListHandle handle_;
};
