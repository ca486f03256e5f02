// A dock and its toolbar: a coloured panel holding items that show an icon
// of an image list with a caption, laid out as one column (the stack) or as
// wrapping rows (the grid). Items track the mouse (hot and pressed states)
// and raise OnClick; a right click raises OnContextMenu, and pressing an item
// and moving out of the drag rectangle raises OnBeginDrag instead of a click;
// captions go through OnDrawCaption, whose pre-paint stage
// may take over the painting and whose post-paint stage may add to it. A
// toolbar whose hints are on shows each item's hint in a hint window when the
// pointer rests on it; the item's OnDrawHint may change the text first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/HintWindow.h"
#include "toolkit/Window.h"

enum class TItemDisplay { ImageAndText, ImageAboveCaption };
enum class TToolbarLayout { SingleColumn, WrapRows };
enum class TPaintStage { PrePaint, PostPaint };

struct TToolbarItem;
// The hint about to be shown (the item's Hint when raised); clear
// paintDefault to show none.
using TDrawHintEvent = std::function<void(const TToolbarItem& item, std::wstring& hint, bool& paintDefault)>;

struct TToolbarItem {
  std::wstring Caption;
  std::wstring Hint;
  std::wstring Name;
  int Tag = 0;
  int ImageIndex = -1;
  HIMAGELIST Images = nullptr;  // the item's own image list; the toolbar's when null
  int Width = 0;
  int Height = 0;
  TItemDisplay Display = TItemDisplay::ImageAndText;
  TDrawHintEvent OnDrawHint;
};

class TToolbar;

// dc, the item's client area and its caption rectangle (the handler may move
// the caption rectangle); set paintDefault to false in the pre-paint stage to
// leave the caption to the handler.
using TDrawCaptionEvent =
    std::function<void(TToolbar& toolbar, const TToolbarItem& item, HDC dc, const RECT& clientArea, RECT& captionRect,
                       TPaintStage stage, bool& paintDefault)>;
using TItemClickEvent = std::function<void(TToolbar& toolbar, const TToolbarItem& item)>;
// The item's index, the screen point where its menu belongs, and whether the
// menu is the extended one (Shift held).
using TItemContextMenuEvent = std::function<void(TToolbar& toolbar, std::size_t index, POINT screen, bool extended)>;
// The pressed item's index; the left button is still down. True when the
// item was dragged (the press is then over); false leaves it pressed, and a
// release over it is a click.
using TItemDragEvent = std::function<bool(TToolbar& toolbar, std::size_t index)>;

class TToolbar : public TWindow {
public:
  // A child of parent; hidden until Show.
  void Create(HWND parent);

  void SetImageList(HIMAGELIST images) { images_ = images; }
  void SetFont(HFONT font) { font_ = font; }  // not owned
  void SetColors(COLORREF background, COLORREF text);
  void SetLayout(TToolbarLayout layout, int columns = 1);
  // Space between the toolbar's edge and its items.
  void SetPadding(int padding) { padding_ = padding; }
  void SetShowHints(bool show);
  // The hint window, while the toolbar shows hints (for tools outside).
  const THintWindow& HintWindow() const { return hint_; }

  void Clear();
  void AddItem(TToolbarItem item);
  const std::vector<TToolbarItem>& Items() const { return items_; }
  // The item's rectangle in the toolbar's client coordinates.
  RECT ItemRect(size_t index) const;
  // The size the items need, padding included.
  SIZE ContentSize() const;

  TItemClickEvent OnClick;
  TItemContextMenuEvent OnContextMenu;
  TItemDragEvent OnBeginDrag;
  TDrawCaptionEvent OnDrawCaption;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int ItemAt(POINT point) const;
  void SetHot(int index);
  void ShowHint();
  void CancelHint();
  void Paint(HDC dc, const RECT& clip);
  void PaintItem(HDC dc, size_t index);
  void InvalidateItem(int index);

  std::vector<TToolbarItem> items_;
  HIMAGELIST images_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF background_ = RGB(0, 0, 0);
  COLORREF text_ = RGB(255, 255, 255);
  TToolbarLayout layout_ = TToolbarLayout::SingleColumn;
  int columns_ = 1;
  int padding_ = 2;
  int hot_ = -1;
  int pressed_ = -1;
  POINT pressedAt_ = {0, 0};  // where the left button went down on pressed_
  bool dragAsked_ = false;    // OnBeginDrag was raised for this press
  bool tracking_ = false;
  bool showHints_ = false;
  THintWindow hint_;
};

// A dock: a plain coloured child window that holds one toolbar.
class TDock : public TWindow {
public:
  void Create(HWND parent);
  void SetColor(COLORREF color);
  COLORREF Color() const { return color_; }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  COLORREF color_ = RGB(0, 0, 0);
};
