// Preferences against the prefix's real registry, under a company name of
// this run's own so parallel runs keep apart.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include "core/base/Errors.h"
#include "shared/RegUtils.h"
#include "shared/ScopedWin.h"

namespace {

const std::wstring kApp = L"App", kSection = L"Prefs";

class RegUtilsTest : public testing::Test {
protected:
  const std::wstring company_ = L"Heapfold Test " + std::to_wstring(::GetCurrentProcessId());
  const std::wstring path_ = RegKeyPath(company_, kApp, kSection);

  void SetUp() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + company_).c_str()); }
  void TearDown() override { SetUp(); }
  bool KeyExists(const std::wstring& path) {
    TRegKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
  }
  void SetRaw(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(::SHSetValueW(HKEY_CURRENT_USER, path_.c_str(), L"TextColor", type, data, size), ERROR_SUCCESS);
  }
  std::int32_t ReadInt(std::int32_t fallback) {
    return RegReadInteger(company_, kApp, kSection, L"TextColor", fallback);
  }
};

TEST_F(RegUtilsTest, MissingKeyOrValueGivesDefaultsAndCreatesNothing) {
  EXPECT_TRUE(RegReadBool(company_, kApp, kSection, L"TextColor", true));
  EXPECT_EQ(ReadInt(-7), -7);
  EXPECT_FALSE(KeyExists(L"Software\\" + company_));
  RegWriteBool(company_, kApp, kSection, L"Other", true);
  EXPECT_TRUE(KeyExists(path_));
  EXPECT_EQ(ReadInt(48), 48);
}

TEST_F(RegUtilsTest, DwordsRoundTripAndReadAsBool) {
  const struct {
    std::int32_t stored;
    bool asBool;
  } cases[] = {{5, true}, {0, false}, {257, true}, {-2, true}};
  for (const auto& c : cases) {
    RegWriteInteger(company_, kApp, kSection, L"TextColor", c.stored);
    EXPECT_EQ(ReadInt(3), c.stored);
    EXPECT_EQ(RegReadBool(company_, kApp, kSection, L"TextColor", !c.asBool), c.asBool) << c.stored;
    RegWriteBool(company_, kApp, kSection, L"TextColor", c.asBool);
    EXPECT_EQ(ReadInt(3), c.asBool ? 1 : 0);
  }
}

TEST_F(RegUtilsTest, WrongTypeOrSizeRaisesAndWritingReplacesIt) {
  const wchar_t text[] = L"clWhite";
  const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const struct {
    DWORD type;
    const void* data;
    DWORD size;
    const wchar_t* message;
  } cases[] = {
      {REG_SZ, text, sizeof(text), L"Invalid data type for 'TextColor'"},
      {REG_BINARY, eight, 4, L"Invalid data type for 'TextColor'"},
      {REG_DWORD, eight, 8, L"Failed to get data for 'TextColor'"},
  };
  for (const auto& c : cases) {
    SetRaw(c.type, c.data, c.size);
    for (int reader = 0; reader < 2; ++reader) {
      try {
        if (reader == 0)
          ReadInt(0);
        else
          RegReadBool(company_, kApp, kSection, L"TextColor", false);
        ADD_FAILURE() << "no error for type " << c.type;
      } catch (const EError& e) {
        EXPECT_EQ(e.Message(), c.message);
      }
    }
    RegWriteInteger(company_, kApp, kSection, L"TextColor", 0xFFFFFF);
    EXPECT_EQ(ReadInt(0), 0xFFFFFF);  // a DWORD now, or the read would raise
  }
}

TEST_F(RegUtilsTest, StringsReadWithTheirTypeAndLengthChecked) {
  const auto read = [&] { return RegReadString(company_, kApp, kSection, L"TextColor", 8); };
  EXPECT_EQ(read(), std::nullopt);
  const wchar_t eight[] = L"12345678";
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  const wchar_t embedded[] = L"ab\0cd";
  const DWORD dword = 5;
  const struct {
    DWORD type;
    const void* data;
    DWORD size;
    std::optional<std::wstring> value;  // nothing: raises message
    const wchar_t* message;
  } cases[] = {
      {REG_SZ, eight, sizeof(eight), std::wstring(L"12345678"), nullptr},
      {REG_SZ, unterminated, sizeof(unterminated), std::wstring(L"abc"), nullptr},
      {REG_SZ, embedded, sizeof(embedded), std::wstring(L"ab"), nullptr},
      {REG_SZ, L"", 0, std::wstring(), nullptr},
      {REG_SZ, L"123456789", 20, std::nullopt, L"Failed to get data for 'TextColor'"},
      {REG_EXPAND_SZ, eight, sizeof(eight), std::nullopt, L"Invalid data type for 'TextColor'"},
      {REG_DWORD, &dword, sizeof(dword), std::nullopt, L"Invalid data type for 'TextColor'"},
  };
  for (const auto& c : cases) {
    SetRaw(c.type, c.data, c.size);
    try {
      EXPECT_EQ(read(), c.value) << c.type << " " << c.size;
      EXPECT_EQ(c.message, nullptr);
    } catch (const EError& e) {
      EXPECT_EQ(e.Message(), c.message ? c.message : L"<none>");
    }
  }
}

}  // namespace
