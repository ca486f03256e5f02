// Files, folders, the shell and system facts: the Win32 half of the path and
// listing helpers, on top of the portable ones in core/PathUtils.h and
// core/Listing.h.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include <optional>

#include "core/viewer/EntryHints.h"
#include "core/base/Errors.h"
#include "core/base/Listing.h"

// Directory entries through FindFirstFileW/FindNextFileW, in the file
// system's order.
class TFindFileSource : public TDirEntrySource {
public:
  void Enumerate(const std::wstring& pattern, const std::function<void(const TDirEntry&)>& onEntry) override;
};

// The listing functions over the real file system.
void ListFiles(const std::wstring& fileMask, const std::wstring& sep, long long& count, bool recursive,
               std::uint32_t attributeSet, std::wstring& list);
void ListFolders(const std::wstring& fileMask, const std::wstring& sep, long long& count, std::wstring& list);

// True when a file (not a folder) exists at path.
bool FileExists(const std::wstring& path);
// True when a file or a folder exists at path.
bool PathExists(const std::wstring& path);
// <0, 0, >0 as the user's locale orders two texts with letter case ignored:
// the order of names in the views and of paths in the special-folder index.
int CompareTextIgnoringCase(const std::wstring& a, const std::wstring& b);
// The user locale's sort key of a text, ignoring case: keys compared byte by
// byte order texts as CompareTextIgnoringCase does. Empty when the system
// gives none.
std::string SortKeyIgnoringCase(const std::wstring& text);
// The text in capitals as the user's Windows writes them (CharUpperBuffW),
// for comparisons that ignore letter case.
std::wstring UpperCase(std::wstring text);

// The local time of day now as a day-based time (days since 30 December
// 1899, the time of day as the fraction), to the millisecond.
double NowDayTime();

// The Windows folder with a trailing backslash ("C:\Windows\" when the system
// will not say).
std::wstring GetWindowsFolder();
// The folder of this program's own file, with a trailing backslash.
std::wstring GetProgramFolder();
// This program's own file.
std::wstring GetProgramPath();
// The bytes of one of this program's raw-data (RCDATA) resources, by name or
// by MAKEINTRESOURCE number; a null Data when the program has none of it.
struct TResourceBytes {
  const std::uint8_t* Data = nullptr;
  std::size_t Size = 0;
};
TResourceBytes ProgramRawData(const wchar_t* name);

// Whether a key was down when the message being handled was sent.
inline bool KeyHeld(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

// Runs a file with its type's default action; true when the shell accepted it.
bool RunFile(const std::wstring& file, const std::wstring& parameters);
// Runs a file with a verb of its type ("runas": as administrator, after the
// system's consent prompt), the shell's own error messages held back; the
// system's error code, 0 when it ran (ERROR_CANCELLED when the prompt was
// declined).
DWORD RunFileWithVerb(const std::wstring& file, const wchar_t* verb, HWND owner);
// Opens a file or web address with the "open" verb; failures are silent.
void ShellOpen(const std::wstring& fileOrAddress);
// The shell opens no path of MAX_PATH characters or more: such a path on a
// drive is given with its folder in short form, or wholly in short form when
// that is not enough; anything else as it is.
std::wstring ShellUsablePath(const std::wstring& path);

// Size of a file in bytes (64-bit), -1 when it does not exist.
std::int64_t FileSizeOf(const std::wstring& path);
// FormatByteSize with the user's decimal separator.
std::wstring FormatByteSize(std::int64_t size);
// A file's size and last-write time as its hint shows them: the time local,
// to two seconds, in the user's short date and long time formats; nothing
// when the file is not there (any more).
std::optional<TFileFacts> ReadFileFacts(const std::wstring& path);

std::wstring ExpandEnvVars(const std::wstring& text);
// Creates or truncates a file to zero bytes; raises EError with the system's
// message when it cannot.
void CreateEmptyFile(const std::wstring& path);
// Plays a system sound alias asynchronously; failures are silent.
void PlaySystemSound(const std::wstring& alias);

// The system's text for an error code (a Win32 status or an HRESULT), or
// "OLE error " and the code as eight lower-case hex digits when the system
// has none.
std::wstring SystemErrorMessage(DWORD code);
// The error to raise for a failed system call: its text and its code.
EError SystemError(DWORD code);
