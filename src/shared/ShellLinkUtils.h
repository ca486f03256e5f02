// Shell shortcut files (".lnk") read and written through the shell's own link
// object, and the step from a path that names a shortcut to its target.
// Callers initialise COM on their thread first.
#pragma once

#include <windows.h>

#include <string>

// Everything a shortcut records that the stacks care about. A fresh record has
// empty strings and zero numbers.
struct TShellLinkInfo {
  std::wstring TargetPath;
  std::wstring Arguments;
  std::wstring Description;
  std::wstring WorkingFolder;
  std::wstring IconPath;
  int IconIndex = 0;
  int ShowCommand = 0;  // SW_ value for the started program
  WORD HotKey = 0;      // virtual key in the low byte, HOTKEYF_ flags in the high byte
};

// Reads every field of the shortcut at path. Each string comes back with at
// most 259 characters. Raises EError with the system's text when the file
// cannot be loaded or a field cannot be read.
TShellLinkInfo ReadShellLink(const std::wstring& path);

// Writes every field of info, empty strings and zero numbers included, into the
// shortcut at path and saves it. The file must already exist: either a
// shortcut, which is loaded and updated, or the zero-byte placeholder that
// CreateEmptyFile makes for a new one. Raises EError when any step, the final
// save included, fails; a path with no file fails before anything is written.
void WriteShellLink(const std::wstring& path, const TShellLinkInfo& info);

// Writes info as the shortcut at path, which need not exist: a new shortcut
// starts as the empty placeholder, which a failed write removes again; an
// existing shortcut is loaded and updated. Raises WriteShellLink's errors.
void SaveShellLink(const std::wstring& path, const TShellLinkInfo& info);

// Puts a new shortcut of info at path in place of the file there, which is
// never loaded as a shortcut (it may be anything): the shortcut is written to
// a temporary file in the same folder and moved over path. On any failure the
// temporary file is deleted, the file at path stays as it was, and EError is
// raised with the system's text.
void ReplaceWithShellLink(const std::wstring& path, const TShellLinkInfo& info);

// The target of a ".lnk" path (extension in any case), one level deep; any
// other path, a folder included, unchanged and unchecked. A damaged shortcut
// raises the read's error.
std::wstring ResolveShellLink(const std::wstring& path);
