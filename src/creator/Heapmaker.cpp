// The creator's entry: application title, the main form, the message loop.
#include <windows.h>

#include "core/viewer/CommandLine.h"
#include "creator/FormHeapmaker.h"
#include "creator/MessageDialog.h"
#include "shared/ScopedWin.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TComInit com;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  TApplication& app = TApplication::Instance();
  app.SetTitle(L"Create Heapview");
  // Errors are reported in the creator's own message box.
  app.SetErrorReport([&app](const std::wstring& message) { ShowInfo(app.Title(), message, kIconError, L"OK"); });
  if (!app.StartCom(com)) return 1;

  std::vector<std::wstring> args = TokenizeCommandLine(::GetCommandLineW());
  if (!args.empty()) args.erase(args.begin());

  TFormHeapmaker form(std::move(args));
  try {
    form.FormCreate();
  } catch (...) {
    // The error is reported; a half-built window is never shown.
    app.HandleCurrentException(nullptr);
    return 1;
  }
  if (!form.ShouldShow()) return 0;
  app.PushDialog(form.Handle());
  form.Show();
  return app.Run();
}
