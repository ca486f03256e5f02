// What a click on an entry hands to the shell.
#pragma once

#include <optional>
#include <string>

// A shortcut file as the click handler recognises one: the extension is
// exactly ".lnk" (an upper-case ".LNK" is run as it is).
bool IsShortcutName(const std::wstring& path);

// Shortcuts made on 64-bit Windows often record "Program Files (x86)" where a
// program lives under "Program Files" elsewhere. For a target that does not
// exist and contains " (x86)", the target with its first " (x86)" (any case)
// removed; otherwise nothing, and the shortcut file itself is run.
std::optional<std::wstring> RepairedShortcutTarget(const std::wstring& target, bool targetExists);
