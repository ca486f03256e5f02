#include "core/base/ExtraStrUtils.h"

#include <gtest/gtest.h>

TEST(ListFields, OverlappingSeparatorsAndMissingFields) {
  EXPECT_EQ(NthPos(L"++", L"a+++b", 2), 3u);
  EXPECT_EQ(NthPos(L"++", L"a+++b", 3), 0u);
  struct {
    const wchar_t* sep;
    const wchar_t* list;
    std::size_t n;
    const wchar_t* want;
  } cases[] = {
      {L"|", L"a|b|c|", 3, L"c"}, {L"|", L"a|b|c", 4, L""},  {L"|", L"a|b|c", 0, L""},
      {L"--", L"a---b", 1, L"a"}, {L"--", L"a---b", 2, L""}, {L"--", L"a---b", 3, L"b"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetListField(c.sep, c.list, c.n), c.want) << c.list << " n=" << c.n;
}

TEST(ListFields, SplitListEqualsGetListField) {
  std::wstring longList;  // > 65,535 fields, every third one empty
  for (int i = 0; i < 70000; ++i) longList += (i % 3 ? L"x" : L"") + std::wstring(L";");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"--", L"a---b"}, {L"--", L"----a--b--"}, {L"|", L"|a||b|"}, {L"aa", L"aaaaa"}, {L"", L"abc"}, {L";", longList},
  };
  for (const auto& [sep, list] : cases) {
    const std::size_t count = list.size() < 20 ? 8 : 70002;
    const std::vector<std::wstring> fields = SplitList(sep, list, count);
    ASSERT_EQ(fields.size(), count);
    // Every field of the short lists; a sample of the long one (field by field would be quadratic).
    for (std::size_t i = 0; i < count; i += (count > 100 ? 997 : 1))
      EXPECT_EQ(fields[i], GetListField(sep, list, i + 1)) << list.substr(0, 20) << " field " << i + 1;
  }
  const std::vector<std::wstring> fields = SplitList(L";", longList, 70001);
  EXPECT_EQ(fields[69998], L"x");
  EXPECT_EQ(fields[69999], L"");
}

TEST(FormatCount, PicksTheFirstMatchingPhrase) {
  struct {
    long long count;
    bool hideZero;
    const wchar_t* zeroWord;
    const wchar_t* want;
  } cases[] = {
      {0, true, L"no", L""},       {0, false, L"", L"0 files"},   {0, false, L"no", L"no files"},
      {1, true, L"no", L"1 file"}, {12, false, L"", L"12 files"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCount(c.count, L"file", L"files", c.hideZero, c.zeroWord), c.want);
}

TEST(ExtractQuotedPart, TakesFirstQuotedRunWithQuotes) {
  EXPECT_EQ(ExtractQuotedPart(L"x \"C:\\a b\" /g \"y\"", L'"'), L"\"C:\\a b\"");
  EXPECT_EQ(ExtractQuotedPart(L"only \"one", L'"'), L"");
  EXPECT_EQ(ExtractQuotedPart(L"'a' b", L'\''), L"");  // no double quote at all
}
