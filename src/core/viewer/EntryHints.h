// The hint texts of grid tiles: a folder's name and what it contains, a
// file's name, size and date, the targets of the go-back and Explore tiles.
// Lines are separated by a carriage return alone.
#pragma once

#include <optional>
#include <string>

// "Nothing", "3 files", "1 folder", "2 folders, 3 files".
std::wstring ContentsPhrase(long long folders, long long files);
// The folder's last name, then "Contains: " and the contents phrase.
std::wstring FolderHintText(const std::wstring& folder, long long folders, long long files);

// What the file hint shows of a file that still exists.
struct TFileFacts {
  std::wstring SizeText;  // FormatByteSize in the user's decimal separator
  std::wstring DateText;  // FileDateText
};
// With extensions shown and for anything but a shortcut: the name with its
// extension, "Size: " and "Date: " lines; a file that has gone since the
// grid was built gives its name alone. Otherwise the name without extension.
std::wstring FileHintText(const std::wstring& path, bool hideExtensions, const std::optional<TFileFacts>& facts);

std::wstring GoBackHintText(const std::wstring& parentFolder);  // "Go back to: " + its name
std::wstring ExploreHintText(const std::wstring& folder);       // "Explore: " + its name

// A file's date as the hint shows it: the short date, a space and the long
// time, the time left out when the (two-second) time of day is midnight.
std::wstring FileDateText(const std::wstring& shortDate, const std::wstring& longTime, int hour, int minute,
                          int second);
