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

#include <wrl/client.h>

#include <functional>
#include <string>
#include <optional>
#include <vector>

#include "core/toolkit/ToolbarGeometry.h"
#include "toolkit/HintWindow.h"
#include "toolkit/ToolbarAccessible.h"
#include "toolkit/Window.h"

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
  int Kind = 0;  // the owner's own classification of the item
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
// keys: MK_CONTROL and MK_SHIFT as they were held at the click (none for a
// screen reader's default action).
using TItemClickEvent = std::function<void(TToolbar& toolbar, const TToolbarItem& item, UINT keys)>;
// What screen readers say of an item beyond its caption: its description and
// the name of its default action; only the one asked for is given (the other
// is null), as a description may read the disk.
using TDescribeItemEvent =
    std::function<void(const TToolbarItem& item, std::wstring* description, std::wstring* defaultAction)>;
// The item's index, the screen point where its menu belongs, and whether the
// menu is the extended one (Shift held).
using TItemContextMenuEvent = std::function<void(TToolbar& toolbar, std::size_t index, POINT screen, bool extended)>;
// The pressed item's index; the left button is still down. True when the
// item was dragged (the press is then over); false leaves it pressed, and a
// release over it is a click.
using TItemDragEvent = std::function<bool(TToolbar& toolbar, std::size_t index)>;

class TToolbar : public TWindow, private TAccessibleList {
public:
  // A child of parent; hidden until Show.
  void Create(HWND parent);

  void SetImageList(HIMAGELIST images) { images_ = images; }
  void SetFont(HFONT font) { font_ = font; }  // not owned
  void SetColors(COLORREF background, COLORREF text);
  // The fills under the hot and the selected item and the captions' colour on
  // them; without them a highlighted item shades the background. A fill of
  // less than full alpha is laid over what is beneath it.
  struct TFills {
    COLORREF Hot, Selected, Text;
    BYTE HotAlpha = 255, SelectedAlpha = 255;
  };
  void SetFills(std::optional<TFills> fills);
  // A clear toolbar has no background: what it paints keeps its own alpha
  // and the rest is transparent, for a window whose frame spans its client
  // area with the system's backdrop behind it.
  void SetClear(bool clear);
  // While OnDrawCaption runs: its item is hot or selected.
  bool PaintingHighlighted() const { return paintingHighlighted_; }
  void SetLayout(TToolbarLayout layout, int columns = 1);
  // Space between the toolbar's edge and its items.
  void SetPadding(int padding) { padding_ = padding; }
  // The icons' size and the DPI the spacing around icons and captions is
  // scaled to (32 pixels at 96 DPI unless set).
  void SetIconSize(int size, int dpi);
  void SetShowHints(bool show);
  // The hint window, while the toolbar shows hints (for tools outside).
  const THintWindow& HintWindow() const { return hint_; }
  void SetHintColors(std::optional<THintWindow::TColors> colors) { hint_.SetColors(colors); }

  void Clear();
  void AddItem(TToolbarItem item);
  // Gives an item another image (images: a list of the item's own, or null
  // for the toolbar's) and repaints the item.
  void SetItemImage(size_t index, HIMAGELIST images, int imageIndex);
  const std::vector<TToolbarItem>& Items() const { return items_; }
  // The item's rectangle in the toolbar's client coordinates.
  RECT ItemRect(size_t index) const;
  // The size the items need, padding included.
  SIZE ContentSize() const;
  // Columns of the layout as the items stand (1 for a single column).
  int Columns() const;

  // The keyboard's selection, -1 for none (as after Clear): painted as the
  // hot item with a focus rectangle, unless the window hides focus cues.
  // Changing it tells screen readers of the new selection and focus.
  int Selected() const { return selected_; }
  void SetSelected(int index);

  TItemClickEvent OnClick;
  TItemContextMenuEvent OnContextMenu;
  TItemDragEvent OnBeginDrag;
  TDrawCaptionEvent OnDrawCaption;
  TDescribeItemEvent OnDescribeItem;  // the item's Hint and "Open" when unset
  std::function<void()> OnPainted;    // after each painting of the window

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // Where the items stand as they are now.
  TToolbarGeometry Geometry() const;
  int ItemAt(POINT point) const;
  void SetHot(int index);
  void ShowHint();
  void CancelHint();
  // update: the region to paint again (the DC is clipped to it), or null
  // for all of clip.
  void Paint(HDC dc, const RECT& clip, HRGN update);
  // band: the part of the toolbar being painted, in its coordinates.
  void PaintItem(HDC dc, size_t index, const RECT& band, HRGN update);
  // The band on a ground of that colour, into dc (the band's own buffer).
  void PaintBand(HDC dc, const RECT& band, COLORREF ground, const std::vector<RECT>& rects, HRGN update);
  void PaintClear(HDC dc, const RECT& clip, HRGN update, const std::vector<std::int32_t>& cuts, LONG tallest,
                  const std::vector<RECT>& rects);
  void InvalidateItem(int index);
  void Click(int index, UINT keys);

  // TAccessibleList
  HWND ListWindow() const override { return Handle(); }
  size_t AccessibleItemCount() const override { return items_.size(); }
  std::wstring AccessibleItemName(size_t index) const override { return items_[index].Caption; }
  std::wstring AccessibleItemDescription(size_t index) const override;
  std::wstring AccessibleItemAction(size_t index) const override;
  RECT AccessibleItemRect(size_t index) const override { return ItemRect(index); }
  int AccessibleSelection() const override { return selected_; }
  void AccessibleSelect(size_t index) override { SetSelected(static_cast<int>(index)); }
  void AccessibleDoDefaultAction(size_t index) override;

  std::vector<TToolbarItem> items_;
  HIMAGELIST images_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF background_ = RGB(0, 0, 0);
  COLORREF text_ = RGB(255, 255, 255);
  std::optional<TFills> fills_;
  bool clear_ = false;
  bool paintingHighlighted_ = false;
  TToolbarLayout layout_ = TToolbarLayout::SingleColumn;
  int columns_ = 1;
  int padding_ = 2;
  int iconSize_ = 32;
  int dpi_ = 96;
  int hot_ = -1;
  int pressed_ = -1;
  int selected_ = -1;
  POINT pressedAt_ = {0, 0};  // where the left button went down on pressed_
  bool dragAsked_ = false;    // OnBeginDrag was raised for this press
  bool tracking_ = false;
  bool showHints_ = false;
  THintWindow hint_;
  Microsoft::WRL::ComPtr<IAccessible> accessible_;  // made on the first WM_GETOBJECT
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
