#include "core/creator/SavePlan.h"

#include "core/base/PathUtils.h"

namespace {

const wchar_t kAllSlotsTaken[] =
    L"All ten stack slots are in use: ten stacks are pinned to the taskbar already.\n\n"
    L"Please unpin one of them from the taskbar first, then create the new stack.";

std::wstring ReplaceQuestion(const std::wstring& path) {
  return L"The desktop already holds \"" + ExtractFileName(path) +
         L"\", which is not a stack shortcut.\n\nDo you want to replace it with the new stack?";
}

}  // namespace

TSavePlan PlanSave(const TStackSettings& settings, const std::wstring& caption, const TSaveFacts& facts) {
  TSavePlan plan;
  if (const auto refusal = SaveRefusal(settings.Folder, caption)) {
    plan.Warning = refusal;
    return plan;
  }

  if (facts.EditMode) {
    plan.Path = facts.EditShortcutPath;
    plan.KeepPinnedLink = true;
  } else {
    const std::optional<int> number = ChooseViewerNumber(facts.ResolvedPinnedEntries());
    if (!number) {
      plan.Warning = kAllSlotsTaken;
      return plan;
    }
    plan.Path = DesktopShortcutPath(facts.DesktopFolder(), caption);
    if (facts.EntryAt(plan.Path) == TDesktopEntry::OtherFile) {
      plan.ReplaceQuestion = ReplaceQuestion(plan.Path);
      plan.ReplaceForeignFile = true;
    }
    plan.TargetPath = facts.ProgramFolder + ViewerFileName(*number);
  }
  plan.Description = L"Heapfold";
  plan.WorkingFolder = settings.Folder;
  plan.Arguments = ComposeArguments(settings);
  plan.StatusText = SavedStatusText(caption, facts.EditMode);
  return plan;
}
