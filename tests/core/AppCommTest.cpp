#include "core/viewer/AppComm.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(AppComm, TheCloseCommandIsAThirteenByteBlockWithItsCommandAtOffsetEight) {
  const TAppCommData block = MakeCloseCommand(46365.5);
  unsigned char bytes[sizeof block];
  std::memcpy(bytes, &block, sizeof block);
  double stamp = 0;
  std::memcpy(&stamp, bytes, 8);
  EXPECT_EQ(stamp, 46365.5);
  EXPECT_EQ(bytes[8], 1);
  for (int i = 9; i < 13; ++i) EXPECT_EQ(bytes[i], 0);
  EXPECT_TRUE(IsCloseCommand(std::vector<std::uint8_t>(bytes, bytes + 13)));
  std::vector<std::uint8_t> other(bytes, bytes + 13);
  other[8] = 2;
  EXPECT_FALSE(IsCloseCommand(other));
  EXPECT_TRUE(IsCloseCommand(std::vector<std::uint8_t>(bytes, bytes + 9))) << "the size beyond is not consulted";
}

TEST(AppComm, BlocksTooShortForTheirKindOrOfUnknownKindsAreIgnored) {
  const unsigned char bytes[300] = {5, 'H', 'e', 'l', 'l', 'o', 'x', 'x', 1, 0, 0, 0, 0};
  EXPECT_FALSE(ReadCopyData(0, bytes, 8));
  EXPECT_FALSE(ReadCopyData(0, nullptr, 13)) << "a null data pointer";
  ASSERT_TRUE(ReadCopyData(0, bytes, 9));
  EXPECT_EQ(ReadCopyData(0, bytes, 13)->Bytes.size(), 13u);
  EXPECT_FALSE(ReadCopyData(2, bytes, 3));
  EXPECT_FALSE(ReadCopyData(3, bytes, 7));
  EXPECT_FALSE(ReadCopyData(4, bytes, 13));
  EXPECT_FALSE(ReadCopyData(0xFFFFFFFFull + 1, bytes, 13));

  EXPECT_EQ(ReadCopyData(1, bytes, 6)->Text, "Hello");
  EXPECT_EQ(ReadCopyData(1, bytes, 3)->Text, "He") << "only within the block";
  EXPECT_FALSE(ReadCopyData(1, bytes, 0));
  unsigned char longString[300];
  std::memset(longString, 'a', sizeof longString);
  longString[0] = 255;
  EXPECT_EQ(ReadCopyData(1, longString, sizeof longString)->Text.size(), 255u) << "at most 255 characters";

  const std::int32_t minusTwo = -2;
  const double half = 0.5;
  EXPECT_EQ(ReadCopyData(2, &minusTwo, 4)->Integer, -2);
  EXPECT_EQ(ReadCopyData(3, &half, 8)->Real, 0.5);
}

TEST(AppComm, GroupNamesAreTheFolderCutTo255Characters) {
  EXPECT_EQ(GroupNameOf(L"C:\\Data"), L"C:\\Data");
  const std::wstring longFolder = L"C:\\" + std::wstring(300, L'x');
  EXPECT_EQ(GroupNameOf(longFolder), longFolder.substr(0, 255));
  EXPECT_EQ(GroupNameOf(longFolder + L"y"), GroupNameOf(longFolder + L"z"));
}
