#include "toolkit/ToolbarAccessible.h"

#include <wrl/client.h>

#include <new>

#include "shared/ComObject.h"

using Microsoft::WRL::ComPtr;

// __uuidof rather than IID_IAccessible throughout: MinGW's uuid and oleacc
// libraries both define that symbol, and linking both fails.

namespace {

BSTR MakeBstr(const std::wstring& text) { return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

// A BSTR result: S_FALSE with none for empty text, E_OUTOFMEMORY when the
// string cannot be made.
HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = MakeBstr(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

class TListAccessible final : public TComObject<IAccessible, IDispatch> {
public:
  TListAccessible(TAccessibleList& list, ComPtr<IAccessible> standard) : list_(&list), standard_(std::move(standard)) {}

  void Disconnect() { list_ = nullptr; }

  // IDispatch: screen readers use the interface's methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!list_) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!list_) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(list_->AccessibleItemCount());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    return S_FALSE;  // items are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    if (IsSelf(child)) return list_ ? standard_->get_accName(child, name) : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    return ReturnText(list_->AccessibleItemName(index), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    size_t index = 0;
    if (!IsSelf(child))
      if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (!description) return E_POINTER;
    *description = nullptr;
    if (IsSelf(child)) return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    return ReturnText(list_->AccessibleItemDescription(index), description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    ::VariantInit(role);
    size_t index = 0;
    if (!IsSelf(child))
      if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    if (!list_) return CO_E_OBJNOTCONNECTED;
    role->vt = VT_I4;
    role->lVal = IsSelf(child) ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    ::VariantInit(state);
    if (IsSelf(child)) return list_ ? standard_->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (list_->AccessibleSelection() == static_cast<int>(index)) {
      flags |= STATE_SYSTEM_SELECTED;
      if (HasFocus()) flags |= STATE_SYSTEM_FOCUSED;
    }
    RECT client = {};
    const RECT item = list_->AccessibleItemRect(index);
    RECT visible = {};
    ::GetClientRect(list_->ListWindow(), &client);
    if (!::IntersectRect(&visible, &client, &item) || !::IsWindowVisible(list_->ListWindow()))
      flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    if (!help) return E_POINTER;
    *help = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    ::VariantInit(focus);
    if (!list_) return CO_E_OBJNOTCONNECTED;
    if (!HasFocus()) return S_FALSE;
    const int selected = list_->AccessibleSelection();
    focus->vt = VT_I4;
    focus->lVal = selected >= 0 ? selected + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    ::VariantInit(selection);
    if (!list_) return CO_E_OBJNOTCONNECTED;
    const int selected = list_->AccessibleSelection();
    if (selected < 0) return S_FALSE;
    selection->vt = VT_I4;
    selection->lVal = selected + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    if (IsSelf(child)) return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    return ReturnText(list_->AccessibleItemAction(index), action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (IsSelf(child)) return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    if (flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) list_->AccessibleSelect(index);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (IsSelf(child)) return list_ ? standard_->accLocation(left, top, width, height, child) : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    RECT rect = list_->AccessibleItemRect(index);
    ::MapWindowPoints(list_->ListWindow(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    if (!list_) return CO_E_OBJNOTCONNECTED;
    const long count = static_cast<long>(list_->AccessibleItemCount());
    long target = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD)
        target = 1;
      else if (direction == NAVDIR_LASTCHILD)
        target = count;
      else
        return standard_->accNavigate(direction, start, end);
    } else {
      size_t index = 0;
      if (const HRESULT hr = ItemOf(start, index); FAILED(hr)) return hr;
      const long id = static_cast<long>(index) + 1;
      switch (direction) {
        case NAVDIR_NEXT:
        case NAVDIR_DOWN:
        case NAVDIR_RIGHT: target = id + 1; break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP:
        case NAVDIR_LEFT: target = id - 1; break;
        default: return E_INVALIDARG;
      }
    }
    if (target < 1 || target > count) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = target;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    ::VariantInit(hit);
    if (!list_) return CO_E_OBJNOTCONNECTED;
    POINT point = {x, y};
    ::ScreenToClient(list_->ListWindow(), &point);
    RECT client = {};
    ::GetClientRect(list_->ListWindow(), &client);
    if (!::PtInRect(&client, point)) return S_FALSE;
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    for (size_t i = 0; i < list_->AccessibleItemCount(); ++i) {
      const RECT item = list_->AccessibleItemRect(i);
      if (::PtInRect(&item, point)) hit->lVal = static_cast<long>(i) + 1;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (IsSelf(child)) return list_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    size_t index = 0;
    if (const HRESULT hr = ItemOf(child, index); FAILED(hr)) return hr;
    list_->AccessibleDoDefaultAction(index);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  // The item a child id names; E_INVALIDARG for ids out of range.
  HRESULT ItemOf(const VARIANT& child, size_t& index) const {
    if (!list_) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal < 1 || static_cast<size_t>(child.lVal) > list_->AccessibleItemCount())
      return E_INVALIDARG;
    index = static_cast<size_t>(child.lVal - 1);
    return S_OK;
  }

  bool HasFocus() const {
    const HWND focus = ::GetFocus();
    const HWND window = list_->ListWindow();
    // The view's form holds the keyboard focus for its toolbar.
    return focus && (focus == window || ::IsChild(focus, window));
  }

  TAccessibleList* list_;
  ComPtr<IAccessible> standard_;
};

}  // namespace

ComPtr<IAccessible> CreateListAccessible(TAccessibleList& list) {
  ComPtr<IAccessible> standard;
  if (FAILED(::CreateStdAccessibleObject(list.ListWindow(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(standard.GetAddressOf()))))
    return nullptr;
  return MakeComObject<TListAccessible>(list, std::move(standard));
}

void DisconnectListAccessible(IAccessible* accessible) {
  if (accessible) static_cast<TListAccessible*>(accessible)->Disconnect();
}
