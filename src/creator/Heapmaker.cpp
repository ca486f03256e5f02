// The creator's entry. Its window is a plain placeholder until the creator's
// form is built; it already carries the application title.
#include <windows.h>

#include "shared/ScopedWin.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TComInit com;
  TApplication& app = TApplication::Instance();
  app.SetTitle(L"Create Heapview");
  ::MessageBoxW(nullptr, L"Heapfold stack creator", app.Title().c_str(), MB_OK | MB_ICONINFORMATION);
  return 0;
}
