// The harness's scopes over the prefix's registry and the stand-ins placed
// for a test: the product's preferences, the recording shell handler, the
// Windows version and DPI Wine reports, the dwmapi, jump-list and
// thumbnail-cache stand-ins.
#include "E2eHarness.h"

#include <shlwapi.h>

#include <stdexcept>

namespace e2e {

namespace {

[[noreturn]] void Fail(const std::wstring& what) { throw std::runtime_error(Narrow(what)); }

const wchar_t kPreferencesParent[] = L"Software\\Brenwick Software";
const wchar_t kPreferencesKey[] = L"Software\\Brenwick Software\\Heapfold\\Preferences";
const wchar_t kTestingKey[] = L"Software\\Brenwick Software\\Heapfold\\Testing";

}  // namespace

TPreferences::TPreferences() { ::SHDeleteKeyW(HKEY_CURRENT_USER, kPreferencesParent); }

TPreferences::~TPreferences() { ::SHDeleteKeyW(HKEY_CURRENT_USER, kPreferencesParent); }

void TPreferences::SetDword(const wchar_t* name, DWORD value) {
  ::SHSetValueW(HKEY_CURRENT_USER, kPreferencesKey, name, REG_DWORD, &value, sizeof(value));
}

void TPreferences::SetString(const wchar_t* name, const std::wstring& value) {
  ::SHSetValueW(HKEY_CURRENT_USER, kPreferencesKey, name, REG_SZ, value.c_str(),
                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

long long TPreferences::Dword(const wchar_t* name) const {
  DWORD value = 0, type = 0, size = sizeof(value);
  if (::SHGetValueW(HKEY_CURRENT_USER, kPreferencesKey, name, &type, &value, &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return -1;
  return value;
}

void TPreferences::SetRaw(const wchar_t* name, DWORD type, const std::string& data) {
  TRegKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kPreferencesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
    Fail(L"cannot write the preferences");
  ::RegSetValueExW(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
}

std::pair<DWORD, std::string> TPreferences::Raw(const wchar_t* name) const {
  TRegKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return {};
  DWORD type = REG_NONE, size = 0;
  if (::RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  std::string data(size, '\0');
  if (::RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(size ? &data[0] : nullptr), &size) !=
      ERROR_SUCCESS)
    return {};
  data.resize(size);
  return {type, data};
}

void TPreferences::Delete(const wchar_t* name) { ::SHDeleteValueW(HKEY_CURRENT_USER, kPreferencesKey, name); }

void TPreferences::SetTestingDword(const wchar_t* name, DWORD value) {
  ::SHSetValueW(HKEY_CURRENT_USER, kTestingKey, name, REG_DWORD, &value, sizeof(value));
}

namespace {

const wchar_t kFileClass[] = L"HeapfoldTestFile";
const wchar_t kFolderCommandKey[] = L"Folder\\shell\\open\\command";
// Web addresses, which the shell opens through their scheme's command.
const wchar_t* const kWebCommandKeys[] = {L"http\\shell\\open\\command", L"https\\shell\\open\\command"};

std::wstring ReadDefaultValue(HKEY root, const wchar_t* key) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  DWORD type = 0;
  if (::SHGetValueW(root, key, nullptr, &type, value, &size) != ERROR_SUCCESS) return L"";
  return value;
}

void SetDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
  ::SHSetValueW(root, key.c_str(), nullptr, REG_SZ, value.c_str(),
                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

TRecordingHandler::TRecordingHandler() : folder_(L"handler"), opener_(folder_.Path() + L"\\opener.exe") {
  if (!::CopyFileW(RecorderExe().c_str(), opener_.c_str(), FALSE)) Fail(L"cannot place the recording handler");
  const std::wstring command = L"\"" + opener_ + L"\" \"%1\"";
  SetDefaultValue(HKEY_CLASSES_ROOT, kExtension, kFileClass);
  SetDefaultValue(HKEY_CLASSES_ROOT, std::wstring(kFileClass) + L"\\shell\\open\\command", command);
  SetDefaultValue(HKEY_CLASSES_ROOT, std::wstring(kFileClass) + L"\\shell\\runas\\command", command + L" runas");
  oldFolderCommand_ = ReadDefaultValue(HKEY_CLASSES_ROOT, kFolderCommandKey);
  SetDefaultValue(HKEY_CLASSES_ROOT, kFolderCommandKey, command);
  for (const wchar_t* key : kWebCommandKeys) {
    oldWebCommands_.push_back(ReadDefaultValue(HKEY_CLASSES_ROOT, key));
    SetDefaultValue(HKEY_CLASSES_ROOT, key, command);
  }
}

TRecordingHandler::~TRecordingHandler() {
  ::SHDeleteKeyW(HKEY_CLASSES_ROOT, kExtension);
  ::SHDeleteKeyW(HKEY_CLASSES_ROOT, kFileClass);
  SetDefaultValue(HKEY_CLASSES_ROOT, kFolderCommandKey, oldFolderCommand_);
  for (std::size_t i = 0; i < oldWebCommands_.size(); ++i)
    SetDefaultValue(HKEY_CLASSES_ROOT, kWebCommandKeys[i], oldWebCommands_[i]);
}

std::vector<std::wstring> TRecordingHandler::Opened() const { return Recorded(false); }

std::vector<std::wstring> TRecordingHandler::RanAsAdministrator() const { return Recorded(true); }

std::vector<std::wstring> TRecordingHandler::Recorded(bool runAs) const {
  std::vector<std::wstring> paths;
  for (const std::wstring& line : ReadLines(opener_ + L".txt")) {
    const std::vector<std::wstring> args = SplitArgs(line);
    const bool ranAs = args.size() > 2 && args[2] == L"runas";
    if (args.size() > 1 && ranAs == runAs) paths.push_back(args[1]);
  }
  return paths;
}

std::vector<std::wstring> TRecordingHandler::WaitForOpened(size_t count, DWORD milliseconds) const {
  std::vector<std::wstring> opened;
  WaitUntil(
      [&] {
        opened = Opened();
        return opened.size() >= count;
      },
      milliseconds);
  return opened;
}

std::vector<std::wstring> TRecordingHandler::SettledOpened() const {
  if (!WaitForNoProcessNamed(L"opener.exe")) Fail(L"the recording handler did not end");
  return Opened();
}

TWineVersion::TWineVersion(const std::wstring& version) {
  if (version.empty()) return;
  set_ = ::SHSetValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, version.c_str(),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

TWineVersion::~TWineVersion() {
  if (set_) ::SHDeleteValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
}

TUserDword::TUserDword(std::wstring key, std::wstring name, DWORD value)
    : key_(std::move(key)), name_(std::move(name)) {
  DWORD size = sizeof(old_), type = 0;
  existed_ = ::SHGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), &type, &old_, &size) == ERROR_SUCCESS &&
             type == REG_DWORD;
  Set(value);
}

void TUserDword::Set(DWORD value) {
  ::SHSetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), REG_DWORD, &value, sizeof(value));
}

TUserDword::~TUserDword() {
  if (existed_)
    ::SHSetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), REG_DWORD, &old_, sizeof(old_));
  else
    ::SHDeleteValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
}

TSystemColors::TSystemColors(std::vector<int> indexes, std::vector<COLORREF> colors) : indexes_(std::move(indexes)) {
  for (const int index : indexes_) old_.push_back(::GetSysColor(index));
  if (colors.size() != indexes_.size() ||
      !::SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colors.data()))
    Fail(L"cannot set the system's colours");
}

TSystemColors::~TSystemColors() { ::SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), old_.data()); }

TEnvironmentVariable::TEnvironmentVariable(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
  ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
}

TEnvironmentVariable::~TEnvironmentVariable() { ::SetEnvironmentVariableW(name_.c_str(), nullptr); }

TDwmStandIn::TDwmStandIn(const std::wstring& programFolder)
    : dll_(programFolder + L"\\dwmapi.dll"), log_(programFolder + L"\\dwmapi-calls.txt") {
  if (!::CopyFileW(DwmStandInDll().c_str(), dll_.c_str(), FALSE)) Fail(L"cannot place the dwmapi stand-in");
}

TDwmStandIn::~TDwmStandIn() {
  ::DeleteFileW(dll_.c_str());
  ::DeleteFileW(log_.c_str());
}

std::vector<std::wstring> TDwmStandIn::Calls() const { return CallsOf(L""); }

std::vector<std::wstring> TDwmStandIn::CallsOn(HWND window) const {
  return CallsOf(std::to_wstring(reinterpret_cast<std::uintptr_t>(window)));
}

std::vector<std::wstring> TDwmStandIn::CallsOf(const std::wstring& window) const {
  std::vector<std::wstring> calls;
  for (std::wstring line : ReadLines(log_)) {
    while (!line.empty() && line.back() == L' ') line.pop_back();
    const size_t afterWindow = line.find(L' ');
    if (afterWindow == std::wstring::npos || (!window.empty() && line.compare(0, afterWindow, window) != 0)) continue;
    calls.push_back(line.substr(afterWindow + 1));
  }
  return calls;
}

namespace {

const wchar_t* const kJumpListClasses[] = {
    L"{77F10CF0-3DB5-4966-B520-B7C54FD35ED6}",  // the destination list
    L"{00021401-0000-0000-C000-000000000046}",  // the shell link
};
const wchar_t kThumbnailCacheClass[] = L"{50EF4544-AC9F-4A8E-B21B-8A26180DB13F}";  // LocalThumbnailCache

}  // namespace

TJumpListStandIn::TJumpListStandIn() : log_(HostPath(HEAPFOLD_JUMPLIST_HOST) + L".txt") {
  const std::wstring dll = HostPath(HEAPFOLD_JUMPLIST_HOST);
  ::DeleteFileW(log_.c_str());
  for (const wchar_t* clsid : kJumpListClasses) {
    classes_.push_back(std::make_unique<TComClassScope>(clsid, dll, L"Apartment"));
    if (!classes_.back()->Registered()) Fail(L"cannot register the jump-list stand-in");
  }
}

TJumpListStandIn::~TJumpListStandIn() {
  classes_.clear();
  ::DeleteFileW(log_.c_str());
}

std::vector<std::wstring> TJumpListStandIn::Records() const { return ReadLines(log_); }
void TJumpListStandIn::Clear() { ::DeleteFileW(log_.c_str()); }

// The callers are the grid's workers, in the multithreaded apartment.
TThumbnailCacheStandIn::TThumbnailCacheStandIn() : log_(HostPath(HEAPFOLD_THUMBCACHE_HOST) + L".txt") {
  ::DeleteFileW(log_.c_str());
  class_ = std::make_unique<TComClassScope>(kThumbnailCacheClass, HostPath(HEAPFOLD_THUMBCACHE_HOST), L"Both");
  if (!class_->Registered()) Fail(L"cannot register the thumbnail-cache stand-in");
}

TThumbnailCacheStandIn::~TThumbnailCacheStandIn() {
  class_.reset();
  ::DeleteFileW(log_.c_str());
}

std::vector<std::wstring> TThumbnailCacheStandIn::Calls() const { return ReadLines(log_); }
void TThumbnailCacheStandIn::Clear() { ::DeleteFileW(log_.c_str()); }

}  // namespace e2e
