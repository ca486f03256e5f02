#include "core/viewer/ViewerKeys.h"

#include <gtest/gtest.h>

namespace {

using A = TKeyAction;
using I = TKeyInput;

struct TKeyCase {
  const char* what;
  TKeyInput input;
  unsigned code;
  bool shift, shown, typing;
  TKeyDecision want;
};

TKeyDecision Do(TKeyAction action) { return {action, TSelectionKey::Home}; }
TKeyDecision MoveBy(TSelectionKey key) { return {TKeyAction::Move, key}; }

}  // namespace

TEST(ViewerKeys, EachKeyInEachStateDoesOneThing) {
  const TKeyCase cases[] = {
      // Characters.
      {"Escape closes", I::Character, 27, false, true, false, Do(A::Close)},
      {"Escape closes before the entries show", I::Character, 27, false, false, false, Do(A::Close)},
      {"Enter activates", I::Character, L'\r', false, true, false, Do(A::ActivateSelected)},
      {"Enter waits while the entries are hidden", I::Character, L'\r', false, false, false, Do(A::Unhandled)},
      {"Space activates", I::Character, L' ', false, true, false, Do(A::ActivateSelected)},
      {"Space inside a typed name is typed", I::Character, L' ', false, true, true, Do(A::TypeToSelect)},
      {"Enter inside a typed name still activates", I::Character, L'\r', false, true, true, Do(A::ActivateSelected)},
      {"Backspace goes back", I::Character, L'\b', false, true, false, Do(A::GoBack)},
      {"Tab is not the viewer's", I::Character, L'\t', false, true, false, Do(A::Unhandled)},
      {"letters select by name", I::Character, L'w', false, true, false, Do(A::TypeToSelect)},
      {"letters wait while hidden", I::Character, L'w', false, false, false, Do(A::Unhandled)},
      {"non-ASCII letters select too", I::Character, 0x00E9, false, true, false, Do(A::TypeToSelect)},
      // Keys pressed.
      {"Up", I::KeyDown, vk::kUp, false, true, false, MoveBy(TSelectionKey::Up)},
      {"Down", I::KeyDown, vk::kDown, false, true, false, MoveBy(TSelectionKey::Down)},
      {"Left", I::KeyDown, vk::kLeft, false, true, false, MoveBy(TSelectionKey::Left)},
      {"Right", I::KeyDown, vk::kRight, true, true, false, MoveBy(TSelectionKey::Right)},
      {"Home", I::KeyDown, vk::kHome, false, true, false, MoveBy(TSelectionKey::Home)},
      {"End", I::KeyDown, vk::kEnd, false, true, false, MoveBy(TSelectionKey::End)},
      {"arrows wait while hidden", I::KeyDown, vk::kDown, false, false, false, Do(A::Unhandled)},
      {"other keys go on", I::KeyDown, vk::kF10, false, true, false, Do(A::Unhandled)},
      {"Escape's key-down goes on to its character", I::KeyDown, vk::kEscape, false, true, false, Do(A::Unhandled)},
      {"the menu key", I::KeyDown, vk::kApps, false, true, false, Do(A::EntryMenu)},
      {"Shift and the menu key", I::KeyDown, vk::kApps, true, true, false, Do(A::ExtendedEntryMenu)},
      {"the menu key while hidden", I::KeyDown, vk::kApps, false, false, false, Do(A::Unhandled)},
      // Releases and system keys: each menu is asked for once.
      {"the menu key's release", I::KeyUp, vk::kApps, false, false, false, Do(A::Swallow)},
      {"other releases go on", I::KeyUp, vk::kDown, false, true, false, Do(A::Unhandled)},
      {"Shift+F10", I::SysKeyDown, vk::kF10, true, false, false, Do(A::EntryMenu)},
      {"F10 alone", I::SysKeyDown, vk::kF10, false, true, false, Do(A::Unhandled)},
      {"Shift+F10's release", I::SysKeyUp, vk::kF10, true, true, false, Do(A::Swallow)},
      {"F10's release alone", I::SysKeyUp, vk::kF10, false, true, false, Do(A::Unhandled)},
      {"a menu asked for without a pointer", I::MenuRequest, 0, false, false, false, Do(A::EntryMenu)},
      {"the same with Shift", I::MenuRequest, 0, true, true, false, Do(A::ExtendedEntryMenu)},
  };
  for (const TKeyCase& c : cases) {
    const TKeyDecision got = DecideViewerKey(c.input, c.code, c.shift, c.shown, c.typing);
    EXPECT_EQ(static_cast<int>(got.Action), static_cast<int>(c.want.Action)) << c.what;
    EXPECT_TRUE(got == c.want) << c.what;
  }
}

TEST(ViewerKeys, EnterWithCtrlActsOnItsKeyDownAndOnlyThere) {
  // Its character differs by keyboard (a line feed, or none at all).
  EXPECT_EQ(DecideViewerKey(I::KeyDown, vk::kReturn, true, true, false, true), Do(A::ActivateSelected));
  EXPECT_EQ(DecideViewerKey(I::KeyDown, vk::kReturn, false, true, false, true), Do(A::ActivateSelected));
  EXPECT_EQ(DecideViewerKey(I::Character, L'\n', true, true, false, true), Do(A::Unhandled));
  EXPECT_EQ(DecideViewerKey(I::KeyDown, vk::kReturn, true, false, false, true), Do(A::Unhandled)) << "hidden";
  // Alone or with Shift only, Enter acts on its character, once.
  EXPECT_EQ(DecideViewerKey(I::KeyDown, vk::kReturn, true, true, false, false), Do(A::Unhandled));
  EXPECT_EQ(DecideViewerKey(I::KeyDown, vk::kReturn, false, true, false, false), Do(A::Unhandled));
}

TEST(ViewerKeys, ScreenReadersHearBrowseForFoldersThatBrowseAndOpenForTheRest) {
  EXPECT_EQ(EntryActionName(TClickAction::BrowseStack), L"Browse");
  EXPECT_EQ(EntryActionName(TClickAction::BrowseGrid), L"Browse");
  EXPECT_EQ(EntryActionName(TClickAction::Run), L"Open");
  EXPECT_EQ(EntryActionName(TClickAction::Nothing), L"Open");
}
