// The form and the shell: running an entry, the menu view's items, the
// shell's context menu of an entry, dragging entries out, and the hidden
// view that lingers until the shell's windows in this process have gone.
#include "core/base/PathUtils.h"
#include "core/viewer/Activation.h"
#include "core/viewer/ViewerSession.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellDrag.h"
#include "shared/ShellItemMenu.h"
#include "shared/ShellLinkUtils.h"
#include "shared/ShellProcessRef.h"
#include "toolkit/Application.h"
#include "viewer/Main.h"

namespace {

// Counts a shell menu, verb or drag under way for its scope.
class TShellBusy {
public:
  explicit TShellBusy(int& count) : count_(count) { ++count_; }
  ~TShellBusy() { --count_; }
  TShellBusy(const TShellBusy&) = delete;
  TShellBusy& operator=(const TShellBusy&) = delete;

private:
  int& count_;
};

// The path a click runs: a shortcut whose target moved out of
// "Program Files (x86)" runs its repaired target. A damaged shortcut raises.
std::wstring PathToRun(const std::wstring& clicked) {
  if (!NeedsShortcutCheck(FileExists(clicked), IsShortcutName(clicked))) return clicked;
  const std::wstring target = ResolveShellLink(clicked);
  if (const auto repaired = RepairedShortcutTarget(target, PathExists(target))) return *repaired;
  return clicked;
}

}  // namespace

void TFormMain::DockItemExecute(const TToolbarItem& item, bool control, bool shift) {
  const TClickAction action = DecideClick(item.Tag, ViewKind);
  if (RunsAsAdministrator(static_cast<TEntryKind>(item.Kind), action, control, shift)) {
    // The file itself: the shell follows a shortcut to its target for the
    // verb, and a damaged one is its to report.
    RunAsAdministrator(item.Hint);
    return;
  }
  // A damaged shortcut raises here: nothing runs and the viewer stays open.
  const std::wstring path = PathToRun(item.Hint);
  switch (action) {
    case TClickAction::BrowseStack: BuildStack(path); break;
    case TClickAction::BrowseGrid:
      SetCaption(GridCleaningUpCaption(path));
      BuildGrid(path);
      break;
    case TClickAction::Run:
      // Whether the shell could run it is not looked at: the viewer's part
      // ends here, at once and without the closing slide.
      RunFile(path, L"");
      ::DestroyWindow(Handle());
      break;
    case TClickAction::Nothing: break;
  }
}

void TFormMain::RunAsAdministrator(const std::wstring& path) {
  if (closing_ || shellBusy_ > 0) return;
  const HWND self = Handle();
  DWORD error = ERROR_SUCCESS;
  {
    // The consent prompt takes the activation; the view waits for it as for
    // a shell menu.
    const TShellBusy busy(shellBusy_);
    error = RunFileWithVerb(path, L"runas", self);
  }
  if (!::IsWindow(self) || closing_) return;
  if (error == ERROR_SUCCESS) {
    ::DestroyWindow(self);  // as after running an entry
    return;
  }
  if (error != ERROR_CANCELLED) {
    const TShellBusy busy(shellBusy_);
    TApplication::Instance().ShowError(path + L"\n\n" + SystemErrorMessage(error), self);
  }
  if (::IsWindow(self)) ResumeAfterShell();
}

void TFormMain::FormActivate() {
  if (ViewKind != TViewKind::Menu || menuShown_) return;
  menuShown_ = true;
  // The menu is tracked once the activation has been handled, not inside it.
  ::PostMessageW(Handle(), kPopUpMenuMessage, 0, 0);
}

void TFormMain::StartOle() {
  // Dragging entries out and the shell's clipboard verbs need OLE beyond
  // plain COM; it is started for the first of them, not for every start.
  // Without it they fail and report so, and the rest of the viewer works on.
  if (!ole_) ole_.emplace();
}

void TFormMain::PopupMenuDisplayMenu(TMenuItem& item) { BuildMenu(item.Hint, &item); }

void TFormMain::PopupMenuItemExecute(TMenuItem& item) {
  try {
    // A damaged shortcut raises here: nothing runs.
    RunFile(PathToRun(item.Hint), L"");
  } catch (...) {
    // Reported while the window still stands; the viewer ends after it.
    TApplication::Instance().HandleCurrentException(Handle());
  }
}

void TFormMain::PopupMenuItemContextMenu(TMenuItem& item, POINT screen, bool extended) {
  if (shellBusy_ > 0 || pendingShellMenu_ || item.Hint.empty()) return;
  StartOle();
  auto menu = std::make_unique<TShellItemMenu>();
  // An item the shell cannot take shows no menu: a message box would stand
  // over a menu being tracked.
  if (FAILED(menu->Load(Handle(), item.Hint, extended))) return;
  // The shell's menu takes the view's menu's place: not every system shows a
  // menu over another that is being tracked.
  pendingShellMenu_ = std::move(menu);
  pendingShellPoint_ = screen;
  PopupMenu.CloseMenu();
}

void TFormMain::PopupMenuClosePopup() {
  if (!pendingShellMenu_) {
    Close();
    return;
  }
  const std::unique_ptr<TShellItemMenu> menu = std::move(pendingShellMenu_);
  OfferShellProcessReference();
  const TShellBusy busy(shellBusy_);
  const UINT command = menu->Track(Handle(), pendingShellPoint_);
  if (command == 0) {
    // Nothing chosen: the view's menu comes back where it was.
    ::PostMessageW(Handle(), kPopUpMenuMessage, 0, 0);
    return;
  }
  const TShellMenuResult result = RunShellMenuCommand(*menu, command, Handle(), pendingShellPoint_);
  if (result.Outcome == TShellMenuOutcome::VerbRan)
    EndAfterShell(VerbShowsItsOwnWindow(result.Verb));
  else
    Close();
}

void TFormMain::ShowEntryMenu(const TToolbar& toolbar, std::size_t index, POINT screen, bool extended) {
  if (closing_ || shellBusy_ > 0 || index >= toolbar.Items().size()) return;
  // The handler may rebuild the items, so the entry is copied.
  const TToolbarItem item = toolbar.Items()[index];
  if (screen.x == -1 && screen.y == -1) {
    // No pointer to show it at (the keyboard asked): beside the entry's icon.
    const RECT r = toolbar.ItemRect(index);
    screen = {r.left + (r.right - r.left) / 4, r.top + (r.bottom - r.top) / 2};
    ::ClientToScreen(toolbar.Handle(), &screen);
  }
  const HWND self = Handle();
  StartOle();
  OfferShellProcessReference();
  TShellMenuResult result;
  {
    const TShellBusy busy(shellBusy_);
    result = ShowShellItemMenu(self, item.Hint, screen, extended);
  }
  if (!::IsWindow(self) || closing_) return;  // closed meanwhile (a second click on the stack's button)
  switch (result.Outcome) {
    case TShellMenuOutcome::VerbRan: EndAfterShell(VerbShowsItsOwnWindow(result.Verb)); break;
    case TShellMenuOutcome::Cancelled: ResumeAfterShell(); break;
    case TShellMenuOutcome::Failed:
      // A vanished file, a path the shell cannot take: said plainly, and the
      // view stays.
      {
        const TShellBusy busy(shellBusy_);
        TApplication::Instance().ShowError(item.Hint + L"\n\n" + SystemErrorMessage(static_cast<DWORD>(result.Error)),
                                           self);
      }
      if (::IsWindow(self)) ResumeAfterShell();
      break;
  }
}

bool TFormMain::DragEntry(const TToolbar& toolbar, std::size_t index) {
  if (closing_ || shellBusy_ > 0 || index >= toolbar.Items().size()) return false;
  const TToolbarItem item = toolbar.Items()[index];
  if (!IsDraggedEntry(static_cast<TEntryKind>(item.Kind), item.Hint)) return false;
  const HWND self = Handle();
  StartOle();
  OfferShellProcessReference();
  TDragResult result;
  {
    const TShellBusy busy(shellBusy_);
    result = DragShellItem(self, item.Hint);
  }
  if (!::IsWindow(self) || closing_) return true;
  // An item that cannot be dragged (it vanished) simply does not move.
  if (result.Outcome == TDragOutcome::Dropped)
    EndAfterShell(false);
  else
    ResumeAfterShell();
  return true;
}

void TFormMain::EndAfterShell(bool verbShowsWindow) {
  // The toolbars' hints go with them first: a hint left up would count as a
  // window of the shell's.
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  const bool shellAtWork = ShellHoldsProcessReference() || ProcessShowsWindowsBeside(Handle());
  if (TShellLinger::EndsAtOnce(verbShowsWindow, shellAtWork)) {
    // As after running an entry: at once, without the closing slide.
    ::DestroyWindow(Handle());
    return;
  }
  // The shell's windows live in this process: the view goes out of sight and
  // the process stays until they have gone.
  StopOpeningSlide();
  ::ShowWindow(Handle(), SW_HIDE);
  linger_.Start(::GetTickCount(), verbShowsWindow, shellAtWork);
  ::SetTimer(Handle(), kShellLeftoversTimer, kShellLeftoversPeriod, nullptr);
}

void TFormMain::CheckShellLeftovers() {
  const bool shellAtWork = ShellHoldsProcessReference() || ProcessShowsWindowsBeside(Handle());
  if (!linger_.Done(::GetTickCount(), shellAtWork)) return;
  ::KillTimer(Handle(), kShellLeftoversTimer);
  ::DestroyWindow(Handle());
}

void TFormMain::ResumeAfterShell() {
  const HWND foreground = ::GetForegroundWindow();
  DWORD process = 0;
  if (foreground) ::GetWindowThreadProcessId(foreground, &process);
  switch (DecideResume(foreground && process != ::GetCurrentProcessId(), CloseBySecondClick)) {
    case TResumeAction::Close:
      // The activation went to another program while the menu or drag kept
      // the view: it closes now, as it would have then.
      DoCloseAnimation();
      break;
    case TResumeAction::Stay: break;
    case TResumeAction::Reactivate:
      ::SetForegroundWindow(Handle());
      ::SetFocus(Handle());
      break;
  }
}
