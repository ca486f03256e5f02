#include "creator/FormHeapmaker.h"

#include <shlobj.h>

#include "core/base/Errors.h"
#include "core/base/PathUtils.h"
#include "core/base/WindowsVersion.h"
#include "core/creator/CreatorRules.h"
#include "core/creator/MessageBoxLayout.h"
#include "core/creator/SavePlan.h"
#include "core/viewer/CommandLine.h"
#include "creator/About.h"
#include "creator/ButtonImages.h"
#include "creator/ControlIds.h"
#include "creator/MessageDialog.h"
#include "creator/PinnedStacks.h"
#include "creator/Prefs.h"
#include "creator/SpecialFolders.h"
#include "creator/UpdateOffer.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "shared/SystemLook.h"
#include "shared/WindowsVersion.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"

namespace {

const wchar_t kFormClass[] = L"THeapmakerForm";
constexpr int kClientWidth = 336;
constexpr int kClientHeight = 280;            // the status panel lies just below
constexpr int kClientHeightWithStatus = 328;  // the status panel shows
constexpr UINT kStatusMilliseconds = 15000;
constexpr int kEditButtonWidth = 20;

// How long the status panel stays after a save. The end-to-end tests shorten
// it through a value of their own, which users never have.
UINT StatusPanelMilliseconds() {
  try {
    const std::int32_t value =
        RegReadInteger(kRegCompany, kRegApplication, L"Testing", L"StatusPanelMilliseconds", kStatusMilliseconds);
    return value > 0 ? static_cast<UINT>(value) : kStatusMilliseconds;
  } catch (const EError&) {
    return kStatusMilliseconds;
  }
}

}  // namespace

TFormHeapmaker::TFormHeapmaker(std::vector<std::wstring> args) : args_(std::move(args)) {}

void TFormHeapmaker::FormCreate() {
  CreateFormWindow();
  CreateControls();
  PlaceOnMonitorUnderCursor();

  const TCreatorCommand command = ParseCreatorCommand(args_);
  switch (command.Mode) {
    case TCreatorMode::Edit: StartEditMode(command.EditFolder); break;
    case TCreatorMode::Create: StartCreateMode(); break;
    default:
      RunOneShotAction(command.Mode);
      endWithoutWindow_ = true;
      break;
  }

  HideDonateOnWindows7();
  ApplyFont();
  StatusTimer.SetInterval(StatusPanelMilliseconds());
  StatusTimer.OnTimer = [this] { TimerStatusEvent(); };
  StatusTimer.SetEnabled(false);
}

void TFormHeapmaker::CreateFormWindow() {
  // The program's own icon on the caption bar and the taskbar (a shared resource icon).
  TWindow::RegisterWindowClass(kFormClass, ::GetSysColorBrush(COLOR_BTNFACE),
                               ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  CreateFormHandle(exStyle, kFormClass, L"Create a new Heapfold", style, kClientWidth, kClientHeight, nullptr);
  ApplyAppsFrame(Handle());
}

void TFormHeapmaker::CreateControls() {
  const HWND form = Handle();
  Hints.Create(form);
  CreateButtonImages(ILButtons, Dpi());

  // Created from top to bottom, which is also the order Tab walks.
  LblFolder.Create(form, L"Folder to use for stack:", 8, 8, 321, 14);
  EditFolder.Create(form, 8, 24, 321, 21);
  TButton& chooseFolder = EditFolder.AddButton(L"...", kEditButtonWidth);
  chooseFolder.SetId(kIdBtnChooseFolder);
  chooseFolder.OnClick = [this] { BEditFolderSubEditButton0Click(); };
  EditFolder.OnChange = [this] { EditFolderChange(); };
  DlgFolder = std::make_unique<TFolderBrowser>(form);
  DlgFolder->Title = L"Select folder to use for stack";
  DlgFolder->BrowseFlags = bfDirsOnly;
  Hints.Add(chooseFolder.Handle(), L"Choose Any Folder");

  LblCaption.Create(form, L"Caption:", 8, 56, 233, 14);
  EditName.Create(form, 8, 72, 233, 21);
  EditName.OnKeyPress = [this](wchar_t& key) { EditNameKeyPress(key); };
  LblStackType.Create(form, L"Stack Type:", 248, 56, 81, 14);
  CboStackType.Create(form, 248, 72, 81, 120);
  for (const wchar_t* item : {L"Stack", L"Grid", L"Menu"}) CboStackType.AddItem(item);
  CboStackType.SetItemIndex(0);

  LblIcon.Create(form, L"Icon (leave blank for folder's default icon):", 8, 104, 321, 14);
  EditIcon.Create(form, 8, 120, 321, 21);
  TButton& chooseIcon = EditIcon.AddButton(L"...", kEditButtonWidth);
  chooseIcon.SetId(kIdBtnChooseIcon);
  chooseIcon.OnClick = [this] { BEditIconSubEditButton0Click(); };
  EditIcon.OnChange = [this] { EditIconChange(); };

  // The order stands right of the first three options, below the type.
  ChkExplore.Create(form, L"Show \"Explore\" item on the stack", 8, 152, 233, 17);
  ChkBrowse.Create(form, L"Browse subfolders within the stack", 8, 168, 233, 17);
  ChkHideExt.Create(form, L"Hide file extensions", 8, 184, 233, 17);
  LblSortBy.Create(form, L"Sort by:", 248, 152, 81, 14);
  CboSortBy.Create(form, 248, 168, 81, 120);
  for (const std::wstring& item : SortOrderCaptions()) CboSortBy.AddItem(item);
  CboSortBy.SetItemIndex(0);
  ChkShowThumbs.Create(form, L"Display thumbnails of images in Grid (slower)", 8, 200, 321, 17);
  ChkClear.Create(form, L"Use transparent (non-glossy) look", 8, 224, 250, 17);
  LblDonate.Create(form, L"Donate!", 264, 225, 66, 15);
  LblDonate.OnClick = [this] { LblDonateClick(); };

  BtnCreateShortcut.Create(form, L"Create Shortcut on Desktop", 8, 248, 161, 25, true);
  BtnCreateShortcut.OnClick = [this] { BtnCreateShortcutClick(); };
  BtnCheckNewVersion.Create(form, 176, 248, 25, 25);
  BtnCheckNewVersion.OnClick = [this] { BtnCheckNewVersionClick(); };
  Hints.Add(BtnCheckNewVersion.Handle(), L"Check for latest version");
  BtnPrefs.Create(form, 204, 248, 25, 25);
  BtnPrefs.OnClick = [this] { BtnPrefsClick(); };
  Hints.Add(BtnPrefs.Handle(), L"Preferences");
  BtnAbout.Create(form, 232, 248, 25, 25);
  BtnAbout.OnClick = [this] { BtnAboutClick(); };
  Hints.Add(BtnAbout.Handle(), L"About Heapfold");
  SetButtonImages();
  BtnClose.Create(form, L"Close", 264, 248, 65, 25);
  BtnClose.OnClick = [this] { BtnCloseClick(); };

  GrpStatus.Create(form, L"Status", 8, 280, 321, 41);
  LblStatus.Create(form, L"", 16, 296, 305, 17);
  // Above the group box, which would otherwise paint over it.
  ::SetWindowPos(LblStatus.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const std::pair<TControl*, int> ids[] = {
      {&LblFolder, kIdLblFolder},
      {&EditFolder, kIdEditFolder},
      {&LblCaption, kIdLblCaption},
      {&EditName, kIdEditName},
      {&LblStackType, kIdLblStackType},
      {&CboStackType, kIdCboStackType},
      {&LblIcon, kIdLblIcon},
      {&EditIcon, kIdEditIcon},
      {&ChkExplore, kIdChkExplore},
      {&ChkBrowse, kIdChkBrowse},
      {&ChkHideExt, kIdChkHideExt},
      {&LblSortBy, kIdLblSortBy},
      {&CboSortBy, kIdCboSortBy},
      {&ChkShowThumbs, kIdChkShowThumbs},
      {&ChkClear, kIdChkClear},
      {&LblDonate, kIdLblDonate},
      {&BtnCreateShortcut, kIdBtnCreateShortcut},
      {&BtnCheckNewVersion, kIdBtnCheckNewVersion},
      {&BtnPrefs, kIdBtnPrefs},
      {&BtnAbout, kIdBtnAbout},
      {&BtnClose, kIdBtnClose},
      {&GrpStatus, kIdGrpStatus},
      {&LblStatus, kIdLblStatus},
  };
  for (const auto& [control, id] : ids) control->SetId(id);
}

void TFormHeapmaker::SetButtonImages() {
  BtnCheckNewVersion.SetImage(ILButtons.Handle(), kImgNewVersion);
  BtnPrefs.SetImage(ILButtons.Handle(), kImgPreferences);
  BtnAbout.SetImage(ILButtons.Handle(), kImgMakerLogo);
}

void TFormHeapmaker::DpiChanged() {
  CreateButtonImages(ILButtons, Dpi());
  SetButtonImages();
}

void TFormHeapmaker::ApplyFont() {
  ApplySystemFont(fontDescription_);
  const HFONT font = FormFont(fontDescription_);
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  TControl* controls[] = {&LblFolder,    &EditFolder,        &LblCaption, &EditName,      &LblStackType,
                          &CboStackType, &LblIcon,           &EditIcon,   &ChkExplore,    &ChkBrowse,
                          &ChkHideExt,   &LblSortBy,         &CboSortBy,  &ChkShowThumbs, &ChkClear,
                          &LblDonate,    &BtnCreateShortcut, &BtnClose,   &GrpStatus,     &LblStatus};
  for (TControl* control : controls) control->SetFont(font);
}

void TFormHeapmaker::PlaceOnMonitorUnderCursor() {
  // Laid out for that monitor first, so it is centred with the size it shows at.
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ApplyDpi(DpiOfArea(RECT{cursor.x, cursor.y, cursor.x + 1, cursor.y + 1}));
  MonitorIndex = CentreOnMonitorUnderCursor(Handle());
}

void TFormHeapmaker::RunOneShotAction(TCreatorMode mode) {
  switch (mode) {
    case TCreatorMode::About: BtnAboutClick(); break;
    case TCreatorMode::Donate: LblDonateClick(); break;
    case TCreatorMode::Prefs: BtnPrefsClick(); break;
    case TCreatorMode::WebUpdate: BtnCheckNewVersionClick(); break;
    default: break;
  }
}

void TFormHeapmaker::StartEditMode(const std::wstring& wanted) {
  EditMode = true;
  EditShortcutPath = FindPinnedStack(wanted);
  if (!EditShortcutPath.empty()) {
    FillFromPinnedStack();
    return;
  }
  // Nothing to edit: the folder is kept, and a new stack can be made of it.
  Notice(L"No stack of the folder \"" + wanted +
             L"\" is pinned to the taskbar, so there is none to edit.\n\nYou can create a new stack for it instead.",
         kIconInformation);
  EditMode = false;
  StartCreateMode();
  EditFolder.SetText(wanted);
}

void TFormHeapmaker::FillFromPinnedStack() {
  const TShellLinkInfo info = ReadShellLink(EditShortcutPath);
  const TStackSettings settings = ReadStackArguments(info.Arguments);
  ::SetWindowTextW(Handle(), L"Edit this Heapfold");
  EditFolder.SetText(settings.Folder);
  EditFolder.SetEnabled(false);
  EditName.SetText(ExtractFileNameNoExt(EditShortcutPath));
  EditName.SetEnabled(false);
  EditIcon.SetText(JoinIconField(info.IconPath, info.IconIndex));
  CboStackType.SetItemIndex(IndexOfStackType(settings.Type));
  ChkExplore.SetChecked(settings.Options.ShowExplore);
  ChkBrowse.SetChecked(settings.Options.BrowseFolders);
  ChkHideExt.SetChecked(settings.Options.HideExtensions);
  ChkShowThumbs.SetChecked(settings.Options.ShowThumbnails);
  ChkClear.SetChecked(settings.Options.Clear);
  CboSortBy.SetItemIndex(IndexOfSortOrder(settings.Options.Sort));
  BtnCreateShortcut.SetText(L"Edit this stack's shortcut");
}

void TFormHeapmaker::StartCreateMode() {
  EditFolder.SetEnabled(true);
  EditName.SetEnabled(true);
  ChkExplore.SetChecked(true);
  ChkBrowse.SetChecked(true);
  ChkHideExt.SetChecked(false);
  ChkShowThumbs.SetChecked(false);
  ChkClear.SetChecked(false);
  TButton& special = EditFolder.AddButton(L"SF", kEditButtonWidth);
  special.SetId(kIdBtnSpecialFolder);
  special.OnClick = [this] { SpecialFolderButtonClick(); };
  Hints.Add(special.Handle(), L"Choose Special Folder");
}

void TFormHeapmaker::HideDonateOnWindows7() {
  if (IsWindows7OrLater(ReadWindowsVersion())) LblDonate.SetVisible(false);
}

void TFormHeapmaker::SetClientHeight(int height) { SetClientSize(kClientWidth, height); }

void TFormHeapmaker::TimerStatusEvent() {
  StatusTimer.SetEnabled(false);
  SetClientHeight(kClientHeight);
}

// Saving

void TFormHeapmaker::BtnCreateShortcutClick() {
  const std::wstring caption = EditName.Text();
  TSaveFacts facts;
  facts.EditMode = EditMode;
  facts.EditShortcutPath = EditShortcutPath;
  facts.ProgramFolder = GetProgramFolder();
  facts.ResolvedPinnedEntries = ResolvedPinnedEntries;
  facts.DesktopFolder = [] { return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY); };
  facts.EntryAt = [](const std::wstring& path) {
    if (!FileExists(path)) return TDesktopEntry::None;
    return IsStackShortcut(path) ? TDesktopEntry::StackShortcut : TDesktopEntry::OtherFile;
  };
  const TSavePlan plan = PlanSave(Settings(), caption, facts);
  if (plan.Warning) {
    Notice(*plan.Warning, kIconWarning);
    return;
  }
  if (plan.ReplaceQuestion && !Ask(*plan.ReplaceQuestion)) return;

  TShellLinkInfo info;
  if (plan.KeepPinnedLink) {
    info = ReadShellLink(plan.Path);  // keeps its target, show command and hot key
  } else {
    info.TargetPath = plan.TargetPath;
  }
  info.Description = plan.Description;
  info.WorkingFolder = plan.WorkingFolder;
  ChooseIcon(info);
  info.Arguments = plan.Arguments;
  if (plan.ReplaceForeignFile) {
    ReplaceWithShellLink(plan.Path, info);
  } else {
    SaveShellLink(plan.Path, info);
  }

  LblStatus.SetText(plan.StatusText);
  SetClientHeight(kClientHeightWithStatus);
  StatusTimer.SetEnabled(false);
  StatusTimer.SetEnabled(true);
}

TStackSettings TFormHeapmaker::Settings() const {
  TStackSettings settings;
  settings.Folder = EditFolder.Text();
  settings.Type = StackTypeOfIndex(CboStackType.ItemIndex());
  settings.Options.ShowExplore = ChkExplore.Checked();
  settings.Options.BrowseFolders = ChkBrowse.Checked();
  settings.Options.HideExtensions = ChkHideExt.Checked();
  settings.Options.ShowThumbnails = ChkShowThumbs.Checked();
  settings.Options.Clear = ChkClear.Checked();
  settings.Options.Sort = SortOrderOfIndex(CboSortBy.ItemIndex());
  return settings;
}

void TFormHeapmaker::ChooseIcon(TShellLinkInfo& info) {
  const std::wstring folder = EditFolder.Text();
  const TIconLocation icon = ChooseStackIcon(
      EditIcon.Text(),
      [&] {
        TIconLocation location;
        SysImg.GetIconLocation(folder, 0, location.Index, location.Path);
        return location;
      },
      info.TargetPath);
  info.IconPath = icon.Path;
  info.IconIndex = icon.Index;
}

// The pickers

void TFormHeapmaker::EditFolderChange() { DlgFolder->Folder = EditFolder.Text(); }

void TFormHeapmaker::BEditFolderSubEditButton0Click() {
  if (!DlgFolder->Execute()) return;
  const std::wstring folder = DlgFolder->Folder;
  EditFolder.SetText(folder);
  EditName.SetText(ProposeCaption(folder, true));
}

void TFormHeapmaker::SpecialFolderButtonClick() {
  BuildSpecialFolderMenu();
  RECT button = {};
  ::GetWindowRect(EditFolder.Buttons().back()->Handle(), &button);
  PMenuFolders.Popup(Handle(), POINT{button.left, button.bottom});
}

void TFormHeapmaker::BuildSpecialFolderMenu() {
  ::BuildSpecialFolderMenu(PMenuFolders, SysImg, [this](int csidl) { PMenuFoldersGetFolderClick(csidl); });
}

void TFormHeapmaker::PMenuFoldersGetFolderClick(int csidl) {
  const std::wstring folder = GetSpecialFolderPath(csidl);
  EditFolder.SetText(folder);
  EditName.SetText(ProposeCaption(EditFolder.Text(), false));
}

void TFormHeapmaker::EditIconChange() {
  const TIconField field = SplitIconField(EditIcon.Text());
  DlgIcon.FileName = field.Path;
  DlgIcon.IconIndex = field.Index;
}

void TFormHeapmaker::BEditIconSubEditButton0Click() {
  const TIconField field = SplitIconField(EditIcon.Text());
  DlgIcon.FileName = ExpandEnvVars(field.Path);
  DlgIcon.IconIndex = field.Index;
  if (!DlgIcon.Execute()) {
    EditIconChange();  // the picker's start file does not replace the field's path
    return;
  }
  // The same file as the field's keeps the field's variables, so the stack
  // follows the system folder wherever it lies.
  const bool sameFile = ::lstrcmpiW(DlgIcon.FileName.c_str(), ExpandEnvVars(field.Path).c_str()) == 0;
  EditIcon.SetText(JoinIconField(sameFile ? field.Path : DlgIcon.FileName, DlgIcon.IconIndex));
}

void TFormHeapmaker::EditNameKeyPress(wchar_t& key) {
  if (!IsRefusedCaptionCharacter(key)) return;
  key = 0;
  ::MessageBeep(0);
}

// The dialogs

void TFormHeapmaker::BtnPrefsClick() {
  TFormPrefs prefs;
  prefs.FormCreate(Handle());
  prefs.ShowModal();
}

void TFormHeapmaker::BtnAboutClick() {
  TFormAbout about;
  about.FormCreate(Handle());
  about.ShowModal();
}

void TFormHeapmaker::BtnCheckNewVersionClick() { CheckForNewVersion(true); }

void TFormHeapmaker::CheckForNewVersion(bool interactive) { OfferNewVersion(Handle(), interactive); }

void TFormHeapmaker::BtnCloseClick() { Close(); }

void TFormHeapmaker::LblDonateClick() { ShellOpen(kProductAddress); }

void TFormHeapmaker::Notice(const std::wstring& text, int iconType) {
  ShowInfo(TApplication::Instance().Title(), text, iconType, L"OK");
}

bool TFormHeapmaker::Ask(const std::wstring& text) {
  return ShowQuestion(TApplication::Instance().Title(), text, kIconQuestion, L"Yes", L"No") == kResultYes;
}

void TFormHeapmaker::Show() {
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  const HWND first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (first) ::SetFocus(first);
}

void TFormHeapmaker::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

LRESULT TFormHeapmaker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  // The special-folder menu, while it is up.
  if (PMenuFolders.HandleOwnerMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TControl::ReflectNotification(message, wParam, lParam, result)) return result;
      // Esc, through the dialog manager.
      if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        Close();
        return 0;
      }
      break;
    case DM_GETDEFID:
      // Enter presses the save button.
      return MAKELRESULT(::GetDlgCtrlID(BtnCreateShortcut.Handle()), DC_HASDEFID);
    case WM_ACTIVATE:
      // The control that had the focus gets it back with the window.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(Handle(), focus)) focus_ = focus;
      } else if (focus_ && ::IsWindow(focus_)) {
        ::SetFocus(focus_);
        return 0;
      }
      break;
    case WM_DESTROY: TApplication::Instance().Terminate(); break;
    default: break;
  }
  return TFormWindow::HandleMessage(message, wParam, lParam);
}
