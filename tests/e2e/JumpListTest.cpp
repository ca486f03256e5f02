// The stack button's jump list, as a stand-in destination list records it:
// the seven tasks with their titles, arguments and icons on every start that
// gets past the creator commands, and nothing for a creator command.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "E2eFixture.h"

using namespace e2e;

namespace {

class JumpList : public TViewerTest {
protected:
  JumpList() : TViewerTest(TAnimation::Off) {}

  TJumpListStandIn standIn_;

  bool Committed() const {
    const std::vector<std::wstring> records = standIn_.Records();
    return !records.empty() && records.back() == L"commit";
  }

  std::vector<std::wstring> Tasks(const std::wstring& folder, const std::wstring& firstArgument) const {
    const std::wstring viewer = install_.Viewer();
    const std::wstring creator = install_.Folder() + L"\\Heapmaker.exe";
    const std::wstring p = L"|" + viewer + L"|" + viewer + L"|";
    return {L"task|Edit this stack|/edit \"" + folder + L"\"" + p + L"2",
            L"task|Create a new stack|/create|" + viewer + L"|" + creator + L"|0",
            L"task|Browse stack as a menu|\"" + firstArgument + L"\" /menu" + p + L"3",
            L"task|Preferences|/prefs" + p + L"5",
            L"task|Check for latest version|/webupdate" + p + L"6",
            L"task|Donate|/donate" + p + L"4",
            L"task|About Heapfold|/about" + p + L"1",
            L"commit"};
  }
};

}  // namespace

TEST_F(JumpList, AStackStartCommitsTheSevenTasks) {
  TScratchFolder folder(L"Data");
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\\\" /grid");
  const HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForViewAtRest(window));
  // Committed once the view is painted, so the user never waits for it.
  WaitUntil([&] { return Committed(); });
  EXPECT_EQ(standIn_.Records(), Tasks(folder.Path(), folder.Path() + L"\\"));
}

TEST_F(JumpList, TheHelpWindowCommitsThemWithAnEmptyFolderAndACreatorCommandNothing) {
  TProcess help = TProcess::Launch(install_.Viewer(), L"");
  ASSERT_NE(WaitForWindow(help.Id(), kTimeout), nullptr);
  WaitUntil([&] { return Committed(); });
  EXPECT_EQ(standIn_.Records(), Tasks(L"", L""));

  standIn_.Clear();
  TProcess about = TProcess::Launch(install_.Viewer(), L"/about");
  ASSERT_TRUE(about.WaitForExit());
  ASSERT_TRUE(WaitForNoProcessNamed(L"Heapmaker.exe"));
  EXPECT_TRUE(standIn_.Records().empty()) << "a creator command leaves the jump list as it was";
}

TEST(ProgramIcons, TheViewerCarriesEightIconsAndTheCreatorOne) {
  EXPECT_EQ(::ExtractIconExW((DistDir() + L"Heapview0.exe").c_str(), -1, nullptr, nullptr, 0), 8u);
  // The creator's own only: its about box takes the maker's logo from data.
  EXPECT_EQ(::ExtractIconExW((DistDir() + L"Heapmaker.exe").c_str(), -1, nullptr, nullptr, 0), 1u);
  // The task icons by index: each a real icon of the viewer's own file, in
  // the sizes the taskbar and the jump list ask for.
  for (int index = 0; index < 8; ++index) {
    for (int size : {16, 32, 48}) {
      HICON icon = nullptr;
      ASSERT_EQ(::PrivateExtractIconsW((DistDir() + L"Heapview0.exe").c_str(), index, size, size, &icon, nullptr, 1, 0),
                1u)
          << index << " at " << size;
      const TIcon owner(icon);
      ICONINFO info = {};
      ASSERT_TRUE(::GetIconInfo(icon, &info));
      BITMAP bitmap = {};
      ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size);
      if (info.hbmColor) ::DeleteObject(info.hbmColor);
      if (info.hbmMask) ::DeleteObject(info.hbmMask);
    }
  }
}
