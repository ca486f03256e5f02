// A window that takes the shell's file drops, for the tests of dragging out:
// started as "droptarget.exe LEFT TOP WIDTH HEIGHT", it shows a topmost window
// there and appends each dropped file's path, as a UTF-8 line, to
// "<its own path>.txt". It ends when its window is closed.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>

#include "shared/ScopedWin.h"
#include "shared/ShellDrag.h"

namespace {

std::wstring g_log;

void AppendLine(const std::wstring& text) {
  const std::wstring line = text + L"\n";
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], bytes, nullptr, nullptr);
  THandle file(::CreateFileW(g_log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) ::WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

class TDropTarget final : public IDropTarget {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&references_)); }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium))) {
      AppendLine(L"no file list");
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      ::DragQueryFileW(drop, i, &path[0], length + 1);
      path.resize(length);
      AppendLine(path);
    }
    ::ReleaseStgMedium(&medium);
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }

private:
  LONG references_ = 1;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::RevokeDragDrop(window);
    ::PostQuitMessage(0);
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const TOleInit ole;
  if (FAILED(ole.Result())) return 1;
  wchar_t self[MAX_PATH * 4] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  g_log = std::wstring(self) + L".txt";

  int count = 0;
  wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  int place[4] = {0, 0, 200, 200};
  for (int i = 0; i < 4 && i + 1 < count; ++i) place[i] = _wtoi(args[i + 1]);
  ::LocalFree(args);

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"HeapfoldTestDropTarget";
  ::RegisterClassW(&windowClass);
  const HWND window =
      ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Drop here", WS_POPUP | WS_BORDER,
                        place[0], place[1], place[2], place[3], nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  TDropTarget target;
  if (FAILED(::RegisterDragDrop(window, &target))) return 1;
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
