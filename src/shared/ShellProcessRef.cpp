#include "shared/ShellProcessRef.h"

#include <objbase.h>

namespace {

// The reference the shell takes: a plain counted object that lives as long
// as the process, so a reference released late never reaches freed memory.
class TProcessReference final : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid != IID_IUnknown) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&references_)); }
  bool Held() { return ::InterlockedCompareExchange(&references_, 0, 0) > 1; }

private:
  LONG references_ = 1;  // the program's own
};

TProcessReference g_reference;
bool g_offered = false;

using TSetInstanceExplorer = void(WINAPI*)(IUnknown*);

TSetInstanceExplorer SetInstanceExplorer() {
  const HMODULE shell = ::GetModuleHandleW(L"shell32.dll");
  if (!shell) return nullptr;
  return reinterpret_cast<TSetInstanceExplorer>(
      reinterpret_cast<void*>(::GetProcAddress(shell, "SHSetInstanceExplorer")));
}

struct TWindowSearch {
  HWND Except;
  DWORD Process;
  bool Found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TWindowSearch*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == search->Process && window != search->Except && ::IsWindowVisible(window)) {
    search->Found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void OfferShellProcessReference() {
  if (g_offered) return;
  if (const TSetInstanceExplorer set = SetInstanceExplorer()) {
    set(&g_reference);
    g_offered = true;
  }
}

void WithdrawShellProcessReference() {
  if (!g_offered) return;
  if (const TSetInstanceExplorer set = SetInstanceExplorer()) set(nullptr);
  g_offered = false;
}

bool ShellHoldsProcessReference() { return g_reference.Held(); }

bool ProcessShowsWindowsBeside(HWND except) {
  TWindowSearch search = {except, ::GetCurrentProcessId(), false};
  ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
