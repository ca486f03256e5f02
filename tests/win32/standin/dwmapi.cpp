// A dwmapi.dll for tests: desktop composition is on (unless the environment
// variable HEAPFOLD_DWM_COMPOSITION is "0"), and every request to extend a
// window's frame is appended as the line "hwnd left right top bottom"
// (decimal handle, then cxLeftWidth cxRightWidth cyTopHeight cyBottomHeight)
// and every DWORD window attribute set as "hwnd attribute number value" to
// dwmapi-calls.txt in this DLL's own folder, so a test can see what a
// program asked for.
#include <windows.h>

#include <cstdint>
#include <string>

namespace {

struct TMargins {  // the DWM's MARGINS
  int cxLeftWidth;
  int cxRightWidth;
  int cyTopHeight;
  int cyBottomHeight;
};

std::wstring g_recordPath;

void Append(const std::string& line) {
  if (g_recordPath.empty()) return;
  const HANDLE file = ::CreateFileW(g_recordPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      g_recordPath.assign(path, length);
      g_recordPath.erase(g_recordPath.find_last_of(L"\\/") + 1);
      g_recordPath += L"dwmapi-calls.txt";
    }
  }
  return TRUE;
}

HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  wchar_t value[8] = L"";
  const DWORD length = ::GetEnvironmentVariableW(L"HEAPFOLD_DWM_COMPOSITION", value, 8);
  *enabled = (length == 1 && value[0] == L'0') ? FALSE : TRUE;
  return S_OK;
}

HRESULT WINAPI DwmExtendFrameIntoClientArea(HWND window, const TMargins* margins) {
  if (!margins) return E_INVALIDARG;
  Append(std::to_string(reinterpret_cast<std::uintptr_t>(window)) + " " + std::to_string(margins->cxLeftWidth) + " " +
         std::to_string(margins->cxRightWidth) + " " + std::to_string(margins->cyTopHeight) + " " +
         std::to_string(margins->cyBottomHeight) + "\r\n");
  return S_OK;
}

HRESULT WINAPI DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  if (!value || size != sizeof(DWORD)) return E_INVALIDARG;
  Append(std::to_string(reinterpret_cast<std::uintptr_t>(window)) + " attribute " + std::to_string(attribute) + " " +
         std::to_string(*static_cast<const DWORD*>(value)) + "\r\n");
  return S_OK;
}

}  // extern "C"
