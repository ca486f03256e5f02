// A form moved to a monitor of another DPI: WM_DPICHANGED lays its client
// area, controls and fonts out for that DPI, the form takes the suggested
// rectangle, and coming back gives the 96-DPI layout exactly.
#include <gtest/gtest.h>

#include "core/base/Dpi.h"
#include "toolkit/Form.h"
#include "toolkit/WindowDpi.h"

namespace {

class TTestForm : public TForm {
public:
  int Changes = 0;

protected:
  void DpiChanged() override { ++Changes; }
};

RECT ClientRectOf(HWND form, HWND control) {
  RECT r = {};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LONG FontHeight(HWND control) {
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

TEST(FormDpi, LaysItselfOutAgainWhenItsDpiChanges) {
  TTestForm form;
  form.CreateForm(nullptr, L"THeapfoldDpiTestForm", L"DPI", 200, 100);
  ASSERT_EQ(form.Dpi(), kDesignDpi) << "the test prefix runs at 96 DPI";
  TButton button;
  button.Create(form.Handle(), L"OK", 10, 20, 75, 25);
  TButtonEdit edit;
  edit.Create(form.Handle(), 8, 60, 150, 21);
  const TButton& inner = edit.AddButton(L"...", 20);
  form.SetControlsFont(form.FormFont(TFontDescription{L"Arial", 8}));
  const LONG style = ::GetWindowLongW(form.Handle(), GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(form.Handle(), GWL_EXSTYLE);

  int changes = 0;
  for (const int dpi : {144, 120, 192, 96}) {
    SCOPED_TRACE(dpi);
    const SIZE outer = OuterSizeForClientAtDpi(ScaleForDpi(200, dpi), ScaleForDpi(100, dpi), static_cast<DWORD>(style),
                                               static_cast<DWORD>(exStyle), dpi);
    SIZE asked = {};
    ::SendMessageW(form.Handle(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(asked.cx, outer.cx);
    EXPECT_EQ(asked.cy, outer.cy);
    RECT suggested = {30 + dpi, 40, 30 + dpi + outer.cx, 40 + outer.cy};
    ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Changes, ++changes);
    EXPECT_EQ(form.Dpi(), dpi);

    RECT window = {}, client = {};
    ::GetWindowRect(form.Handle(), &window);
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(window.left, suggested.left);
    EXPECT_EQ(window.top, suggested.top);
    EXPECT_EQ(client.right, ScaleForDpi(200, dpi));
    EXPECT_EQ(client.bottom, ScaleForDpi(100, dpi));

    const RECT r = ClientRectOf(form.Handle(), button.Handle());
    EXPECT_EQ(r.left, ScaleForDpi(10, dpi));
    EXPECT_EQ(r.top, ScaleForDpi(20, dpi));
    EXPECT_EQ(r.right, ScaleForDpi(85, dpi));
    EXPECT_EQ(r.bottom, ScaleForDpi(45, dpi));
    EXPECT_EQ(FontHeight(button.Handle()), -::MulDiv(8, dpi, 72));
    EXPECT_EQ(FontHeight(inner.Handle()), -::MulDiv(8, dpi, 72));
    RECT innerRect = {};
    ::GetWindowRect(inner.Handle(), &innerRect);
    EXPECT_EQ(innerRect.right - innerRect.left, ScaleForDpi(20, dpi));
  }
  // The same DPI again changes nothing.
  RECT before = {}, after = {};
  ::GetWindowRect(form.Handle(), &before);
  RECT same = {0, 0, 10, 10};
  ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&same));
  ::GetWindowRect(form.Handle(), &after);
  EXPECT_EQ(form.Changes, changes);
  EXPECT_TRUE(::EqualRect(&before, &after));
}

}  // namespace
