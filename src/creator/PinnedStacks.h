// The entries pinned to the taskbar as the creator sees them: which of them
// is the stack of a folder, which shortcuts are stacks, and which viewer
// copies the pinned entries start.
#pragma once

#include <string>
#include <vector>

// The folder of the user's taskbar pins.
std::wstring PinnedFolder();

// The shortcuts and other files pinned to the taskbar, as full paths.
std::vector<std::wstring> PinnedEntries();

// The pinned shortcut that is the stack of folder (core IsPinnedStackOf,
// paths compared as Windows compares them); empty when there is none.
// Damaged shortcuts are passed over.
std::wstring FindPinnedStack(const std::wstring& folder);

// The pinned entries resolved (a shortcut's target, else the entry itself)
// for ChooseViewerNumber; damaged shortcuts start no viewer copy and are left out.
std::vector<std::wstring> ResolvedPinnedEntries();

// A file that one of the stacks wrote: a shortcut that starts a viewer copy.
// A file that cannot be read as a shortcut is none.
bool IsStackShortcut(const std::wstring& path);

// Folder paths compared as Windows compares them: letter case ignored.
bool SameFolderPath(const std::wstring& a, const std::wstring& b);
