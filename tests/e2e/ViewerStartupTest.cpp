// The viewer's start-up seen from outside: the help window, creator commands
// handed on, the window frame the preferences and switches give, start-up
// errors.
#include <gtest/gtest.h>

#include "E2eFixture.h"

using namespace e2e;

namespace {

class ViewerStartup : public TViewerTest {};

TEST_F(ViewerStartup, WithoutArgumentsShowsTheHelpWindowCentredAndClosesOnEsc) {
  MoveCursor({300, 200});
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"");
  HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  const TWindowFacts facts = ReadWindowFacts(window);

  EXPECT_EQ(facts.Caption, L"Heapfold by Brenwick Software");
  EXPECT_EQ(facts.ClientWidth(), 480);
  EXPECT_EQ(facts.ClientHeight(), 224);
  const RECT work = PrimaryWorkArea();
  EXPECT_EQ(facts.Window.left, work.left + (work.right - work.left - facts.Width()) / 2);
  EXPECT_EQ(facts.Window.top, work.top + (work.bottom - work.top - facts.Height()) / 2);
  EXPECT_TRUE(facts.ExStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(facts.ExStyle & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(facts.ExStyle & WS_EX_TOOLWINDOW) << "the help window keeps its taskbar button";
  EXPECT_FALSE(facts.Layered);
  EXPECT_EQ(facts.Style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);

  // The help text, in a rich text control, word for word on the lines checked.
  std::wstring text;
  for (HWND child : ChildWindows(window)) text += WindowText(child);
  EXPECT_NE(text.find(L"Note: This app must have a folder location as its first command line parameter.  Please use "
                      L"Heapmaker.exe to create a proper stack."),
            std::wstring::npos);
  EXPECT_NE(text.find(L"    \"Folder Name\"  The folder to use for the stack.  Use quotes."), std::wstring::npos);
  EXPECT_NE(text.find(L"    [/thumbs] -- Display thumbnails of BMP, GIF, JPG, and PNG files instead of icons.  "
                      L"Warning: This can be slow."),
            std::wstring::npos);

  PressKey(window, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
}

// The help window once it is shown and active: activating another window
// before then would be undone by the help window's own activation.
HWND WaitForActiveHelpWindow(const TProcess& viewer) {
  const HWND window = WaitForWindow(viewer.Id(), kTimeout, L"Heapfold by Brenwick Software");
  return window && WaitUntil([&] { return ::GetForegroundWindow() == window; }) ? window : nullptr;
}

TEST_F(ViewerStartup, HelpWindowClosesOnLosingActivationUnlessSecondClickClosingIsOn) {
  {
    TProcess viewer = TProcess::Launch(install_.Viewer(), L"");
    ASSERT_NE(WaitForActiveHelpWindow(viewer), nullptr);
    TOtherWindow other;
    other.Activate();
    EXPECT_TRUE(viewer.WaitForExit(kTimeout));
  }
  preferences_.SetDword(L"CloseBy2ndClick", 1);
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"");
  const HWND window = WaitForActiveHelpWindow(viewer);
  ASSERT_NE(window, nullptr);
  TOtherWindow other;
  other.Activate();
  ASSERT_TRUE(WaitUntil([&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndActive != window;
  })) << "the help window lost activation";
  ASSERT_TRUE(Sync(window)) << "the loss of activation has been handled";
  EXPECT_TRUE(viewer.Running()) << "with second-click closing the help window stays";
  EXPECT_TRUE(::IsWindowVisible(window));
}

struct TCreatorCase {
  const char* Name;
  const wchar_t* Arguments;
  const wchar_t* Expected;  // arguments Heapmaker gets, after its path
};

void PrintTo(const TCreatorCase& c, std::ostream* os) { *os << c.Name; }

class CreatorCommands : public ViewerStartup, public ::testing::WithParamInterface<TCreatorCase> {};

TEST_P(CreatorCommands, AreHandedToHeapmakerWithoutAWindow) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), GetParam().Arguments);
  ASSERT_TRUE(viewer.WaitForExit(kTimeout));
  EXPECT_TRUE(TopLevelWindows(viewer.Id()).empty());
  const std::vector<std::wstring> calls = install_.SettledCreatorCalls();
  ASSERT_EQ(calls.size(), 1u);
  const std::wstring& call = calls[0];
  const size_t afterProgram = call.find(L"Heapmaker.exe\"");
  ASSERT_NE(afterProgram, std::wstring::npos) << "started by its path in the viewer's folder";
  std::wstring arguments = call.substr(afterProgram + 14);
  while (!arguments.empty() && arguments.front() == L' ') arguments.erase(0, 1);
  EXPECT_EQ(arguments, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllCommands, CreatorCommands,
    ::testing::Values(TCreatorCase{"Create", L"/create", L""}, TCreatorCase{"CreateWithMore", L"/create ignored", L""},
                      TCreatorCase{"Edit", L"/edit \"C:\\My Stack\"", L"/edit \"C:\\My Stack\""},
                      TCreatorCase{"About", L"/about", L"/about"}, TCreatorCase{"Donate", L"/donate", L"/donate"},
                      TCreatorCase{"PrefsWithMore", L"/prefs extra", L"/prefs"},
                      TCreatorCase{"WebUpdate", L"/webupdate", L"/webupdate"}),
    [](const ::testing::TestParamInfo<TCreatorCase>& info) { return std::string(info.param.Name); });

TEST_F(ViewerStartup, LookalikesOfCreatorCommandsOpenAViewInstead) {
  for (const wchar_t* arguments : {L"/edit", L"/About", L"\"\" /edit"}) {
    SCOPED_TRACE(std::string(arguments, arguments + wcslen(arguments)));
    TProcess viewer = TProcess::Launch(install_.Viewer(), arguments);
    HWND window = WaitForWindow(viewer.Id(), kTimeout);
    ASSERT_NE(window, nullptr);
    PressKey(window, VK_ESCAPE, 27);
    ASSERT_TRUE(viewer.WaitForExit(kTimeout));
    // A creator the viewer had started would have been running before the
    // window showed; once none runs, its call would be on record.
    EXPECT_TRUE(install_.SettledCreatorCalls().empty());
  }
}

struct TFrameCase {
  const char* Name;
  int DoAnim;  // -1: absent
  const wchar_t* Switches;
  bool Caption;
  bool ToolCaption;  // the small caption of a tool window
  bool Layered;
};

void PrintTo(const TFrameCase& c, std::ostream* os) { *os << c.Name; }

class ViewFrame : public ViewerStartup, public ::testing::WithParamInterface<TFrameCase> {};

TEST_P(ViewFrame, FollowsTheAnimationPreferenceAndClear) {
  const TFrameCase& c = GetParam();
  if (c.DoAnim >= 0) preferences_.SetDword(L"DoAnim", static_cast<DWORD>(c.DoAnim));
  TScratchFolder folder(L"Frame Stack");
  folder.Add(L"a.txt");
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\\\" " + c.Switches);
  HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ((facts.Style & WS_CAPTION) == WS_CAPTION, c.Caption);
  EXPECT_FALSE(facts.Style & WS_SYSMENU) << "the caption bar never has buttons";
  EXPECT_EQ((facts.ExStyle & WS_EX_TOOLWINDOW) != 0, c.ToolCaption);
  // No taskbar button of its own: the window is owned by a hidden window.
  ASSERT_NE(facts.Owner, nullptr);
  EXPECT_FALSE(::IsWindowVisible(facts.Owner));
  EXPECT_TRUE(facts.ExStyle & WS_EX_TOPMOST);
  EXPECT_EQ(facts.Layered, c.Layered);
  // The frame above the client area: the caption bar of the kind asked for
  // and the frame's border, or only a border without a caption.
  const int above = facts.Client.top - facts.Window.top;
  const int border = facts.Client.left - facts.Window.left;
  if (c.Caption) {
    EXPECT_EQ(above - border, ::GetSystemMetrics(c.ToolCaption ? SM_CYSMCAPTION : SM_CYCAPTION));
  } else {
    EXPECT_EQ(above, border);
  }
  PressKey(window, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
}

INSTANTIATE_TEST_SUITE_P(Frames, ViewFrame,
                         ::testing::Values(TFrameCase{"AnimatedByDefault", -1, L"", true, true, true},
                                           TFrameCase{"AnimatedGrid", 5, L"/GRID", true, true, true},
                                           TFrameCase{"NotAnimated", 0, L"", true, false, false},
                                           TFrameCase{"NotAnimatedClear", 0, L"/clear", false, false, false},
                                           TFrameCase{"AnimatedClear", -1, L"/nobrowse /CLEAR", false, false, true}),
                         [](const ::testing::TestParamInfo<TFrameCase>& info) { return std::string(info.param.Name); });

TEST_F(ViewerStartup, APreferenceOfTheWrongTypeIsReportedByName) {
  preferences_.SetString(L"TextColor", L"x");
  TScratchFolder folder(L"Bad Prefs");
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\"");
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  ASSERT_NE(box.Window, nullptr);
  EXPECT_EQ(box.Text, L"Invalid data type for 'TextColor'");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
}

}  // namespace
