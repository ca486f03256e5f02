// File helpers the Windows test layers share: removing a scratch tree and
// reading the line logs that the recorder and the stand-in DLLs write.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shared/ScopedWin.h"

// Removes a folder (given without a trailing backslash) with everything in
// it, read-only and hidden entries included. A missing folder is no error.
inline void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find.Get(), &data));
  }
  find.Reset();
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(folder.c_str());
}

// A file's bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::wstring& path) {
  THandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

// A UTF-8 text file as wide text; empty when it cannot be read.
inline std::wstring ReadTextFile(const std::wstring& path) {
  const std::string bytes = ReadFileBytes(path);
  if (bytes.empty()) return L"";
  const int chars = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(chars), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], chars);
  return text;
}

// The lines of a log file, without their line ends; a last line without one
// counts, an empty last line does not.
inline std::vector<std::wstring> ReadLines(const std::wstring& path) {
  std::vector<std::wstring> lines;
  const std::wstring text = ReadTextFile(path);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}
