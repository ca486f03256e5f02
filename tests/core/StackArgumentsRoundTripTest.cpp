// Round trips of a stack's settings through its shortcut's arguments over
// random folder names (a fixed seed, so every run sees the same ones):
// composed by the creator, then read back by the creator's edit mode and by
// the viewer from its command line. Also: arbitrary text never trips either
// reading.
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CoreTestHelpers.h"
#include "core/viewer/CommandLine.h"
#include "core/base/PathUtils.h"
#include "core/creator/StackShortcut.h"

namespace {

using Args = std::vector<std::wstring>;

// A code point as the platform's wide strings hold it: one unit, or a
// surrogate pair where wchar_t has 16 bits.
void AppendCodePoint(std::wstring& text, char32_t code) {
  if (sizeof(wchar_t) == 2 && code >= 0x10000) {
    text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
    text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    text += static_cast<wchar_t>(code);
  }
}

std::size_t Pick(std::mt19937& random, std::size_t count) {
  return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
}

// Folder names of the kinds users have: drive and network roots, blanks,
// dots, forward slashes (which Windows also takes as separators, so switch
// names can turn up in a folder), letters beyond ASCII and beyond the Basic
// Multilingual Plane, doubled and trailing backslashes, and paths as long as
// a shortcut's field holds (259 characters). Never a double quote.
std::wstring RandomFolder(std::mt19937& random) {
  static const wchar_t* const kRoots[] = {L"C:\\", L"D:", L"\\\\server\\share\\", L"E:/", L"Z:\\Stacks\\"};
  static const wchar_t* const kParts[] = {L"Docs",
                                          L"My Stack",
                                          L" lead",
                                          L"trail ",
                                          L"a.b.c",
                                          L"/grid",
                                          L"/menu",
                                          L"/noexplore",
                                          L"x /thumbs /clear",
                                          L"-_()&'!,;=+[]{}#$%@~`^",
                                          L"..",
                                          L"\u00e9t\u00e9",
                                          L"\u65e5\u672c\u8a9e",
                                          L"\u0416"};
  static const char32_t kAstral[] = {0x1F600, 0x20000, 0x10FFFD, 0x1D11E};
  std::wstring folder = kRoots[Pick(random, std::size(kRoots))];
  const std::size_t parts = Pick(random, 5);
  for (std::size_t i = 0; i < parts; ++i) {
    if (Pick(random, 4) == 0)
      AppendCodePoint(folder, kAstral[Pick(random, std::size(kAstral))]);
    else
      folder += kParts[Pick(random, std::size(kParts))];
    folder += Pick(random, 6) == 0 ? L"\\\\" : L"\\";
  }
  if (Pick(random, 4) == 0) {
    // As long as the field allows, ending in a trailing backslash or not.
    while (folder.size() < 259) folder += static_cast<wchar_t>(L'a' + Pick(random, 26));
    if (Pick(random, 2) == 0) folder.back() = L'\\';
  } else {
    folder.append(Pick(random, 4), L'\\');
  }
  return folder;
}

TStackSettings Settings(const std::wstring& folder, int type, unsigned boxes, int sort = 0) {
  return {folder,
          static_cast<TStackType>(type),
          {(boxes & 1) != 0, (boxes & 2) != 0, (boxes & 4) != 0, (boxes & 8) != 0, (boxes & 16) != 0,
           static_cast<TSortOrder>(sort)}};
}

TViewerCommand ViewerReading(const std::wstring& arguments) {
  Args args = TokenizeCommandLine(L"\"C:\\Program Files\\Heapfold\\Heapview0.exe\" " + arguments);
  args.erase(args.begin());
  return ParseViewerCommand(args);
}

}  // namespace

TEST(StackArgumentsRoundTrip, EveryOptionCombinationOverRandomFolders) {
  std::mt19937 random(20240607);
  const TViewKind kinds[] = {TViewKind::Stack, TViewKind::Grid, TViewKind::Menu};
  for (int type = 0; type < 3; ++type)
    for (unsigned boxes = 0; boxes < 32 * 5; ++boxes)
      for (int i = 0; i < 4; ++i) {
        const TStackSettings settings = Settings(RandomFolder(random), type, boxes % 32, static_cast<int>(boxes / 32));
        const std::wstring arguments = ComposeArguments(settings);
        SCOPED_TRACE(arguments);

        const TStackSettings back = ReadStackArguments(arguments);
        EXPECT_EQ(back.Folder, settings.Folder);
        EXPECT_EQ(back.Type, settings.Type);
        EXPECT_EQ(back.Options, settings.Options);

        const TViewerCommand command = ViewerReading(arguments);
        EXPECT_FALSE(command.CreatorParameters.has_value());
        EXPECT_EQ(command.StackFolder, StripTrailingBackslashes(settings.Folder));
        EXPECT_EQ(command.ViewKind, kinds[type]);
        EXPECT_EQ(command.Options, settings.Options);
        EXPECT_FALSE(command.Error);
        EXPECT_TRUE(IsPinnedStackOf(L"C:\\P\\Heapview3.exe", arguments, settings.Folder));
      }
}

// No Windows path holds a double quote, and the arguments have no way to
// carry one: the creator's edit mode cuts the folder at its first quote and
// still finds the switches, while the viewer's tokeniser takes the quotes as
// quoting and reads a different folder, and sometimes no switches at all.
TEST(StackArgumentsRoundTrip, QuotesDoNotSurviveComposition) {
  struct {
    std::wstring folder;
    std::wstring creatorFolder, creatorFlags;
    TStackType creatorType;
    std::wstring viewerFolder, viewerFlags;
    TViewKind viewerKind;
  } cases[] = {
      // The closing quote opens a run to the end of the line: one argument.
      {L"C:\\a\"b", L"C:\\a", L"eBhtc", TStackType::Grid, L"C:\\ab /grid /noexplore ", L"EBhtc", TViewKind::Stack},
      // Quotes in pairs only group: the folder loses them, the switches stay.
      {L"C:\\\"x\" y", L"C:\\", L"eBhtc", TStackType::Grid, L"C:\\x y", L"eBhtc", TViewKind::Grid},
      {L"\"quoted\"", L"", L"eBhtc", TStackType::Grid, L"quoted", L"eBhtc", TViewKind::Grid},
  };
  for (const auto& c : cases) {
    const std::wstring arguments = ComposeArguments(Settings(c.folder, 1, 2));
    SCOPED_TRACE(arguments);
    const TStackSettings back = ReadStackArguments(arguments);
    EXPECT_EQ(back.Folder, c.creatorFolder);
    EXPECT_EQ(back.Type, c.creatorType);
    EXPECT_EQ(Flags(back.Options), c.creatorFlags);
    const TViewerCommand command = ViewerReading(arguments);
    EXPECT_EQ(command.StackFolder, c.viewerFolder);
    EXPECT_EQ(command.ViewKind, c.viewerKind);
    EXPECT_EQ(Flags(command.Options), c.viewerFlags);
  }
  // Whatever the folder, the creator keeps what comes before its first quote.
  std::mt19937 random(7);
  for (int i = 0; i < 100; ++i) {
    std::wstring folder = RandomFolder(random);
    folder.insert(Pick(random, folder.size() + 1), 1, L'"');
    EXPECT_EQ(ReadStackArguments(ComposeArguments(Settings(folder, i % 3, i % 32))).Folder,
              folder.substr(0, folder.find(L'"')));
  }
}

TEST(StackArgumentsRoundTrip, ArbitraryTextNeverTripsEitherReading) {
  // Text made mostly of what the readings look at.
  static const wchar_t* const kPieces[] = {L"\"", L"\"\"",  L"\\",     L"\\\\",   L" ",       L"\t",
                                           L"/",  L"/grid", L"/menu",  L"/edit",  L"/create", L"/clear",
                                           L"C:", L"x",     L"\u00e9", L"\u3000", L"\r\n"};
  std::mt19937 random(99);
  for (int i = 0; i < 400; ++i) {
    std::wstring text;
    const std::size_t pieces = Pick(random, 16);
    for (std::size_t k = 0; k < pieces; ++k) text += kPieces[Pick(random, std::size(kPieces))];
    SCOPED_TRACE(text);
    Args tokens;
    EXPECT_NO_THROW(tokens = TokenizeCommandLine(text));
    for (const std::wstring& token : tokens) {
      EXPECT_FALSE(token.empty());
      EXPECT_EQ(token.find(L'"'), std::wstring::npos);
    }
    TViewerCommand command;
    EXPECT_NO_THROW(command = ParseViewerCommand(tokens));
    EXPECT_TRUE(command.StackFolder.empty() || command.StackFolder.back() != L'\\');
    EXPECT_NO_THROW(ParseCreatorCommand(tokens));
    TStackSettings settings;
    EXPECT_NO_THROW(settings = ReadStackArguments(text));
    EXPECT_EQ(settings.Folder.find(L'"'), std::wstring::npos);
  }
}

namespace {

// ASCII text of a wide string, for test messages.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

TEST(StackArgumentsRoundTrip, SortOrdersAreWrittenOnlyWhenNotByNameAndUnknownOnesAreNamed) {
  const struct {
    const wchar_t* Written;
    TSortOrder Order;
  } known[] = {{L"/sort:modified", TSortOrder::Modified},
               {L"/SORT:Created", TSortOrder::Created},
               {L"/sort:KIND", TSortOrder::Kind},
               {L"/sort:size", TSortOrder::Size},
               {L"/sort:name", TSortOrder::Name}};
  for (const auto& c : known) {
    const TViewerCommand command = ViewerReading(std::wstring(L"\"C:\\Data\" /grid ") + c.Written);
    EXPECT_EQ(command.Options.Sort, c.Order) << Narrow(c.Written);
    EXPECT_FALSE(command.Error) << Narrow(c.Written);
    EXPECT_EQ(ReadStackArguments(std::wstring(L"\"C:\\Data\" ") + c.Written).Options.Sort, c.Order);
  }
  EXPECT_EQ(ComposeArguments(Settings(L"C:\\Data", 0, 1)), L"\"C:\\Data\" /nobrowse ") << "the default adds nothing";
  EXPECT_EQ(ComposeArguments(Settings(L"C:\\Data", 2, 1, 3)), L"\"C:\\Data\" /menu /nobrowse /sort:kind ");
  EXPECT_EQ(ViewerReading(L"\"C:\\Data\"").Options.Sort, TSortOrder::Name);

  for (const wchar_t* bad : {L"/sort:colour", L"/sort:", L"/Sort:sizes"}) {
    const TViewerCommand command = ViewerReading(std::wstring(L"\"C:\\Data\" ") + bad);
    ASSERT_TRUE(command.Error) << Narrow(bad);
    EXPECT_NE(command.Error->find(std::wstring(L"\"") + bad + L"\""), std::wstring::npos) << Narrow(*command.Error);
    EXPECT_EQ(command.Options.Sort, TSortOrder::Name);
    EXPECT_EQ(ReadStackArguments(std::wstring(L"\"C:\\Data\" ") + bad).Options.Sort, TSortOrder::Name);
  }
  // A folder named like the switch is no switch.
  EXPECT_EQ(ReadStackArguments(L"\"C:\\/sort:size\"").Options.Sort, TSortOrder::Name);
}
