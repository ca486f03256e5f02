// The shell's own icons for paths and special folders. TSysImageList binds to
// the image list the shell keeps in every process (or to the common controls'
// toolbar button images) and translates paths into indexes of that list, so
// special folders such as the desktop or the recycle bin get the icons the
// shell shows for them rather than plain folder icons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "shared/ScopedWin.h"

// CSIDL values that the headers give differently or not at all: the virtual
// documents folder has its own number here (newer headers alias it to the
// personal folder), and the profiles root is missing from older headers.
constexpr int kCsidlMyDocuments = 0x000C;
constexpr int kCsidlProfiles = 0x003E;

// The folder's path, empty when the system has none.
std::wstring GetSpecialFolderPath(int csidl);
// The CSIDL whose folder has this path (one trailing backslash and letter case
// ignored), -1 when none or when the path is empty. Where several CSIDLs share
// a path, the first of a fixed alphabetical order of their names wins.
int CsidlOfPath(const std::wstring& path);

enum class TIconSet { isSystem, isToolbar };
enum class TIconSize { isSmallIcons, isLargeIcons };

class TSysImageList {
public:
  TSysImageList();
  ~TSysImageList();  // the toolbar window, if any, goes with toolbarWindow_
  TSysImageList(const TSysImageList&) = delete;
  TSysImageList& operator=(const TSysImageList&) = delete;

  TIconSet IconSet() const noexcept { return iconSet_; }
  void SetIconSet(TIconSet value);
  TIconSize IconSize() const noexcept { return iconSize_; }
  void SetIconSize(TIconSize value);

  // The bound list. It belongs to the system (or to the hidden toolbar
  // window) and is never destroyed here.
  HIMAGELIST Handle() const noexcept { return handle_; }

  // Index in the bound list; 0 when nothing better is found. State 1 asks for
  // the open icon, anything else for the normal one.
  int GetIconIndex(const std::wstring& path, std::uint8_t state = 0);
  // Index of the icon every file of a type shows (extension: ".txt"), or
  // of a plain folder (empty extension, folder true), asked of the shell by
  // the type alone, with nothing read from disk; 0 when it has none.
  int GetTypeIconIndex(const std::wstring& extension, bool folder);
  // Index for a special folder, -1 when the folder has no location.
  int GetSpecialFolderIconIndex(int csidl, std::uint8_t state);
  // The icon file and index the shell reports for a path. The icon file comes
  // back empty when there is none, and then the index keeps its incoming value.
  void GetIconLocation(const std::wstring& path, std::uint8_t state, int& index, std::wstring& iconFile);
  // As GetIconLocation for a special folder; here the index takes whatever
  // value the shell reports.
  void GetSpecialFolderIconLocation(int csidl, std::uint8_t state, int& index, std::wstring& iconFile);

  // Binds Handle() to the list that IconSet and IconSize select.
  void UpdateImageList();

private:
  UINT SizeFlag() const noexcept;
  // The item identifier list of a path, empty when nothing of that name
  // exists. Parsing a full path walks it from the desktop down; the entries of
  // a view share their folder, so the last folder is kept bound and each
  // name is parsed in it.
  TPidl ParsePathInFolder(const std::wstring& path);

  TIconSet iconSet_ = TIconSet::isSystem;
  TIconSize iconSize_ = TIconSize::isSmallIcons;
  HIMAGELIST handle_ = nullptr;
  TOwnedWindow toolbarWindow_;  // only while IconSet is isToolbar
  struct TBoundFolder;
  std::unique_ptr<TBoundFolder> boundFolder_;  // the folder ParsePathInFolder parsed in last
};
