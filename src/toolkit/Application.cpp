#include "toolkit/Application.h"

#include "core/base/Errors.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"
#include "toolkit/Window.h"

#include <exception>

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

void TApplication::ShowError(const std::wstring& message, HWND owner) const {
  ++messageDepth_;
  bool shown = false;
  if (errorReport_) {
    try {
      errorReport_(message);
      shown = true;
    } catch (...) {
      // The program's own box could not be shown; the system's still can.
    }
  }
  if (!shown) ::MessageBoxW(owner, message.c_str(), title_.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  --messageDepth_;
}

void TApplication::HandleCurrentException(HWND owner) const {
  try {
    throw;
  } catch (const EError& e) {
    ShowError(e.Message(), owner);
  } catch (const std::bad_alloc&) {
    ShowError(L"Out of memory.", owner);
  } catch (const std::exception& e) {
    const std::string what = e.what();
    ShowError(std::wstring(what.begin(), what.end()), owner);
  } catch (...) {
    // Nothing may leave a window procedure; what it was cannot be said.
    ShowError(L"An unexpected error occurred.", owner);
  }
}

bool TApplication::StartCom(const TComInit& com) const {
  if (SUCCEEDED(com.Result())) return true;
  ShowError(L"The program cannot start: COM could not be initialised.\r\n" +
            SystemErrorMessage(static_cast<DWORD>(com.Result())));
  return false;
}

void TApplication::PopDialog(HWND window) {
  for (auto it = dialogs_.end(); it != dialogs_.begin();) {
    --it;
    if (*it == window) {
      dialogs_.erase(it);
      return;
    }
  }
}

void TApplication::ProcessMessage(MSG& msg) {
  if (keyPreview_ && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && keyPreview_->Handle() &&
      (msg.hwnd == keyPreview_->Handle() || ::IsChild(keyPreview_->Handle(), msg.hwnd))) {
    try {
      if (keyPreview_->PreviewKey(msg)) return;
    } catch (...) {
      // A key's action failed as a click's may: reported, and the key is spent.
      HandleCurrentException(keyPreview_->Handle());
      return;
    }
  }
  for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
    if (!::IsWindow(*it)) continue;
    if (::IsDialogMessageW(*it, &msg)) return;
    break;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

int TApplication::Run() {
  MSG msg;
  while (!terminated_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    ProcessMessage(msg);
  }
  return exitCode_;
}

void TApplication::RunModal(const std::function<bool()>& done) {
  MSG msg;
  while (!terminated_ && !done()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got == -1) return;
    ProcessMessage(msg);
  }
}

void TApplication::Terminate(int exitCode) {
  if (terminated_) return;
  terminated_ = true;
  exitCode_ = exitCode;
  ::PostQuitMessage(exitCode);
}
