// The creator's two shell pickers around what the shell does: the folder
// dialog's flags and owner, and the file the icon picker opens on.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "ScratchDir.h"
#include "core/base/Errors.h"
#include "creator/FolderBrowser.h"
#include "creator/IconDialog.h"

namespace {

TEST(FolderBrowser, FlagsMapOntoTheShellsAndAnOwnerIsNeeded) {
  const std::pair<unsigned, UINT> flags[] = {
      {0, 0},
      {bfDirsOnly, BIF_RETURNONLYFSDIRS},
      {bfComputersOnly | bfStatusText, BIF_BROWSEFORCOMPUTER | BIF_STATUSTEXT},
      {bfPrintersOnly | bfDirsOnly, BIF_BROWSEFORPRINTER | BIF_RETURNONLYFSDIRS},
  };
  for (const auto& [ours, shells] : flags) EXPECT_EQ(ShellBrowseFlags(ours), shells) << ours;

  for (HWND owner : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))}) {
    try {
      TFolderBrowser browser(owner);
      ADD_FAILURE() << "no error without a window";
    } catch (const EError& e) {
      EXPECT_EQ(e.Message(), L"I need WinControl!!!");
    }
  }
  const TFolderBrowser browser(::GetDesktopWindow());
  EXPECT_EQ(browser.Title, L"Select folder");
  EXPECT_EQ(browser.BrowseFlags, 0u);
}

TEST(IconDialog, OpensOnTheFieldsFileOrTheShellsIcons) {
  const TScratchDir dir(L"icons");
  const std::wstring icons = dir.File(L"my icons.dll");
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring shell = std::wstring(system) + L"\\SHELL32.DLL";

  const std::pair<std::wstring, std::wstring> cases[] = {
      {icons, icons},
      {L"", shell},
      {dir.Path() + L"missing.ico", shell},
      {dir.Path(), shell},                              // a folder is no icon file
      {L"%SystemRoot%\\system32\\shell32.dll", shell},  // the caller expands variables
  };
  for (const auto& [field, start] : cases) {
    TIconDialog dialog;
    dialog.FileName = field;
    EXPECT_EQ(dialog.StartFile(), start) << field;
  }
}

}  // namespace
