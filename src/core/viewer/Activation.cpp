#include "core/viewer/Activation.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"
#include "core/viewer/StackEntries.h"

std::optional<std::wstring> RepairedShortcutTarget(const std::wstring& target, bool targetExists) {
  static const std::wstring marker = L" (x86)";
  // Whether to repair is decided on the exact marker; where to cut is found
  // without regard to case (the first occurrence in any case).
  if (targetExists || !Contains(target, marker)) return std::nullopt;
  std::wstring repaired = target;
  repaired.erase(FindIgnoringCase(target, marker), marker.size());
  return repaired;
}

TClickAction DecideClick(int tag, TViewKind view) {
  const bool stackOrGrid = view == TViewKind::Stack || view == TViewKind::Grid;
  if (!stackOrGrid) return TClickAction::Nothing;
  if (tag == kTagBrowse) return view == TViewKind::Stack ? TClickAction::BrowseStack : TClickAction::BrowseGrid;
  if (tag == kTagOpen) return TClickAction::Run;
  return TClickAction::Nothing;
}

std::wstring GridCleaningUpCaption(const std::wstring& folder) {
  return ExtractLastFolderName(folder) + L" (Cleaning up)";
}

bool RunsAsAdministrator(TEntryKind kind, TClickAction action, bool control, bool shift) {
  return control && shift && kind == TEntryKind::File && action == TClickAction::Run;
}
