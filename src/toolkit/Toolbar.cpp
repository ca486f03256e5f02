#include "toolkit/Toolbar.h"

#include <windowsx.h>

#include <vector>

#include "core/base/Dpi.h"
#include "core/raster/Blend.h"
#include "core/toolkit/ToolbarGeometry.h"
#include "shared/DeviceBitmap.h"
#include "shared/Monitors.h"
#include "shared/ScopedWin.h"
#include "shared/ShellDrag.h"

namespace {

const wchar_t kToolbarClass[] = L"THeapToolbar";
const wchar_t kDockClass[] = L"THeapDock";
constexpr UINT_PTR kHintTimer = 1;
// Posted to itself with an item's index: a screen reader's default action,
// carried out after the reader's call has returned.
constexpr UINT kDefaultActionMessage = WM_APP + 20;

RECT ToRect(const TRectI& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

void TToolbar::Create(HWND parent) {
  RegisterWindowClass(kToolbarClass, nullptr);
  CreateHandle(0, kToolbarClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent);
}

void TToolbar::SetColors(COLORREF background, COLORREF text) {
  background_ = background;
  text_ = text;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolbar::SetFills(std::optional<TFills> fills) {
  fills_ = fills;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolbar::SetIconSize(int size, int dpi) {
  iconSize_ = size;
  dpi_ = dpi;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolbar::SetLayout(TToolbarLayout layout, int columns) {
  layout_ = layout;
  columns_ = columns < 1 ? 1 : columns;
}

void TToolbar::SetShowHints(bool show) {
  showHints_ = show;
  if (show && !hint_.Handle() && Handle()) hint_.Create(::GetAncestor(Handle(), GA_ROOT));
  if (!show) CancelHint();
}

void TToolbar::CancelHint() {
  if (Handle()) ::KillTimer(Handle(), kHintTimer);
  hint_.HideHint();
}

void TToolbar::ShowHint() {
  ::KillTimer(Handle(), kHintTimer);
  if (!showHints_ || hot_ < 0 || static_cast<size_t>(hot_) >= items_.size()) return;
  const TToolbarItem& item = items_[static_cast<size_t>(hot_)];
  std::wstring text = item.Hint;
  bool paintDefault = true;
  if (item.OnDrawHint) item.OnDrawHint(item, text, paintDefault);
  if (!paintDefault || text.empty()) {
    hint_.HideHint();
    return;
  }
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  hint_.ShowAt(text, cursor);
}

void TToolbar::Clear() {
  CancelHint();
  items_.clear();
  hot_ = pressed_ = selected_ = -1;
  if (Handle()) {
    ::InvalidateRect(Handle(), nullptr, TRUE);
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, Handle(), OBJID_CLIENT, CHILDID_SELF);
  }
}

int TToolbar::Columns() const { return ToolbarColumns(layout_, columns_); }

TToolbarGeometry TToolbar::Geometry() const {
  TToolbarGeometry geometry;
  geometry.Columns = Columns();
  geometry.Padding = padding_;
  if (!items_.empty()) geometry.Cell = {items_[0].Width, items_[0].Height};
  return geometry;
}

void TToolbar::SetSelected(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == selected_) return;
  InvalidateItem(selected_);
  selected_ = index;
  InvalidateItem(selected_);
  if (selected_ < 0 || !Handle()) return;
  ::NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, selected_ + 1);
  ::NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, selected_ + 1);
}

void TToolbar::Click(int index, UINT keys) {
  if (index < 0 || index >= static_cast<int>(items_.size()) || !OnClick) return;
  // The handler may rebuild the items, so it gets its own copy.
  const TToolbarItem item = items_[static_cast<size_t>(index)];
  OnClick(*this, item, keys);
}

std::wstring TToolbar::AccessibleItemDescription(size_t index) const {
  std::wstring description = items_[index].Hint;
  if (OnDescribeItem) OnDescribeItem(items_[index], &description, nullptr);
  return description;
}

std::wstring TToolbar::AccessibleItemAction(size_t index) const {
  std::wstring action = L"Open";
  if (OnDescribeItem) OnDescribeItem(items_[index], nullptr, &action);
  return action;
}

void TToolbar::AccessibleDoDefaultAction(size_t index) { ::PostMessageW(Handle(), kDefaultActionMessage, index, 0); }

void TToolbar::AddItem(TToolbarItem item) {
  items_.push_back(std::move(item));
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolbar::SetItemImage(size_t index, HIMAGELIST images, int imageIndex) {
  if (index >= items_.size()) return;
  items_[index].Images = images;
  items_[index].ImageIndex = imageIndex;
  if (!Handle()) return;
  // Only the icon's place is painted again, not the caption.
  const TToolbarItemParts parts = ToolbarItemParts(items_[index].Display, ToRectI(ItemRect(index)), iconSize_, dpi_);
  const RECT icon = {parts.Icon.X, parts.Icon.Y, parts.Icon.X + iconSize_, parts.Icon.Y + iconSize_};
  ::InvalidateRect(Handle(), &icon, FALSE);
}

RECT TToolbar::ItemRect(size_t index) const {
  if (index >= items_.size()) return {0, 0, 0, 0};
  return ToRect(ToolbarItemRect(Geometry(), index, {items_[index].Width, items_[index].Height}));
}

SIZE TToolbar::ContentSize() const {
  const TToolbarSize size = ToolbarContentSize(Geometry(), items_.size());
  return {size.Width, size.Height};
}

int TToolbar::ItemAt(POINT point) const {
  std::vector<TToolbarSize> sizes;
  sizes.reserve(items_.size());
  for (const TToolbarItem& item : items_) sizes.push_back({item.Width, item.Height});
  return ToolbarItemAt(Geometry(), sizes, {point.x, point.y});
}

void TToolbar::InvalidateItem(int index) {
  if (index < 0) return;
  const RECT r = ItemRect(static_cast<size_t>(index));
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TToolbar::SetHot(int index) {
  if (index == hot_) return;
  InvalidateItem(hot_);
  hot_ = index;
  InvalidateItem(hot_);
  if (!showHints_) return;
  // Moving on from a shown hint shows the next one at once, as tooltips do;
  // otherwise the pointer must rest for the system's hover time first.
  const bool wasShowing = hint_.Showing();
  if (hot_ < 0) {
    CancelHint();
  } else if (wasShowing) {
    ShowHint();
  } else {
    UINT hover = 400;
    ::SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
    ::SetTimer(Handle(), kHintTimer, hover, nullptr);
  }
}

namespace {

// How far a painted caption's halo may reach above and below its rectangle,
// at 96 DPI.
constexpr int kCaptionReach = 2;

// Whether r is painted: it meets the band and the update region, if any.
bool Painted(const RECT& r, const RECT& band, HRGN update) {
  RECT overlap = {};
  return ::IntersectRect(&overlap, &r, &band) && (!update || ::RectInRegion(update, &r));
}

}  // namespace

void TToolbar::PaintItem(HDC dc, size_t index, const RECT& band, HRGN update) {
  const TToolbarItem& item = items_[index];
  const RECT r = ItemRect(index);
  const TToolbarItemLook look = ToolbarItemLook(static_cast<int>(index), hot_, pressed_, selected_);
  if (look.Highlighted) {
    const bool selectedFill = look.Focused || look.Pressed;
    const COLORREF fill = !fills_        ? ShadeColor(background_, look.ShadeAmount)
                          : selectedFill ? fills_->Selected
                                         : fills_->Hot;
    const BYTE alpha = !fills_ ? 255 : selectedFill ? fills_->SelectedAlpha : fills_->HotAlpha;
    if (alpha == 255) {
      const TBrush highlight(::CreateSolidBrush(fill));
      ::FillRect(dc, &r, highlight.Get());
    } else {
      FillBlended(dc, r, FromColorRef(fill, alpha));
    }
  }
  paintingHighlighted_ = look.Highlighted;

  const TToolbarItemParts parts = ToolbarItemParts(item.Display, ToRectI(r), iconSize_, dpi_);
  const HIMAGELIST images = item.Images ? item.Images : images_;
  if (images && item.ImageIndex >= 0) {
    ::ImageList_Draw(images, item.ImageIndex, dc, parts.Icon.X, parts.Icon.Y, ILD_TRANSPARENT);
  }
  RECT caption = ToRect(parts.Caption);
  // A caption wholly outside what is painted (new pictures repaint their
  // icons only) is not drawn again: drawing a caption is dear. Its halo may
  // reach a few pixels beyond its rectangle.
  RECT reach = caption;
  ::InflateRect(&reach, 0, ScaleForDpi(kCaptionReach, dpi_));
  const bool captionInBand = Painted(reach, band, update);

  bool paintDefault = captionInBand;
  if (OnDrawCaption && captionInBand) OnDrawCaption(*this, item, dc, r, caption, TPaintStage::PrePaint, paintDefault);
  if (paintDefault) {
    const UINT format = item.Display == TItemDisplay::ImageAndText
                            ? DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX
                            : DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, look.Highlighted && fills_ ? fills_->Text : text_);
    ::DrawTextW(dc, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &caption, format);
  }
  if (OnDrawCaption && captionInBand) OnDrawCaption(*this, item, dc, r, caption, TPaintStage::PostPaint, paintDefault);
  // The focus rectangle follows the window's keyboard cues: hidden until the
  // keyboard is used unless the user always wants them.
  if (look.Focused && !(::SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    const RECT focus = ToRect(ToolbarFocusRect(ToRectI(r)));
    if (clear_ && fills_) {
      // The dotted rectangle inverts what is beneath, which has no colour
      // over a backdrop: a solid line in the captions' colour instead.
      const TBrush line(::CreateSolidBrush(fills_->Text));
      ::FrameRect(dc, &focus, line.Get());
    } else {
      ::SetTextColor(dc, RGB(255, 255, 255));
      ::SetBkColor(dc, RGB(0, 0, 0));
      ::DrawFocusRect(dc, &focus);
    }
  }
}

void TToolbar::Paint(HDC dc, const RECT& clip, HRGN update) {
  const int width = clip.right - clip.left;
  if (width <= 0 || clip.bottom <= clip.top) return;
  // Painted off screen first, so rebuilding or hot-tracking never flickers,
  // one band at a time: the bands are cut at the items' top and bottom edges,
  // so each holds one row of items, and a grid of hundreds of tiles needs a
  // buffer of one row rather than one of its whole size.
  std::vector<RECT> rects(items_.size());
  std::vector<TRectI> itemRects(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) {
    rects[i] = ItemRect(i);
    itemRects[i] = ToRectI(rects[i]);
  }
  const TToolbarPaintBands bands = ToolbarPaintBands(itemRects, clip.top, clip.bottom);
  const std::vector<std::int32_t>& cuts = bands.Cuts;
  const LONG tallest = bands.Tallest;

  if (clear_) {
    PaintClear(dc, clip, update, cuts, tallest, rects);
    return;
  }
  const TMemoryDC memory(::CreateCompatibleDC(dc));
  const TBitmap bitmap(::CreateCompatibleBitmap(dc, width, tallest));
  if (!memory || !bitmap) return;
  const TSelectObject selectBitmap(memory.Get(), bitmap.Get());
  const TSelectObject selectFont(memory.Get(), font_);
  for (size_t b = 1; b < cuts.size(); ++b) {
    const RECT band = {clip.left, cuts[b - 1], clip.right, cuts[b]};
    PaintBand(memory.Get(), band, background_, rects, update);
    ::BitBlt(dc, band.left, band.top, width, band.bottom - band.top, memory.Get(), band.left, band.top, SRCCOPY);
  }
}

void TToolbar::PaintBand(HDC dc, const RECT& band, COLORREF ground, const std::vector<RECT>& rects, HRGN update) {
  // The buffer's corner stands for the band's: items paint in toolbar coordinates.
  ::SetViewportOrgEx(dc, -band.left, -band.top, nullptr);
  const TBrush brush(::CreateSolidBrush(ground));
  ::FillRect(dc, &band, brush.Get());
  // An item outside the update region would be clipped away: several
  // new pictures in two rows make a bounding box over whole rows.
  for (size_t i = 0; i < items_.size(); ++i)
    if (Painted(rects[i], band, update)) PaintItem(dc, i, band, update);
}

void TToolbar::PaintClear(HDC dc, const RECT& clip, HRGN update, const std::vector<std::int32_t>& cuts, LONG tallest,
                          const std::vector<RECT>& rects) {
  // GDI's text, fills and icons know no alpha: each band is painted on
  // black and again on white, and the two give every pixel its alpha.
  const int width = clip.right - clip.left;
  TColor32* onBlack = nullptr;
  TColor32* onWhite = nullptr;
  const TBitmap black = CreateTopDownDib(dc, width, tallest, onBlack);
  const TBitmap white = CreateTopDownDib(dc, width, tallest, onWhite);
  const TMemoryDC blackDC(::CreateCompatibleDC(dc)), whiteDC(::CreateCompatibleDC(dc));
  if (!black || !white || !blackDC || !whiteDC) return;
  const TSelectObject selectBlack(blackDC.Get(), black.Get()), selectWhite(whiteDC.Get(), white.Get());
  const TSelectObject fontBlack(blackDC.Get(), font_), fontWhite(whiteDC.Get(), font_);
  for (size_t b = 1; b < cuts.size(); ++b) {
    const RECT band = {clip.left, cuts[b - 1], clip.right, cuts[b]};
    PaintBand(blackDC.Get(), band, RGB(0, 0, 0), rects, update);
    PaintBand(whiteDC.Get(), band, RGB(255, 255, 255), rects, update);
    ::GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(band.bottom - band.top);
    for (std::size_t p = 0; p < count; ++p) onBlack[p] = PremultipliedFromGrounds(onBlack[p], onWhite[p]);
    ::BitBlt(dc, band.left, band.top, width, band.bottom - band.top, blackDC.Get(), band.left, band.top, SRCCOPY);
  }
}

void TToolbar::SetClear(bool clear) {
  if (clear == clear_) return;
  clear_ = clear;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TToolbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      // The region itself, not only its bounding box (ps.rcPaint): asked
      // for before BeginPaint validates it.
      TRegion update(::CreateRectRgn(0, 0, 0, 0));
      if (update && ::GetUpdateRgn(Handle(), update.Get(), FALSE) == ERROR) update.Reset();
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(Handle(), &ps);
      Paint(dc, ps.rcPaint, update.Get());
      ::EndPaint(Handle(), &ps);
      if (OnPainted) OnPainted();
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!tracking_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
        tracking_ = ::TrackMouseEvent(&track) != FALSE;
      }
      const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (pressed_ >= 0 && !dragAsked_ && (wParam & MK_LBUTTON) && OnBeginDrag && BeyondDragRect(pressedAt_, at)) {
        dragAsked_ = true;
        // The drag loop takes the capture, and with it the press; a drag is
        // not a click, so the button's release runs nothing.
        const int dragged = pressed_;
        CancelHint();
        if (OnBeginDrag(*this, static_cast<std::size_t>(dragged))) {
          if (!Handle()) return 0;  // the view closed after a drop
          pressed_ = -1;
          if (::GetCapture() == Handle()) ::ReleaseCapture();
          InvalidateItem(dragged);
          return 0;
        }
      }
      SetHot(ItemAt(at));
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (pressed_ < 0) SetHot(-1);
      return 0;
    case WM_TIMER:
      if (wParam == kHintTimer) {
        ShowHint();
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (!wParam) CancelHint();
      break;
    case WM_DESTROY:
      CancelHint();
      // Screen readers may hold the object longer than the toolbar lives.
      DisconnectListAccessible(accessible_.Get());
      accessible_.Reset();
      break;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        if (!accessible_) accessible_ = CreateListAccessible(*this);
        if (accessible_) return ::LresultFromObject(__uuidof(IAccessible), wParam, accessible_.Get());
      }
      break;
    case WM_UPDATEUISTATE:
      // Focus cues shown or hidden: the selected item's rectangle follows.
      InvalidateItem(selected_);
      break;
    case kDefaultActionMessage: Click(static_cast<int>(wParam), 0); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CancelHint();
      pressedAt_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      pressed_ = ItemAt(pressedAt_);
      dragAsked_ = false;
      SetHot(pressed_);
      if (pressed_ >= 0) ::SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      const int pressed = pressed_;
      const int released = ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      pressed_ = -1;
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      InvalidateItem(pressed);
      // The keys held as the button came up, as the system saw them then:
      // the thread's own key state may not yet have caught up.
      if (pressed >= 0 && pressed == released) Click(pressed, static_cast<UINT>(wParam) & (MK_CONTROL | MK_SHIFT));
      return 0;
    }
    case WM_CONTEXTMENU: {
      // From the mouse only: the keyboard's (at -1, -1) goes on to the parent.
      const POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (screen.x == -1 && screen.y == -1) break;
      POINT client = screen;
      ::ScreenToClient(Handle(), &client);
      const int index = ItemAt(client);
      if (index < 0 || !OnContextMenu) return 0;
      CancelHint();
      OnContextMenu(*this, static_cast<std::size_t>(index), screen, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ >= 0) {
        InvalidateItem(pressed_);
        pressed_ = -1;
      }
      return 0;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void TDock::Create(HWND parent) {
  RegisterWindowClass(kDockClass, nullptr);
  CreateHandle(0, kDockClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent);
}

void TDock::SetColor(COLORREF color) {
  color_ = color;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TDock::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client = {};
    ::GetClientRect(Handle(), &client);
    const TBrush brush(::CreateSolidBrush(color_));
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush.Get());
    return 1;
  }
  return DefaultHandling(message, wParam, lParam);
}
