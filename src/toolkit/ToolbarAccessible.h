// What screen readers see of a toolbar: a list (the toolbar's client area)
// with one list item per toolbar item, answered through WM_GETOBJECT. Items
// are simple elements with child ids 1..n.
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>

// The toolbar facts the accessible object reads; the toolbar implements it.
class TAccessibleList {
public:
  virtual HWND ListWindow() const = 0;
  virtual size_t AccessibleItemCount() const = 0;
  virtual std::wstring AccessibleItemName(size_t index) const = 0;
  virtual std::wstring AccessibleItemDescription(size_t index) const = 0;
  virtual std::wstring AccessibleItemAction(size_t index) const = 0;
  // The item's rectangle in the list window's client coordinates.
  virtual RECT AccessibleItemRect(size_t index) const = 0;
  virtual int AccessibleSelection() const = 0;  // -1 when none
  virtual void AccessibleSelect(size_t index) = 0;
  // Carries the item's default action out later, outside the caller's call.
  virtual void AccessibleDoDefaultAction(size_t index) = 0;

protected:
  ~TAccessibleList() = default;
};

// A new accessible object over list, or
// null when the system's standard object for the window cannot be made.
// Disconnect it (only objects made here) before the list goes: clients may
// hold it longer, and its methods then fail with CO_E_OBJNOTCONNECTED.
Microsoft::WRL::ComPtr<IAccessible> CreateListAccessible(TAccessibleList& list);
void DisconnectListAccessible(IAccessible* accessible);
