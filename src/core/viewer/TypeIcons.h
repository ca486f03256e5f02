// Which entries of a view can share one icon lookup: a file whose type shows
// the same icon for every file of it (a text file, a picture) takes the icon
// found for the first file of its type; types whose files each carry their
// own icon (programs, shortcuts, icon files, or any type whose registered
// icon is "%1" or drawn by a shell extension) are looked up file by file.
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
