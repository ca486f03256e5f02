// Second-click closing seen from outside: with the preference on, a viewer of
// a folder that is open already closes the open one (which slides out) and
// ends without a window; viewers of other folders stay; a hung window
// elsewhere on the desktop holds up neither viewer.
#include <gtest/gtest.h>

#include <cwctype>
#include <thread>

#include "E2eFixture.h"
#include "core/viewer/AppComm.h"
#include "viewer/InterAppComm.h"

using namespace e2e;

namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// A top-level window whose thread never handles a message until the scope ends.
class THungWindow {
public:
  THungWindow() {
    ready_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    release_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this] {
      window_ = ::CreateWindowExW(0, L"Static", L"Hung", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
      ::SetEvent(ready_.Get());
      ::WaitForSingleObject(release_.Get(), INFINITE);
      ::DestroyWindow(window_);
    });
    ::WaitForSingleObject(ready_.Get(), kTimeout);
  }
  ~THungWindow() {
    ::SetEvent(release_.Get());
    thread_.join();
  }
  HWND Window() const { return window_; }

private:
  THandle ready_, release_;
  HWND window_ = nullptr;
  std::thread thread_;
};

class SecondClick : public TViewerTest {
protected:
  TScratchFolder folder_{L"Twice"};
  TScratchFolder other_{L"Elsewhere"};

  SecondClick() : TViewerTest(TAnimation::On) {
    preferences_.SetDword(L"CloseBy2ndClick", 1);
    folder_.Add(L"a.txt");
    other_.Add(L"b.txt");
  }
};

}  // namespace

TEST_F(SecondClick, AViewerOfAnOpenFolderClosesItAndShowsNothing) {
  TProcess first = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  const HWND window = OpenAtRest(first);
  ASSERT_NE(window, nullptr);
  const RECT rest = ReadWindowFacts(window).Window;
  TProcess elsewhere = TProcess::Launch(install_.Viewer(), Quoted(other_.Path()));
  const HWND otherWindow = OpenAtRest(elsewhere);
  ASSERT_NE(otherWindow, nullptr);

  // The second click: the same folder, in other letters' case.
  TProcess second = TProcess::Launch(install_.Viewer(), Quoted(Upper(folder_.Path())));
  bool secondShowedAWindow = false, firstSlidOut = false;
  ASSERT_TRUE(WaitUntil([&] {
    secondShowedAWindow = secondShowedAWindow || !TopLevelWindows(second.Id()).empty();
    if (::IsWindow(window)) {
      const TWindowFacts facts = ReadWindowFacts(window);
      firstSlidOut = firstSlidOut || (facts.Visible && facts.Window.top > rest.top && facts.Alpha < 255);
    }
    return !second.Running() && !first.Running();
  })) << "both viewers end";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_FALSE(secondShowedAWindow);
  EXPECT_TRUE(firstSlidOut) << "the open stack slides out as it closes";
  EXPECT_TRUE(elsewhere.Running()) << "a stack of another folder stays open";
  EXPECT_TRUE(::IsWindowVisible(otherWindow));
}

TEST_F(SecondClick, WithThePreferenceOffASecondViewerOpensBesideTheFirst) {
  preferences_.SetDword(L"CloseBy2ndClick", 0);
  preferences_.SetDword(L"DoAnim", 0);
  TProcess first = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  ASSERT_NE(OpenAtRest(first), nullptr);
  TProcess second = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  ASSERT_NE(OpenAtRest(second), nullptr) << "the second viewer shows its stack";
  EXPECT_TRUE(second.Running());
}

TEST_F(SecondClick, AHungWindowOnTheDesktopHoldsUpNeitherViewer) {
  const THungWindow hung;
  ASSERT_NE(hung.Window(), nullptr);
  TProcess first = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  ASSERT_NE(OpenAtRest(first), nullptr) << "the start's notices pass the hung window";
  TProcess second = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  EXPECT_TRUE(second.WaitForExit()) << "the query passes the hung window";
  EXPECT_TRUE(first.WaitForExit()) << "and the close command still arrives";
}

TEST_F(SecondClick, OnlyACloseCommandClosesAStack) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  TInterAppSender sender;
  const std::vector<HWND> found = sender.FindReceiversByName(folder_.Path(), true);
  ASSERT_EQ(found.size(), 1u) << "the open stack's receiver";
  TAppCommData block = MakeCloseCommand(0);
  block.Command = 2;
  sender.SendData(found[0], &block, sizeof block);
  block.Command = kAppCommClose;
  sender.SendData(found[0], &block, 8);  // too short to hold its command
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(::IsWindowVisible(window));

  sender.SendData(found[0], &block, sizeof block);
  EXPECT_TRUE(viewer.WaitForExit()) << "a close command closes it";
}
