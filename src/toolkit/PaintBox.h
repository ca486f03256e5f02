#pragma once

#include <functional>

#include "core/raster/Bitmap32.h"
#include "toolkit/Control.h"

// A double-buffered paint box over a 32-bit image: OnPaintBuffer draws into a
// buffer of the box's size, which is then copied to the screen in one piece.
class TPaintBox32 : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  std::function<void(TBitmap32& buffer)> OnPaintBuffer;
  // Draws the buffer anew on the next paint.
  void Invalidate();

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
