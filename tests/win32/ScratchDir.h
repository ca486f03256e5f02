// A scratch folder of the real file system for one test: made empty under the
// temporary folder, removed with everything in it at the end of the scope.
#pragma once

#include <windows.h>

#include <string>

#include "../common/TestFiles.h"
#include "shared/ScopedWin.h"

class TScratchDir {
public:
  explicit TScratchDir(const std::wstring& tag) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    path_ = temp + (tag + std::to_wstring(::GetCurrentProcessId()) + L"\\");
    RemoveTree(path_.substr(0, path_.size() - 1));
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TScratchDir() { RemoveTree(path_.substr(0, path_.size() - 1)); }
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;

  const std::wstring& Path() const { return path_; }  // ends with a backslash

  std::wstring File(const std::wstring& name, const std::string& content = "abc", DWORD attributes = 0) const {
    const std::wstring path = path_ + name;
    {
      const THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      DWORD written = 0;
      ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }
    if (attributes) ::SetFileAttributesW(path.c_str(), attributes);
    return path;
  }

  std::wstring Folder(const std::wstring& name, DWORD attributes = 0) const {
    const std::wstring path = path_ + name;
    ::CreateDirectoryW(path.c_str(), nullptr);
    if (attributes) ::SetFileAttributesW(path.c_str(), attributes);
    return path;
  }

private:
  std::wstring path_;
};
