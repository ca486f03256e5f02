// The viewer's entry: application title, the main form, the message loop.
#include <windows.h>

#include "core/CommandLine.h"
#include "shared/ScopedWin.h"
#include "toolkit/Application.h"
#include "viewer/Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TComInit com;
  TApplication& app = TApplication::Instance();
  app.SetTitle(L"Heapfold");
  if (!app.StartCom(com)) return 1;

  std::vector<std::wstring> args = TokenizeCommandLine(::GetCommandLineW());
  if (!args.empty()) args.erase(args.begin());

  TFormMain form(std::move(args));
  try {
    form.FormCreate();
  } catch (...) {
    // The error is reported; a half-built view is never shown.
    app.HandleCurrentException(form.Handle());
    return 1;
  }
  form.AppRecv.Loaded();
  if (!form.ShouldShow()) return 0;
  app.SetKeyPreview(&form);
  form.Show();
  return app.Run();
}
