// The owners of Windows resources: each is move-only (a copy would release
// its resource twice), and the scope guards can be neither copied nor moved.
#include <gtest/gtest.h>

#include <type_traits>

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
static_assert(kPinned<TSelectObject> && kPinned<TComInit>, "scope guards stay where they were made");

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

}  // namespace
