#include "toolkit/PopupMenu.h"

#include <algorithm>

#include "core/toolkit/MenuItemLayout.h"
#include "core/toolkit/MenuTyping.h"

namespace {

constexpr int kIconSize = 16;

// The images' size: the list's own (the system's small icons grow with the
// DPI), or the small icon size when there is no list.
SIZE IconSizeOf(HIMAGELIST images) {
  int width = 0, height = 0;
  if (images && ::ImageList_GetIconSize(images, &width, &height) && width > 0 && height > 0) return {width, height};
  return {kIconSize, kIconSize};
}

// The font the system draws menus in.
TFont CreateMenuFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return TFont();
  return TFont(::CreateFontIndirectW(&metrics.lfMenuFont));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const TBrush brush(::CreateSolidBrush(color));
  ::FillRect(dc, &rect, brush.Get());
}

}  // namespace

TMenuItem& TMenuItem::Add() {
  Items.push_back(std::make_unique<TMenuItem>());
  return *Items.back();
}

void TPopupMenu::ForgetMenus(TMenuItem& parent) {
  for (const auto& item : parent.Items) {
    item->menu_ = nullptr;
    ForgetMenus(*item);
  }
}

void TPopupMenu::Fill(HMENU menu, TMenuItem& parent) {
  // DeleteMenu destroys the sub-menus of the items it deletes, and theirs in
  // turn: the handles the items below kept are gone, and the system may hand
  // the same values to menus made later.
  while (::GetMenuItemCount(menu) > 0) ::DeleteMenu(menu, 0, MF_BYPOSITION);
  ForgetMenus(parent);
  for (const auto& owned : parent.Items) {
    TMenuItem& item = *owned;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    // Drawn by this menu in its colours, or by the system with the icon
    // drawn by this menu; either way the icon is looked up on first draw.
    const UINT ownerDraw = Colors ? MFT_OWNERDRAW : 0;
    if (item.Separator) {
      info.fMask = MIIM_FTYPE | MIIM_DATA;
      info.fType = MFT_SEPARATOR | ownerDraw;
      info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
      ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &info);
      continue;
    }
    info.fMask = MIIM_STRING | MIIM_DATA | MIIM_ID | MIIM_FTYPE;
    info.fType = ownerDraw;
    info.dwTypeData = const_cast<wchar_t*>(item.Caption.c_str());
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    if (!Colors) {
      info.fMask |= MIIM_BITMAP;
      info.hbmpItem = HBMMENU_CALLBACK;
    }
    commands_.push_back(&item);
    info.wID = static_cast<UINT>(commands_.size());
    TMenu subMenu;
    if (item.SubMenu) {
      subMenu.Reset(::CreatePopupMenu());
      PaintBackground(subMenu.Get());
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = subMenu.Get();
    }
    if (!::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &info)) continue;
    // Once inserted, the sub-menu belongs to its parent menu, which destroys
    // it with itself.
    item.menu_ = subMenu.Release();
  }
}

TMenuItem* TPopupMenu::ItemOfMenu(TMenuItem& parent, HMENU menu) {
  for (const auto& item : parent.Items) {
    if (item->menu_ == menu) return item.get();
    if (TMenuItem* found = ItemOfMenu(*item, menu)) return found;
  }
  return nullptr;
}

bool TPopupMenu::OwnsMenu(HMENU menu) { return menu && (menu == root_.Get() || ItemOfMenu(Root, menu)); }

void TPopupMenu::CloseMenu() {
  if (root_) ::EndMenu();
}

void TPopupMenu::DestroyShownMenu() {
  root_.Reset();  // with every sub-menu in it
  ForgetMenus(Root);
  background_.Reset();
  font_.Reset();
}

void TPopupMenu::PaintBackground(HMENU menu) {
  if (!background_ || !menu) return;
  MENUINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = background_.Get();
  ::SetMenuInfo(menu, &info);
}

void TPopupMenu::Popup(HWND owner, POINT at) {
  commands_.clear();
  root_.Reset(::CreatePopupMenu());
  const HMENU root = root_.Get();
  if (Colors) {
    background_.Reset(::CreateSolidBrush(Colors->Surface));
    font_ = CreateMenuFont();
    PaintBackground(root);
  }
  Fill(root, Root);
  // The owner comes to the foreground first and a null message follows the
  // tracking, so the menu takes the keyboard and a click outside closes it.
  ::SetForegroundWindow(owner);
  // The right button chooses items too, unless it opens their context menus.
  const UINT rightButton = OnItemContextMenu ? 0 : TPM_RIGHTBUTTON;
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenuEx(root, TPM_LEFTALIGN | TPM_TOPALIGN | rightButton | TPM_RETURNCMD, at.x, at.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  TMenuItem* item = chosen >= 1 && chosen <= commands_.size() ? commands_[chosen - 1] : nullptr;
  DestroyShownMenu();
  commands_.clear();
  // The chosen item runs before the menu counts as closed; an error it raises
  // still lets the menu close.
  struct TCloser {
    TPopupMenu& Menu;
    ~TCloser() {
      if (Menu.OnClosePopup) Menu.OnClosePopup();
    }
  } closer{*this};
  if (item && !item->SubMenu && item->OnClick) item->OnClick(*item);
}

bool TPopupMenu::HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITMENUPOPUP: {
      const HMENU menu = reinterpret_cast<HMENU>(wParam);
      TMenuItem* item = ItemOfMenu(Root, menu);
      if (!item) return false;
      // The sub-menu is rebuilt every time it opens.
      if (item->OnClick) item->OnClick(*item);
      Fill(menu, *item);
      result = 0;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU) return false;
      if (Colors && measure->itemData) {
        MeasureItem(*measure);
        result = TRUE;
        return true;
      }
      const SIZE icon = IconSizeOf(Images);
      measure->itemWidth = static_cast<UINT>(icon.cx);
      measure->itemHeight = static_cast<UINT>(icon.cy);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || draw->itemData == 0) return false;
      if (!OwnsMenu(reinterpret_cast<HMENU>(draw->hwndItem))) return false;
      if (Colors) {
        DrawItem(*draw);
        result = TRUE;
        return true;
      }
      auto* item = reinterpret_cast<TMenuItem*>(draw->itemData);
      if (item->imageIndex_ == -2) item->imageIndex_ = ImageIndexOf ? ImageIndexOf(item->IconPath) : -1;
      if (Images && item->imageIndex_ >= 0) {
        const int top = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - IconSizeOf(Images).cy) / 2;
        ::ImageList_Draw(Images, item->imageIndex_, draw->hDC, draw->rcItem.left, top, ILD_TRANSPARENT);
      }
      result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      if ((HIWORD(wParam) & MF_SYSMENU) || !OwnsMenu(reinterpret_cast<HMENU>(lParam))) return false;
      result = MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
      return true;
    }
    case WM_MENURBUTTONUP: {
      const HMENU menu = reinterpret_cast<HMENU>(lParam);
      if (!OnItemContextMenu || !OwnsMenu(menu)) return false;
      MENUITEMINFOW info = {};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_DATA | MIIM_FTYPE;
      if (!::GetMenuItemInfoW(menu, static_cast<UINT>(wParam), TRUE, &info) || (info.fType & MFT_SEPARATOR) ||
          !info.dwItemData)
        return false;
      POINT screen = {0, 0};
      ::GetCursorPos(&screen);
      OnItemContextMenu(*reinterpret_cast<TMenuItem*>(info.dwItemData), screen,
                        (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
      result = 0;
      return true;
    }
    default: return false;
  }
}

void TPopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  const auto& item = *reinterpret_cast<const TMenuItem*>(measure.itemData);
  TMenuItemLayout layout = LayoutMenuSeparator(Dpi);
  if (!item.Separator) {
    const SIZE icon = IconSizeOf(Images);
    SIZE text = {0, 0};
    const TScreenDC screen;
    if (screen) {
      const TSelectObject font(screen.Get(), font_.Get());
      const std::wstring caption = MenuCaptionText(item.Caption);
      ::GetTextExtentPoint32W(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    }
    layout = LayoutMenuItem(icon.cx, icon.cy, text.cx, text.cy, Dpi);
  }
  measure.itemWidth = static_cast<UINT>(layout.Width);
  measure.itemHeight = static_cast<UINT>(layout.Height);
}

void TPopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  auto& item = *reinterpret_cast<TMenuItem*>(draw.itemData);
  const HDC dc = draw.hDC;
  const RECT& rect = draw.rcItem;
  if (item.Separator) {
    const TMenuItemLayout layout = LayoutMenuSeparator(Dpi);
    FillSolid(dc, rect, Colors->Surface);
    const RECT line = {rect.left + layout.IconLeft, rect.top + layout.LineTop, rect.right,
                       rect.top + layout.LineTop + 1};
    FillSolid(dc, line, Colors->Separator);
    return;
  }
  const bool hot = (draw.itemState & ODS_SELECTED) != 0;
  const COLORREF text = hot ? Colors->HotText : Colors->Text;
  FillSolid(dc, rect, hot ? Colors->HotFill : Colors->Surface);
  const SIZE icon = IconSizeOf(Images);
  const TMenuItemLayout layout = LayoutMenuItem(icon.cx, icon.cy, 0, 0, Dpi);
  if (item.imageIndex_ == -2) item.imageIndex_ = ImageIndexOf ? ImageIndexOf(item.IconPath) : -1;
  if (Images && item.imageIndex_ >= 0)
    ::ImageList_Draw(Images, item.imageIndex_, dc, rect.left + layout.IconLeft,
                     rect.top + (rect.bottom - rect.top - icon.cy) / 2, ILD_TRANSPARENT);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, text);
  RECT textRect = {rect.left + layout.TextLeft, rect.top, rect.right - layout.ArrowWidth, rect.bottom};
  {
    const TSelectObject font(dc, font_.Get());
    std::wstring caption = MenuCaptionText(item.Caption);
    ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (!item.SubMenu) return;
  // The sub-menu's arrow, a small triangle in the text's colour; the band
  // is kept from the system, whose own arrow ignores the colours.
  const RECT arrow = {rect.right - layout.ArrowWidth, rect.top, rect.right, rect.bottom};
  const int half = std::max<int>(2, icon.cy / 4);  // half the triangle's height
  const int midY = (rect.top + rect.bottom) / 2, left = arrow.left + (layout.ArrowWidth - half) / 2;
  const POINT triangle[] = {{left, midY - half}, {left + half, midY}, {left, midY + half}};
  {
    const TBrush fill(::CreateSolidBrush(text));
    const TPen outline(::CreatePen(PS_SOLID, 1, text));
    const TSelectObject brush(dc, fill.Get()), pen(dc, outline.Get());
    ::Polygon(dc, triangle, 3);
  }
  ::ExcludeClipRect(dc, arrow.left, arrow.top, arrow.right, arrow.bottom);
}

LRESULT TPopupMenu::MenuChar(wchar_t typed, HMENU menu) {
  // The items whose captions start with the letter; the next one after the
  // highlighted item is selected, or run when it is the only one.
  const int count = ::GetMenuItemCount(menu);
  std::vector<TMenuTypingItem> items(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_STATE | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    TMenuTypingItem& shown = items[static_cast<std::size_t>(i)];
    shown.Highlighted = (info.fState & MFS_HILITE) != 0;
    if (const auto* item = reinterpret_cast<const TMenuItem*>(info.dwItemData)) shown.Caption = item->Caption;
  }
  const TMenuTypingChoice choice = MenuTypingChoice(items, typed);
  switch (choice.Action) {
    case TMenuTypingAction::Execute: return MAKELRESULT(choice.Index, MNC_EXECUTE);
    case TMenuTypingAction::Select: return MAKELRESULT(choice.Index, MNC_SELECT);
    default: return MAKELRESULT(0, MNC_IGNORE);
  }
}
