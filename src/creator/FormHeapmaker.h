// TFormHeapmaker: the creator's window. FormCreate does all of start-up before
// the window is first shown: it reads the command line and either prepares
// the window to create a new stack, fills it from a pinned stack to edit, or
// runs a one-shot action and ends without a window. Saving writes the stack
// shortcut onto the desktop, or over the pinned one being edited.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/viewer/CommandLine.h"
#include "core/creator/StackShortcut.h"
#include "creator/FolderBrowser.h"
#include "creator/IconDialog.h"
#include "shared/Desktop.h"
#include "shared/ScopedWin.h"
#include "shared/ShellLinkUtils.h"
#include "shared/SysImg.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

class TFormHeapmaker : public TFormWindow {
public:
  // args: the command line's arguments after the program.
  explicit TFormHeapmaker(std::vector<std::wstring> args);

  // Start-up. Errors propagate to the caller, which reports them.
  void FormCreate();
  // False when start-up ran a one-shot action and the program ends.
  bool ShouldShow() const { return !endWithoutWindow_ && Handle() != nullptr; }
  void Show();
  void Close();

  TLabel LblFolder;
  TButtonEdit EditFolder;
  TLabel LblCaption;
  TEdit EditName;
  TLabel LblStackType;
  TComboBox CboStackType;
  TLabel LblIcon;
  TButtonEdit EditIcon;
  TCheckBox ChkExplore;
  TCheckBox ChkBrowse;
  TCheckBox ChkHideExt;
  TLabel LblSortBy;
  TComboBox CboSortBy;
  TCheckBox ChkShowThumbs;
  TCheckBox ChkClear;
  TLinkLabel LblDonate;
  TButton BtnCreateShortcut;
  TImageButton BtnCheckNewVersion;
  TImageButton BtnPrefs;
  TImageButton BtnAbout;
  TButton BtnClose;
  TGroupBox GrpStatus;
  TLabel LblStatus;
  TToolTips Hints;
  TImageList ILButtons;
  TSysImageList SysImg;
  std::unique_ptr<TFolderBrowser> DlgFolder;
  TIconDialog DlgIcon;
  TPopupMenu PMenuFolders;

  bool EditMode = false;
  std::wstring EditShortcutPath;
  TSimpleTimer StatusTimer;
  int MonitorIndex = 0;

  void BtnCreateShortcutClick();
  void TimerStatusEvent();
  // Asks the maker's web server for a newer version and offers it
  // (OfferNewVersion). With interactive, "no update" and failures are told too.
  void CheckForNewVersion(bool interactive);

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DpiChanged() override;

private:
  void CreateFormWindow();
  void CreateControls();
  void SetButtonImages();
  void ApplyFont();
  void PlaceOnMonitorUnderCursor();
  void RunOneShotAction(TCreatorMode mode);
  void StartEditMode(const std::wstring& folder);
  void StartCreateMode();
  void FillFromPinnedStack();
  void HideDonateOnWindows7();
  void SetClientHeight(int height);

  // Saving.
  TStackSettings Settings() const;
  void ChooseIcon(TShellLinkInfo& info);

  // The pickers and the buttons with windows of their own.
  void EditFolderChange();
  void BEditFolderSubEditButton0Click();
  void SpecialFolderButtonClick();
  void BuildSpecialFolderMenu();
  void PMenuFoldersGetFolderClick(int csidl);
  void EditIconChange();
  void BEditIconSubEditButton0Click();
  void EditNameKeyPress(wchar_t& key);
  void BtnCheckNewVersionClick();
  void BtnPrefsClick();
  void BtnAboutClick();
  void BtnCloseClick();
  void LblDonateClick();

  // A notice, a warning, or a question answered Yes (true) or No.
  void Notice(const std::wstring& text, int iconType);
  bool Ask(const std::wstring& text);

  std::vector<std::wstring> args_;
  bool endWithoutWindow_ = false;
  TFontDescription fontDescription_{L"Arial", 8};
  HWND focus_ = nullptr;  // the control to give the focus back to on activation
};
