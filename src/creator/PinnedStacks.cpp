#include "creator/PinnedStacks.h"

#include <shlobj.h>

#include "core/base/Errors.h"
#include "core/base/ExtraStrUtils.h"
#include "core/base/Listing.h"
#include "core/base/PathUtils.h"
#include "core/creator/CreatorRules.h"
#include "core/creator/StackShortcut.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellLinkUtils.h"
#include "shared/SysImg.h"

namespace {

const wchar_t kListSeparator[] = L"-|-";
const wchar_t kPinnedSubfolder[] = L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
constexpr std::uint32_t kPinnedAttributes = faReadOnly | faSysFile | faArchive;

}  // namespace

std::wstring PinnedFolder() { return GetSpecialFolderPath(CSIDL_APPDATA) + kPinnedSubfolder; }

std::vector<std::wstring> PinnedEntries() {
  long long count = 0;
  std::wstring list;
  ListFiles(PinnedFolder() + L"\\*.*", kListSeparator, count, false, kPinnedAttributes, list);
  return SplitList(kListSeparator, list, static_cast<std::size_t>(count));
}

std::wstring FindPinnedStack(const std::wstring& folder) {
  for (const std::wstring& entry : PinnedEntries()) {
    if (!IsShortcutName(entry)) continue;
    TShellLinkInfo info;
    try {
      info = ReadShellLink(entry);
    } catch (const EError&) {
      continue;  // a damaged shortcut on the taskbar is no stack of anything
    }
    const auto samePath = [](const std::wstring& a, const std::wstring& b) { return SameFolderPath(a, b); };
    if (IsPinnedStackOf(info.TargetPath, info.Arguments, folder, samePath)) return entry;
  }
  return std::wstring();
}

std::vector<std::wstring> ResolvedPinnedEntries() {
  std::vector<std::wstring> resolved;
  for (const std::wstring& entry : PinnedEntries()) {
    try {
      resolved.push_back(ResolveShellLink(entry));
    } catch (const EError&) {
      // A damaged pinned shortcut starts no viewer copy, so it takes no number.
    }
  }
  return resolved;
}

bool IsStackShortcut(const std::wstring& path) {
  try {
    return IsViewerTarget(ReadShellLink(path).TargetPath);
  } catch (const EError&) {
    return false;
  }
}

bool SameFolderPath(const std::wstring& a, const std::wstring& b) { return SameFolderPath(a, b, UpperCase); }
