#include "toolkit/TabControl.h"

#include "toolkit/Window.h"

// A page passes what its controls tell it on to the form, where every
// control's notifications are handled.
class TTabControl::TPage : public TWindow {
protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (TControl::IsNotification(message)) return ::SendMessageW(::GetParent(Handle()), message, wParam, lParam);
    return DefaultHandling(message, wParam, lParam);
  }
};

TTabControl::TTabControl() = default;
TTabControl::~TTabControl() = default;

void TTabControl::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, WC_TABCONTROLW, L"", WS_TABSTOP, 0, x, y, width, height);
}

int TTabControl::AddTab(const std::wstring& caption) {
  std::wstring text = caption;
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = &text[0];
  const int index = static_cast<int>(pages_.size());
  ::SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));

  static const wchar_t kPageClass[] = L"THeapfoldTabPage";
  TWindow::RegisterWindowClass(kPageClass, ::GetSysColorBrush(COLOR_BTNFACE));
  const HWND parent = ::GetParent(Handle());
  const RECT area = PageArea();
  auto page = std::make_unique<TPage>();
  page->CreateHandle(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                     area.right - area.left, area.bottom - area.top, parent);
  ::SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pages_.push_back(std::move(page));
  ShowPage();
  return index;
}

RECT TTabControl::PageArea() const {
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  ::MapWindowPoints(nullptr, ::GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void TTabControl::ApplyDpi(int dpi) {
  TControl::ApplyDpi(dpi);
  const RECT area = PageArea();
  for (const auto& page : pages_) {
    ::SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND TTabControl::Page(int tab) const { return pages_.at(static_cast<std::size_t>(tab))->Handle(); }

int TTabControl::SelectedTab() const { return static_cast<int>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TTabControl::SelectTab(int tab) {
  ::SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  ShowPage();
}

void TTabControl::ShowPage() {
  const int selected = SelectedTab();
  for (std::size_t tab = 0; tab < pages_.size(); ++tab)
    ::ShowWindow(pages_[tab]->Handle(), static_cast<int>(tab) == selected ? SW_SHOWNA : SW_HIDE);
}

bool TTabControl::OnNotify(const NMHDR& header, LPARAM, LRESULT& result) {
  if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  ShowPage();
  if (OnChange) OnChange();
  result = 0;
  return true;
}
