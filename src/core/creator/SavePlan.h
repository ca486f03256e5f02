// What saving the creator's fields does, decided from the fields and the
// system's facts: refuse with a warning, or write which shortcut where, after
// asking whether a foreign file may be replaced. The form gathers the facts,
// asks the one question, and applies the plan.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/creator/StackShortcut.h"

// What the desktop holds at a new stack's path.
enum class TDesktopEntry { None, StackShortcut, OtherFile };

struct TSaveFacts {
  bool EditMode = false;
  std::wstring EditShortcutPath;  // the pinned stack being edited
  std::wstring ProgramFolder;     // where the viewer copies lie, ending in a backslash
  // Asked for a new stack only, and only as far as the plan gets, in this
  // order: the pinned entries resolved (ChooseViewerNumber), the desktop
  // folder, what lies at the new shortcut's path.
  std::function<std::vector<std::wstring>()> ResolvedPinnedEntries;
  std::function<std::wstring()> DesktopFolder;
  std::function<TDesktopEntry(const std::wstring& path)> EntryAt;
};

struct TSavePlan {
  // Nothing is saved: the form shows this warning.
  std::optional<std::wstring> Warning;
  std::wstring Path;  // the shortcut written
  // Asked before anything is written; "No" saves nothing.
  std::optional<std::wstring> ReplaceQuestion;
  // The file at Path is not a shortcut: the new one is written beside it and
  // moved over it, never loaded from it.
  bool ReplaceForeignFile = false;
  // Editing: the shortcut at Path keeps its target, show command and hot key.
  bool KeepPinnedLink = false;
  std::wstring TargetPath;  // a new stack's viewer copy (empty when editing)
  std::wstring Description;
  std::wstring WorkingFolder;
  std::wstring Arguments;
  std::wstring StatusText;  // shown after the save
};

TSavePlan PlanSave(const TStackSettings& settings, const std::wstring& caption, const TSaveFacts& facts);
