// The owners of Windows resources: each is move-only (a copy would release
// its resource twice), and the scope guards can be neither copied nor moved.
#include <gtest/gtest.h>

#include <wrl/client.h>

#include <thread>
#include <type_traits>

#include "shared/ComObject.h"
#include "shared/ScopedWin.h"
#include "toolkit/Controls.h"

namespace {

template <typename T>
constexpr bool kMoveOnly = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                           std::is_nothrow_move_constructible_v<T> && std::is_nothrow_move_assignable_v<T>;
template <typename T>
constexpr bool kPinned = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                         !std::is_move_constructible_v<T> && !std::is_move_assignable_v<T>;

static_assert(kMoveOnly<THandle> && kMoveOnly<TFindHandle> && kMoveOnly<TRegKey>, "kernel and registry owners");
static_assert(kMoveOnly<TFont> && kMoveOnly<TBrush> && kMoveOnly<TPen> && kMoveOnly<TBitmap>, "GDI objects");
static_assert(kMoveOnly<TMemoryDC> && kMoveOnly<TWindowDC>, "device contexts");
static_assert(kMoveOnly<TIcon> && kMoveOnly<TMenu> && kMoveOnly<TImageListHandle>, "user objects");
static_assert(kMoveOnly<TOwnedWindow> && kMoveOnly<TLibrary>, "windows and modules");
static_assert(kMoveOnly<TCoTaskMem> && kMoveOnly<TPidl>, "shell allocations");
static_assert(std::is_move_constructible_v<TImageList> && !std::is_copy_constructible_v<TImageList>, "image lists");
static_assert(kPinned<TSelectObject> && kPinned<TComInit> && kPinned<TComInitMultithreaded> && kPinned<TOleInit> &&
                  kPinned<TStgMedium>,
              "scope guards stay where they were made");

TEST(ScopedWin, AMovedOwnerReleasesOnceAndTheSourceHoldsNothing) {
  TBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
  const HBRUSH raw = brush.Get();
  TBrush moved(std::move(brush));
  EXPECT_FALSE(brush);
  EXPECT_EQ(moved.Get(), raw);
  moved = TBrush(::CreateSolidBrush(RGB(4, 5, 6)));
  EXPECT_EQ(::GetObjectType(raw), 0u) << "the first brush was deleted when replaced";

  TWindowDC screen;
  ASSERT_TRUE(screen);
  TWindowDC other(std::move(screen));
  EXPECT_FALSE(screen);
  EXPECT_NE(::GetDeviceCaps(other.Get(), LOGPIXELSY), 0);
}

TEST(ScopedWin, EachKindOfHandleHoldsItsOwnNoneAndClosesWhatItHolds) {
  // What an empty owner holds, and which values count as none.
  EXPECT_EQ(THandle().Get(), nullptr);
  EXPECT_FALSE(THandle(INVALID_HANDLE_VALUE));
  EXPECT_EQ(TFindHandle().Get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(TFindHandle());
  EXPECT_EQ(TRegKey().Get(), nullptr);
  EXPECT_EQ(TPidl().Get(), nullptr);

  THandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.Get();
  DWORD flags = 0;
  EXPECT_TRUE(::GetHandleInformation(raw, &flags));
  event.Reset();
  EXPECT_FALSE(event);
  EXPECT_FALSE(::GetHandleInformation(raw, &flags)) << "closed on Reset";

  WIN32_FIND_DATAW found = {};
  TFindHandle find(::FindFirstFileW(L"C:\\*", &found));
  EXPECT_TRUE(find);
}

// A medium's owner, here an object that counts its references, is released
// once: when the medium is replaced and when it goes.
class TMediumOwner final : public TComObject<IUnknown> {
public:
  LONG Held() { return References(); }
};

TEST(ScopedWin, AStorageMediumIsReleasedOnceWhenReplacedOrGone) {
  const Microsoft::WRL::ComPtr<TMediumOwner> owner = MakeComObject<TMediumOwner>();
  auto fill = [&](STGMEDIUM* medium) {
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = nullptr;  // the data would be the owner's to free
    medium->pUnkForRelease = owner.Get();
    owner->AddRef();
  };
  {
    TStgMedium medium;
    EXPECT_EQ(medium.Get().tymed, static_cast<DWORD>(TYMED_NULL));
    fill(medium.Put());
    EXPECT_EQ(owner->Held(), 2);
    fill(medium.Put());
    EXPECT_EQ(owner->Held(), 2) << "the first medium was released when the slot was given again";
    EXPECT_EQ(medium.Get().tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  }
  EXPECT_EQ(owner->Held(), 1);
}

// Each apartment scope enters its own kind: a thread in one cannot enter the
// other, and is free again once the scope is gone.
TEST(ScopedWin, ComScopesEnterTheirApartmentAndLeaveIt) {
  std::thread([] {
    {
      const TComInitMultithreaded multithreaded;
      EXPECT_EQ(multithreaded.Result(), S_OK);
      const TComInit apartment;
      EXPECT_EQ(apartment.Result(), RPC_E_CHANGED_MODE);
    }
    {
      const TComInit apartment;
      EXPECT_EQ(apartment.Result(), S_OK);
      const TComInitMultithreaded multithreaded;
      EXPECT_EQ(multithreaded.Result(), RPC_E_CHANGED_MODE);
    }
  }).join();
}

}  // namespace
