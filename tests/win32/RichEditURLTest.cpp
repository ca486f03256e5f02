// The credits' rich edit in a window of the test's own: web addresses in its
// text are found by the control, and a click on one reports that address.
#include <gtest/gtest.h>
#include <richedit.h>

#include "creator/RichEditURL.h"

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_NOTIFY && TControl::ReflectNotification(message, wParam, lParam, result)) return result;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(RichEditURL, AClickOnAnAddressReportsIt) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &ParentProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RichEditURLTestParent";
  ::RegisterClassW(&wc);
  const TOwnedWindow parent(::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr,
                                              nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(parent);
  TRichEditURL edit;
  edit.Create(parent.Get(), 0, 0, 400, 200);
  std::vector<std::wstring> clicked;
  edit.OnURLClick = [&](const std::wstring& link) { clicked.push_back(link); };
  edit.LoadRichText("{\\rtf1\\ansi {\\b Credits}\\par See http://www.example.com/page for more.\\par}");

  // "http" starts at character 12 (after "Credits", the paragraph mark and "See ").
  const auto clickAt = [&](LONG character) {
    const LRESULT at = ::SendMessageW(edit.Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(character), 0);
    const LPARAM point = MAKELPARAM(LOWORD(at) + 2, HIWORD(at) + 2);
    ::SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(edit.Handle(), WM_LBUTTONUP, 0, point);
  };
  clickAt(14);
  EXPECT_EQ(clicked, std::vector<std::wstring>{L"http://www.example.com/page"});
  clickAt(2);  // plain text
  EXPECT_EQ(clicked.size(), 1u);
}

}  // namespace
