// Files opened by a wide path. On Windows through _wfopen, so names outside
// the ANSI code page open too; elsewhere the path is handed to fopen as UTF-8.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct TFileCloser {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

// mode as for fopen ("rb", "wb"); null when the file cannot be opened, with
// errno saying why (ENOENT: nothing at the path).
TFilePtr OpenWideFile(const std::wstring& path, const wchar_t* mode);

// UTF-8 of a wide string: UTF-16 where wchar_t has 16 bits, code points
// where it has 32. Unpaired surrogates and non-characters above U+10FFFF
// become U+FFFD.
std::string WideToUtf8(const std::wstring& text);
// Wide text of UTF-8 bytes: UTF-16 where wchar_t has 16 bits. A byte that
// starts no valid sequence, a cut sequence, an overlong form or a surrogate
// becomes U+FFFD.
std::wstring Utf8ToWide(const std::string& bytes);
