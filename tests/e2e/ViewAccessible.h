// A view's entries as a screen reader reads them, from this process: the
// accessible object of the stack's or grid's shown toolbar.
#pragma once

#include <oleacc.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "E2eHarness.h"

namespace e2e {

// The view's toolbar: the shown window of the toolbar class (none while the
// view is rebuilt).
inline HWND ViewToolbar(HWND form) {
  for (const HWND child : ChildWindows(form))
    if (ClassNameOf(child) == L"THeapToolbar" && ::IsWindowVisible(child)) return child;
  return nullptr;
}

inline Microsoft::WRL::ComPtr<IAccessible> AccessibleOf(HWND window) {
  Microsoft::WRL::ComPtr<IAccessible> accessible;
  if (window)
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(accessible.GetAddressOf()));
  return accessible;
}

inline VARIANT Child(long id) {
  VARIANT child;
  ::VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

// The text of a BSTR, which is freed.
inline std::wstring TakeBstr(BSTR text) {
  std::wstring result = text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
  ::SysFreeString(text);
  return result;
}

// The selected entry's child id as the accessible object reports it; 0 for none.
inline long Selection(IAccessible& list) {
  VARIANT selection;
  ::VariantInit(&selection);
  if (list.get_accSelection(&selection) != S_OK || selection.vt != VT_I4) return 0;
  return selection.lVal;
}

// The names of the entries, in order; empty when one cannot be read.
inline std::vector<std::wstring> EntryNames(IAccessible& list) {
  long count = 0;
  std::vector<std::wstring> names;
  if (list.get_accChildCount(&count) != S_OK) return names;
  for (long id = 1; id <= count; ++id) {
    BSTR name = nullptr;
    if (FAILED(list.get_accName(Child(id), &name))) return {};
    names.push_back(TakeBstr(name));
  }
  return names;
}

}  // namespace e2e
