#include "core/viewer/JumpListTasks.h"

#include <gtest/gtest.h>

#include "core/viewer/CommandLine.h"

namespace {

std::vector<std::wstring> Describe(const std::vector<TJumpTask>& tasks) {
  std::vector<std::wstring> out;
  for (const TJumpTask& t : tasks)
    out.push_back(t.Title + L"|" + t.Arguments + L"|" + t.IconFile + L"|" + std::to_wstring(t.IconIndex));
  return out;
}

}  // namespace

TEST(JumpListTasks, SevenTasksForAStackStartedWithATrailingBackslash) {
  const std::wstring viewer = L"C:\\Program Files\\Heapfold\\Heapview3.exe";
  const std::wstring creator = L"C:\\Program Files\\Heapfold\\Heapmaker.exe";
  // Started as Heapview3.exe "C:\Data\" /grid: the stack folder loses its backslash.
  EXPECT_EQ(Describe(ViewerJumpTasks(viewer, L"C:\\Data", L"C:\\Data\\")),
            (std::vector<std::wstring>{
                L"Edit this stack|/edit \"C:\\Data\"|" + viewer + L"|2",
                L"Create a new stack|/create|" + creator + L"|0",
                L"Browse stack as a menu|\"C:\\Data\\\" /menu|" + viewer + L"|3",
                L"Preferences|/prefs|" + viewer + L"|5",
                L"Check for latest version|/webupdate|" + viewer + L"|6",
                L"Donate|/donate|" + viewer + L"|4",
                L"About Heapfold|/about|" + viewer + L"|1",
            }));
}

TEST(JumpListTasks, TheHelpWindowsTasksNameAnEmptyFolder) {
  const std::vector<TJumpTask> tasks = ViewerJumpTasks(L"D:\\H\\Heapview0.exe", L"", L"");
  ASSERT_EQ(tasks.size(), 7u);
  EXPECT_EQ(tasks[0].Arguments, L"/edit \"\"");
  EXPECT_EQ(tasks[2].Arguments, L"\"\" /menu");
}

TEST(JumpListTasks, TheMenuTaskStartsTheViewerOnTheSameFolderAsAMenu) {
  // What the shell hands the viewer for task 3 reads back as the same stack.
  for (const std::wstring folder : {L"C:\\Data", L"C:\\My Stuff\\Photos", L"E:\\"}) {
    const std::vector<TJumpTask> tasks = ViewerJumpTasks(L"C:\\H\\Heapview0.exe", folder, folder);
    std::vector<std::wstring> args = TokenizeCommandLine(L"Heapview0.exe " + tasks[2].Arguments);
    args.erase(args.begin());
    const TViewerCommand command = ParseViewerCommand(args);
    EXPECT_EQ(command.ViewKind, TViewKind::Menu) << folder;
    EXPECT_FALSE(command.CreatorParameters) << folder;
    EXPECT_EQ(command.Options.Sort, TSortOrder::Name);
  }
  // The stack's order goes with it.
  const std::vector<TJumpTask> tasks =
      ViewerJumpTasks(L"C:\\H\\Heapview0.exe", L"C:\\Data", L"C:\\Data", TSortOrder::Modified);
  EXPECT_EQ(tasks[2].Arguments, L"\"C:\\Data\" /menu /sort:modified");
}
