#include "viewer/Main.h"

#include "core/Placement.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "toolkit/Application.h"
#include "viewer/HelpText.h"

namespace {

const wchar_t kFormClass[] = L"THeapviewForm";
constexpr int kDesignClientWidth = 480;
constexpr int kDesignClientHeight = 224;
const wchar_t kCreatorFile[] = L"Heapmaker.exe";
const wchar_t kListSeparator[] = L"-|-";

}  // namespace

TFormMain::TFormMain(std::vector<std::wstring> args) : args_(std::move(args)) {}

void TFormMain::FormCreate() {
  NoteCursorAndMonitor();
  // With arguments the viewer is part of a pinned stack's button and must not
  // get a taskbar button of its own.
  toolWindow_ = !args_.empty();

  font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

  const TViewerCommand command = ParseViewerCommand(args_);
  if (HandOnCreatorCommand(command)) return;

  StackFolder = command.StackFolder;
  ReadPreferences();
  SetUpSecondClickClosing();
  RebuildJumpList();
  ViewKind = command.ViewKind;
  ApplyOptions(command);
  ApplyAnimationAndFrame();
  FallBackToGridIfTooTall();
  CreateFormWindow();
  ApplyBackground();

  switch (ViewKind) {
    case TViewKind::Stack:
      BuildStack(StackFolder);
      break;
    case TViewKind::Grid:
      BuildGrid(StackFolder);
      break;
    case TViewKind::Menu:
      BuildMenu(StackFolder);
      break;
    case TViewKind::Help:
      ShowHelpWindow();
      break;
  }
}

void TFormMain::NoteCursorAndMonitor() {
  ::GetCursorPos(&StartCursorPos);
  MonitorIndex = MonitorIndexNearest(StartCursorPos);
}

bool TFormMain::HandOnCreatorCommand(const TViewerCommand& command) {
  if (!command.CreatorParameters) return false;
  // Whether the creator could be started is not looked at: the viewer's part
  // ends here either way.
  RunFile(GetProgramFolder() + kCreatorFile, *command.CreatorParameters);
  endWithoutWindow_ = true;
  return true;
}

void TFormMain::ReadPreferences() {
  // Only the low 8 bits of the colour scheme count, so 257 reads as 1.
  TextColor = static_cast<std::uint8_t>(RegReadInteger(kRegCompany, kRegApplication, kRegSection, L"TextColor", 1));
  Animate = RegReadBool(kRegCompany, kRegApplication, kRegSection, L"DoAnim", true);
  CloseBySecondClick = RegReadBool(kRegCompany, kRegApplication, kRegSection, L"CloseBy2ndClick", false);
}

void TFormMain::SetUpSecondClickClosing() {
  // Closing an open viewer of the same stack by a second click on its button
  // is done through messages between viewer processes; without the preference
  // there is nothing to set up.
  if (!CloseBySecondClick) return;
}

void TFormMain::RebuildJumpList() {
  // The stack button's jump list is rebuilt on every start that gets here.
}

void TFormMain::ApplyOptions(const TViewerCommand& command) {
  ShowExplore = command.Options.ShowExplore;
  BrowseFolders = command.Options.BrowseFolders;
  HideExtensions = command.Options.HideExtensions;
  ShowThumbnails = command.Options.ShowThumbnails;
  clearBorder_ = command.Options.Clear;
}

void TFormMain::ApplyAnimationAndFrame() {
  AnimateOpen = Animate;
  alphaBlend_ = Animate;
  alphaBlendValue_ = Animate ? 0 : 255;
  if (clearBorder_) {
    borderStyle_ = TBorderStyle::None;
  } else {
    borderStyle_ = Animate ? TBorderStyle::ToolWindow : TBorderStyle::Single;
  }
}

void TFormMain::ApplyBackground() {
  // Glass or gray for the views; the help window keeps the button face.
}

void TFormMain::FallBackToGridIfTooTall() {
  if (ViewKind != TViewKind::Stack) return;
  long long folders = 0, files = 0;
  std::wstring folderList, fileList;
  ListFolders(StackFolder + L"\\*", kListSeparator, folders, folderList);
  ListFiles(StackFolder + L"\\*.*", kListSeparator, files, false, faReadOnly | faSysFile | faArchive, fileList);
  if (StackFallsBackToGrid(MonitorWorkArea(MonitorIndex).Height(), folders + files)) ViewKind = TViewKind::Grid;
}

void TFormMain::CreateFormWindow() {
  TWindow::RegisterWindowClass(kFormClass, ::GetSysColorBrush(COLOR_BTNFACE));
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_TOPMOST;
  if (ViewKind == TViewKind::Help) borderStyle_ = TBorderStyle::Dialog;
  switch (borderStyle_) {
    case TBorderStyle::None:
      break;
    case TBorderStyle::Single:
      style |= WS_CAPTION;
      break;
    case TBorderStyle::ToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TBorderStyle::Dialog:
      style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (toolWindow_) exStyle |= WS_EX_TOOLWINDOW;
  if (ViewKind == TViewKind::Help) alphaBlend_ = false;
  if (alphaBlend_) exStyle |= WS_EX_LAYERED;

  const SIZE outer = OuterSizeForClient(kDesignClientWidth, kDesignClientHeight, style, exStyle);
  CreateHandle(exStyle, kFormClass, L"FormMain", style, 0, 0, outer.cx, outer.cy);
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (alphaBlend_) ::SetLayeredWindowAttributes(Handle(), 0, alphaBlendValue_, LWA_ALPHA);
}

void TFormMain::ShowHelpWindow() {
  ::SetWindowTextW(Handle(), L"Heapfold by Brenwick Software");
  lblHelp_.Create(Handle(), 8, 8, 465, 209, ::GetSysColor(COLOR_BTNFACE));
  lblHelp_.SetRtf(HelpRtf());
  ::ShowWindow(lblHelp_.Handle(), SW_SHOWNA);

  // Centred on the monitor under the cursor as it is now, by the outer size.
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  MonitorIndex = MonitorIndexNearest(cursor);
  RECT outer = {};
  ::GetWindowRect(Handle(), &outer);
  const TPointI at = CentreOnWorkArea(MonitorWorkArea(MonitorIndex), outer.right - outer.left, outer.bottom - outer.top);
  ::SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormMain::BuildStack(const std::wstring& folder) { ::SetWindowTextW(Handle(), folder.c_str()); }

void TFormMain::BuildGrid(const std::wstring& folder) { ::SetWindowTextW(Handle(), folder.c_str()); }

void TFormMain::BuildMenu(const std::wstring&) {
  // The menu view's window is an invisible point; the menu pops up at the cursor.
  ::SetWindowPos(Handle(), nullptr, -1, -1, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMain::DoOpenAnimation() {
  AnimateOpen = false;
  if (alphaBlend_ && ViewKind != TViewKind::Menu) ::SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
}

void TFormMain::Show() {
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());  // no control active: key presses reach the form
  if (ViewKind != TViewKind::Help) DoOpenAnimation();
}

void TFormMain::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

bool TFormMain::PreviewKey(const MSG& msg) {
  if (msg.message != WM_CHAR) return false;
  FormKeyPress(static_cast<wchar_t>(msg.wParam));
  return msg.wParam == VK_ESCAPE;
}

void TFormMain::FormKeyPress(wchar_t key) {
  if (key == VK_ESCAPE) Close();
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCACTIVATE:
      // Losing activation closes the window, unless a second click on the
      // stack's button is the way to close it.
      if (!wParam && !CloseBySecondClick && ::IsWindowVisible(Handle())) Close();
      break;
    case WM_CHAR:
      FormKeyPress(static_cast<wchar_t>(wParam));
      return 0;
    case WM_DESTROY:
      TApplication::Instance().Terminate();
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
