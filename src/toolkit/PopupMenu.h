// TPopupMenu: a cascading popup menu of items with captions, hints, tags and
// shell icons. Sub-menus are filled when they are about to open (OnClick of a
// sub-menu item is raised then, so the item can rebuild its children), and
// an item's icon is looked up only when the item is first drawn, so a folder
// of thousands of entries opens at once. Typing a letter chooses the items
// whose captions start with it, since not every system does so for menus
// without mnemonics.
//
// The menu is tracked modally by Popup; the window that owns it must hand its
// messages to HandleOwnerMessage while the menu is up.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shared/ScopedWin.h"

struct TMenuItem {
  std::wstring Caption;  // shown as it stands ("&&" shows one "&")
  std::wstring Hint;
  int Tag = 0;
  bool SubMenu = false;
  bool Separator = false;
  std::wstring IconPath;  // whose icon the item shows, looked up on first draw
  // Plain items: raised when chosen, after the menu has closed. Sub-menu
  // items: raised each time the sub-menu is about to open.
  std::function<void(TMenuItem&)> OnClick;

  std::vector<std::unique_ptr<TMenuItem>> Items;  // a sub-menu's items
  TMenuItem& Add();
  void Clear() { Items.clear(); }

private:
  friend class TPopupMenu;
  // Of a sub-menu item: its popup menu while shown, owned by the menu that
  // holds the item; null once that menu is destroyed or refilled.
  HMENU menu_ = nullptr;
  int imageIndex_ = -2;  // -2: not looked up yet
};

class TPopupMenu {
public:
  TPopupMenu() = default;
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem Root;
  HIMAGELIST Images = nullptr;  // small icons; not owned
  // Set: the menu draws its items itself in these colours, on its own
  // background brush, with spacing for Dpi. Unset: the system draws them and
  // the menu only their icons.
  struct TColors {
    COLORREF Surface = 0, Text = 0, HotFill = 0, HotText = 0, Separator = 0;
  };
  std::optional<TColors> Colors;
  int Dpi = 96;
  // Gives the image index of a path in Images (called on an item's first draw).
  std::function<int(const std::wstring& path)> ImageIndexOf;
  // Raised when the menu has closed, whether an item was chosen or not.
  std::function<void()> OnClosePopup;
  // Raised when an item is right-clicked while the menu is up, with the
  // pointer's screen point and whether Shift is held; the handler may close
  // the menu to show one of its own. While set, the right button chooses no
  // items.
  std::function<void(TMenuItem& item, POINT screen, bool extended)> OnItemContextMenu;

  // Shows the menu at a screen point and tracks it until it closes; then
  // runs the chosen item's OnClick and OnClosePopup.
  void Popup(HWND owner, POINT at);
  // Closes the menu while it is up, as if nothing was chosen.
  void CloseMenu();
  // The owner's messages while the menu is up; true when handled, with the
  // message's result.
  bool HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
  // Empties a menu (destroying its sub-menus) and fills it with the items of
  // parent.
  void Fill(HMENU menu, TMenuItem& parent);
  // Clears the sub-menu handles of parent's items and theirs, whose menus are
  // gone.
  static void ForgetMenus(TMenuItem& parent);
  // Destroys the root menu, if any, and with it every sub-menu.
  void DestroyShownMenu();
  TMenuItem* ItemOfMenu(TMenuItem& parent, HMENU menu);
  // Whether a menu is this one's root or one of its sub-menus, rather than
  // another menu of the owner whose items carry other data.
  bool OwnsMenu(HMENU menu);
  LRESULT MenuChar(wchar_t typed, HMENU menu);
  // Owner-drawn items, when Colors is set.
  void MeasureItem(MEASUREITEMSTRUCT& measure);
  void DrawItem(const DRAWITEMSTRUCT& draw);
  // Gives a menu the colours' background.
  void PaintBackground(HMENU menu);

  // Command identifier - 1 to item, for this showing. A rebuilt sub-menu's
  // old items keep their slots, but no menu holds their identifiers any more.
  std::vector<TMenuItem*> commands_;
  TMenu root_;  // while shown
  // While shown with Colors: the background brush and the menu's font.
  TBrush background_;
  TFont font_;
};
