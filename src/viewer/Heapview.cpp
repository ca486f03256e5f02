// The viewer's entry: application title, the main form, the message loop.
#include <windows.h>

#include <memory>

#include "core/viewer/CommandLine.h"
#include "shared/ScopedWin.h"
#include "shared/ShellDrag.h"
#include "toolkit/Application.h"
#include "viewer/Main.h"
#include "viewer/Trace.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TComInit com;
  TApplication& app = TApplication::Instance();
  app.SetTitle(L"Heapfold");
  if (!app.StartCom(com)) return 1;
  StartTrace();

  std::vector<std::wstring> args = TokenizeCommandLine(::GetCommandLineW());
  if (!args.empty()) args.erase(args.begin());

  // The form's components make windows of their own as it is made, so an
  // error there is reported like one of start-up, never left uncaught.
  std::unique_ptr<TFormMain> form;
  try {
    form = std::make_unique<TFormMain>(std::move(args));
    form->FormCreate();
  } catch (...) {
    // Every error is reported, one of no known type too (the handler says
    // so); the program then ends, as a half-built view is never shown.
    app.HandleCurrentException(form ? form->Handle() : nullptr);
    return 1;
  }
  form->AppRecv.Loaded();
  if (!form->ShouldShow()) return 0;
  app.SetKeyPreview(form.get());
  form->Show();
  return app.Run();
}
