// When the viewer's window closes and how: on losing activation, after the
// shell ran a verb or took a drop (at once, or hidden until the shell's
// windows in this process have gone), after a cancelled shell menu or drag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/viewer/CommandLine.h"
#include "core/viewer/StackEntries.h"

// The state in which the window loses activation.
struct TDeactivation {
  bool Activating = false;          // the message says the window becomes active
  bool CloseBySecondClick = false;  // the preference: a second click closes instead
  bool Visible = false;
  bool ShowingMessage = false;  // a message box of the viewer stands over it
  bool Closing = false;         // the closing slide has ended
  bool ShellBusy = false;       // a shell menu, verb or drag is under way
};
// Losing activation closes the view, unless a second click on the stack's
// button is the way to close it, or the viewer itself took the activation.
bool ClosesOnDeactivation(const TDeactivation& state);

// Closing slides only in the stack and the grid, with animation on; the other
// views and a viewer without animation close at once. A close trigger that
// comes while the closing slide runs (a second Escape, the loss of activation
// that follows) lets that slide end: starting it again would bring the
// fading window back to full opacity.
enum class TCloseWay { AtOnce, Slide, SlideRuns };
TCloseWay DecideClose(bool animate, TViewKind view, bool slidingOut);

// After a cancelled shell menu or drag: the view takes the activation back,
// or, when the user went to another program meanwhile, closes as losing the
// activation would have (and stays when a second click closes it instead).
enum class TResumeAction { Reactivate, Close, Stay };
TResumeAction DecideResume(bool otherProgramInForeground, bool closeBySecondClick);

// The view after the shell ran a verb or took a drop. A verb that shows a
// window of its own, or the shell still at work in this process, keeps the
// process alive, hidden, until the shell is done; otherwise the view closes
// at once. A verb's window may take a while to come when the shell did not
// say so by a reference on the process: the hidden view waits for it for a
// grace time, after which it no longer expects it.
class TShellLinger {
public:
  static constexpr std::uint32_t kWindowGraceMilliseconds = 2000;

  // True when the view closes at once.
  static bool EndsAtOnce(bool verbShowsWindow, bool shellAtWork) { return !verbShowsWindow && !shellAtWork; }
  // The hidden view starts waiting at nowMilliseconds (a wrapping tick count).
  void Start(std::uint32_t nowMilliseconds, bool verbShowsWindow, bool shellAtWork);
  // A look at the shell: true when the view may end now.
  bool Done(std::uint32_t nowMilliseconds, bool shellAtWork);

private:
  std::uint32_t since_ = 0;
  std::uint32_t grace_ = 0;
  bool sawShell_ = false;
};

// Only files and folders are dragged out (not go-back or Explore, and no
// entry without a path).
bool IsDraggedEntry(TEntryKind kind, const std::wstring& path);

// Threads that decode the grid's pictures: a count forced by the test-only
// key (above zero) stands in for the cores; see ThumbnailWorkerCount.
unsigned ThumbnailWorkersFor(int forced, unsigned cores, std::size_t pictures);
