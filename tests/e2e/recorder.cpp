// Stands in for a program the product starts (Heapmaker.exe, a file type's
// handler): appends its own command line, as UTF-8, to "<its own path>.txt"
// and ends. Tests read that file to see what they were handed.
#include <windows.h>

#include <string>

#include "shared/ScopedWin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH * 4] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  const std::wstring logPath = std::wstring(self) + L".txt";
  const std::wstring line = std::wstring(::GetCommandLineW()) + L"\n";
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], bytes, nullptr, nullptr);
  THandle file(::CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  DWORD written = 0;
  return ::WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) ? 0 : 1;
}
