// Path pieces as the viewer's captions and the creator's defaults use them.
// The name part of a path is the text after its last backslash or colon.
#pragma once

#include <cstdint>
#include <string>

std::wstring ExtractFileNameNoExt(const std::wstring& path);      // C:\a\b.tar.gz -> b.tar
std::wstring ExtractLastFolderName(const std::wstring& path);     // C:\Users\Me\Docs\ -> Docs, C:\ -> C:
std::wstring ExtractParentFolder(const std::wstring& path);       // C:\Users\Me\Docs -> C:\Users\Me\ ; C:\ -> ""
std::wstring StripTrailingBackslash(const std::wstring& path);    // removes one trailing backslash
std::wstring StripTrailingBackslashes(const std::wstring& path);  // removes every trailing backslash
std::wstring ExtractFilePath(const std::wstring& path);           // folder part, up to its last \ or :
std::wstring ExtractFileName(const std::wstring& path);           // name part
// The extension with its full stop: found scanning back from the end to the
// first colon, backslash, slash or full stop; only a full stop counts, and not
// one that is the path's first character. "" when there is none.
std::wstring ExtractFileExt(const std::wstring& path);
// A shortcut file's name: the extension, lower-cased, is ".lnk".
bool IsShortcutName(const std::wstring& path);

// "1.5 KB", "1024 bytes", " bytes" for 0, "-1 bytes"; at most two decimals,
// trailing zeros dropped, decimalSeparator as the user's locale gives it.
std::wstring FormatByteSize(std::int64_t size, const std::wstring& decimalSeparator);
