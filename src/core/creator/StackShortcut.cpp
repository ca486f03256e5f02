// Composing and reading back a stack shortcut's arguments, choosing the viewer
// copy a new stack points at, and the creator's icon field.
#include "core/creator/StackShortcut.h"

#include <climits>
#include <cwchar>

#include "core/viewer/CommandLine.h"
#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

namespace {

// A decimal integer with an optional leading minus and nothing else; 0 for
// anything that is not one, including values outside int's range.
int ParseDecimal(const std::wstring& text) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == L'-';
  if (negative) pos = 1;
  if (pos >= text.size()) return 0;
  long long value = 0;
  for (; pos < text.size(); ++pos) {
    const wchar_t c = text[pos];
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + (c - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return 0;
  return static_cast<int>(value);
}

}  // namespace

std::wstring ComposeArguments(const TStackSettings& settings) {
  std::wstring args = L"\"" + settings.Folder + L"\" ";
  if (settings.Type == TStackType::Grid)
    args += L"/grid ";
  else if (settings.Type == TStackType::Menu)
    args += L"/menu ";
  if (!settings.Options.ShowExplore) args += L"/noexplore ";
  if (!settings.Options.BrowseFolders) args += L"/nobrowse ";
  if (settings.Options.HideExtensions) args += L"/hideext ";
  if (settings.Options.ShowThumbnails) args += L"/thumbs ";
  if (settings.Options.Clear) args += L"/clear ";
  if (const std::wstring sort = SortSwitch(settings.Options.Sort); !sort.empty()) args += sort + L" ";
  return args;
}

TStackSettings ReadStackArguments(const std::wstring& arguments) {
  TStackSettings settings;
  const std::wstring quoted = ExtractQuotedPart(arguments, L'"');
  for (wchar_t c : quoted)
    if (c != L'"') settings.Folder += c;
  // Switches are looked for outside the quoted folder: Windows takes "/" as a
  // separator too, so a folder typed as C:/Photos/grid must not read as a
  // grid. A blank stands in for the folder, so no switch forms across it.
  std::wstring switches = arguments;
  if (!quoted.empty()) switches.replace(arguments.find(L'"'), quoted.size(), L" ");
  // "/grid" wins over "/menu" when both appear.
  if (Contains(switches, L"/grid"))
    settings.Type = TStackType::Grid;
  else if (Contains(switches, L"/menu"))
    settings.Type = TStackType::Menu;
  else
    settings.Type = TStackType::Stack;
  settings.Options.ShowExplore = !Contains(switches, L"/noexplore");
  settings.Options.BrowseFolders = !Contains(switches, L"/nobrowse");
  settings.Options.HideExtensions = Contains(switches, L"/hideext");
  settings.Options.ShowThumbnails = Contains(switches, L"/thumbs");
  settings.Options.Clear = Contains(switches, L"/clear");
  // The order's value runs to the next blank; an unknown one reads as the
  // default, which saving then writes.
  const std::wstring lower = AsciiLowerCase(switches);
  if (const std::size_t at = lower.find(kSortSwitchPrefix); at != std::wstring::npos) {
    const std::size_t value = at + std::wcslen(kSortSwitchPrefix);
    const std::size_t end = lower.find(L' ', value);
    settings.Options.Sort =
        ParseSortOrder(lower.substr(value, end == std::wstring::npos ? std::wstring::npos : end - value))
            .value_or(TSortOrder::Name);
  }
  return settings;
}

bool SameAsciiPath(const std::wstring& a, const std::wstring& b) { return AsciiLowerCase(a) == AsciiLowerCase(b); }

bool IsPinnedStackOf(const std::wstring& target, const std::wstring& arguments, const std::wstring& folder,
                     const TSamePath& samePath) {
  const std::wstring wanted = StripTrailingBackslashes(folder);
  if (wanted.empty() || !Contains(target, L"Heapview")) return false;
  // The viewer's own reading: the arguments follow a program name.
  std::vector<std::wstring> args = TokenizeCommandLine(L"Heapview.exe " + arguments);
  args.erase(args.begin());
  const TViewerCommand command = ParseViewerCommand(args);
  if (command.CreatorParameters || command.StackFolder.empty()) return false;
  return samePath(command.StackFolder, wanted);
}

std::wstring ViewerFileName(int number) { return L"Heapview" + std::to_wstring(number) + L".exe"; }

std::optional<int> ChooseViewerNumber(const std::vector<std::wstring>& resolvedPinnedEntries) {
  bool taken[10] = {};
  for (const std::wstring& entry : resolvedPinnedEntries) {
    const std::wstring name = AsciiLowerCase(ExtractFileName(entry));
    for (int n = 0; n < 10; ++n)
      if (name == AsciiLowerCase(ViewerFileName(n))) taken[n] = true;
  }
  for (int n = 0; n < 10; ++n)
    if (!taken[n]) return n;
  return std::nullopt;
}

TIconField SplitIconField(const std::wstring& text) {
  TIconField field;
  field.Path = GetListField(L"|", text, 1);
  field.Index = ParseDecimal(GetListField(L"|", text, 2));
  return field;
}

std::wstring JoinIconField(const std::wstring& path, int index) { return path + L"|" + std::to_wstring(index); }

TIconLocation ChooseStackIcon(const std::wstring& iconField, const std::function<TIconLocation()>& folderIcon,
                              const std::wstring& target) {
  const TIconField field = SplitIconField(iconField);
  if (!field.Path.empty()) return {field.Path, field.Index};
  TIconLocation folder = folderIcon();
  if (!folder.Path.empty()) return folder;
  return {target, 0};
}

bool IsRefusedCaptionCharacter(wchar_t c) {
  return c != L'\0' && std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos;
}

std::optional<std::wstring> SaveRefusal(const std::wstring& folder, const std::wstring& caption) {
  if (folder.empty()) return std::wstring(L"Please choose the folder that the stack should show.");
  if (caption.empty())
    return std::wstring(L"Please type a caption for the stack. It becomes the name of the shortcut.");
  std::wstring found;
  bool control = false;
  for (wchar_t c : caption) {
    if (c < 0x20 || c == 0x7F) {
      control = true;
    } else if (IsRefusedCaptionCharacter(c) && found.find(c) == std::wstring::npos) {
      if (!found.empty()) found += L' ';
      found += c;
    }
  }
  if (found.empty() && !control) return std::nullopt;
  std::wstring what;
  if (!found.empty()) what = L"the characters " + found;
  if (control) what += std::wstring(what.empty() ? L"" : L" and ") + L"control characters such as tabs";
  return L"The caption cannot contain " + what +
         L", because it becomes the name of the shortcut and a file name cannot hold them.\n\n"
         L"Please remove them from the caption.";
}

std::wstring ProposeCaption(const std::wstring& folder, bool markDriveRoot) {
  std::wstring name;
  for (wchar_t c : ExtractLastFolderName(folder))
    if (c != L':') name += c;
  const bool driveRoot = folder.size() == 3 && folder[1] == L':' && folder[2] == L'\\';
  return markDriveRoot && driveRoot ? L"Drive " + name : name;
}

std::wstring DesktopShortcutPath(const std::wstring& desktopFolder, const std::wstring& caption) {
  return desktopFolder + L"\\" + caption + L".lnk";
}

std::wstring SavedStatusText(const std::wstring& caption, bool editMode) {
  return L"Stack \"" + caption + (editMode ? L"\" successfully updated." : L"\" successfully created.");
}
