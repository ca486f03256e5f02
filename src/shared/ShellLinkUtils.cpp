// Shortcut files through the shell link object's wide interface, so names
// outside the ANSI code page survive the trip.
#include "shared/ShellLinkUtils.h"

#include <objbase.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cwchar>

#include "core/base/Errors.h"
#include "core/base/PathUtils.h"
#include "core/base/ScopeGuard.h"
#include "shared/ExtraWinUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

// Every string is read through a buffer of this many characters, terminator
// included, so at most one less comes back.
constexpr int kFieldChars = MAX_PATH;

void Check(HRESULT hr) {
  if (FAILED(hr)) throw SystemError(static_cast<DWORD>(hr));
}

struct TLinkObject {
  ComPtr<IShellLinkW> Link;
  ComPtr<IPersistFile> File;
};

TLinkObject CreateLinkObject() {
  TLinkObject object;
  Check(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object.Link)));
  const HRESULT hr = object.Link.As(&object.File);
  if (FAILED(hr)) throw EError(L"Interface not supported", static_cast<DWORD>(hr));
  return object;
}

// Calls a getter with a fresh buffer and keeps at most kFieldChars - 1
// characters, whether or not the getter terminated what it wrote.
template <typename Getter>
std::wstring ReadField(Getter&& getter) {
  wchar_t buffer[kFieldChars] = {};
  Check(getter(buffer, kFieldChars));
  return std::wstring(buffer, ::wcsnlen(buffer, kFieldChars - 1));
}

// The zero-byte file the creator puts down before it writes a new shortcut.
// Folders do not count, although the file system reports them as empty.
bool IsEmptyPlaceholder(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

}  // namespace

TShellLinkInfo ReadShellLink(const std::wstring& path) {
  const TLinkObject object = CreateLinkObject();
  Check(object.File->Load(path.c_str(), STGM_READ));

  IShellLinkW& link = *object.Link.Get();
  TShellLinkInfo info;
  // No find-data record: nothing here uses it, and some link objects copy the
  // whole target into its 260-character name field however long the target
  // is, writing past the record.
  info.TargetPath = ReadField([&](wchar_t* buffer, int size) { return link.GetPath(buffer, size, nullptr, 0); });
  info.Arguments = ReadField([&](wchar_t* buffer, int size) { return link.GetArguments(buffer, size); });
  info.Description = ReadField([&](wchar_t* buffer, int size) { return link.GetDescription(buffer, size); });
  info.WorkingFolder = ReadField([&](wchar_t* buffer, int size) { return link.GetWorkingDirectory(buffer, size); });
  info.IconPath =
      ReadField([&](wchar_t* buffer, int size) { return link.GetIconLocation(buffer, size, &info.IconIndex); });
  Check(link.GetShowCmd(&info.ShowCommand));
  Check(link.GetHotkey(&info.HotKey));
  return info;
}

void WriteShellLink(const std::wstring& path, const TShellLinkInfo& info) {
  TLinkObject object = CreateLinkObject();
  const HRESULT loadResult = object.File->Load(path.c_str(), STGM_SHARE_DENY_WRITE);
  const bool loaded = SUCCEEDED(loadResult);
  if (loaded) {
    Check(object.Link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH | SLR_UPDATE));
  } else if (IsEmptyPlaceholder(path)) {
    // The shell will not load a zero-byte file; a new shortcut starts from an
    // untouched link object rather than one a failed load may have half filled.
    object = CreateLinkObject();
  } else {
    throw SystemError(static_cast<DWORD>(loadResult));
  }

  IShellLinkW& link = *object.Link.Get();
  // Some shells refuse an empty path. A fresh link has no target to clear, so
  // the refusal changes nothing there; a loaded one would keep its old target,
  // so there it stays an error.
  const HRESULT pathResult = link.SetPath(info.TargetPath.c_str());
  if (FAILED(pathResult) && (loaded || !info.TargetPath.empty())) throw SystemError(static_cast<DWORD>(pathResult));
  Check(link.SetArguments(info.Arguments.c_str()));
  Check(link.SetDescription(info.Description.c_str()));
  Check(link.SetWorkingDirectory(info.WorkingFolder.c_str()));
  Check(link.SetIconLocation(info.IconPath.c_str(), info.IconIndex));
  Check(link.SetShowCmd(info.ShowCommand));
  Check(link.SetHotkey(info.HotKey));
  // A write that fails here must not pass for a saved shortcut.
  Check(object.File->Save(path.c_str(), TRUE));
}

void SaveShellLink(const std::wstring& path, const TShellLinkInfo& info) {
  const bool placeholder = !FileExists(path);
  if (placeholder) CreateEmptyFile(path);
  auto removePlaceholder = MakeScopeGuard([&] {
    if (placeholder) ::DeleteFileW(path.c_str());
  });
  WriteShellLink(path, info);
  removePlaceholder.Dismiss();
}

void ReplaceWithShellLink(const std::wstring& path, const TShellLinkInfo& info) {
  wchar_t temporary[MAX_PATH] = {};
  if (!::GetTempFileNameW(ExtractFilePath(path).c_str(), L"hfs", 0, temporary)) throw SystemError(::GetLastError());
  auto removeTemporary = MakeScopeGuard([&] { ::DeleteFileW(temporary); });
  WriteShellLink(temporary, info);
  if (!::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING)) throw SystemError(::GetLastError());
  removeTemporary.Dismiss();
}

std::wstring ResolveShellLink(const std::wstring& path) {
  if (!IsShortcutName(path)) return path;
  return ReadShellLink(path).TargetPath;
}
