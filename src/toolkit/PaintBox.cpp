#include "toolkit/PaintBox.h"

#include "shared/DeviceBitmap.h"

void TPaintBox32::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"STATIC", L"", SS_LEFT, 0, x, y, width, height);
}

void TPaintBox32::Invalidate() { ::InvalidateRect(Handle(), nullptr, FALSE); }

LRESULT TPaintBox32::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the buffer covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(Handle(), &ps);
      RECT client = {};
      ::GetClientRect(Handle(), &client);
      TBitmap32 buffer(client.right, client.bottom);
      if (OnPaintBuffer) OnPaintBuffer(buffer);
      PaintBitmap32(dc, 0, 0, buffer);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    default: return DefaultControlMessage(message, wParam, lParam);
  }
}
