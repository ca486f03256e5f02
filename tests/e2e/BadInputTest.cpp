// The real programs given what nobody here wrote: odd file names, paths
// beyond 260 characters, files and folders that go while a stack is open,
// damaged shortcuts, pictures that lie or are damaged, preferences of the
// wrong type, and stray window messages from another process. Each time the
// program keeps working, or says clearly what is wrong, and changes nothing
// on disk that it should not.
#include <gtest/gtest.h>

#include <random>

#include "BadPictures.h"
#include "E2eFixture.h"
#include "core/viewer/AppComm.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellLinkUtils.h"
#include "viewer/InterAppComm.h"

using namespace e2e;

namespace {

std::string Bytes(const unsigned char* data, std::size_t size) { return std::string(data, data + size); }

// Entries of a stack stand 44 pixels apart from 2 pixels below the client's top.
constexpr int kEntryHeight = 44;
int EntriesOf(HWND window) { return (ReadWindowFacts(window).ClientHeight() - 4) / kEntryHeight; }
void ClickEntry(HWND window, int index) { ClickAt(window, {30, 2 + index * kEntryHeight + kEntryHeight / 2}); }

class BadInput : public TShellViewerTest {
protected:
  BadInput() : TShellViewerTest(TAnimation::Off) {}

  // Esc ends a healthy viewer with exit code 0.
  static bool EndsCleanly(TProcess& viewer, HWND window) {
    PressKey(window, VK_ESCAPE, 27);
    return viewer.WaitForExit() && viewer.ExitCode() == 0;
  }
};

TEST_F(BadInput, OddNamesAreListedAndHandedToTheShellExactly) {
  // Deep enough that the longest names make paths beyond 260 characters.
  TScratchFolder root(L"Odd Names");
  const std::wstring folder = root.AddFolder(std::wstring(60, L'f'));
  const std::wstring ext = TRecordingHandler::kExtension;
  struct {
    std::wstring Name;
    bool Opens;  // the shell can open it
  } files[] = {
      {L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac" + ext, true},  // Greek, outside the code page
      {L"\u65e5\u672c\u8a9e \U0001F600" + ext, true},                     // CJK and a character outside the BMP
      {L"R&D 100% ^caret 'single' %PATH%" + ext, true},                   // what shells and menus treat specially
      {std::wstring(200, L'm') + ext, true},  // a path beyond 260 characters, given to the shell shortened
      // The longest name a file may have: the shell can open it only by its
      // short name, whose cut extension chooses no program; nothing happens.
      {std::wstring(255 - ext.size(), L'n') + ext, false},
  };
  std::vector<std::wstring> expected;
  for (const auto& file : files) {
    const std::wstring path = folder + L"\\" + file.Name;
    const THandle created(
        ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(created) << Narrow(file.Name);
    if (file.Opens) expected.push_back(path);
  }

  std::vector<std::wstring> opened;
  const int count = static_cast<int>(std::size(files));
  for (int i = 0; i < count; ++i) {
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder));
    const HWND window = OpenAtRest(viewer);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(EntriesOf(window), count + 1) << "every file and Explore";
    ClickEntry(window, i);
    ASSERT_TRUE(viewer.WaitForExit());
    EXPECT_EQ(viewer.ExitCode(), 0u);
  }
  for (const std::wstring& path : handler_.SettledOpened()) {
    // A path too long for the shell reaches it with a short form of its folder.
    wchar_t longForm[1024] = {};
    EXPECT_GT(::GetLongPathNameW(path.c_str(), longForm, 1024), 0u) << Narrow(path);
    opened.push_back(longForm);
  }
  std::sort(opened.begin(), opened.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(opened, expected) << "each name reached the shell as it is, nothing expanded";
}

TEST_F(BadInput, AFolderPathBeyond260CharactersOpensWithoutHarm) {
  TScratchFolder root(L"Deep");
  std::wstring deep = root.Path();
  for (int level = 0; level < 3; ++level) {
    deep += L"\\" + std::wstring(90, static_cast<wchar_t>(L'a' + level));
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  }
  ASSERT_GT(deep.size(), 260u);
  const THandle file(::CreateFileW((L"\\\\?\\" + deep + L"\\inside.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(deep));
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), std::wstring(90, L'c'));
  EXPECT_TRUE(EndsCleanly(viewer, window));
}

TEST_F(BadInput, EntriesThatGoWhileTheStackIsOpenGiveNeutralResults) {
  // The stack does not follow its folder: entries deleted below stay listed,
  // as they do until an open stack has noticed.
  preferences_.SetTestingDword(L"LiveViews", 0);
  TScratchFolder folder(L"Going");
  const std::wstring file = folder.Add(L"gone" + std::wstring(TRecordingHandler::kExtension));
  const std::wstring sub = folder.AddFolder(L"Sub");
  folder.Add(L"Sub\\inner.txt");

  // A folder deleted before it is browsed into lists as empty.
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(EntriesOf(window), 3);
  ASSERT_TRUE(::DeleteFileW((sub + L"\\inner.txt").c_str()) && ::RemoveDirectoryW(sub.c_str()));
  ClickEntry(window, 0);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Sub"; }));
  ASSERT_TRUE(WaitForViewAtRest(window));
  EXPECT_EQ(EntriesOf(window), 2) << "go-back and Explore";
  EXPECT_TRUE(EndsCleanly(viewer, window));

  // A file deleted before its click: the shell is handed its path and the
  // viewer ends as after any click; nothing else is opened or written.
  TProcess second = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  window = OpenAtRest(second);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(::DeleteFileW(file.c_str()));
  ClickEntry(window, 0);
  EXPECT_TRUE(WaitUntil([&] { return !second.Running() || ShowsMessageBox(second.Id()); }));
  // The shell's own complaint, where it makes one, is answered.
  for (HWND shown : TopLevelWindows(second.Id()))
    if (ClassNameOf(shown) == L"#32770") ::PostMessageW(shown, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_FALSE(FileExists(file));
}

TEST_F(BadInput, DamagedShortcutsInAStackAreListed) {
  TScratchFolder folder(L"Damaged");
  TShellLinkInfo good;
  good.TargetPath = L"C:\\windows\\notepad.exe";
  const std::wstring model = folder.Add(L"model.tmp", "");
  WriteShellLink(model, good);
  const std::string bytes = ReadFileBytes(model);
  ASSERT_GT(bytes.size(), 40u);
  ::DeleteFileW(model.c_str());
  std::mt19937 random(7);
  std::string noise(700, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  folder.Add(L"Truncated.lnk", bytes.substr(0, 40));
  folder.Add(L"Empty.lnk", "");
  folder.Add(L"Noise.lnk", noise);
  const std::wstring self = folder.Add(L"Self.lnk", "");
  TShellLinkInfo loop;
  loop.TargetPath = self;
  WriteShellLink(self, loop);
  const std::wstring longTarget = folder.Add(L"Long target.lnk", "");
  TShellLinkInfo distant;
  distant.TargetPath = L"C:\\" + std::wstring(1000, L'x') + L".exe";
  try {
    WriteShellLink(longTarget, distant);
  } catch (const EError&) {
    // The shell refuses such a target: the file stays empty, one more damaged shortcut.
  }

  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(EntriesOf(window), 6) << "five shortcuts and Explore";
  EXPECT_TRUE(EndsCleanly(viewer, window));
}

TEST_F(BadInput, PicturesThatLieOrAreDamagedLeaveTheGridWorking) {
  TScratchFolder folder(L"Bad Pictures");
  using namespace badpictures;
  const std::string jpeg = Bytes(kRgbJpeg, sizeof kRgbJpeg);
  std::string absurd = Bytes(kInterlacedPng, sizeof kInterlacedPng);
  absurd[16] = absurd[17] = absurd[20] = absurd[21] = '\x7f';  // 2 billion pixels a side, with a wrong CRC
  const std::pair<const wchar_t*, std::string> pictures[] = {
      {L"truncated.jpg", jpeg.substr(0, jpeg.size() / 2)},
      {L"png named.jpg", Bytes(kInterlacedPng, sizeof kInterlacedPng)},
      {L"jpeg named.gif", jpeg},
      {L"text named.bmp", "BM this is no bitmap at all"},
      {L"absurd.png", absurd},
      {L"animated.gif", Bytes(kAnimatedGif, sizeof kAnimatedGif)},
      {L"interlaced.png", Bytes(kInterlacedPng, sizeof kInterlacedPng)},
      {L"cmyk.jpg", Bytes(kCmykJpeg, sizeof kCmykJpeg)},
      {L"empty.png", ""},
  };
  for (const auto& [name, content] : pictures) folder.Add(name, content);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(EndsCleanly(viewer, window));
  EXPECT_EQ(ReadFileBytes(folder.Path() + L"\\cmyk.jpg"), Bytes(kCmykJpeg, sizeof kCmykJpeg))
      << "pictures are only read";
}

struct TWrongType {
  const char* Name;
  DWORD Type;
  std::string Data;
  const wchar_t* Message;  // %s: the value's name
  bool InPreferences;      // the preferences dialog is tried too
};

void PrintTo(const TWrongType& c, std::ostream* os) { *os << c.Name; }

class BadPreference : public BadInput, public ::testing::WithParamInterface<TWrongType> {};

// Every preference of a wrong type or size is reported by name, by the viewer
// at its start and by the preferences dialog, which still opens; nothing is
// written over it.
TEST_P(BadPreference, IsReportedByNameAndLeftAsItIs) {
  const TWrongType& c = GetParam();
  for (const wchar_t* name : {L"TextColor", L"DoAnim", L"CloseBy2ndClick"}) {
    SCOPED_TRACE(Narrow(name));
    preferences_.SetRaw(name, c.Type, c.Data);
    std::wstring message = c.Message;
    message.replace(message.find(L"%s"), 2, name);

    TScratchFolder folder(L"Prefs");
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
    TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
    EXPECT_EQ(box.Text, message);
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(viewer.WaitForExit());
    EXPECT_EQ(preferences_.Raw(name), std::make_pair(c.Type, c.Data));
    if (!c.InPreferences) {
      preferences_.Delete(name);
      continue;
    }

    TProcess creator = TProcess::Launch(DistDir() + L"Heapmaker.exe", L"/prefs");
    box = WaitForMessageBox(creator.Id(), L"Create Heapview");
    EXPECT_EQ(box.Text, message);
    AnswerMessageBox(box, IDOK);
    const HWND prefs = WaitForWindow(creator.Id(), kTimeout, L"Heapfold Preferences");
    ASSERT_NE(prefs, nullptr) << "the dialog still opens";
    ::PostMessageW(prefs, WM_CLOSE, 0, 0);
    EXPECT_TRUE(creator.WaitForExit());
    EXPECT_EQ(preferences_.Raw(name), std::make_pair(c.Type, c.Data));
    preferences_.Delete(name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, BadPreference,
    ::testing::Values(TWrongType{"Text", REG_SZ, std::string("1\0\0\0", 4), L"Invalid data type for '%s'", true},
                      TWrongType{"Binary", REG_BINARY, std::string("\1\0\0\0", 4), L"Invalid data type for '%s'",
                                 false},
                      TWrongType{"LongDword", REG_DWORD, std::string(8, '\1'), L"Failed to get data for '%s'", true},
                      TWrongType{"Qword", REG_QWORD, std::string(8, '\0'), L"Invalid data type for '%s'", false}),
    [](const ::testing::TestParamInfo<TWrongType>& info) { return std::string(info.param.Name); });

TEST_F(BadInput, StrayMessagesFromAnotherProcessLeaveAStackWorking) {
  preferences_.SetDword(L"CloseBy2ndClick", 1);  // so the stack listens to other viewers
  TScratchFolder folder(L"Listening");
  folder.Add(L"a.txt");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  TInterAppSender sender;
  const std::vector<HWND> receivers = sender.FindReceiversByName(folder.Path(), true);
  ASSERT_EQ(receivers.size(), 1u);

  std::mt19937 random(11);
  std::string noise(65536, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  int sent = 0;
  for (HWND target : {receivers[0], window}) {
    for (ULONG_PTR kind : {0u, 1u, 2u, 3u, 4u, 0xFFFFFFFFu}) {
      for (DWORD size : {0u, 1u, 8u, 12u, 13u, 16u, 17u, 4096u, 65536u}) {
        COPYDATASTRUCT copy = {kind, size, size ? &noise[0] : nullptr};
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, kTimeout,
                              &result);
        ++sent;
      }
    }
    for (const wchar_t* name : {L"InterAppHandshake", L"InterAppHandshakeByName", L"InterAppHandshakeByNameSilent",
                                L"HeapfoldUiDispatch", L"TaskbarCreated", L"TaskbarButtonCreated"}) {
      const UINT message = ::RegisterWindowMessageW(name);
      for (int i = 0; i < 20; ++i) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(target, message, static_cast<WPARAM>(random()), static_cast<LPARAM>(random()),
                              SMTO_ABORTIFHUNG, kTimeout, &result);
        ++sent;
      }
    }
  }
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running()) << sent << " messages";
  EXPECT_TRUE(IsViewAtRest(window));
  // Still itself: the real close command closes it.
  const TAppCommData close = MakeCloseCommand(0);
  sender.SendData(receivers[0], &close, sizeof close);
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

}  // namespace
