// Which entries of a view can share one icon lookup: a file whose type shows
// the same icon for every file of it (a text file, a picture) takes the icon
// found for the first file of its type; types whose files each carry their
// own icon (programs, shortcuts, icon files, or any type whose registered
// icon is "%1" or drawn by a shell extension) are looked up file by file.
// Plain folders share the folder icon; a folder the shell may show
// otherwise (a special folder, or one marked read-only or system, which is
// how a folder's own desktop.ini icon is switched on) is looked up alone.
#pragma once

#include <string>

// What the registry says of a file type's icon.
struct TTypeIconFacts {
  std::wstring DefaultIcon;     // the type's DefaultIcon value, as registered
  bool HasIconHandler = false;  // a shell extension draws its files' icons
};

// The key under which a file's icon is shared: its extension, lower-cased
// (".txt"); empty for a file without one, whose icon is looked up alone.
std::wstring TypeIconKey(const std::wstring& path);

// Whether every file of the type whose key is given shows the type's icon.
// The types that carry their own icons by their nature are known here
// whatever the registry says, as not every system registers them the same.
bool TypeIconIsShared(const std::wstring& key, const TTypeIconFacts& facts);

// What the file system says of a folder entry.
struct TFolderIconFacts {
  bool Exists = false;            // its attributes could be read
  bool ReadOnlyOrSystem = false;  // marked so: its desktop.ini may name an icon
  bool SpecialFolder = false;     // one of the shell's special folders
};
// The key under which plain folders share their icon, empty for a folder
// that is looked up alone.
std::wstring FolderIconKey(const TFolderIconFacts& facts);
