// The stack and the grid without a mouse, and what a screen reader reads of
// them: keys select entries and open them as clicks do, typed letters select
// by name, and the accessible object, read from this process, lists the
// entries with their names, roles, places and default actions.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <wrl/client.h>

#include "E2eFixture.h"
#include "ViewAccessible.h"

using namespace e2e;
using Microsoft::WRL::ComPtr;

namespace {

struct TEntryFacts {
  std::wstring Name, Description, Action;
  long Role = 0, State = 0;
  RECT Screen = {};
};

TEntryFacts ReadEntry(IAccessible& list, long id) {
  TEntryFacts facts;
  const VARIANT child = Child(id);
  BSTR text = nullptr;
  if (SUCCEEDED(list.get_accName(child, &text))) facts.Name = TakeBstr(text);
  if (SUCCEEDED(list.get_accDescription(child, &text))) facts.Description = TakeBstr(text);
  if (SUCCEEDED(list.get_accDefaultAction(child, &text))) facts.Action = TakeBstr(text);
  VARIANT value;
  ::VariantInit(&value);
  if (SUCCEEDED(list.get_accRole(child, &value)) && value.vt == VT_I4) facts.Role = value.lVal;
  ::VariantInit(&value);
  if (SUCCEEDED(list.get_accState(child, &value)) && value.vt == VT_I4) facts.State = value.lVal;
  long left = 0, top = 0, width = 0, height = 0;
  if (SUCCEEDED(list.accLocation(&left, &top, &width, &height, child)))
    facts.Screen = {left, top, left + width, top + height};
  return facts;
}

void Type(HWND window, wchar_t character) { ::PostMessageW(window, WM_CHAR, character, 1); }

class Keyboard : public TShellViewerTest {
protected:
  // Starts a view, waits for it at rest and gets its toolbar's accessible object.
  HWND Open(TProcess& viewer, ComPtr<IAccessible>& list) {
    const HWND window = OpenAtRest(viewer);
    if (!window) return nullptr;
    list = AccessibleOf(ViewToolbar(window));
    return list ? window : nullptr;
  }

  // Presses a key and waits until the accessible object reports the selection.
  bool SelectsAfter(HWND window, IAccessible& list, WORD key, long expected) {
    PressKey(window, key, 0);
    return WaitUntil([&] { return Selection(list) == expected; });
  }
};

TEST_F(Keyboard, KeysSelectTheStacksEntriesAndEnterOpensAsAClickDoes) {
  TScratchFolder folder(L"Keys");
  folder.AddFolder(L"box");
  folder.Add(L"apple.hfrec");
  const std::wstring banana = folder.Add(L"banana.hfrec");
  folder.Add(L"cherry.hfrec");
  // Entries: box, apple, banana, cherry, Explore.
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  ComPtr<IAccessible> list;
  HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Selection(*list.Get()), 0) << "nothing is selected when the view opens";

  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_DOWN, 1));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_DOWN, 2));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_END, 5));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_DOWN, 5)) << "no wrapping past the last";
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_HOME, 1));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_UP, 1));
  const TEntryFacts selected = ReadEntry(*list.Get(), 1);
  EXPECT_EQ(selected.State & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
            STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(ReadEntry(*list.Get(), 2).State & STATE_SYSTEM_SELECTED, 0);

  // From "box", "b" selects the next entry starting with b.
  Type(window, L'b');
  ASSERT_TRUE(WaitUntil([&] { return Selection(*list.Get()) == 3; })) << "banana";

  PressKey(window, VK_RETURN, 0);
  EXPECT_TRUE(viewer.WaitForExit(kTimeout)) << "opening an entry ends the viewer";
  EXPECT_EQ(handler_.WaitForOpened(1, kTimeout), std::vector<std::wstring>{banana});
}

TEST_F(Keyboard, ControlShiftWithEnterOrAClickRunsAFileAsAdministratorAndIsAPlainClickElsewhere) {
  TScratchFolder folder(L"Elevate");
  const std::wstring setup = folder.Add(L"setup.hfrec");
  // Entries: setup, Explore. Each run selects one with a key, presses
  // Ctrl+Shift+Enter and waits for the viewer's end.
  const auto elevateEntry = [&](WORD selectKey, long entry) {
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
    ComPtr<IAccessible> list;
    const HWND window = Open(viewer, list);
    if (!window || !SelectsAfter(window, *list.Get(), selectKey, entry)) return false;
    PressChord({VK_CONTROL, VK_SHIFT, VK_RETURN});
    return viewer.WaitForExit(kTimeout);
  };
  EXPECT_TRUE(elevateEntry(VK_HOME, 1)) << "the viewer ends as after a plain open";
  EXPECT_TRUE(WaitUntil([&] { return handler_.RanAsAdministrator() == std::vector<std::wstring>{setup}; }));
  EXPECT_EQ(handler_.SettledOpened(), std::vector<std::wstring>{}) << "not opened plainly as well";

  // On the Explore entry the keys open the folder as a click does.
  EXPECT_TRUE(elevateEntry(VK_END, 2));
  EXPECT_EQ(handler_.WaitForOpened(1, kTimeout), std::vector<std::wstring>{folder.Path()});
  EXPECT_EQ(handler_.RanAsAdministrator(), std::vector<std::wstring>{setup}) << "nothing more ran as administrator";

  // A click on the file with the keys held runs it as administrator too.
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  ComPtr<IAccessible> list;
  const HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(list->accLocation(&left, &top, &width, &height, Child(1)), S_OK);
  POINT entry = {left + width / 2, top + height / 2};
  ::ScreenToClient(window, &entry);
  ClickAt(window, entry, {VK_CONTROL, VK_SHIFT});
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
  EXPECT_TRUE(WaitUntil([&] { return handler_.RanAsAdministrator() == std::vector<std::wstring>{setup, setup}; }));
  EXPECT_EQ(handler_.SettledOpened(), std::vector<std::wstring>{folder.Path()}) << "only Explore opened plainly";
}

TEST_F(Keyboard, EnterOnADamagedShortcutReportsItAndTheViewerStaysOpen) {
  TScratchFolder folder(L"Damaged Keys");
  folder.Add(L"broken.lnk", "this is not a shortcut at all");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  ComPtr<IAccessible> list;
  HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SelectsAfter(window, *list.Get(), VK_HOME, 1));
  PressKey(window, VK_RETURN, 0);
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  ASSERT_NE(box.Window, nullptr);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(handler_.SettledOpened().empty());
}

TEST_F(Keyboard, TypedLetterSelectsAndBackspaceGoesBack) {
  TScratchFolder folder(L"Typing");
  folder.AddFolder(L"alpha");
  folder.AddFolder(L"bravo");
  folder.Add(L"bravo\\inside.hfrec");
  folder.Add(L"charlie.hfrec");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  ComPtr<IAccessible> list;
  HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);

  Type(window, L'B');
  ASSERT_TRUE(WaitUntil([&] { return Selection(*list.Get()) == 2; })) << "typing b selects bravo";
  PressKey(window, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"bravo"; }) && WaitForViewAtRest(window));
  list = AccessibleOf(ViewToolbar(window));
  ASSERT_TRUE(list);
  EXPECT_EQ(Selection(*list.Get()), 0) << "a new column starts without a selection";
  EXPECT_EQ(ReadEntry(*list.Get(), 1).Name, L"Go back to: Typing");

  PressKey(window, VK_BACK, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(window) == L"Typing"; })) << "Backspace goes back";
  EXPECT_TRUE(viewer.Running());
  PressKey(window, VK_BACK, 0);  // no go-back entry at the top: nothing happens
  ASSERT_TRUE(Sync(window));
  EXPECT_EQ(WindowText(window), L"Typing");
  EXPECT_TRUE(handler_.Opened().empty());
}

TEST_F(Keyboard, ArrowsMoveByRowsAndColumnsInTheGrid) {
  TScratchFolder folder(L"Grid Keys");
  for (int i = 0; i < 9; ++i) folder.Add(L"file" + std::to_wstring(i) + L".hfrec");
  // Nine files and Explore: ten tiles in four columns, the last row short.
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid");
  ComPtr<IAccessible> list;
  HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);
  long count = 0;
  ASSERT_EQ(list->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 10);
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_RIGHT, 1));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_DOWN, 5));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_RIGHT, 6));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_DOWN, 10)) << "below a gap: the last tile";
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_UP, 6));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_LEFT, 5));
  EXPECT_TRUE(SelectsAfter(window, *list.Get(), VK_LEFT, 5)) << "no wrapping to the row above";
  const TEntryFacts tile = ReadEntry(*list.Get(), 5);
  EXPECT_EQ(tile.Name, L"file4.hfrec");
  EXPECT_EQ(tile.Description.rfind(L"file4.hfrec\rSize: ", 0), 0u) << "the hint's lines";
}

TEST_F(Keyboard, AccessibleObjectListsTheStacksEntries) {
  TScratchFolder folder(L"Readable");
  const std::wstring sub = folder.AddFolder(L"Sub folder");
  const std::wstring file = folder.Add(L"report.hfrec");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  ComPtr<IAccessible> list;
  HWND window = Open(viewer, list);
  ASSERT_NE(window, nullptr);

  VARIANT self = Child(CHILDID_SELF), role;
  ::VariantInit(&role);
  ASSERT_EQ(list->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
  long count = 0;
  ASSERT_EQ(list->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 3);

  const RECT client = ReadWindowFacts(window).Client;
  struct Expected {
    std::wstring Name, Description, Action;
  };
  const Expected expected[] = {
      {L"Sub folder", sub, L"Browse"},
      {L"report.hfrec", file, L"Open"},
      {L"Explore: Readable", folder.Path(), L"Open"},
  };
  for (long id = 1; id <= count; ++id) {
    const TEntryFacts entry = ReadEntry(*list.Get(), id);
    const Expected& want = expected[id - 1];
    EXPECT_EQ(entry.Name, want.Name) << id;
    EXPECT_EQ(entry.Description, want.Description) << id;
    EXPECT_EQ(entry.Action, want.Action) << id;
    EXPECT_EQ(entry.Role, ROLE_SYSTEM_LISTITEM) << id;
    // Entries stand 44 pixels apart from 2 pixels below the client's top.
    const RECT place = {client.left + 2, client.top + 2 + (id - 1) * 44, client.right - 2, client.top + 2 + id * 44};
    EXPECT_TRUE(::EqualRect(&entry.Screen, &place)) << id << ": " << entry.Screen.left << "," << entry.Screen.top << " "
                                                    << entry.Screen.right << "," << entry.Screen.bottom;
  }
  VARIANT hit;
  ::VariantInit(&hit);
  ASSERT_EQ(list->accHitTest(client.left + 20, client.top + 2 + 44 + 10, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 2);

  // A screen reader's default action runs the entry as a click does.
  ASSERT_EQ(list->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
  EXPECT_EQ(handler_.WaitForOpened(1, kTimeout), std::vector<std::wstring>{file});
  EXPECT_NE(list->get_accChildCount(&count), S_OK) << "the object outlives its view without crashing";
}

}  // namespace

namespace {

// Sets a file's last-written time to a day of 2020 (later days are newer).
void SetModifiedDay(const std::wstring& path, int day) {
  SYSTEMTIME when = {};
  when.wYear = 2020;
  when.wMonth = 1;
  when.wDay = static_cast<WORD>(day);
  FILETIME time = {};
  ::SystemTimeToFileTime(&when, &time);
  const THandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  ASSERT_TRUE(file && ::SetFileTime(file.Get(), nullptr, nullptr, &time));
}

}  // namespace

TEST_F(Keyboard, SortOrdersGiveTheirOrderOfEntries) {
  TScratchFolder folder(L"Sorted");
  SetModifiedDay(folder.AddFolder(L"old folder"), 1);
  SetModifiedDay(folder.AddFolder(L"new folder"), 20);
  SetModifiedDay(folder.Add(L"a.txt", std::string(300, 'a')), 10);
  SetModifiedDay(folder.Add(L"b.txt", std::string(5000, 'b')), 30);
  SetModifiedDay(folder.Add(L"c.txt", std::string(300, 'c')), 10);
  SetModifiedDay(folder.Add(L"d.txt", std::string(10, 'd')), 5);
  const struct {
    const wchar_t* Switch;
    std::vector<std::wstring> Names;
  } cases[] = {
      {L"", {L"new folder", L"old folder", L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"Explore: Sorted"}},
      // Newest first, folders first, equal times by name.
      {L" /sort:modified", {L"new folder", L"old folder", L"b.txt", L"a.txt", L"c.txt", L"d.txt", L"Explore: Sorted"}},
      // Largest first; folders by name.
      {L" /sort:size", {L"new folder", L"old folder", L"b.txt", L"a.txt", L"c.txt", L"d.txt", L"Explore: Sorted"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.Switch));
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + c.Switch);
    ComPtr<IAccessible> list;
    ASSERT_NE(Open(viewer, list), nullptr);
    EXPECT_EQ(EntryNames(*list.Get()), c.Names);
  }
  // The two orders differ where modified and size disagree.
  SetModifiedDay(folder.Path() + L"\\d.txt", 31);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /sort:modified");
  ComPtr<IAccessible> list;
  ASSERT_NE(Open(viewer, list), nullptr);
  EXPECT_EQ(EntryNames(*list.Get()), (std::vector<std::wstring>{L"new folder", L"old folder", L"d.txt", L"b.txt",
                                                                L"a.txt", L"c.txt", L"Explore: Sorted"}));
}

TEST_F(Keyboard, AnUnknownSortOrderIsAnErrorThatNamesTheSwitch) {
  TScratchFolder folder(L"Unsorted");
  folder.Add(L"a.txt");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /sort:colour");
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  EXPECT_NE(box.Text.find(L"\"/sort:colour\""), std::wstring::npos) << Narrow(box.Text);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  EXPECT_TRUE(viewer.WaitForExit());
}
