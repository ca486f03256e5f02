// User-wide preferences: 32-bit values under
// HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The product's own key parts, as both programs pass them.
inline const wchar_t* const kRegCompany = L"Brenwick Software";
inline const wchar_t* const kRegApplication = L"Heapfold";
inline const wchar_t* const kRegSection = L"Preferences";

std::wstring RegKeyPath(const std::wstring& company, const std::wstring& application, const std::wstring& section);

// Readers never create the key; a missing key or value gives the default. A
// value of another type raises EError "Invalid data type for '<name>'", data
// longer than four bytes "Failed to get data for '<name>'".
bool RegReadBool(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                 const std::wstring& name, bool defaultValue);
std::int32_t RegReadInteger(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                            const std::wstring& name, std::int32_t defaultValue);

// A string value (REG_SZ), or nothing when the key or the value is missing.
// A value of another type raises "Invalid data type for '<name>'"; data
// longer than maxLength characters "Failed to get data for '<name>'".
std::optional<std::wstring> RegReadString(const std::wstring& company, const std::wstring& application,
                                          const std::wstring& section, const std::wstring& name,
                                          std::size_t maxLength = 2048);

// Writers create the key path and replace any earlier value of that name
// whatever its type; a failure raises EError "Failed to set data for '<name>'".
void RegWriteBool(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                  const std::wstring& name, bool value);
void RegWriteInteger(const std::wstring& company, const std::wstring& application, const std::wstring& section,
                     const std::wstring& name, std::int32_t value);
