// The destination list is a Windows 7 interface; the programs still start on
// XP, where creating it simply fails.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#undef WINVER
#define WINVER 0x0601
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06010000

#include "viewer/JumpLists.h"

#include <objectarray.h>
#include <propsys.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <atomic>

#include "shared/ExtraWinUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

// The title key of the property store: {F29F85E0-4FF9-1068-AB91-08002B27B3D9}, 2.
const PROPERTYKEY kTitleKey = {{0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}}, 2};

// Our own object array: the references of one section, handed out by index
// through whatever interface the caller asks for.
class TObjectArray final : public IObjectArray {
public:
  void Add(ComPtr<IUnknown> item) { items_.push_back(std::move(item)); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IObjectArray) {
      *object = static_cast<IObjectArray*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<UINT>(items_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAt(UINT index, REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (index >= items_.size()) return E_INVALIDARG;
    if (!items_[index]) return E_NOINTERFACE;
    return items_[index]->QueryInterface(riid, object);
  }

private:
  ~TObjectArray() = default;
  std::atomic<ULONG> references_{1};
  std::vector<ComPtr<IUnknown>> items_;
};

bool IsWindows7OrLater() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
  return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

// A task: a shell link that starts this program with the task's arguments,
// titled through its property store.
HRESULT MakeShellLink(const TjlShellLink& link, ComPtr<IUnknown>& result) {
  ComPtr<IShellLinkW> shellLink;
  const HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &shellLink);
  if (FAILED(hr) || !shellLink) return FAILED(hr) ? hr : E_FAIL;
  // The setters' and the store's results are not looked at: a link without
  // its icon or title is still a working task.
  const std::wstring program = GetProgramPath();
  shellLink->SetPath(program.c_str());
  shellLink->SetArguments(link.Arguments.c_str());
  if (!link.IconFilename.empty())
    shellLink->SetIconLocation(link.IconFilename.c_str(), link.IconIndex);
  else
    shellLink->SetIconLocation(program.c_str(), 0);
  ComPtr<IPropertyStore> store;
  if (SUCCEEDED(shellLink.As(&store)) && store) {
    PROPVARIANT title;
    PropVariantInit(&title);
    title.vt = VT_LPWSTR;
    title.pwszVal = const_cast<wchar_t*>(link.DisplayName.c_str());  // copied by the store
    store->SetValue(kTitleKey, title);
    store->Commit();
  }
  return shellLink.As(&result);
}

// A destination: a shell item of a file, through SHCreateItemFromParsingName
// looked up at run time (it is not there before Vista).
HRESULT MakeShellItem(const std::wstring& file, ComPtr<IUnknown>& result) {
  using TCreateItem = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, REFIID, void**);
  static const auto create = reinterpret_cast<TCreateItem>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"shell32.dll"), "SHCreateItemFromParsingName")));
  if (create == nullptr) return E_NOTIMPL;
  ComPtr<IShellItem> item;
  const HRESULT hr = create(file.c_str(), nullptr, IID_IShellItem, &item);
  if (FAILED(hr)) return hr;
  return item.As(&result);
}

// The section's entries as an object array; an entry that cannot be made
// ends the commit, except a shell item, which is left out.
HRESULT MakeObjectArray(const TjlLinkObjectList& list, ComPtr<IObjectArray>& result) {
  TObjectArray* array = new TObjectArray;
  ComPtr<IObjectArray> owner;
  owner.Attach(array);
  for (const TjlLinkObjectItem& entry : list) {
    ComPtr<IUnknown> item;
    if (entry.ObjectType == TjlLinkObjectType::lotShellLink) {
      const HRESULT hr = MakeShellLink(entry.ShellLink, item);
      if (FAILED(hr)) return hr;
    } else if (FAILED(MakeShellItem(entry.ShellItemFilename, item))) {
      continue;
    }
    array->Add(item);
  }
  result = owner;
  return S_OK;
}

}  // namespace

TjlLinkObjectItem& TjlLinkObjectList::AddShellLink(const std::wstring& title, const std::wstring& arguments,
                                                   int iconIndex, const std::wstring& iconFile) {
  TjlLinkObjectItem item;
  item.ObjectType = TjlLinkObjectType::lotShellLink;
  item.ShellLink = {title, arguments, iconFile, iconIndex};
  push_back(std::move(item));
  return back();
}

TjlJumpLists::TjlJumpLists() {
  if (!IsWindows7OrLater()) return;
  DisplayFrequent = DisplayRecent = true;
  // A shell without a destination list gives a program without a jump list,
  // never a program that does not start.
  if (FAILED(::CoCreateInstance(CLSID_DestinationList, nullptr, CLSCTX_INPROC_SERVER, IID_ICustomDestinationList,
                                reinterpret_cast<void**>(&list_))))
    list_ = nullptr;
}

TjlJumpLists::~TjlJumpLists() {
  if (list_) list_->Release();
}

void TjlJumpLists::SetAppID(const std::wstring& appId) {
  if (list_) list_->SetAppID(appId.c_str());
}

bool TjlJumpLists::Commit() {
  if (!list_) return false;
  UINT slots = 0;
  ComPtr<IObjectArray> removed;
  if (FAILED(list_->BeginList(&slots, IID_IObjectArray, &removed))) return false;
  for (const TjlLinkCategory& category : Categories) {
    if (category.Items.empty()) continue;
    ComPtr<IObjectArray> array;
    if (FAILED(MakeObjectArray(category.Items, array)) ||
        FAILED(list_->AppendCategory(category.Title.c_str(), array.Get())))
      return false;
  }
  if (!Tasks.empty()) {
    ComPtr<IObjectArray> array;
    if (FAILED(MakeObjectArray(Tasks, array)) || FAILED(list_->AddUserTasks(array.Get()))) return false;
  }
  if (DisplayFrequent && FAILED(list_->AppendKnownCategory(KDC_FREQUENT))) return false;
  if (DisplayRecent && FAILED(list_->AppendKnownCategory(KDC_RECENT))) return false;
  return SUCCEEDED(list_->CommitList());
}
