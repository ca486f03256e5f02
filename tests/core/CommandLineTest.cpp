#include "core/viewer/CommandLine.h"

#include <gtest/gtest.h>

#include "CoreTestHelpers.h"

using Args = std::vector<std::wstring>;

TEST(TokenizeCommandLine, SplitsLikeTheClassicRuntime) {
  const std::pair<std::wstring, Args> cases[] = {
      {L"prog \"\"", {L"prog"}},
      {L"prog \"\" x", {L"prog", L"x"}},
      {L"\"C:\\P F\\v.exe\" \"C:\\My Stack\\\" /grid", {L"C:\\P F\\v.exe", L"C:\\My Stack\\", L"/grid"}},
      {L"prog\ta\x01"
       L"b\r\n c",
       {L"prog", L"a", L"b", L"c"}},
      {L"a\"b c\"d", {L"ab cd"}},
      {L"prog \"  \" b \"open", {L"prog", L"  ", L"b", L"open"}},
  };
  for (const auto& [line, want] : cases) EXPECT_EQ(TokenizeCommandLine(line), want) << line;
}

TEST(ParseViewerCommand, CreatorCommands) {
  const std::pair<Args, std::wstring> cases[] = {
      {{L"/create", L"x"}, L""},
      {{L"/edit", L"C:\\My Stack"}, L"/edit \"C:\\My Stack\""},
      {{L"/about"}, L"/about"},
      {{L"/webupdate"}, L"/webupdate"},
  };
  for (const auto& [args, want] : cases) {
    const TViewerCommand c = ParseViewerCommand(args);
    ASSERT_TRUE(c.CreatorParameters.has_value()) << args[0];
    EXPECT_EQ(*c.CreatorParameters, want);
  }
  const TViewerCommand help = ParseViewerCommand({});
  EXPECT_EQ(help.ViewKind, TViewKind::Help);
  EXPECT_FALSE(help.CreatorParameters.has_value());
}

TEST(ParseViewerCommand, FoldersViewKindsAndOptions) {
  struct {
    Args args;
    std::wstring folder;
    TViewKind kind;
    std::wstring flags;
  } cases[] = {
      {{L"/edit"}, L"/edit", TViewKind::Stack, L"EBhtc"},
      {{L"/About", L"/menu"}, L"/About", TViewKind::Menu, L"EBhtc"},
      {{L"C:\\Data\\", L"/GRID"}, L"C:\\Data", TViewKind::Grid, L"EBhtc"},
      {{L"C:\\"}, L"C:", TViewKind::Stack, L"EBhtc"},
      {{L"D", L"/noexplore", L"/grid"}, L"D", TViewKind::Stack, L"eBhtc"},
      {{L"D", L"/foo", L"/NoBrowse", L"/nobrowse", L"/hideext", L"/thumbs", L"/clear"},
       L"D",
       TViewKind::Stack,
       L"EbHTC"},
  };
  for (const auto& c : cases) {
    const TViewerCommand cmd = ParseViewerCommand(c.args);
    EXPECT_FALSE(cmd.CreatorParameters.has_value()) << c.folder;
    EXPECT_EQ(cmd.StackFolder, c.folder);
    EXPECT_EQ(cmd.ViewKind, c.kind) << c.folder;
    EXPECT_EQ(Flags(cmd.Options), c.flags) << c.folder;
  }
  // Through the tokenizer: quoted folder ending in a backslash, a lone "" skipped, a quoted switch.
  const Args all = TokenizeCommandLine(L"v.exe \"C:\\My Stack\\\" \"\" \"/Grid\" /thumbs");
  const TViewerCommand cmd = ParseViewerCommand(Args(all.begin() + 1, all.end()));
  EXPECT_EQ(cmd.StackFolder, L"C:\\My Stack");
  EXPECT_EQ(cmd.ViewKind, TViewKind::Grid);
  EXPECT_EQ(Flags(cmd.Options), L"EBhTc");
}

TEST(ParseCreatorCommand, OnlyTheFirstArgumentSelectsAndExactly) {
  struct {
    Args args;
    TCreatorMode mode;
    std::wstring folder;
  } cases[] = {
      {{}, TCreatorMode::Create, L""},
      {{L"/create", L"/about"}, TCreatorMode::Create, L""},
      {{L"/edit", L"C:\\Docs"}, TCreatorMode::Edit, L"C:\\Docs"},
      {{L"/edit", L"\"C:\\My\" Docs\""}, TCreatorMode::Edit, L"C:\\My Docs"},
      {{L"/edit"}, TCreatorMode::Create, L""},
      {{L"/edit", L""}, TCreatorMode::Create, L""},
      {{L"/EDIT", L"C:\\Docs"}, TCreatorMode::Create, L""},
      {{L"/about", L"x"}, TCreatorMode::About, L""},
      {{L"/donate"}, TCreatorMode::Donate, L""},
      {{L"/prefs", L"ignored"}, TCreatorMode::Prefs, L""},
      {{L"/webupdate"}, TCreatorMode::WebUpdate, L""},
      {{L"/About"}, TCreatorMode::Create, L""},
      {{L"C:\\Docs", L"/edit"}, TCreatorMode::Create, L""},
  };
  for (const auto& c : cases) {
    const TCreatorCommand cmd = ParseCreatorCommand(c.args);
    EXPECT_EQ(cmd.Mode, c.mode) << (c.args.empty() ? std::wstring() : c.args[0]);
    EXPECT_EQ(cmd.EditFolder, c.folder);
  }
}
