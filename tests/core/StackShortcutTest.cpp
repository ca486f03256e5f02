#include "core/creator/StackShortcut.h"

#include <gtest/gtest.h>

#include "CoreTestHelpers.h"
#include "core/viewer/CommandLine.h"

namespace {
TStackSettings Settings(const std::wstring& folder, TStackType type, unsigned boxes) {
  return {folder, type, {(boxes & 1) != 0, (boxes & 2) != 0, (boxes & 4) != 0, (boxes & 8) != 0, (boxes & 16) != 0}};
}
}  // namespace

TEST(StackShortcut, EveryCompositionParsesBackInTheViewerAndTheCreator) {
  // The viewer strips one trailing backslash from the folder.
  const std::pair<std::wstring, std::wstring> folders[] = {{L"C:\\Docs", L"C:\\Docs"},
                                                           {L"C:\\Users\\ann\\My Docs", L"C:\\Users\\ann\\My Docs"},
                                                           {L"D:\\", L"D:"},
                                                           {L"C:\\My Stack\\", L"C:\\My Stack"}};
  const std::pair<TStackType, TViewKind> types[] = {
      {TStackType::Stack, TViewKind::Stack}, {TStackType::Grid, TViewKind::Grid}, {TStackType::Menu, TViewKind::Menu}};
  for (const auto& [folder, viewerFolder] : folders)
    for (const auto& [type, kind] : types)
      for (unsigned boxes = 0; boxes < 32; ++boxes) {
        const TStackSettings s = Settings(folder, type, boxes);
        const std::wstring args = ComposeArguments(s);
        SCOPED_TRACE(args);
        const auto tokens = TokenizeCommandLine(L"\"C:\\x\\Heapview0.exe\" " + args);
        ASSERT_GE(tokens.size(), 2u);
        const TViewerCommand cmd = ParseViewerCommand({tokens.begin() + 1, tokens.end()});
        EXPECT_EQ(cmd.StackFolder, viewerFolder);
        EXPECT_EQ(cmd.ViewKind, kind);
        EXPECT_EQ(cmd.Options, s.Options);

        const TStackSettings back = ReadStackArguments(args);
        EXPECT_EQ(back.Folder, folder);
        EXPECT_EQ(back.Type, type);
        EXPECT_EQ(back.Options, s.Options);
      }
  EXPECT_EQ(ComposeArguments(Settings(L"C:\\Docs", TStackType::Stack, 1 | 2)), L"\"C:\\Docs\" ");
  EXPECT_EQ(ComposeArguments(Settings(L"C:\\Users\\ann\\Documents", TStackType::Grid, 2 | 4)),
            L"\"C:\\Users\\ann\\Documents\" /grid /noexplore /hideext ");
}

TEST(StackShortcut, EditModeReadings) {
  struct {
    std::wstring args, folder;
    TStackType type;
    std::wstring flags;
  } cases[] = {
      {L"\"C:\\A\" /menu /grid ", L"C:\\A", TStackType::Grid, L"EBhtc"},
      {L"\"C:\\A\" /menu ", L"C:\\A", TStackType::Menu, L"EBhtc"},
      {L"\"C:\\A\" /GRID /NoExplore ", L"C:\\A", TStackType::Stack, L"EBhtc"},
      {L"\"C:\\A B\" /nobrowse /clear /thumbs /hideext /noexplore", L"C:\\A B", TStackType::Stack, L"ebHTC"},
      {L"x \"D:\\\" \"other\" /grid", L"D:\\", TStackType::Grid, L"EBhtc"},
      {L"\"unclosed /clear", L"", TStackType::Stack, L"EBhtC"},
      // Switches count outside the folder only ("/" separates folders too),
      // and none forms across it.
      {L"\"C:/Photos/grid/thumbs\" /menu ", L"C:/Photos/grid/thumbs", TStackType::Menu, L"EBhtc"},
      {L"/gr\"C:\\x\"id /cl\"ear", L"C:\\x", TStackType::Stack, L"EBhtc"},
      {L"/clear \"C:\\x\" /grid", L"C:\\x", TStackType::Grid, L"EBhtC"},
  };
  for (const auto& c : cases) {
    const TStackSettings s = ReadStackArguments(c.args);
    EXPECT_EQ(s.Folder, c.folder) << c.args;
    EXPECT_EQ(s.Type, c.type) << c.args;
    EXPECT_EQ(Flags(s.Options), c.flags) << c.args;
  }
}

TEST(StackShortcut, IsPinnedStackOfReadsTheFolderAsTheViewerDoes) {
  struct {
    std::wstring target, args, folder;
    bool want;
  } cases[] = {
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs2\" /grid ", L"C:\\Docs", false},
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs\" /grid ", L"C:\\Docs", true},
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs\" ", L"c:\\docs\\", true},
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs\\\" ", L"C:\\Docs", true},
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs\\\\\" ", L"C:\\Docs\\", true},  // every trailing backslash
      {L"C:\\P\\heapview3.exe", L"\"C:\\Docs\" ", L"C:\\Docs", false},
      {L"Heapview.exe", L"\"C:\\Docs\" ", L"C:\\Docs", true},
      {L"C:\\P\\Heapview3.exe", L"\"C:\\Docs\" ", L"", false},
      {L"C:\\P\\Heapview3.exe", L"\"\" ", L"\\", false},
      // A drive root: only the stack of D:\ itself, not every stack on D.
      {L"C:\\P\\Heapview3.exe", L"\"D:\\\" /menu ", L"D:", true},
      {L"C:\\P\\Heapview4.exe", L"\"D:\\Photos\" ", L"D:", false},
      // Creator commands and switches are no folders.
      {L"C:\\P\\Heapview3.exe", L"/edit \"C:\\Docs\"", L"C:\\Docs", false},
      {L"C:\\P\\Heapview3.exe", L"", L"C:\\Docs", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPinnedStackOf(c.target, c.args, c.folder), c.want) << c.args << c.folder;
  // The comparison is the caller's: Windows' own folds more than ASCII.
  const auto exact = [](const std::wstring& a, const std::wstring& b) { return a == b; };
  EXPECT_FALSE(IsPinnedStackOf(L"Heapview1.exe", L"\"C:\\Docs\" ", L"c:\\docs", exact));
}

TEST(StackShortcut, ChooseViewerNumberTakesTheLowestFree) {
  using Entries = std::vector<std::wstring>;
  const std::pair<Entries, std::optional<int>> cases[] = {
      {{}, 0},
      {{L"C:\\p\\Heapview0.exe", L"C:\\p\\Heapview1.exe", L"C:\\p\\Heapview3.exe"}, 2},
      {{L"C:\\p\\Heapview0.exe", L"D:\\elsewhere\\HEAPVIEW4.EXE", L"C:\\p\\Heapview1.exe", L"C:\\p\\Heapview2.exe",
        L"C:\\p\\Heapview3.exe"},
       5},
      {{L"C:\\p\\Heapview.exe", L"C:\\p\\Heapview10.exe", L"C:\\p\\Heapview0.exe.bak", L"C:\\Heapview0.exe\\x"}, 0},
      {{L"D:Heapview0.exe"}, 1},
  };
  for (const auto& [entries, want] : cases) EXPECT_EQ(ChooseViewerNumber(entries), want) << entries.size();
  Entries all;
  for (int n = 9; n >= 0; --n) all.push_back(L"C:\\p\\" + ViewerFileName(n));
  EXPECT_EQ(ChooseViewerNumber(all), std::nullopt);
  all.erase(all.begin() + 4);  // the resolved entry C:\p\Heapview5.exe
  EXPECT_EQ(ChooseViewerNumber(all), 5);
}

TEST(StackShortcut, IconFieldSplitsAtTheBar) {
  const std::tuple<std::wstring, std::wstring, int> cases[] = {
      {L"|7", L"", 7},
      {L"C:\\x.dll|3", L"C:\\x.dll", 3},
      {L"C:\\x.ico", L"C:\\x.ico", 0},
      {L"C:\\x.ico|abc", L"C:\\x.ico", 0},
      {L"x|-12", L"x", -12},
      {L"x|-", L"x", 0},
      {L"x|4 ", L"x", 0},
      {L"x|5|9", L"x", 5},
      {L"x|-2147483648", L"x", -2147483647 - 1},
      {L"x|2147483648", L"x", 0},
      {L"x|99999999999999999999999", L"x", 0},
  };
  for (const auto& [text, path, index] : cases) {
    const TIconField f = SplitIconField(text);
    EXPECT_EQ(f.Path, path) << text;
    EXPECT_EQ(f.Index, index) << text;
  }
  EXPECT_EQ(JoinIconField(L"", 0), L"|0");
}

TEST(StackShortcut, SaveChecksIconChoiceAndTheDesktopPath) {
  EXPECT_EQ(SaveRefusal(L"", L"Docs"), std::wstring(L"Please choose the folder that the stack should show."));
  EXPECT_EQ(SaveRefusal(L"", L""), std::wstring(L"Please choose the folder that the stack should show."));
  EXPECT_EQ(SaveRefusal(L"C:\\Docs", L""),
            std::wstring(L"Please type a caption for the stack. It becomes the name of the shortcut."));
  EXPECT_EQ(SaveRefusal(L"C:\\Docs", L"Docs"), std::nullopt);
  EXPECT_EQ(SaveRefusal(L"C:\\Docs", L"Caf\u00e9 & Co. (2) \U0001F600"), std::nullopt);
  const std::pair<const wchar_t*, const wchar_t*> refused[] = {
      {L"a?b*c?", L"the characters ? *,"},
      {L"Sub\\Stack", L"the characters \\,"},
      {L"x/y:z\"<>|", L"the characters / : \" < > |,"},
      {L"tab\there", L"control characters such as tabs,"},
      {L"a|b\nc", L"the characters | and control characters such as tabs,"},
  };
  for (const auto& [caption, named] : refused) {
    const auto refusal = SaveRefusal(L"C:\\Docs", caption);
    ASSERT_TRUE(refusal) << caption;
    EXPECT_EQ(refusal->find(std::wstring(L"The caption cannot contain ") + named), 0u) << *refusal;
  }
  EXPECT_EQ(DesktopShortcutPath(L"C:\\Users\\ann\\Desktop", L"My Docs"), L"C:\\Users\\ann\\Desktop\\My Docs.lnk");

  struct {
    const wchar_t* field;
    const wchar_t* folderIconPath;  // what the shell reports for the folder
    const wchar_t* wantPath;
    int wantIndex;
    bool asksFolder;
  } cases[] = {
      {L"C:\\i.ico|5", L"C:\\shell.dll", L"C:\\i.ico", 5, false},
      {L"%SystemRoot%\\b.dll", L"C:\\shell.dll", L"%SystemRoot%\\b.dll", 0, false},  // kept unexpanded
      {L"|7", L"C:\\shell.dll", L"C:\\shell.dll", 3, true},
      {L"", L"", L"C:\\P\\Heapview2.exe", 0, true},  // no icon file for the folder: the target's
  };
  for (const auto& c : cases) {
    bool asked = false;
    const auto folderIcon = [&] {
      asked = true;
      return TIconLocation{c.folderIconPath, 3};
    };
    const TIconLocation icon = ChooseStackIcon(c.field, folderIcon, L"C:\\P\\Heapview2.exe");
    EXPECT_EQ(icon.Path, c.wantPath) << c.field;
    EXPECT_EQ(icon.Index, c.wantIndex) << c.field;
    EXPECT_EQ(asked, c.asksFolder) << c.field;
  }
}
