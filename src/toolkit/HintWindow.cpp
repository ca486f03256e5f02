#include "toolkit/HintWindow.h"

#include <algorithm>

#include "core/base/Dpi.h"
#include "core/toolkit/HintLayout.h"
#include "shared/Monitors.h"
#include "toolkit/WindowDpi.h"

namespace {

const wchar_t kHintClass[] = L"THeapHint";
constexpr int kPadding = 4;

}  // namespace

void THintWindow::Create(HWND owner) {
  RegisterWindowClass(kHintClass, ::GetSysColorBrush(COLOR_INFOBK));
  CreateHandle(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
               owner);
  UseDpi(WindowDpi(Handle()));
}

void THintWindow::UseDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  // The system's metrics are those of its own DPI, the screen's.
  const TScreenDC screen;
  const int screenDpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  if (screenDpi > 0 && screenDpi != dpi)
    metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, screenDpi);
  messageFont_.Reset(::CreateFontIndirectW(&metrics.lfStatusFont));
}

SIZE THintWindow::TextSize(HDC dc) const {
  const TSelectObject select(dc, font_ ? font_ : messageFont_.Get());
  SIZE total = {0, 0};
  for (const std::wstring& line : HintLines(text_)) {
    SIZE size = {0, 0};
    // An empty line still has the font's height.
    const std::wstring measured = line.empty() ? L" " : line;
    ::GetTextExtentPoint32W(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
    total.cx = std::max(total.cx, line.empty() ? 0L : size.cx);
    total.cy += size.cy;
  }
  return total;
}

void THintWindow::ShowAt(const std::wstring& text, POINT screenPoint) {
  if (!Handle()) return;
  text_ = text;
  UseDpi(DpiOfArea(RECT{screenPoint.x, screenPoint.y, screenPoint.x + 1, screenPoint.y + 1}));
  const int padding = ScaleForDpi(kPadding, dpi_);
  ::SetWindowTextW(Handle(), text_.c_str());
  SIZE size = {0, 0};
  {
    const TWindowDC dc(Handle());
    size = TextSize(dc.Get());
  }
  RECT outer = {0, 0, size.cx + 2 * padding, size.cy + 2 * padding};
  ::AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  const TRectI work = MonitorWorkArea(MonitorIndexNearest(screenPoint));
  const TPointI at = HintWindowPosition({screenPoint.x, screenPoint.y}, width, height, work, dpi_);
  ::SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void THintWindow::HideHint() {
  if (Showing()) ::ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint(HDC dc) {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  if (colors_) {
    const TBrush background(::CreateSolidBrush(colors_->Background));
    ::FillRect(dc, &client, background.Get());
  } else {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_INFOBK));
  }
  const TSelectObject select(dc, font_ ? font_ : messageFont_.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colors_ ? colors_->Text : ::GetSysColor(COLOR_INFOTEXT));
  const int padding = ScaleForDpi(kPadding, dpi_);
  int y = padding;
  for (const std::wstring& line : HintLines(text_)) {
    SIZE size = {0, 0};
    const std::wstring measured = line.empty() ? L" " : line;
    ::GetTextExtentPoint32W(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
    ::TextOutW(dc, padding, y, line.c_str(), static_cast<int>(line.size()));
    y += size.cy;
  }
}

LRESULT THintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(Handle(), &ps);
      Paint(dc);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;  // the pointer goes through to what lies below
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
