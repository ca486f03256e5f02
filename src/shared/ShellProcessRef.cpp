#include "shared/ShellProcessRef.h"

#include <objbase.h>

#include "shared/ComObject.h"

namespace {

// The reference the shell takes: a plain counted object. The program's own
// reference is never released, so the object lives as long as the process
// and a reference the shell releases late never reaches freed memory.
class TProcessReference final : public TComObject<IUnknown> {
public:
  bool Held() { return References() > 1; }
};

TProcessReference& Reference() {
  static TProcessReference* const reference = new TProcessReference;
  return *reference;
}

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
    set(&Reference());
    g_offered = true;
  }
}

void WithdrawShellProcessReference() {
  if (!g_offered) return;
  if (const TSetInstanceExplorer set = SetInstanceExplorer()) set(nullptr);
  g_offered = false;
}

bool ShellHoldsProcessReference() { return Reference().Held(); }

bool ProcessShowsWindowsBeside(HWND except) {
  TWindowSearch search = {except, ::GetCurrentProcessId(), false};
  ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
