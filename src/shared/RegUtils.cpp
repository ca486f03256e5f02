// User-wide preferences in HKEY_CURRENT_USER. Readers open the key with the
// least access that still lets them query, so a key an administrator locked
// down to query-only still yields its values, and never create it.
#include "shared/RegUtils.h"

#include <windows.h>

#include "core/base/Errors.h"
#include "shared/ScopedWin.h"

namespace {

// Opens the key for reading, stepping down the access asked for until one is
// granted. An empty key when none is (or when the key does not exist).
TRegKey OpenForReading(const std::wstring& path) {
  static const REGSAM kAccessTries[] = {
      KEY_READ,
      STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
      KEY_QUERY_VALUE,
  };
  TRegKey key;
  for (const REGSAM access : kAccessTries) {
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, key.Put()) == ERROR_SUCCESS) return key;
    key.Release();  // the slot holds no key after a failed open
  }
  return key;
}

// The stored DWORD, or false when the key or the value is missing.
bool ReadDword(const std::wstring& company, const std::wstring& application, const std::wstring& section,
               const std::wstring& name, DWORD& value) {
  const TRegKey key = OpenForReading(RegKeyPath(company, application, section));
  if (!key) return false;

  // Type and size first, so a value of another type is reported as such
  // whatever its length.
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) throw EError(L"Failed to get data for '" + name + L"'");
  if (type != REG_DWORD) throw EError(L"Invalid data type for '" + name + L"'");
  if (size > sizeof(DWORD)) throw EError(L"Failed to get data for '" + name + L"'");

  DWORD data = 0;  // shorter data leaves the high bytes zero
  size = sizeof(data);
  status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (status != ERROR_SUCCESS) throw EError(L"Failed to get data for '" + name + L"'");
  if (type != REG_DWORD) throw EError(L"Invalid data type for '" + name + L"'");
  value = data;
  return true;
}

void WriteDword(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                const std::wstring& name, DWORD value) {
  TRegKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, RegKeyPath(company, application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) != ERROR_SUCCESS) {
    key.Release();
    throw EError(L"Failed to set data for '" + name + L"'");
  }
  // Setting a value replaces both its data and its type.
  if (::RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) !=
      ERROR_SUCCESS)
    throw EError(L"Failed to set data for '" + name + L"'");
}

}  // namespace

std::wstring RegKeyPath(const std::wstring& company, const std::wstring& application, const std::wstring& section) {
  return L"Software\\" + company + L"\\" + application + L"\\" + section;
}

bool RegReadBool(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                 const std::wstring& name, bool defaultValue) {
  DWORD value = 0;
  if (!ReadDword(company, application, section, name, value)) return defaultValue;
  return value != 0;
}

std::int32_t RegReadInteger(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                            const std::wstring& name, std::int32_t defaultValue) {
  DWORD value = 0;
  if (!ReadDword(company, application, section, name, value)) return defaultValue;
  return static_cast<std::int32_t>(value);
}

void RegWriteBool(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                  const std::wstring& name, bool value) {
  WriteDword(company, application, section, name, value ? 1 : 0);
}

void RegWriteInteger(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                     const std::wstring& name, std::int32_t value) {
  WriteDword(company, application, section, name, static_cast<DWORD>(value));
}

std::optional<std::wstring> RegReadString(const std::wstring& company, const std::wstring& application,
                                          const std::wstring& section, const std::wstring& name,
                                          std::size_t maxLength) {
  const TRegKey key = OpenForReading(RegKeyPath(company, application, section));
  if (!key) return std::nullopt;
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw EError(L"Failed to get data for '" + name + L"'");
  if (type != REG_SZ) throw EError(L"Invalid data type for '" + name + L"'");
  if (size > (maxLength + 1) * sizeof(wchar_t)) throw EError(L"Failed to get data for '" + name + L"'");

  // Room for a terminator the stored data may lack.
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &got);
  if (status != ERROR_SUCCESS) throw EError(L"Failed to get data for '" + name + L"'");
  if (type != REG_SZ) throw EError(L"Invalid data type for '" + name + L"'");
  text.resize(got / sizeof(wchar_t));
  const std::size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return text;
}
