// Shell icons for paths and special folders. Every shell failure is silent:
// index 0 from GetIconIndex, -1 from GetSpecialFolderIconIndex, an empty icon
// file from the location methods, an empty path from GetSpecialFolderPath.
#include "shared/SysImg.h"

#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "core/base/PathUtils.h"
#include "shared/ExtraWinUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

// The special folders, alphabetical by the names of the shell's constants.
// The values are spelled out because headers disagree on some of them.
constexpr int kSpecialFolders[] = {
    0x0030,  // ADMINTOOLS
    0x001D,  // ALTSTARTUP
    0x001A,  // APPDATA
    0x000A,  // BITBUCKET
    0x003B,  // CDBURN_AREA
    0x002F,  // COMMON_ADMINTOOLS
    0x001E,  // COMMON_ALTSTARTUP
    0x0023,  // COMMON_APPDATA
    0x0019,  // COMMON_DESKTOPDIRECTORY
    0x002E,  // COMMON_DOCUMENTS
    0x001F,  // COMMON_FAVORITES
    0x0035,  // COMMON_MUSIC
    0x003A,  // COMMON_OEM_LINKS
    0x0036,  // COMMON_PICTURES
    0x0017,  // COMMON_PROGRAMS
    0x0016,  // COMMON_STARTMENU
    0x0018,  // COMMON_STARTUP
    0x002D,  // COMMON_TEMPLATES
    0x0037,  // COMMON_VIDEO
    0x003D,  // COMPUTERSNEARME
    0x0031,  // CONNECTIONS
    0x0003,  // CONTROLS
    0x0021,  // COOKIES
    0x0000,  // DESKTOP
    0x0010,  // DESKTOPDIRECTORY
    0x0011,  // DRIVES
    0x0006,  // FAVORITES
    0x0014,  // FONTS
    0x0022,  // HISTORY
    0x0001,  // INTERNET
    0x0020,  // INTERNET_CACHE
    0x001C,  // LOCAL_APPDATA
    kCsidlMyDocuments,
    0x000D,  // MYMUSIC
    0x0027,  // MYPICTURES
    0x000E,  // MYVIDEO
    0x0013,  // NETHOOD
    0x0012,  // NETWORK
    0x0005,  // PERSONAL
    0x0004,  // PRINTERS
    0x001B,  // PRINTHOOD
    0x0028,  // PROFILE
    kCsidlProfiles,
    0x0026,  // PROGRAM_FILES
    0x002A,  // PROGRAM_FILESX86
    0x002B,  // PROGRAM_FILES_COMMON
    0x002C,  // PROGRAM_FILES_COMMONX86
    0x0002,  // PROGRAMS
    0x0008,  // RECENT
    0x0038,  // RESOURCES
    0x0039,  // RESOURCES_LOCALIZED
    0x0009,  // SENDTO
    0x000B,  // STARTMENU
    0x0007,  // STARTUP
    0x0025,  // SYSTEM
    0x0029,  // SYSTEMX86
    0x0015,  // TEMPLATES
    0x0024,  // WINDOWS
};
static_assert(sizeof(kSpecialFolders) / sizeof(kSpecialFolders[0]) == 58, "one entry per special folder");

using TFolderEntry = std::pair<std::wstring, int>;  // path without trailing backslash, CSIDL

struct TFolderIndex {
  std::mutex Lock;
  bool Built = false;
  std::vector<TFolderEntry> Entries;  // sorted by ComparePaths

  std::vector<TFolderEntry>::iterator Find(const std::wstring& path) {
    return std::lower_bound(Entries.begin(), Entries.end(), path, [](const TFolderEntry& e, const std::wstring& p) {
      return CompareTextIgnoringCase(e.first, p) < 0;
    });
  }
  bool Matches(std::vector<TFolderEntry>::iterator it, const std::wstring& path) {
    return it != Entries.end() && CompareTextIgnoringCase(it->first, path) == 0;
  }
  // Adding a path that is already present is ignored, so the first CSIDL wins.
  void Build() {
    for (const int csidl : kSpecialFolders) {
      const std::wstring path = StripTrailingBackslash(GetSpecialFolderPath(csidl));
      if (path.empty()) continue;
      const auto at = Find(path);
      if (!Matches(at, path)) Entries.insert(at, TFolderEntry(path, csidl));
    }
    Built = true;
  }
};

// One index per process, built on first use and never refreshed.
TFolderIndex& FolderIndex() {
  static TFolderIndex index;
  return index;
}

// Makes the temporary-file probe one at a time.
std::mutex& ProbeLock() {
  static std::mutex lock;
  return lock;
}

UINT StateFlag(std::uint8_t state) { return state == 1 ? SHGFI_OPENICON : 0; }

// The item identifier list of a path through the desktop folder; empty when
// nothing of that name exists.
TPidl ParsePath(const std::wstring& path) {
  TPidl pidl;
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop) return pidl;
  std::wstring name = path;  // ParseDisplayName takes a writable string
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, pidl.Put(), nullptr))) pidl.Reset();
  return pidl;
}

TPidl SpecialFolderLocation(int csidl) {
  TPidl pidl;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, pidl.Put()))) pidl.Reset();
  return pidl;
}

SHFILEINFOW FileInfoOfPidl(const TPidl& pidl, UINT flags) {
  SHFILEINFOW info{};
  ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl.Get()), 0, &info, sizeof(info), flags | SHGFI_PIDL);
  return info;
}

// What the shell reports for any file with this extension, without touching
// the file system. Only the extension of the name matters to the shell.
SHFILEINFOW FileInfoOfExtension(const std::wstring& extension, UINT flags) {
  SHFILEINFOW info{};
  const std::wstring name = L"*" + extension;
  ::SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags | SHGFI_USEFILEATTRIBUTES);
  return info;
}

// What the shell reports for a fresh empty file with this extension, made in
// the user's temporary folder and removed again before returning; both the
// probe and the placeholder that drawing a unique name leaves behind go.
SHFILEINFOW FileInfoOfProbe(const std::wstring& extension, UINT flags) {
  SHFILEINFOW info{};
  const std::lock_guard<std::mutex> hold(ProbeLock());
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD folderLength = ::GetTempPathW(MAX_PATH + 1, folder);
  if (folderLength == 0 || folderLength > MAX_PATH) return info;
  wchar_t unique[MAX_PATH] = {};
  if (::GetTempFileNameW(folder, L"sil", 0, unique) == 0) return info;
  const std::wstring placeholder = unique;
  const std::wstring probe = placeholder + extension;
  bool created = false;
  {
    const THandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY, nullptr));
    created = static_cast<bool>(file);
  }
  {
    const TPidl pidl = ParsePath(probe);
    if (pidl) info = FileInfoOfPidl(pidl, flags);
  }
  if (created) ::DeleteFileW(probe.c_str());
  ::DeleteFileW(placeholder.c_str());
  return info;
}

}  // namespace

std::wstring GetSpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return std::wstring();
  return path;
}

int CsidlOfPath(const std::wstring& path) {
  if (path.empty()) return -1;
  TFolderIndex& index = FolderIndex();
  const std::lock_guard<std::mutex> hold(index.Lock);
  if (!index.Built) index.Build();
  const std::wstring key = StripTrailingBackslash(path);
  const auto at = index.Find(key);
  return index.Matches(at, key) ? at->second : -1;
}

struct TSysImageList::TBoundFolder {
  std::wstring Path;  // with its trailing backslash
  TPidl Pidl;
  ComPtr<IShellFolder> Folder;
};

TSysImageList::TSysImageList() { UpdateImageList(); }
TSysImageList::~TSysImageList() = default;

TPidl TSysImageList::ParsePathInFolder(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L'\\');
  if (cut == std::wstring::npos || cut + 1 >= path.size()) return ParsePath(path);
  const std::wstring folder = path.substr(0, cut + 1);
  if (!boundFolder_ || CompareTextIgnoringCase(boundFolder_->Path, folder) != 0) {
    boundFolder_.reset();
    auto bound = std::make_unique<TBoundFolder>();
    bound->Path = folder;
    bound->Pidl = ParsePath(folder);
    ComPtr<IShellFolder> desktop;
    if (!bound->Pidl || FAILED(::SHGetDesktopFolder(&desktop)) || !desktop ||
        FAILED(desktop->BindToObject(bound->Pidl.Get(), nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(bound->Folder.GetAddressOf()))) ||
        !bound->Folder) {
      return ParsePath(path);
    }
    boundFolder_ = std::move(bound);
  }
  std::wstring name = path.substr(cut + 1);  // ParseDisplayName takes a writable string
  TPidl child;
  if (FAILED(boundFolder_->Folder->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, child.Put(), nullptr)) ||
      !child) {
    // Not found in the folder: the full parse has the last word, as it did
    // before the folder was kept.
    return ParsePath(path);
  }
  return TPidl(::ILCombine(boundFolder_->Pidl.Get(), child.Get()));
}

void TSysImageList::SetIconSet(TIconSet value) {
  if (value == iconSet_) return;
  iconSet_ = value;
  UpdateImageList();
}

void TSysImageList::SetIconSize(TIconSize value) {
  if (value == iconSize_) return;
  iconSize_ = value;
  UpdateImageList();
}

UINT TSysImageList::SizeFlag() const noexcept {
  return iconSize_ == TIconSize::isSmallIcons ? SHGFI_SMALLICON : SHGFI_LARGEICON;
}

void TSysImageList::UpdateImageList() {
  handle_ = nullptr;
  toolbarWindow_.Reset();
  if (iconSet_ == TIconSet::isSystem) {
    // A name the shell only looks at as a type, so nothing is read from disk
    // to find the list.
    SHFILEINFOW info{};
    handle_ = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(L"file", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                            SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag()));
  } else {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    toolbarWindow_.Reset(::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr));
    if (!toolbarWindow_) return;
    const bool small = iconSize_ == TIconSize::isSmallIcons;
    const UINT_PTR bitmaps[] = {small ? UINT_PTR(IDB_STD_SMALL_COLOR) : UINT_PTR(IDB_STD_LARGE_COLOR),
                                small ? UINT_PTR(IDB_VIEW_SMALL_COLOR) : UINT_PTR(IDB_VIEW_LARGE_COLOR),
                                small ? UINT_PTR(IDB_HIST_SMALL_COLOR) : UINT_PTR(IDB_HIST_LARGE_COLOR)};
    for (const UINT_PTR id : bitmaps) {
      TBADDBITMAP added{HINST_COMMCTRL, id};
      ::SendMessageW(toolbarWindow_.Get(), TB_ADDBITMAP, 1000, reinterpret_cast<LPARAM>(&added));
    }
    handle_ = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbarWindow_.Get(), TB_GETIMAGELIST, 0, 0));
  }
  // No background is painted behind an icon.
  if (handle_) ::ImageList_SetBkColor(handle_, CLR_NONE);
}

int TSysImageList::GetSpecialFolderIconIndex(int csidl, std::uint8_t state) {
  const TPidl pidl = SpecialFolderLocation(csidl);
  if (!pidl) return -1;
  return FileInfoOfPidl(pidl, SHGFI_SYSICONINDEX | SizeFlag() | StateFlag(state)).iIcon;
}

int TSysImageList::GetIconIndex(const std::wstring& path, std::uint8_t state) {
  const int csidl = CsidlOfPath(path);
  if (csidl >= 0) {
    const int special = GetSpecialFolderIconIndex(csidl, state);
    if (special >= 0) return special;
  }
  if (path.empty()) return 0;
  const UINT flags = SHGFI_SYSICONINDEX | SizeFlag() | StateFlag(state);
  if (const TPidl pidl = ParsePathInFolder(path)) {
    const int index = FileInfoOfPidl(pidl, flags).iIcon;
    return index > 0 ? index : 0;
  }
  // Nothing of that name exists: a name with an extension gets the icon of
  // its type, first as registered, then as shown for a fresh empty file.
  const std::wstring extension = ExtractFileExt(path);
  if (extension.empty() || FileExists(path)) return 0;
  const int registered = FileInfoOfExtension(extension, flags).iIcon;
  if (registered > 0) return registered;
  const int probed = FileInfoOfProbe(extension, flags).iIcon;
  return probed > 0 ? probed : 0;
}

int TSysImageList::GetTypeIconIndex(const std::wstring& extension, bool folder) {
  SHFILEINFOW info{};
  const std::wstring name = folder ? L"folder" : L"file" + extension;
  ::SHGetFileInfoW(name.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag());
  return info.iIcon > 0 ? info.iIcon : 0;
}

void TSysImageList::GetSpecialFolderIconLocation(int csidl, std::uint8_t state, int& index, std::wstring& iconFile) {
  iconFile.clear();
  const TPidl pidl = SpecialFolderLocation(csidl);
  if (!pidl) return;
  const SHFILEINFOW info = FileInfoOfPidl(pidl, SHGFI_ICONLOCATION | SizeFlag() | StateFlag(state));
  iconFile = info.szDisplayName;
  index = info.iIcon;
}

void TSysImageList::GetIconLocation(const std::wstring& path, std::uint8_t state, int& index, std::wstring& iconFile) {
  const int csidl = CsidlOfPath(path);
  if (csidl >= 0) {
    GetSpecialFolderIconLocation(csidl, state, index, iconFile);
    if (!iconFile.empty()) return;
  }
  iconFile.clear();
  if (path.empty()) return;
  const UINT flags = SHGFI_ICONLOCATION | SizeFlag() | StateFlag(state);
  // Only a positive index is taken: 0 is no better than the caller's own
  // default, and a negative one is a resource identifier, not an index.
  const auto take = [&](const SHFILEINFOW& info) {
    if (info.iIcon <= 0) return false;
    iconFile = info.szDisplayName;
    index = info.iIcon;
    return true;
  };
  if (const TPidl pidl = ParsePath(path)) {
    take(FileInfoOfPidl(pidl, flags));
    return;
  }
  const std::wstring extension = ExtractFileExt(path);
  if (extension.empty() || FileExists(path)) return;
  if (!take(FileInfoOfExtension(extension, flags))) take(FileInfoOfProbe(extension, flags));
}
