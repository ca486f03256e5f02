#include "creator/IconDialog.h"

#include <windows.h>

#include "shared/ExtraWinUtils.h"

namespace {

// PickIconDlg, exported by the shell by number only.
using TPickIconDlg = int(WINAPI*)(HWND owner, PWSTR path, UINT capacity, int* index);
constexpr WORD kPickIconDlgOrdinal = 62;
constexpr UINT kPathCapacity = 260;

}  // namespace

std::wstring TIconDialog::StartFile() const {
  if (!FileName.empty() && FileExists(FileName)) return FileName;
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  std::wstring folder(system, length < MAX_PATH ? length : 0);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder + L"SHELL32.DLL";
}

bool TIconDialog::Execute() {
  wchar_t path[kPathCapacity] = {};
  const std::wstring start = StartFile();
  start.copy(path, kPathCapacity - 1);
  int index = IconIndex;
  int confirmed = 0;
  if (const HMODULE shell = ::GetModuleHandleW(L"shell32.dll")) {
    const auto pick = reinterpret_cast<TPickIconDlg>(
        reinterpret_cast<void*>(::GetProcAddress(shell, MAKEINTRESOURCEA(kPickIconDlgOrdinal))));
    if (pick) confirmed = pick(nullptr, path, kPathCapacity, &index);
  }
  FileName = path;
  IconIndex = index;
  return confirmed != 0;
}
