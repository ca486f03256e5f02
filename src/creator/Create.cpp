#include "creator/Create.h"

#include <shlobj.h>

#include "core/CommandLine.h"
#include "core/Errors.h"
#include "core/ExtraStrUtils.h"
#include "core/PathUtils.h"
#include "core/Placement.h"
#include "creator/ButtonImages.h"
#include "creator/ControlIds.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "toolkit/Application.h"

namespace {

const wchar_t kFormClass[] = L"THeapmakerForm";
constexpr int kClientWidth = 336;
constexpr int kClientHeight = 280;            // the status panel lies just below
constexpr int kClientHeightWithStatus = 328;  // the status panel shows
constexpr UINT kStatusMilliseconds = 15000;
constexpr int kEditButtonWidth = 20;
const wchar_t kDonateAddress[] = L"https://www.brenwick.example/heapfold/";
const wchar_t kListSeparator[] = L"-|-";
const wchar_t kPinnedSubfolder[] = L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
constexpr std::uint32_t kPinnedAttributes = faReadOnly | faSysFile | faArchive;

std::wstring PinnedFolder() { return GetSpecialFolderPath(CSIDL_APPDATA) + kPinnedSubfolder; }

// The shortcuts and other files pinned to the taskbar, as full paths.
std::vector<std::wstring> PinnedEntries() {
  long long count = 0;
  std::wstring list;
  ListFiles(PinnedFolder() + L"\\*.*", kListSeparator, count, false, kPinnedAttributes, list);
  return SplitList(kListSeparator, list, static_cast<std::size_t>(count));
}

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

// A file that one of the stacks wrote: a shortcut that starts a viewer copy.
bool IsStackShortcut(const std::wstring& path) {
  try {
    return ReadShellLink(path).TargetPath.find(L"Heapview") != std::wstring::npos;
  } catch (const EError&) {
    return false;
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
  const SIZE outer = OuterSizeForClient(kClientWidth, kClientHeight, style, exStyle);
  CreateHandle(exStyle, kFormClass, L"Create a new Heapfold", style, 0, 0, outer.cx, outer.cy);
}

void TFormHeapmaker::CreateControls() {
  const HWND form = Handle();
  Hints.Create(form);
  CreateButtonImages(ILButtons);

  // Created from top to bottom, which is also the order Tab walks.
  LblFolder.Create(form, L"Folder to use for stack:", 8, 8, 321, 14);
  EditFolder.Create(form, 8, 24, 321, 21);
  TButton& chooseFolder = EditFolder.AddButton(L"...", kEditButtonWidth);
  chooseFolder.SetId(kIdBtnChooseFolder);
  chooseFolder.OnClick = [this] { EditFolderButtonClick(); };
  Hints.Add(chooseFolder.Handle(), L"Choose Any Folder");

  LblCaption.Create(form, L"Caption:", 8, 56, 233, 14);
  EditName.Create(form, 8, 72, 233, 21);
  LblStackType.Create(form, L"Stack Type:", 248, 56, 81, 14);
  CboStackType.Create(form, 248, 72, 81, 120);
  for (const wchar_t* item : {L"Stack", L"Grid", L"Menu"}) CboStackType.AddItem(item);
  CboStackType.SetItemIndex(0);

  LblIcon.Create(form, L"Icon (leave blank for folder's default icon):", 8, 104, 321, 14);
  EditIcon.Create(form, 8, 120, 321, 21);
  TButton& chooseIcon = EditIcon.AddButton(L"...", kEditButtonWidth);
  chooseIcon.SetId(kIdBtnChooseIcon);
  chooseIcon.OnClick = [this] { EditIconButtonClick(); };

  ChkExplore.Create(form, L"Show \"Explore\" item on the stack", 8, 152, 321, 17);
  ChkBrowse.Create(form, L"Browse subfolders within the stack", 8, 168, 321, 17);
  ChkHideExt.Create(form, L"Hide file extensions", 8, 184, 321, 17);
  ChkShowThumbs.Create(form, L"Display thumbnails of images in Grid (slower)", 8, 200, 321, 17);
  ChkClear.Create(form, L"Use transparent (non-glossy) look", 8, 224, 250, 17);
  LblDonate.Create(form, L"Donate!", 264, 225, 66, 15);
  LblDonate.OnClick = [this] { LblDonateClick(); };

  BtnCreateShortcut.Create(form, L"Create Shortcut on Desktop", 8, 248, 161, 25, true);
  BtnCreateShortcut.OnClick = [this] { BtnCreateShortcutClick(); };
  BtnCheckNewVersion.Create(form, 176, 248, 25, 25);
  BtnCheckNewVersion.SetImage(ILButtons.Handle(), kImgNewVersion);
  BtnCheckNewVersion.OnClick = [this] { BtnCheckNewVersionClick(); };
  Hints.Add(BtnCheckNewVersion.Handle(), L"Check for latest version");
  BtnPrefs.Create(form, 204, 248, 25, 25);
  BtnPrefs.SetImage(ILButtons.Handle(), kImgPreferences);
  BtnPrefs.OnClick = [this] { BtnPrefsClick(); };
  Hints.Add(BtnPrefs.Handle(), L"Preferences");
  BtnAbout.Create(form, 232, 248, 25, 25);
  BtnAbout.SetImage(ILButtons.Handle(), kImgMakerLogo);
  BtnAbout.OnClick = [this] { BtnAboutClick(); };
  Hints.Add(BtnAbout.Handle(), L"About Heapfold");
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

void TFormHeapmaker::ApplyFont() {
  ApplySystemFont(fontDescription_);
  font_ = CreateFontFromDescription(fontDescription_);
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  TControl* controls[] = {&LblFolder, &EditFolder, &LblCaption,        &EditName,  &LblStackType, &CboStackType,
                          &LblIcon,   &EditIcon,   &ChkExplore,        &ChkBrowse, &ChkHideExt,   &ChkShowThumbs,
                          &ChkClear,  &LblDonate,  &BtnCreateShortcut, &BtnClose,  &GrpStatus,    &LblStatus};
  for (TControl* control : controls) control->SetFont(font_.Get());
}

void TFormHeapmaker::PlaceOnMonitorUnderCursor() { MonitorIndex = CentreOnMonitorUnderCursor(Handle()); }

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
  EditShortcutPath.clear();
  bool searched = true;
  try {
    EditShortcutPath = FindPinnedStack(wanted);
  } catch (const EError& e) {
    // A pinned shortcut the shell cannot read ends the search.
    TApplication::Instance().ShowError(e.Message());
    searched = false;
  }
  if (!EditShortcutPath.empty()) {
    FillFromPinnedStack();
    return;
  }
  // Nothing to edit: the folder is kept, and a new stack can be made of it.
  if (searched) {
    Notice(L"No stack of the folder \"" + wanted +
           L"\" is pinned to the taskbar, so there is none to edit.\n\nYou can create a new stack for it instead.");
  }
  EditMode = false;
  StartCreateMode();
  EditFolder.SetText(wanted);
}

std::wstring TFormHeapmaker::FindPinnedStack(const std::wstring& folder) {
  for (const std::wstring& entry : PinnedEntries()) {
    if (!IsShortcutName(entry)) continue;
    const TShellLinkInfo info = ReadShellLink(entry);
    if (IsPinnedStackOf(info.TargetPath, info.Arguments, folder)) return entry;
  }
  return std::wstring();
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
  CboStackType.SetItemIndex(static_cast<int>(settings.Type));
  ChkExplore.SetChecked(settings.Options.ShowExplore);
  ChkBrowse.SetChecked(settings.Options.BrowseFolders);
  ChkHideExt.SetChecked(settings.Options.HideExtensions);
  ChkShowThumbs.SetChecked(settings.Options.ShowThumbnails);
  ChkClear.SetChecked(settings.Options.Clear);
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
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!::GetVersionExW(&version)) return;
  if (version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1)) {
    LblDonate.SetVisible(false);
  }
}

void TFormHeapmaker::SetClientHeight(int height) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE));
  const SIZE outer = OuterSizeForClient(kClientWidth, height, style, exStyle);
  ::SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormHeapmaker::TimerStatusEvent() {
  StatusTimer.SetEnabled(false);
  SetClientHeight(kClientHeight);
}

// Saving

void TFormHeapmaker::BtnCreateShortcutClick() {
  const std::wstring folder = EditFolder.Text();
  const std::wstring caption = EditName.Text();
  if (const auto refusal = SaveRefusal(folder, caption)) {
    Notice(*refusal, MB_OK | MB_ICONWARNING);
    return;
  }

  TShellLinkInfo info;
  std::wstring path;
  bool replaceForeignFile = false;
  if (EditMode) {
    // The pinned shortcut keeps its target, show command and hot key.
    info = ReadShellLink(EditShortcutPath);
    path = EditShortcutPath;
  } else {
    const std::optional<int> number = FreeViewerNumber();
    if (!number) {
      Notice(
          L"All ten stack slots are in use: ten stacks are pinned to the taskbar already.\n\n"
          L"Please unpin one of them from the taskbar first, then create the new stack.",
          MB_OK | MB_ICONWARNING);
      return;
    }
    path = DesktopShortcutPath(GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY), caption);
    if (FileExists(path) && !IsStackShortcut(path)) {
      if (!ConfirmReplacingForeignFile(path)) return;
      replaceForeignFile = true;
    }
    info.TargetPath = GetProgramFolder() + ViewerFileName(*number);
    info.ShowCommand = 0;
    info.HotKey = 0;
  }
  info.Description = L"Heapfold";
  info.WorkingFolder = folder;
  ChooseIcon(info);
  info.Arguments = ComposeArguments(Settings());

  SaveShortcut(path, info, replaceForeignFile);

  LblStatus.SetText(SavedStatusText(caption, EditMode));
  SetClientHeight(kClientHeightWithStatus);
  StatusTimer.SetEnabled(false);
  StatusTimer.SetEnabled(true);
}

TStackSettings TFormHeapmaker::Settings() const {
  TStackSettings settings;
  settings.Folder = EditFolder.Text();
  const int type = CboStackType.ItemIndex();
  settings.Type = (type == 1) ? TStackType::Grid : (type == 2) ? TStackType::Menu : TStackType::Stack;
  settings.Options.ShowExplore = ChkExplore.Checked();
  settings.Options.BrowseFolders = ChkBrowse.Checked();
  settings.Options.HideExtensions = ChkHideExt.Checked();
  settings.Options.ShowThumbnails = ChkShowThumbs.Checked();
  settings.Options.Clear = ChkClear.Checked();
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

std::optional<int> TFormHeapmaker::FreeViewerNumber() {
  // A damaged pinned shortcut raises here: no stack is saved while it is there.
  std::vector<std::wstring> resolved;
  for (const std::wstring& entry : PinnedEntries()) resolved.push_back(ResolveShellLink(entry));
  return ChooseViewerNumber(resolved);
}

bool TFormHeapmaker::ConfirmReplacingForeignFile(const std::wstring& path) {
  return Notice(L"The desktop already holds \"" + ExtractFileName(path) +
                    L"\", which is not a stack shortcut.\n\nDo you want to replace it with the new stack?",
                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void TFormHeapmaker::SaveShortcut(const std::wstring& path, const TShellLinkInfo& info, bool replaceForeignFile) {
  if (replaceForeignFile) {
    // The other file is never loaded as a shortcut: the new one is written
    // beside it and then moved over it, so a failed write leaves it as it was.
    wchar_t temporary[MAX_PATH] = {};
    if (!::GetTempFileNameW(ExtractFilePath(path).c_str(), L"hfs", 0, temporary)) throw SystemError(::GetLastError());
    try {
      WriteShellLink(temporary, info);
    } catch (...) {
      ::DeleteFileW(temporary);
      throw;
    }
    if (!::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      const DWORD error = ::GetLastError();
      ::DeleteFileW(temporary);
      throw SystemError(error);
    }
    return;
  }

  // WriteShellLink updates an existing file; a new shortcut starts as an empty
  // one, which must not outlive a failed write.
  const bool placeholder = !FileExists(path);
  if (placeholder) CreateEmptyFile(path);
  try {
    WriteShellLink(path, info);
  } catch (...) {
    if (placeholder) ::DeleteFileW(path.c_str());
    throw;
  }
}

// The pickers, the preferences, the update check and the about box come with
// windows of their own; until then their buttons say what they will do.

void TFormHeapmaker::EditFolderButtonClick() { Notice(L"The folder picker will show here."); }
void TFormHeapmaker::SpecialFolderButtonClick() { Notice(L"The menu of special folders will show here."); }
void TFormHeapmaker::EditIconButtonClick() { Notice(L"The icon picker will show here."); }
void TFormHeapmaker::BtnCheckNewVersionClick() { Notice(L"The check for a newer version will run here."); }
void TFormHeapmaker::BtnPrefsClick() { Notice(L"The preferences will show here."); }
void TFormHeapmaker::BtnAboutClick() { Notice(L"The about box will show here."); }

void TFormHeapmaker::BtnCloseClick() { Close(); }

void TFormHeapmaker::LblDonateClick() { ShellOpen(kDonateAddress); }

int TFormHeapmaker::Notice(const std::wstring& text, UINT flags) {
  // Before the window shows (one-shot actions, start-up notices) the box
  // stands on its own.
  const HWND owner = ::IsWindowVisible(Handle()) ? Handle() : nullptr;
  return ::MessageBoxW(owner, text.c_str(), TApplication::Instance().Title().c_str(),
                       flags | (owner ? 0 : MB_TASKMODAL | MB_SETFOREGROUND));
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
  return DefaultHandling(message, wParam, lParam);
}
