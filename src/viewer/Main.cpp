#include "viewer/Main.h"

#include "shared/PreferenceStore.h"

#include <utility>

#include "core/base/Errors.h"
#include "core/viewer/AppComm.h"
#include "core/viewer/JumpListTasks.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "shared/ShellProcessRef.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"
#include "shared/SystemLook.h"
#include "viewer/HelpText.h"
#include "viewer/Trace.h"

namespace {

const wchar_t kFormClass[] = L"THeapviewForm";
const wchar_t kCreatorFile[] = L"Heapmaker.exe";
const COLORREF kGray = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

TFormMain::TFormMain(std::vector<std::wstring> args) : args_(std::move(args)) {
  JumpList.DisplayFrequent = false;
  JumpList.DisplayRecent = false;
}

void TFormMain::FormCreate() {
  TraceMark(L"form's components");
  NoteCursorAndMonitor();
  ApplySystemFontToForm();
  metrics_ = ViewMetricsFor(MonitorDpiByIndex(MonitorIndex));
  TraceMark(L"monitor, font and DPI");

  const TViewerCommand command = ParseViewerCommand(args_);
  if (HandOnCreatorCommand(command)) return;
  if (command.Error) throw EError(*command.Error);

  StackFolder = command.StackFolder;
  ReadPreferences();
  TraceMark(L"preferences");
  SetUpSecondClickClosing();
  TraceMark(L"other viewers of the stack");
  // A viewer that closed the open one of its stack shows nothing and ends;
  // one that shows a view commits its jump list once the view is painted,
  // so the user never waits for it.
  if (endWithoutWindow_) {
    CommitJumpListOnce();
    return;
  }
  ViewKind = command.ViewKind;
  startedKind_ = command.ViewKind;
  Options = command.Options;
  frame_ = ChooseViewerFrame(ViewKind, Animate, Options.Clear);
  AnimateOpen = frame_.AnimateOpen;
  CreateFormWindow();
  ApplyDpi(metrics_.Dpi);
  ApplyBackground();
  TraceMark(L"window");

  switch (ViewKind) {
    case TViewKind::Stack: {
      // A stack whose entries would not fit its monitor opens as a grid of
      // the same listing.
      TFolderListing listing = ListFolderTraced(StackFolder);
      const TStackPlan plan = PlanStackOf(StackFolder, listing);
      SysImgList.SetIconSize(TIconSize::isLargeIcons);
      if (!plan.FallsBackToGrid) {
        ::ShowWindow(DockLeft.Handle(), SW_SHOWNA);
        ApplyStack(StackFolder, plan);
        break;
      }
      ViewKind = TViewKind::Grid;
      ::ShowWindow(DockTop.Handle(), SW_SHOWNA);
      BuildGrid(StackFolder, std::move(listing));
      break;
    }
    case TViewKind::Grid:
      ::ShowWindow(DockTop.Handle(), SW_SHOWNA);
      SysImgList.SetIconSize(TIconSize::isLargeIcons);
      BuildGrid(StackFolder);
      break;
    case TViewKind::Menu:
      SysImgList.SetIconSize(TIconSize::isSmallIcons);
      // The window is an invisible point (transparent since its creation)
      // that owns the menu; the menu pops up at the cursor once it is active.
      ::SetWindowPos(Handle(), nullptr, -1, -1, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
      PopupMenu.ImageIndexOf = [this](const std::wstring& path) {
        return smallIcons_.IndexOf(SysImgList.GetIconIndex(path, 0));
      };
      PopupMenu.OnClosePopup = [this] { PopupMenuClosePopup(); };
      PopupMenu.OnItemContextMenu = [this](TMenuItem& item, POINT screen, bool extended) {
        PopupMenuItemContextMenu(item, screen, extended);
      };
      BuildMenu(StackFolder, nullptr);
      break;
    case TViewKind::Help: ShowHelpWindow(); break;
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
  TextColor = TextColorScheme(ReadPreference(kPrefTextColor));
  Animate = ReadPreference(kPrefAnimate);
  CloseBySecondClick = ReadPreference(kPrefCloseBySecondClick);
}

void TFormMain::SetUpSecondClickClosing() {
  // Without the preference this viewer neither looks for others nor joins a
  // group, so no later viewer closes it by a second click.
  AppSend.SetEnabled(CloseBySecondClick);
  AppRecv.SetEnabled(CloseBySecondClick);
  if (!CloseBySecondClick) return;
  AppRecv.OnReceiveData = [this](HWND sender, const std::vector<std::uint8_t>& data) {
    AppRecvReceiveData(sender, data);
  };
  // Asked before this viewer joins the group, so it never finds itself.
  if (OtherInstanceRunning(StackFolder)) {
    endWithoutWindow_ = true;
    CloseOtherInstances(StackFolder);
  }
  AppRecv.SetGroupName(StackFolder);
}

bool TFormMain::OtherInstanceRunning(const std::wstring& folder) {
  return !AppSend.FindReceiversByName(folder, true).empty();
}

void TFormMain::CloseOtherInstances(const std::wstring& folder) {
  // Each send returns when that viewer has handled the command, its closing
  // slide included (or when it did not answer in time).
  for (const HWND receiver : AppSend.FindReceiversByName(folder, true)) {
    const TAppCommData block = MakeCloseCommand(NowDayTime());
    AppSend.SendData(receiver, &block, sizeof block);
  }
}

void TFormMain::AppRecvReceiveData(HWND, const std::vector<std::uint8_t>& data) {
  if (IsCloseCommand(data)) DoCloseAnimation();
}

void TFormMain::CommitJumpListOnce() {
  if (jumpListCommitted_) return;
  jumpListCommitted_ = true;
  RebuildJumpList();
  TraceMark(L"jump list (after the first paint)");
  WriteTrace();
}

void TFormMain::RebuildJumpList() {
  // The tasks describe the stack started last from this program file.
  JumpList.Tasks.clear();
  for (const TJumpTask& task :
       ViewerJumpTasks(GetProgramPath(), StackFolder, args_.empty() ? L"" : args_.front(), Options.Sort))
    JumpList.Tasks.AddShellLink(task.Title, task.Arguments, task.IconIndex, task.IconFile);
  // A stack works without its jump list (there is none before Windows 7),
  // so a failed step is not the user's concern: the result, with the step and
  // its HRESULT, is for the jump list's own tests.
  static_cast<void>(JumpList.Commit());
}

void TFormMain::ApplySystemFontToForm() {
  ApplySystemFont(fontDescription_);
  font_ = CreateFontFromDescription(fontDescription_);
}

void TFormMain::ApplyDpi(int dpi) {
  metrics_ = ViewMetricsFor(dpi);
  // Point sizes stay; their pixels follow the monitor, not the system.
  font_ = CreateFontForDpi(fontDescription_, metrics_.Dpi);
  stackFont_ = CreateFontForDpi({L"MS Sans Serif", 8}, metrics_.Dpi);
  captionFont_.reset();
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  ToolbarStack.SetFont(stackFont_.Get());
  ToolbarGrid.SetFont(font_.Get());
  for (TToolbar* toolbar : {&ToolbarStack, &ToolbarGrid}) {
    toolbar->SetPadding(metrics_.ToolbarPadding);
    toolbar->SetIconSize(metrics_.IconSize, metrics_.Dpi);
  }
  // Only the lists the view shows are made.
  if (ViewKind == TViewKind::Stack || ViewKind == TViewKind::Grid) icons_.SetIconSize(metrics_.IconSize);
  if (ViewKind == TViewKind::Menu) {
    smallIcons_.SetIconSize(metrics_.SmallIconSize);
    PopupMenu.Images = smallIcons_.Handle();  // the menu measures its items by the list
    PopupMenu.Dpi = metrics_.Dpi;
  }
}

void TFormMain::DpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == metrics_.Dpi) return;
  RECT now = {};
  ::GetWindowRect(Handle(), &now);
  const POINT centre = {now.left + (now.right - now.left) / 2, now.top + (now.bottom - now.top) / 2};
  MonitorIndex = MonitorIndexNearest(centre);
  ApplyDpi(dpi);
  switch (ViewKind) {
    case TViewKind::Stack:
    case TViewKind::Grid:
      // A view beside the taskbar is placed again by its own rules, centred
      // along the taskbar where it stands: the suggested rectangle keeps the
      // old layout scaled about the old spot, which may cover the taskbar or
      // cross the work area's edge once the view has its new size.
      StopOpeningSlide();
      StartCursorPos = centre;
      if (ViewKind == TViewKind::Stack)
        BuildStack(viewFolder_);
      else
        BuildGrid(viewFolder_);
      break;
    case TViewKind::Help: {
      // The help window is no view beside the taskbar: the suggested
      // rectangle, which keeps it under the pointer while it is dragged, is
      // the right one for it.
      const SIZE outer = OuterSizeOf(metrics_.HelpClientWidth, metrics_.HelpClientHeight);
      const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
      ::SetWindowPos(Handle(), nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      ::SetWindowPos(lblHelp_.Handle(), nullptr, metrics_.HelpTextLeft, metrics_.HelpTextTop, metrics_.HelpTextWidth,
                     metrics_.HelpTextHeight, SWP_NOZORDER | SWP_NOACTIVATE);
      ZoomRichEditForDpi(lblHelp_.Handle(), metrics_.Dpi);
      break;
    }
    case TViewKind::Menu: break;  // the invisible point stays; the menu's icons follow
  }
}

void TFormMain::ApplyBackground() {
  // The help window keeps its button face.
  if (ViewKind == TViewKind::Help) return;
  look_ = ChooseViewLook(ReadLookFacts());
  switch (look_.Kind) {
    case TLookKind::Glass: ExtendGlassFrame(Handle(), TRectI{-1, -1, -1, -1}); break;
    case TLookKind::Gray: break;
    default:
      if (ViewKind != TViewKind::Menu) ApplyLookFrame(Handle(), look_);
      break;
  }
  backdropWanted_ = look_.Backdrop && ViewKind != TViewKind::Menu;
  // The menu view draws its items in the look's colours; under glass and
  // gray the system draws them as ever.
  PopupMenu.Colors.reset();
  if (const std::optional<TMenuLook> menu = MenuLookFor(look_))
    PopupMenu.Colors = TPopupMenu::TColors{ToColorRef(menu->Surface), ToColorRef(menu->Text), ToColorRef(menu->HotFill),
                                           ToColorRef(menu->HotText), ToColorRef(menu->Separator)};
  PaintLook();
}

void TFormMain::PaintLook() {
  // The system draws no backdrop behind a layered window, and a frame spread
  // over the client area without one would show no sheet: while the window
  // fades it has neither, and its solid sheet. A backdrop asked for before
  // is taken back once it can no longer show.
  const bool clear = backdropWanted_ && (::GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) == 0;
  if (clear != backdropShown_) ApplyBackdrop(Handle(), clear);
  backdropShown_ = clear;

  COLORREF text = RGB(255, 255, 255);
  std::optional<TToolbar::TFills> fills;
  switch (look_.Kind) {
    // Black is what composition turns into glass.
    case TLookKind::Glass: formColor_ = kBlack; break;
    case TLookKind::Gray: formColor_ = kGray; break;
    default:
      // The taskbar's flyouts: a solid sheet in the theme's colours, or the
      // system's acrylic with the fills laid over it.
      formColor_ = clear ? kBlack : ToColorRef(look_.Surface);
      text = ToColorRef(look_.Text);
      if (clear)
        fills = TToolbar::TFills{ToColorRef(look_.ClearHotFill), ToColorRef(look_.ClearSelectedFill),
                                 ToColorRef(look_.HighlightText), AlphaOf(look_.ClearHotFill),
                                 AlphaOf(look_.ClearSelectedFill)};
      else
        fills = TToolbar::TFills{ToColorRef(look_.HotFill), ToColorRef(look_.SelectedFill),
                                 ToColorRef(look_.HighlightText)};
      break;
  }
  DockTop.SetColor(formColor_);
  DockLeft.SetColor(formColor_);
  // The hints take the view's solid sheet and text, or the system's tooltip
  // colours.
  std::optional<THintWindow::TColors> hints;
  if (fills) hints = THintWindow::TColors{ToColorRef(look_.Surface), text};
  for (TToolbar* toolbar : {&ToolbarStack, &ToolbarGrid}) {
    toolbar->SetColors(formColor_, text);
    toolbar->SetFills(fills);
    toolbar->SetClear(clear);
    toolbar->SetHintColors(hints);
  }
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TFormMain::CreateDocks() {
  DockTop.Create(Handle());
  DockLeft.Create(Handle());
  ToolbarGrid.Create(DockTop.Handle());
  ToolbarStack.Create(DockLeft.Handle());
  ToolbarStack.SetColors(kBlack, RGB(255, 255, 255));
  ToolbarStack.SetLayout(TToolbarLayout::SingleColumn);
  ToolbarGrid.SetColors(kBlack, RGB(255, 255, 255));
  ToolbarGrid.SetLayout(TToolbarLayout::WrapRows);
  ToolbarGrid.SetShowHints(true);
  auto onClick = [this](TToolbar&, const TToolbarItem& item, UINT keys) {
    DockItemExecute(item, (keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0);
  };
  ToolbarStack.OnClick = onClick;
  ToolbarGrid.OnClick = onClick;
  auto onContextMenu = [this](TToolbar& toolbar, std::size_t index, POINT screen, bool extended) {
    ShowEntryMenu(toolbar, index, screen, extended);
  };
  ToolbarStack.OnContextMenu = onContextMenu;
  ToolbarGrid.OnContextMenu = onContextMenu;
  auto onBeginDrag = [this](TToolbar& toolbar, std::size_t index) { return DragEntry(toolbar, index); };
  ToolbarStack.OnBeginDrag = onBeginDrag;
  ToolbarGrid.OnBeginDrag = onBeginDrag;
  auto onDrawCaption = [this](TToolbar& toolbar, const TToolbarItem& item, HDC dc, const RECT& clientArea,
                              RECT& captionRect, TPaintStage stage, bool& paintDefault) {
    DockItemDrawCaption(toolbar, item, dc, clientArea, captionRect, stage, paintDefault);
  };
  ToolbarStack.OnDrawCaption = onDrawCaption;
  ToolbarGrid.OnDrawCaption = onDrawCaption;
  auto onDescribe = [this](const TToolbarItem& item, std::wstring* description, std::wstring* action) {
    DockItemDescribe(item, description, action);
  };
  ToolbarStack.OnDescribeItem = onDescribe;
  ToolbarGrid.OnDescribeItem = onDescribe;
  auto onPainted = [this] { ViewPainted(); };
  ToolbarStack.OnPainted = onPainted;
  ToolbarGrid.OnPainted = onPainted;
  Dispatcher.Create();
}

SIZE TFormMain::OuterSizeOf(int clientWidth, int clientHeight) const {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE));
  // The frame as the window has it now, at the DPI it is shown at.
  return OuterSizeForClientAtDpi(clientWidth, clientHeight, style, exStyle, WindowDpi(Handle()));
}

void TFormMain::CreateFormWindow() {
  // The program's own icon on the caption bar and the taskbar (a shared resource icon).
  TWindow::RegisterWindowClass(kFormClass, ::GetSysColorBrush(COLOR_BTNFACE),
                               ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_TOPMOST;
  switch (frame_.Border) {
    case TBorderStyle::None: break;
    case TBorderStyle::Single: style |= WS_CAPTION; break;
    case TBorderStyle::ToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TBorderStyle::Dialog:
      style |= WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (frame_.SystemMenu) style |= WS_SYSMENU | WS_MINIMIZEBOX;
  if (frame_.AlphaBlend) exStyle |= WS_EX_LAYERED;
  if (!frame_.TaskbarButton) {
    hiddenOwner_.Reset(::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
    if (!hiddenOwner_) throw SystemError(::GetLastError());
  }

  const SIZE outer =
      OuterSizeForClientAtDpi(metrics_.HelpClientWidth, metrics_.HelpClientHeight, style, exStyle, metrics_.Dpi);
  // Made on the monitor it is for (hidden until placed), so it has that
  // monitor's DPI, and the frame its size was worked out with, from the start.
  const TRectI work = MonitorWorkArea(MonitorIndex);
  CreateHandle(exStyle, kFormClass, L"FormMain", style, work.Left, work.Top, outer.cx, outer.cy, hiddenOwner_.Get());
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  if (frame_.AlphaBlend) ::SetLayeredWindowAttributes(Handle(), 0, frame_.Alpha, LWA_ALPHA);
  Slides.SetWindow(Handle(), frame_.AlphaBlend);
  formColor_ = ::GetSysColor(COLOR_BTNFACE);
  CreateDocks();
}

void TFormMain::ShowHelpWindow() {
  ::SetWindowTextW(Handle(), L"Heapfold by Brenwick Software");
  lblHelp_.Create(Handle(), metrics_.HelpTextLeft, metrics_.HelpTextTop, metrics_.HelpTextWidth,
                  metrics_.HelpTextHeight, ::GetSysColor(COLOR_BTNFACE));
  lblHelp_.SetRtf(HelpRtf());
  ::ShowWindow(lblHelp_.Handle(), SW_SHOWNA);

  // Centred on the monitor under the cursor as it is now, by the outer size.
  MonitorIndex = CentreOnMonitorUnderCursor(Handle(), HWND_TOPMOST);
}

void TFormMain::ViewPainted() {
  if (painted_) return;
  painted_ = true;
  TraceMark(L"first paint");
  WriteTrace();
  ::PostMessageW(Handle(), kCommitJumpListMessage, 0, 0);
}

void TFormMain::Show() {
  // The help window has no toolbar whose painting says it is up: its jump
  // list follows its first messages.
  if (ViewKind == TViewKind::Help) ::PostMessageW(Handle(), kCommitJumpListMessage, 0, 0);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());  // no control active: key presses reach the form
}

void TFormMain::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ViewKind == TViewKind::Menu) {
    LRESULT result = 0;
    if (PopupMenu.HandleOwnerMessage(message, wParam, lParam, result)) return result;
    if (message == kPopUpMenuMessage) {
      PopupMenu.Popup(Handle(), StartCursorPos);
      return 0;
    }
    // The menu's loop is idle once the menu is up and painted.
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) CommitJumpListOnce();
  }
  if (HandleKeyMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_NCACTIVATE:
      // Losing activation closes the window, unless a second click on the
      // stack's button is the way to close it.
      if (ClosesOnDeactivation({wParam != 0, CloseBySecondClick, ::IsWindowVisible(Handle()) != FALSE,
                                TApplication::Instance().ShowingMessage(), closing_, shellBusy_ > 0})) {
        const LRESULT result = DefaultHandling(message, wParam, lParam);
        DoCloseAnimation();
        return result;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client = {};
      ::GetClientRect(Handle(), &client);
      const TBrush brush(::CreateSolidBrush(formColor_));
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush.Get());
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      break;
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      // The theme, accent, transparency or high contrast may have changed:
      // the view takes the look again and repaints.
      if (message != WM_SETTINGCHANGE ||
          ChangesLook(static_cast<std::uint32_t>(wParam), lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"")) {
        ApplyBackground();
      }
      break;
    case WM_DPICHANGED:
      // Only the help window reads the suggested rectangle, as the system
      // gives it; the views work from where they stand.
      DpiChanged(HIWORD(wParam), ViewKind == TViewKind::Help ? reinterpret_cast<const RECT*>(lParam) : nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kShellLeftoversTimer) {
        CheckShellLeftovers();
        return 0;
      }
      if (wParam == kPlacePicturesTimer) {
        PlacePicturesTimerTimer();
        return 0;
      }
      if (wParam == kLiveRebuildTimer) {
        LiveRebuildTimerTimer();
        return 0;
      }
      break;
    case kCommitJumpListMessage: CommitJumpListOnce(); return 0;
    case WM_DESTROY:
      // A view closed before it was painted still leaves its jump list.
      CommitJumpListOnce();
      StopThumbnails();
      FolderWatch.Stop();
      ::KillTimer(Handle(), kLiveRebuildTimer);
      ::KillTimer(Handle(), kShellLeftoversTimer);
      ::KillTimer(Handle(), kPlacePicturesTimer);
      WithdrawShellProcessReference();
      TApplication::Instance().Terminate();
      break;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
