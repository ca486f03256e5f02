#include "StandInDll.h"

#include <cstdio>
#include <mutex>

namespace stand_in {

std::atomic<long> objects{0};

namespace {

HMODULE self = nullptr;
std::mutex logLock;

}  // namespace

void Record(const std::wstring& line) {
  wchar_t path[MAX_PATH * 2] = {};
  ::GetModuleFileNameW(self, path, MAX_PATH * 2);
  const std::wstring text = line + L"\n";
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
  const std::lock_guard<std::mutex> hold(logLock);
  if (FILE* out = _wfopen((std::wstring(path) + L".txt").c_str(), L"ab")) {
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
  }
}

void SetModule(HMODULE module) { self = module; }

}  // namespace stand_in

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) stand_in::SetModule(instance);
  return TRUE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return stand_in::objects == 0 ? S_OK : S_FALSE; }
