// The Win32 side of files, folders, the shell and system facts.
#include "shared/ExtraWinUtils.h"

#include "core/viewer/Animation.h"

#include <shellapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/base/Errors.h"
#include "core/base/PathUtils.h"
#include "shared/ScopedWin.h"

namespace {

std::int64_t CombineSize(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

std::wstring WithTrailingBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace

void TFindFileSource::Enumerate(const std::wstring& pattern, const std::function<void(const TDirEntry&)>& onEntry) {
  WIN32_FIND_DATAW data{};
  const TFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return;
  do {
    TDirEntry entry;
    entry.Name = data.cFileName;
    entry.Attributes = data.dwFileAttributes;
    entry.Size = CombineSize(data.nFileSizeHigh, data.nFileSizeLow);
    entry.Modified = CombineSize(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    entry.Created = CombineSize(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    onEntry(entry);
  } while (::FindNextFileW(find.Get(), &data));
}

void ListFiles(const std::wstring& fileMask, const std::wstring& sep, long long& count, bool recursive,
               std::uint32_t attributeSet, std::wstring& list) {
  TFindFileSource source;
  ListFiles(source, fileMask, sep, count, recursive, attributeSet, list);
}

void ListFolders(const std::wstring& fileMask, const std::wstring& sep, long long& count, std::wstring& list) {
  TFindFileSource source;
  ListFolders(source, fileMask, sep, count, list);
}

double NowDayTime() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  return DayTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

std::wstring GetWindowsFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"C:\\Windows\\";
  return WithTrailingBackslash(std::wstring(buffer, length));
}

std::wstring GetProgramPath() {
  // The call truncates silently (and on XP leaves no terminator) when the
  // buffer is short, so grow it until the name fits with room to spare.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return std::wstring();
    if (length < size) return std::wstring(buffer.data(), length);
    if (buffer.size() >= 32768 * 2) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring GetProgramFolder() { return ExtractFilePath(GetProgramPath()); }

TResourceBytes ProgramRawData(const wchar_t* name) {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC found = ::FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const auto* data = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
  if (!data) return {};
  return {data, ::SizeofResource(module, found)};
}

namespace {

// The short form of an existing path on a drive; empty when it has none.
std::wstring ShortForm(const std::wstring& path) {
  const std::wstring longForm = L"\\\\?\\" + path;
  const DWORD length = ::GetShortPathNameW(longForm.c_str(), nullptr, 0);
  if (length == 0) return std::wstring();
  std::wstring shortForm(length, L'\0');
  const DWORD copied = ::GetShortPathNameW(longForm.c_str(), &shortForm[0], length);
  if (copied == 0 || copied >= length) return std::wstring();
  shortForm.resize(copied);
  if (shortForm.compare(0, 4, L"\\\\?\\") == 0) shortForm.erase(0, 4);
  return shortForm;
}

}  // namespace

std::wstring ShellUsablePath(const std::wstring& path) {
  const bool drivePath = path.size() > 3 && path[1] == L':' && path[2] == L'\\';
  if (path.size() < MAX_PATH || !drivePath) return path;
  // The folder's short form with the name as it is keeps the name's
  // extension, by which the shell chooses the program; only when that is
  // still too long does the name lose its long form too.
  const std::size_t slash = path.find_last_of(L'\\');
  const std::wstring folder = ShortForm(path.substr(0, slash));
  if (!folder.empty() && folder.size() + path.size() - slash < MAX_PATH) return folder + path.substr(slash);
  const std::wstring whole = ShortForm(path);
  return !whole.empty() && whole.size() < MAX_PATH ? whole : path;
}

bool RunFile(const std::wstring& file, const std::wstring& parameters) {
  const std::wstring target = ShellUsablePath(file);
  const HINSTANCE result = ::ShellExecuteW(nullptr, nullptr, target.c_str(), parameters.c_str(), nullptr, SW_SHOW);
  return reinterpret_cast<std::uintptr_t>(result) > 32;
}

DWORD RunFileWithVerb(const std::wstring& file, const wchar_t* verb, HWND owner) {
  const std::wstring target = ShellUsablePath(file);
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  // Waits for the verb to be handed over, not for the program: the caller
  // learns whether it ran, was declined or failed.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = verb;
  info.lpFile = target.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (::ShellExecuteExW(&info)) return ERROR_SUCCESS;
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION;
}

void ShellOpen(const std::wstring& fileOrAddress) {
  const std::wstring target = ShellUsablePath(fileOrAddress);
  ::ShellExecuteW(::GetDesktopWindow(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::int64_t FileSizeOf(const std::wstring& path) {
  // Any entry counts, hidden, system and folders alike: the first match.
  WIN32_FIND_DATAW data{};
  const TFindHandle find(::FindFirstFileW(path.c_str(), &data));
  if (!find) return -1;
  return CombineSize(data.nFileSizeHigh, data.nFileSizeLow);
}

std::wstring FormatByteSize(std::int64_t size) {
  wchar_t separator[8] = {};
  const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  // The length counts the terminator.
  return FormatByteSize(size, length > 1 ? std::wstring(separator, length - 1) : std::wstring(L"."));
}

std::optional<TFileFacts> ReadFileFacts(const std::wstring& path) {
  // The time is read first, then the size.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  FILETIME local{};
  SYSTEMTIME when{};
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &when))
    return std::nullopt;
  when.wSecond = static_cast<WORD>(when.wSecond & ~1);  // two-second steps, as file dates have them
  when.wMilliseconds = 0;
  wchar_t date[128] = {}, time[128] = {};
  ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, 128);
  ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, time, 128);
  const std::int64_t size = FileSizeOf(path);
  if (size < 0) return std::nullopt;
  return TFileFacts{FormatByteSize(size), FileDateText(date, time, when.wHour, when.wMinute, when.wSecond)};
}

std::wstring ExpandEnvVars(const std::wstring& text) {
  const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed < 1) return std::wstring();
  std::wstring result(needed, L'\0');
  const DWORD written = ::ExpandEnvironmentStringsW(text.c_str(), &result[0], needed);
  if (written < 1 || written > needed) return std::wstring();
  result.erase(std::remove(result.begin(), result.end(), L'\0'), result.end());
  return result;
}

void CreateEmptyFile(const std::wstring& path) {
  const THandle file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw SystemError(::GetLastError());
}

void PlaySystemSound(const std::wstring& alias) { ::PlaySoundW(alias.c_str(), nullptr, SND_ALIAS | SND_ASYNC); }

std::wstring SystemErrorMessage(DWORD code) {
  // FormatMessage never writes more than 64 KB.
  std::vector<wchar_t> buffer(32768);
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
  std::wstring text(buffer.data(), length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'\t'))
    text.pop_back();
  if (!text.empty()) return text;
  static const wchar_t kHexDigits[] = L"0123456789abcdef";
  std::wstring fallback = L"OLE error ";
  for (int shift = 28; shift >= 0; shift -= 4) fallback += kHexDigits[(code >> shift) & 0xF];
  return fallback;
}

EError SystemError(DWORD code) { return EError(SystemErrorMessage(code), code); }

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool PathExists(const std::wstring& path) {
  return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int CompareTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

std::string SortKeyIgnoringCase(const std::wstring& text) {
  // A sort key is bytes, though the call's buffer is typed as wide text; its
  // length counts bytes and includes a closing zero byte, which is dropped.
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  char buffer[512];
  int size = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), -1, reinterpret_cast<LPWSTR>(buffer),
                            static_cast<int>(sizeof(buffer)));
  if (size > 0) return std::string(buffer, static_cast<std::size_t>(size - 1));
  size = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return std::string();
  std::string key(static_cast<std::size_t>(size), '\0');
  size = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, text.c_str(), -1, reinterpret_cast<LPWSTR>(&key[0]), size);
  key.resize(size > 0 ? static_cast<std::size_t>(size - 1) : 0);
  return key;
}

std::wstring UpperCase(std::wstring text) {
  if (!text.empty()) ::CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}
