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

#include "shared/ComObject.h"
#include "shared/ExtraWinUtils.h"
#include "shared/WindowsVersion.h"

using Microsoft::WRL::ComPtr;

namespace {

// The title key of the property store: {F29F85E0-4FF9-1068-AB91-08002B27B3D9}, 2.
const PROPERTYKEY kTitleKey = {{0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}}, 2};

// Our own object array: the references of one section, handed out by index
// through whatever interface the caller asks for.
class TObjectArray final : public TComObject<IObjectArray> {
public:
  void Add(ComPtr<IUnknown> item) { items_.push_back(std::move(item)); }

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
  std::vector<ComPtr<IUnknown>> items_;
};

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
  const ComPtr<TObjectArray> array = MakeComObject<TObjectArray>();
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
  result = array;
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

TjlJumpLists::TjlJumpLists() { DisplayFrequent = DisplayRecent = true; }

TjlJumpLists::TjlJumpLists(ComPtr<ICustomDestinationList> list) : list_(std::move(list)), made_(true) {
  DisplayFrequent = DisplayRecent = true;
  if (!list_) createError_ = E_POINTER;
}

ICustomDestinationList* TjlJumpLists::List() {
  if (made_) return list_.Get();
  made_ = true;
  if (!IsWindows7OrLater(ReadWindowsVersion())) {
    createError_ = HRESULT_FROM_WIN32(ERROR_OLD_WIN_VERSION);
    return nullptr;
  }
  // A shell without a destination list gives a program without a jump list,
  // never a program that does not start.
  createError_ =
      ::CoCreateInstance(CLSID_DestinationList, nullptr, CLSCTX_INPROC_SERVER, IID_ICustomDestinationList, &list_);
  if (FAILED(createError_)) list_.Reset();
  return list_.Get();
}

TjlJumpLists::~TjlJumpLists() = default;

HRESULT TjlJumpLists::SetAppID(const std::wstring& appId) {
  if (!List()) return createError_;
  return list_->SetAppID(appId.c_str());
}

TJumpListResult TjlJumpLists::Commit() {
  if (!List()) return {TJumpListStep::CreateList, createError_};
  UINT slots = 0;
  ComPtr<IObjectArray> removed;
  HRESULT hr = list_->BeginList(&slots, IID_IObjectArray, &removed);
  if (FAILED(hr)) return {TJumpListStep::BeginList, hr};
  for (const TjlLinkCategory& category : Categories) {
    if (category.Items.empty()) continue;
    ComPtr<IObjectArray> array;
    hr = MakeObjectArray(category.Items, array);
    if (FAILED(hr)) return {TJumpListStep::MakeCategory, hr};
    hr = list_->AppendCategory(category.Title.c_str(), array.Get());
    if (FAILED(hr)) return {TJumpListStep::AppendCategory, hr};
  }
  if (!Tasks.empty()) {
    ComPtr<IObjectArray> array;
    hr = MakeObjectArray(Tasks, array);
    if (FAILED(hr)) return {TJumpListStep::MakeTasks, hr};
    hr = list_->AddUserTasks(array.Get());
    if (FAILED(hr)) return {TJumpListStep::AddUserTasks, hr};
  }
  if (DisplayFrequent) {
    hr = list_->AppendKnownCategory(KDC_FREQUENT);
    if (FAILED(hr)) return {TJumpListStep::AppendFrequent, hr};
  }
  if (DisplayRecent) {
    hr = list_->AppendKnownCategory(KDC_RECENT);
    if (FAILED(hr)) return {TJumpListStep::AppendRecent, hr};
  }
  hr = list_->CommitList();
  if (FAILED(hr)) return {TJumpListStep::CommitList, hr};
  return {};
}
