// TFolderBrowser: the shell's folder dialog, rooted at the desktop, opened at
// a folder and owned by a window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

enum TBrowseFlag : unsigned {
  bfComputersOnly = 1u << 0,
  bfPrintersOnly = 1u << 1,
  bfDirsOnly = 1u << 2,
  bfStatusText = 1u << 3,
};

// The shell's BIF_* flags for a set of TBrowseFlag bits.
UINT ShellBrowseFlags(unsigned browseFlags);

class TFolderBrowser {
public:
  // The owner must be a window; EError "I need WinControl!!!" otherwise.
  explicit TFolderBrowser(HWND owner);

  std::wstring Title = L"Select folder";
  unsigned BrowseFlags = 0;
  // The folder selected when the dialog opens; the chosen one afterwards.
  std::wstring Folder;
  // Called as the selection changes with its file-system path (never empty);
  // enabledOk starts at -1 (leave the OK button as it is), statusText empty.
  std::function<void(const std::wstring& folder, int& enabledOk, std::wstring& statusText)> OnChangeFolder;

  // True when the user confirmed a folder (then in Folder); false on cancel,
  // with Folder unchanged.
  bool Execute();

private:
  static int CALLBACK Callback(HWND dialog, UINT message, LPARAM lParam, LPARAM data);
  HWND owner_;
};
