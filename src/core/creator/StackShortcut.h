// A stack is a shell shortcut: a numbered viewer copy as its target, the
// folder and display switches as its arguments. This is the creator's half of
// the contract whose other half is the viewer's command-line grammar.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/viewer/DisplayOptions.h"

enum class TStackType { Stack = 0, Grid = 1, Menu = 2 };  // the creator's drop-down items, in order

struct TStackSettings {
  std::wstring Folder;  // as typed
  TStackType Type = TStackType::Stack;
  TDisplayOptions Options;
};

// "\"<folder>\" " followed by "/grid " or "/menu ", "/noexplore ",
// "/nobrowse ", "/hideext ", "/thumbs ", "/clear " as the settings ask; every
// piece ends with a blank.
std::wstring ComposeArguments(const TStackSettings& settings);

// Reads a pinned stack's arguments back into settings. The folder is the text
// between the first two double quotes, quotes removed; the type and options
// come from plain case-sensitive substring tests ("/grid" before "/menu") of
// the rest of the arguments, so the folder's own text never sets one.
TStackSettings ReadStackArguments(const std::wstring& arguments);

// Whether two folder paths name the same folder, as Windows compares them.
using TSamePath = std::function<bool(const std::wstring&, const std::wstring&)>;
// Letter case ignored for ASCII letters only: what the core can do alone.
bool SameAsciiPath(const std::wstring& a, const std::wstring& b);

// A pinned shortcut is the stack of folder when its target contains
// "Heapview" and its arguments, read as the viewer reads its command line,
// name that folder: trailing backslashes on either side are ignored and the
// paths are compared with samePath. A stack of C:\Docs2 is not one of
// C:\Docs, and a stack of the drive root D:\ is the only one of D:.
bool IsPinnedStackOf(const std::wstring& target, const std::wstring& arguments, const std::wstring& folder,
                     const TSamePath& samePath = SameAsciiPath);

// "Heapview<n>.exe".
std::wstring ViewerFileName(int number);

// The lowest viewer number 0..9 that none of the pinned entries uses (each
// given resolved: a shortcut's target, else the entry itself; only the name
// part counts, letter case ignored); nothing when all ten are taken.
std::optional<int> ChooseViewerNumber(const std::vector<std::wstring>& resolvedPinnedEntries);

// The creator's icon field "path|index": the path, and the index read as a
// decimal integer (0 when missing or not a number).
struct TIconField {
  std::wstring Path;
  int Index = 0;
};
TIconField SplitIconField(const std::wstring& text);
std::wstring JoinIconField(const std::wstring& path, int index);

// The icon a saved stack gets. The field's path and index when it names a
// path; else the folder's own icon location (asked of folderIcon only then);
// else, when the shell reports no icon file for the folder, the target's
// first icon.
struct TIconLocation {
  std::wstring Path;
  int Index = 0;
};
TIconLocation ChooseStackIcon(const std::wstring& iconField, const std::function<TIconLocation()>& folderIcon,
                              const std::wstring& target);

// The characters a file name cannot hold, which a caption (the shortcut's
// file name) may not contain: \ / : * ? " < > |
bool IsRefusedCaptionCharacter(wchar_t c);

// Why the creator's fields cannot be saved as a stack, or nothing when they
// can: an empty folder or caption, or a caption holding characters that a
// file name cannot hold (control characters too), which the message names.
std::optional<std::wstring> SaveRefusal(const std::wstring& folder, const std::wstring& caption);

// The caption proposed for a chosen folder: its last name with every ":"
// removed; with markDriveRoot, a drive root (its drive and a backslash and
// nothing else) gets "Drive " before it: C:\Users\ann\Music gives Music,
// and E:\ gives Drive E.
std::wstring ProposeCaption(const std::wstring& folder, bool markDriveRoot);
// Where a new stack's shortcut goes: the desktop folder, a backslash, the
// caption, ".lnk".
std::wstring DesktopShortcutPath(const std::wstring& desktopFolder, const std::wstring& caption);

// The status texts after a save.
std::wstring SavedStatusText(const std::wstring& caption, bool editMode);
