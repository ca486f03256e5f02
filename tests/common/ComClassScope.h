// A COM class served by one of the tests' DLLs for a scope: registered
// machine-wide in the prefix (HKLM\Software\Classes\CLSID, where Wine reads
// in-process servers), and put back as it was at the scope's end, or removed
// when it was not there.
#pragma once

#include <windows.h>

#include <string>

#include "shared/ScopedWin.h"

class TComClassScope {
public:
  // clsid in braces; threadingModel as the registry names it ("Apartment",
  // "Both", ...).
  TComClassScope(const std::wstring& clsid, const std::wstring& dll, const wchar_t* threadingModel)
      : class_(L"Software\\Classes\\CLSID\\" + clsid), key_(class_ + L"\\InprocServer32") {
    TRegKey known;
    classExisted_ = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, class_.c_str(), 0, KEY_READ, known.Put()) == ERROR_SUCCESS;
    TRegKey old;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_READ, old.Put()) == ERROR_SUCCESS) {
      existed_ = true;
      server_ = ReadString(old.Get(), nullptr);
      threadingModel_ = ReadString(old.Get(), L"ThreadingModel");
    }
    TRegKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
      return;
    registered_ = WriteString(key.Get(), nullptr, dll) && WriteString(key.Get(), L"ThreadingModel", threadingModel);
  }
  ~TComClassScope() {
    if (!existed_) {
      ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_.c_str());
      if (!classExisted_) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, class_.c_str());
      return;
    }
    TRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_WRITE, key.Put()) != ERROR_SUCCESS) return;
    WriteString(key.Get(), nullptr, server_);
    if (threadingModel_.empty())
      ::RegDeleteValueW(key.Get(), L"ThreadingModel");
    else
      WriteString(key.Get(), L"ThreadingModel", threadingModel_);
  }
  TComClassScope(const TComClassScope&) = delete;
  TComClassScope& operator=(const TComClassScope&) = delete;

  bool Registered() const { return registered_; }

private:
  static std::wstring ReadString(HKEY key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return L"";
    return value;
  }
  static bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

  std::wstring class_, key_;
  bool classExisted_ = false;
  bool existed_ = false;
  bool registered_ = false;
  std::wstring server_, threadingModel_;
};
