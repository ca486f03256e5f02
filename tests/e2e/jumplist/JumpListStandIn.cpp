// A stand-in for the shell's destination list, registered in the test prefix
// for the scope of a test: what a program commits is written, one line per
// task, to "<this DLL's path>.txt":
//   task|<title>|<arguments>|<path>|<icon file>|<icon index>
// followed by "known|<category>" lines and "commit". Wine's shell link object
// does not keep a title set through its property store, so this DLL also
// stands in for the shell link class: a thin wrapper around Wine's own link
// that keeps the property store's values itself.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06010000
#include <windows.h>

#include <objectarray.h>
#include <propsys.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "../StandInDll.h"

using Microsoft::WRL::ComPtr;

namespace {

using stand_in::Record;
using stand_in::TCounted;

const PROPERTYKEY kTitleKey = {{0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}}, 2};

class TEmptyArray final : public TCounted<IObjectArray> {
public:
  HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetAt(UINT, REFIID, void** out) override { return *out = nullptr, E_INVALIDARG; }
};

// Wine's own shell link, made through shell32's class factory (the class is
// registered to this DLL while the stand-in is in place).
HRESULT CreateRealShellLink(ComPtr<IShellLinkW>& link) {
  using TGetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const HMODULE shell32 = ::LoadLibraryW(L"shell32.dll");
  const auto get =
      reinterpret_cast<TGetClassObject>(reinterpret_cast<void*>(::GetProcAddress(shell32, "DllGetClassObject")));
  if (!get) return E_FAIL;
  ComPtr<IClassFactory> factory;
  HRESULT hr = get(CLSID_ShellLink, IID_IClassFactory, &factory);
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, IID_IShellLinkW, &link);
}

class TShellLink final : public TCounted<IShellLinkW, IPersistFile, IPropertyStore> {
public:
  explicit TShellLink(ComPtr<IShellLinkW> real) : real_(std::move(real)) { real_.As(&file_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IShellLinkW) {
      *out = static_cast<IShellLinkW*>(this);
    } else if (riid == IID_IPersistFile || riid == IID_IPersist) {
      *out = static_cast<IPersistFile*>(this);
    } else if (riid == IID_IPropertyStore) {
      *out = static_cast<IPropertyStore*>(this);
    } else {
      return real_->QueryInterface(riid, out);
    }
    AddRef();
    return S_OK;
  }

  // IShellLinkW, forwarded.
  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR a, int b, WIN32_FIND_DATAW* c, DWORD d) override {
    return real_->GetPath(a, b, c, d);
  }
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* a) override { return real_->GetIDList(a); }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE a) override { return real_->SetIDList(a); }
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR a, int b) override { return real_->GetDescription(a, b); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR a) override { return real_->SetDescription(a); }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR a, int b) override { return real_->GetWorkingDirectory(a, b); }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR a) override { return real_->SetWorkingDirectory(a); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR a, int b) override { return real_->GetArguments(a, b); }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR a) override { return real_->SetArguments(a); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD* a) override { return real_->GetHotkey(a); }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD a) override { return real_->SetHotkey(a); }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int* a) override { return real_->GetShowCmd(a); }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int a) override { return real_->SetShowCmd(a); }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR a, int b, int* c) override {
    return real_->GetIconLocation(a, b, c);
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR a, int b) override { return real_->SetIconLocation(a, b); }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR a, DWORD b) override { return real_->SetRelativePath(a, b); }
  HRESULT STDMETHODCALLTYPE Resolve(HWND a, DWORD b) override { return real_->Resolve(a, b); }
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR a) override { return real_->SetPath(a); }

  // IPersistFile, forwarded.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* a) override { return file_ ? file_->GetClassID(a) : E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return file_ ? file_->IsDirty() : E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR a, DWORD b) override { return file_ ? file_->Load(a, b) : E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR a, BOOL b) override { return file_ ? file_->Save(a, b) : E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR a) override { return file_ ? file_->SaveCompleted(a) : E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* a) override { return file_ ? file_->GetCurFile(a) : E_NOTIMPL; }

  // IPropertyStore: wide-string values kept here.
  HRESULT STDMETHODCALLTYPE GetCount(DWORD* count) override {
    return *count = static_cast<DWORD>(values_.size()), S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAt(DWORD, PROPERTYKEY*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValue(REFPROPERTYKEY key, PROPVARIANT* value) override {
    PropVariantInit(value);
    const auto found = values_.find(Key(key));
    if (found == values_.end()) return S_OK;
    const size_t bytes = (found->second.size() + 1) * sizeof(wchar_t);
    value->pwszVal = static_cast<LPWSTR>(::CoTaskMemAlloc(bytes));
    if (!value->pwszVal) return E_OUTOFMEMORY;
    std::memcpy(value->pwszVal, found->second.c_str(), bytes);
    value->vt = VT_LPWSTR;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetValue(REFPROPERTYKEY key, REFPROPVARIANT value) override {
    if (value.vt != VT_LPWSTR || value.pwszVal == nullptr) return E_INVALIDARG;
    values_[Key(key)] = value.pwszVal;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Commit() override { return S_OK; }

private:
  static std::wstring Key(REFPROPERTYKEY key) {
    wchar_t text[64] = {};
    ::StringFromGUID2(key.fmtid, text, 64);
    return std::wstring(text) + L"/" + std::to_wstring(key.pid);
  }
  ComPtr<IShellLinkW> real_;
  ComPtr<IPersistFile> file_;
  std::map<std::wstring, std::wstring> values_;
};

class TDestinationList final : public TCounted<ICustomDestinationList> {
public:
  HRESULT STDMETHODCALLTYPE SetAppID(LPCWSTR id) override {
    lines_.push_back(std::wstring(L"appid|") + id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE BeginList(UINT* slots, REFIID riid, void** removed) override {
    lines_.clear();
    *slots = 10;
    return MakeComObject<TEmptyArray>()->QueryInterface(riid, removed);
  }
  HRESULT STDMETHODCALLTYPE AppendCategory(LPCWSTR title, IObjectArray*) override {
    lines_.push_back(std::wstring(L"category|") + title);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AppendKnownCategory(KNOWNDESTCATEGORY category) override {
    lines_.push_back(L"known|" + std::to_wstring(static_cast<int>(category)));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AddUserTasks(IObjectArray* tasks) override {
    UINT count = 0;
    if (!tasks || FAILED(tasks->GetCount(&count))) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) {
      ComPtr<IShellLinkW> link;
      if (FAILED(tasks->GetAt(i, IID_IShellLinkW, &link)) || !link) return E_INVALIDARG;
      std::wstring title;
      ComPtr<IPropertyStore> store;
      if (SUCCEEDED(link.As(&store))) {
        PROPVARIANT value;
        if (SUCCEEDED(store->GetValue(kTitleKey, &value)) && value.vt == VT_LPWSTR) title = value.pwszVal;
        PropVariantClear(&value);
      }
      wchar_t path[MAX_PATH * 2] = {}, icon[MAX_PATH * 2] = {}, arguments[2048] = {};
      int index = -1;
      link->GetPath(path, MAX_PATH * 2, nullptr, 0);
      link->GetArguments(arguments, 2048);
      link->GetIconLocation(icon, MAX_PATH * 2, &index);
      lines_.push_back(L"task|" + title + L"|" + arguments + L"|" + path + L"|" + icon + L"|" + std::to_wstring(index));
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CommitList() override {
    for (const std::wstring& line : lines_) Record(line);
    Record(L"commit");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRemovedDestinations(REFIID riid, void** out) override {
    return MakeComObject<TEmptyArray>()->QueryInterface(riid, out);
  }
  HRESULT STDMETHODCALLTYPE DeleteList(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AbortList() override { return S_OK; }

private:
  std::vector<std::wstring> lines_;
};

class TFactory final : public TCounted<IClassFactory> {
public:
  explicit TFactory(bool shellLink) : shellLink_(shellLink) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!shellLink_) return MakeComObject<TDestinationList>()->QueryInterface(riid, out);
    ComPtr<IShellLinkW> real;
    const HRESULT hr = CreateRealShellLink(real);
    if (FAILED(hr)) return hr;
    return MakeComObject<TShellLink>(real)->QueryInterface(riid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
  bool shellLink_;
};

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  *out = nullptr;
  if (clsid != CLSID_DestinationList && clsid != CLSID_ShellLink) return CLASS_E_CLASSNOTAVAILABLE;
  return MakeComObject<TFactory>(clsid == CLSID_ShellLink)->QueryInterface(riid, out);
}
