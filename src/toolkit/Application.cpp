#include "toolkit/Application.h"

#include "core/Errors.h"
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
  ::MessageBoxW(owner, message.c_str(), title_.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
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

int TApplication::Run() {
  MSG msg;
  while (!terminated_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    if (keyPreview_ && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && keyPreview_->Handle() &&
        (msg.hwnd == keyPreview_->Handle() || ::IsChild(keyPreview_->Handle(), msg.hwnd))) {
      if (keyPreview_->PreviewKey(msg)) continue;
    }
    if (dialogWindow_ && ::IsWindow(dialogWindow_) && ::IsDialogMessageW(dialogWindow_, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return exitCode_;
}

void TApplication::Terminate(int exitCode) {
  if (terminated_) return;
  terminated_ = true;
  exitCode_ = exitCode;
  ::PostQuitMessage(exitCode);
}
