#include "shared/WindowsVersion.h"

#include <windows.h>

TWindowsVersion ReadWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&info)) return TWindowsVersion{};
#pragma GCC diagnostic pop
  return TWindowsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}
