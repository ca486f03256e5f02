// Reading a shortcut file's header directly, for what the shell's link object
// does not report faithfully everywhere (Wine's reports every loaded file's
// show command as SW_SHOWNORMAL).
#pragma once

#include <windows.h>

#include <string>

#include "shared/ScopedWin.h"

// The show command the file's header records at offset 0x3C; 0xFFFFFFFF when
// it cannot be read.
inline DWORD HeaderShowCommand(const std::wstring& path) {
  const THandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  DWORD value = 0;
  DWORD read = 0;
  ::SetFilePointer(file.Get(), 0x3C, nullptr, FILE_BEGIN);
  ::ReadFile(file.Get(), &value, sizeof value, &read, nullptr);
  return read == sizeof value ? value : 0xFFFFFFFF;
}
