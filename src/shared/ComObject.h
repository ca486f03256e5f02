// TComObject: the IUnknown of the COM objects we hand to the system. The
// object derives from each listed interface and answers QueryInterface for
// each of them and for IUnknown (always through the first, so that the
// object's identity is one pointer), and for nothing else. It is made with one
// reference, its maker's, counts references across threads, and deletes
// itself when the last one is released.
//
// An interface that another listed one derives from (IDispatch beside
// IAccessible) is answered through that one rather than inherited twice.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <wrl/client.h>

#include <type_traits>
#include <utility>

namespace com_object {

// Whether I is a base of another interface of the list.
template <typename I, typename... All>
constexpr bool kBaseOfAnother = ((!std::is_same_v<I, All> && std::is_base_of_v<I, All>) || ...);

template <typename I, bool Inherit>
struct TInterfaceBase : I {};
template <typename I>
struct TInterfaceBase<I, false> {};

}  // namespace com_object

template <typename First, typename... Rest>
class TComObject : public com_object::TInterfaceBase<First, !com_object::kBaseOfAnother<First, First, Rest...>>,
                   public com_object::TInterfaceBase<Rest, !com_object::kBaseOfAnother<Rest, First, Rest...>>... {
public:
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == __uuidof(IUnknown))
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    else
      (void)(Answer<First>(riid, object) || ... || Answer<Rest>(riid, object));
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

protected:
  TComObject() noexcept = default;
  virtual ~TComObject() = default;
  // The references held right now; for objects that watch who holds them.
  LONG References() noexcept { return ::InterlockedCompareExchange(&references_, 0, 0); }

private:
  template <typename I>
  bool Answer(REFIID riid, void** object) {
    if (riid != __uuidof(I)) return false;
    *object = static_cast<I*>(this);
    return true;
  }

  LONG references_ = 1;
};

// A pointer that takes over a reference someone already holds for us: an
// out-parameter's or a new object's. (ComPtr::Attach is not for this:
// MinGW-w64's takes a reference of its own, which would never be released.)
template <typename T>
Microsoft::WRL::ComPtr<T> AdoptReference(T* held) {
  Microsoft::WRL::ComPtr<T> pointer;
  *pointer.GetAddressOf() = held;
  return pointer;
}

// A new object of ours, its maker's reference held by the pointer answered.
template <typename T, typename... Args>
Microsoft::WRL::ComPtr<T> MakeComObject(Args&&... args) {
  return AdoptReference(new T(std::forward<Args>(args)...));
}
