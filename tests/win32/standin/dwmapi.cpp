// A dwmapi.dll for tests: desktop composition is on (unless the environment
// variable HEAPFOLD_DWM_COMPOSITION is "0"), and every request to extend a
// window's frame is appended as the line "hwnd left right top bottom"
// (decimal handle, then cxLeftWidth cxRightWidth cyTopHeight cyBottomHeight)
// and every DWORD window attribute set as "hwnd attribute number value" to
// dwmapi-calls.txt in this DLL's own folder, so a test can see what a
// program asked for.
//
// With HEAPFOLD_HIGH_CONTRAST "1" in the program's environment it also turns
// high contrast on for the program, which Wine cannot do: once loaded it
// stays loaded and answers the program's own SPI_GETHIGHCONTRAST queries
// (its import of SystemParametersInfoW is pointed here). With
// HEAPFOLD_WINDOWS_BUILD set to a build number it makes the program's
// GetVersionExW report Windows 10.0 of that build (Windows 11 is 22000 and
// later), which Wine's version names cannot; the program sees it from its
// first use of the DWM on.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
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

bool EnvironmentSays(const wchar_t* name, const wchar_t* wanted) {
  wchar_t value[8] = L"";
  const DWORD length = ::GetEnvironmentVariableW(name, value, 8);
  return length > 0 && length < 8 && std::wcscmp(value, wanted) == 0;
}

using TSystemParametersInfo = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
TSystemParametersInfo g_systemParametersInfo = nullptr;

BOOL WINAPI HighContrastParametersInfo(UINT action, UINT parameter, PVOID data, UINT update) {
  if (action == SPI_GETHIGHCONTRAST && data) {
    auto* contrast = static_cast<HIGHCONTRASTW*>(data);
    if (contrast->cbSize != sizeof(HIGHCONTRASTW)) return FALSE;
    contrast->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    contrast->lpszDefaultScheme = nullptr;
    return TRUE;
  }
  return g_systemParametersInfo(action, parameter, data, update);
}

// Points the program's import of a function to a replacement.
template <typename F>
void RedirectImport(const char* dll, const char* function, F replacement, F& original) {
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
       ++entry) {
    if (::lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
        base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) != 0) continue;
      DWORD protection = 0;
      if (!::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection)) return;
      original = reinterpret_cast<F>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
    }
  }
}

using TGetVersionEx = BOOL(WINAPI*)(OSVERSIONINFOW*);
TGetVersionEx g_getVersionEx = nullptr;
DWORD g_build = 0;

BOOL WINAPI GetVersionOfBuild(OSVERSIONINFOW* info) {
  if (!g_getVersionEx(info)) return FALSE;
  info->dwMajorVersion = 10;
  info->dwMinorVersion = 0;
  info->dwBuildNumber = g_build;
  return TRUE;
}

// The program frees this DLL after each use; a redirected import must
// outlive that.
bool StayLoaded() {
  HMODULE self = nullptr;
  return ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&StayLoaded), &self) != FALSE;
}

void TurnHighContrastOn() {
  if (!StayLoaded()) return;
  RedirectImport<TSystemParametersInfo>("user32.dll", "SystemParametersInfoW", &HighContrastParametersInfo,
                                        g_systemParametersInfo);
}

void ReportBuild(DWORD build) {
  if (build == 0 || !StayLoaded()) return;
  g_build = build;
  RedirectImport<TGetVersionEx>("kernel32.dll", "GetVersionExW", &GetVersionOfBuild, g_getVersionEx);
}

DWORD BuildFromEnvironment() {
  wchar_t value[16] = L"";
  const DWORD length = ::GetEnvironmentVariableW(L"HEAPFOLD_WINDOWS_BUILD", value, 16);
  return length > 0 && length < 16 ? static_cast<DWORD>(std::wcstoul(value, nullptr, 10)) : 0;
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
    if (EnvironmentSays(L"HEAPFOLD_HIGH_CONTRAST", L"1")) TurnHighContrastOn();
    ReportBuild(BuildFromEnvironment());
  }
  return TRUE;
}

HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  *enabled = EnvironmentSays(L"HEAPFOLD_DWM_COMPOSITION", L"0") ? FALSE : TRUE;
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
