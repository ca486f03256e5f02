// The shell's own context menu of one file or folder: the verbs of its type,
// those of shell extensions ("Send to", "Open with" and the like), run
// through the handler the shell gives for the item.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "shared/ScopedWin.h"
#include "shared/ShellItem.h"

enum class TShellMenuOutcome { Cancelled, VerbRan, Failed };

struct TShellMenuResult {
  TShellMenuOutcome Outcome = TShellMenuOutcome::Cancelled;
  // The language-independent name of the verb that ran ("open",
  // "properties"), when its handler gives one; empty otherwise.
  std::wstring Verb;
  HRESULT Error = S_OK;  // why it failed
};

// The menu of one item, filled and ready to be tracked or looked into.
class TShellItemMenu {
public:
  TShellItemMenu() = default;
  TShellItemMenu(const TShellItemMenu&) = delete;
  TShellItemMenu& operator=(const TShellItemMenu&) = delete;

  // Fills the menu for path; extended adds the verbs the shell shows only
  // with Shift held. An error HRESULT when the item or its menu is not there.
  HRESULT Load(HWND owner, const std::wstring& path, bool extended);
  HMENU Menu() const { return menu_.Get(); }
  // The verb name of a command of the menu; empty when its handler has none.
  std::wstring VerbOf(UINT command) const;
  // The verb names of every command of the menu, sub-menus included, in
  // menu order, those without a name left out.
  std::vector<std::wstring> Verbs() const;
  // Shows the menu at a screen point until it closes; the command chosen, 0
  // when none. The owner's messages go through the handler meanwhile.
  UINT Track(HWND owner, POINT screen) const;
  // Runs a command of the menu as chosen at a screen point.
  HRESULT Invoke(UINT command, HWND owner, POINT at) const;
  // Runs a verb by its name, as if chosen from the menu.
  HRESULT InvokeVerb(const std::string& verb, HWND owner) const;
  // Hands a message of the menu's owner window to the handler, which draws
  // and fills its own sub-menus through them; true when it took it.
  bool HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

private:
  void AddVerbs(HMENU menu, std::vector<std::wstring>& verbs) const;
  // Whether a menu is this one or one of its sub-menus.
  bool Holds(HMENU menu) const;

  TShellItem item_;
  Microsoft::WRL::ComPtr<IContextMenu> handler_;
  Microsoft::WRL::ComPtr<IContextMenu2> handler2_;
  Microsoft::WRL::ComPtr<IContextMenu3> handler3_;
  TMenu menu_;
};

// Whether a verb leaves the item in place and shows a window about it (the
// properties), which the shell shows on a thread of the calling process.
bool VerbShowsItsOwnWindow(const std::wstring& verb);

// Runs a command chosen from a menu and tells what happened.
TShellMenuResult RunShellMenuCommand(const TShellItemMenu& menu, UINT command, HWND owner, POINT at);

// Shows the menu of path at a screen point, owned by owner (which must be a
// window of this thread), and runs the chosen verb.
TShellMenuResult ShowShellItemMenu(HWND owner, const std::wstring& path, POINT screen, bool extended);
