// The popup menu's own menus: a sub-menu is filled when it opens, and every
// menu it made is gone once Popup returns, sub-menus included (they go with
// their parent menu, once).
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "toolkit/PopupMenu.h"
#include "toolkit/Window.h"

namespace {

// Owns the menu while it is up: opens the first sub-menu from the keyboard,
// notes each menu that opens and its sub-menus, and closes the menu once it
// waits for input with that sub-menu open.
class TMenuOwner : public TWindow {
public:
  explicit TMenuOwner(TPopupMenu& menu) : menu_(menu) {
    RegisterWindowClass(L"THeapfoldMenuOwnerTest", nullptr);
    CreateHandle(WS_EX_TOOLWINDOW, L"THeapfoldMenuOwnerTest", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1);
  }
  ~TMenuOwner() override { DestroyHandle(); }

  std::vector<HMENU> Opened;    // in the order they opened
  std::vector<HMENU> SubMenus;  // of the menus that opened, once filled

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    const bool handled = menu_.HandleOwnerMessage(message, wParam, lParam, result);
    if (message == WM_INITMENUPOPUP) {
      const auto menu = reinterpret_cast<HMENU>(wParam);
      Opened.push_back(menu);
      for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (const HMENU sub = ::GetSubMenu(menu, i)) SubMenus.push_back(sub);
      if (Opened.size() == 1) {
        ::PostMessageW(Handle(), WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
      }
    }
    if (message == WM_ENTERIDLE && Opened.size() >= 2) menu_.CloseMenu();
    if (handled) return result;
    return DefaultHandling(message, wParam, lParam);
  }

private:
  TPopupMenu& menu_;
};

// Should the keyboard or the idle notice never come, the menu still closes.
void CALLBACK CloseStuckMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

}  // namespace

TEST(PopupMenu, SubMenusAreFilledOnOpeningAndDestroyedWithTheMenu) {
  TPopupMenu menu;
  int fills = 0;
  TMenuItem& folder = menu.Root.Add();
  folder.Caption = L"Folder";
  folder.SubMenu = true;
  // Rebuilt each time it opens, with a sub-menu of its own.
  folder.OnClick = [&fills](TMenuItem& item) {
    ++fills;
    item.Clear();
    TMenuItem& inner = item.Add();
    inner.Caption = L"Inner";
    inner.SubMenu = true;
    item.Add().Caption = L"File";
  };
  menu.Root.Add().Caption = L"Other";
  int closes = 0;
  menu.OnClosePopup = [&closes] { ++closes; };

  for (int showing = 1; showing <= 2; ++showing) {
    SCOPED_TRACE(showing);
    TMenuOwner owner(menu);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, &CloseStuckMenu);
    menu.Popup(owner.Handle(), {10, 10});
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(closes, showing);
    ASSERT_EQ(owner.Opened.size(), 2u);
    EXPECT_EQ(fills, showing);
    // The root's sub-menu and the one inside it, made when it opened.
    ASSERT_EQ(owner.SubMenus.size(), 2u);
    EXPECT_EQ(owner.SubMenus[0], owner.Opened[1]);
    for (const HMENU gone : owner.Opened) EXPECT_FALSE(::IsMenu(gone));
    for (const HMENU gone : owner.SubMenus) EXPECT_FALSE(::IsMenu(gone));
  }
}
