#include "shared/ShellDrag.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <cstdlib>

#include "shared/ComObject.h"
#include "shared/ShellItem.h"

using Microsoft::WRL::ComPtr;

namespace {

// The drop source of a drag: it ends the drag when the left button is let
// go, cancels it on Esc or a right click, and leaves the cursors to the
// system.
class TDropSource final : public TComObject<IDropSource> {
public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed || (keyState & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// What a target that did the work itself (a move within one drive, say)
// reports through the data object rather than through the drop's effect.
DWORD PerformedEffect(IDataObject* data) {
  FORMATETC format = {static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(CFSTR_PERFORMEDDROPEFFECT)), nullptr,
                      DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  TStgMedium medium;
  if (FAILED(data->GetData(&format, medium.Put()))) return DROPEFFECT_NONE;
  DWORD effect = DROPEFFECT_NONE;
  if (medium.Get().tymed == TYMED_HGLOBAL && ::GlobalSize(medium.Get().hGlobal) >= sizeof(DWORD)) {
    if (const void* bytes = ::GlobalLock(medium.Get().hGlobal)) {
      effect = *static_cast<const DWORD*>(bytes);
      ::GlobalUnlock(medium.Get().hGlobal);
    }
  }
  return effect;
}

TDragResult Failed(HRESULT hr) { return {TDragOutcome::Failed, DROPEFFECT_NONE, hr}; }

}  // namespace

TDragResult DragShellItem(HWND owner, const std::wstring& path) {
  TShellItem item;
  if (const HRESULT hr = item.Bind(path); FAILED(hr)) return Failed(hr);
  ComPtr<IDataObject> data;
  if (const HRESULT hr = item.GetUIObject(owner, data); FAILED(hr)) return Failed(hr);
  if (!data) return Failed(E_NOINTERFACE);
  const ComPtr<TDropSource> source = MakeComObject<TDropSource>();
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr =
      ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  if (FAILED(hr)) return Failed(hr);
  // The button let go where no target took the item ends the loop as a drop
  // too, with no effect: that is a drag that came to nothing.
  if (hr == DRAGDROP_S_DROP && effect == DROPEFFECT_NONE) effect = PerformedEffect(data.Get());
  if (hr == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE) return {TDragOutcome::Dropped, effect, S_OK};
  return {};  // cancelled
}

bool BeyondDragRect(POINT down, POINT now) {
  // The metrics count the pixels on either side of the point.
  return std::abs(now.x - down.x) > ::GetSystemMetrics(SM_CXDRAG) ||
         std::abs(now.y - down.y) > ::GetSystemMetrics(SM_CYDRAG);
}
