// What a click on an entry does, and what it hands to the shell.
#pragma once

#include <optional>
#include <string>

#include "core/viewer/CommandLine.h"
#include "core/viewer/StackEntries.h"

// Shortcuts made on 64-bit Windows often record "Program Files (x86)" where a
// program lives under "Program Files" elsewhere. For a target that does not
// exist and contains " (x86)", the target with its first " (x86)" (any case)
// removed; otherwise nothing, and the shortcut file itself is run.
std::optional<std::wstring> RepairedShortcutTarget(const std::wstring& target, bool targetExists);

// A clicked path is read as a shortcut (and perhaps repaired) when it names
// an existing file whose name is a shortcut's; folders never are.
inline bool NeedsShortcutCheck(bool isExistingFile, bool isShortcutName) { return isExistingFile && isShortcutName; }

// What a click on a stack or grid entry does, by the entry's Tag and the view.
enum class TClickAction {
  Nothing,
  BrowseStack,  // rebuild the stack for the path
  BrowseGrid,   // caption GridCleaningUpCaption(path), then rebuild the grid
  Run,          // hand the path to the shell, then close at once
};
TClickAction DecideClick(int tag, TViewKind view);

// Ctrl+Shift with a click, or with Enter on the selected entry, runs a file
// entry as administrator (the shell's "runas" verb). On a folder, the
// go-back or the Explore entry, and with fewer keys held, it is a plain click.
bool RunsAsAdministrator(TEntryKind kind, TClickAction action, bool control, bool shift);

// The caption of a grid while it is being rebuilt for folder.
std::wstring GridCleaningUpCaption(const std::wstring& folder);
