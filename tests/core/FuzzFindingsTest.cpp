// Inputs with which the fuzz targets (fuzz/) broke an invariant, kept with
// what each must give now. The texts are the targets' inputs byte for byte
// (all ASCII); "fields" were separated by 0xFF bytes in the input.
#include <gtest/gtest.h>

#include "CoreTestHelpers.h"
#include "core/viewer/CommandLine.h"
#include "core/base/PathUtils.h"
#include "core/creator/StackShortcut.h"

namespace {
using Args = std::vector<std::wstring>;

bool EndsWithBackslash(const std::wstring& text) { return !text.empty() && text.back() == L'\\'; }
}  // namespace

// viewer_command: a folder written with two trailing backslashes kept one, so
// the same folder made two groups of viewers.
TEST(FuzzFindings, ViewerFolderKeepsNoTrailingBackslash) {
  struct {
    std::wstring line;  // a raw command line, or one argument when the line holds no program
    bool raw;
    std::wstring folder;
    TViewKind kind;
  } cases[] = {
      {L"[[\\\\", false, L"[[", TViewKind::Stack},
      {L"\"C:\\Program Files\\Heapfold\\Heapview0.exe\" \"\\\\server\\share\\Team Stacks\\\\\" /menu", true,
       L"\\\\server\\share\\Team Stacks", TViewKind::Menu},
  };
  for (const auto& c : cases) {
    Args args = c.raw ? TokenizeCommandLine(c.line) : Args{c.line};
    if (c.raw) args.erase(args.begin());
    const TViewerCommand command = ParseViewerCommand(args);
    EXPECT_EQ(command.StackFolder, c.folder) << c.line;
    EXPECT_FALSE(EndsWithBackslash(command.StackFolder)) << c.line;
    EXPECT_EQ(command.ViewKind, c.kind) << c.line;
  }
}

// stack_shortcut: switch names inside the folder's own text were read back as
// switches by the creator's edit mode. The pinned-stack test reads the
// folder as the viewer does, so it must not mind the backslashes either.
TEST(FuzzFindings, ComposedArgumentsReadBackAsComposed) {
  struct {
    std::wstring folder;
    TStackType type;
    std::wstring flags;  // see Flags() in CoreTestHelpers.h
  } cases[] = {
      {L"C:\\Usersd /noexplore /hideext ", TStackType::Grid, L"EbHtc"},
      {L"\\\\", TStackType::Stack, L"EbhtC"},
  };
  for (const auto& c : cases) {
    TStackSettings settings;
    settings.Folder = c.folder;
    settings.Type = c.type;
    settings.Options = {c.flags[0] == L'E', c.flags[1] == L'B', c.flags[2] == L'H', c.flags[3] == L'T',
                        c.flags[4] == L'C'};
    const std::wstring arguments = ComposeArguments(settings);
    const TStackSettings back = ReadStackArguments(arguments);
    EXPECT_EQ(back.Folder, c.folder) << arguments;
    EXPECT_EQ(back.Type, c.type) << arguments;
    EXPECT_EQ(Flags(back.Options), c.flags) << arguments;
    // A folder of backslashes alone names no folder: no pinned stack is its.
    const bool names = !StripTrailingBackslashes(c.folder).empty();
    EXPECT_EQ(IsPinnedStackOf(L"C:\\P\\Heapview3.exe", arguments, c.folder), names) << arguments;
  }
}
