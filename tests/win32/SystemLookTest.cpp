// The look's facts read from the registry: numbers as they are, values of
// another type or missing as nothing (the core's defaults then apply).
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include "shared/SystemLook.h"

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
const wchar_t kDwm[] = L"Software\\Microsoft\\Windows\\DWM";

// Removes the values the test sets, before and after.
struct TCleanValues {
  TCleanValues() { Clean(); }
  ~TCleanValues() { Clean(); }
  static void Clean() {
    for (const wchar_t* name : {L"SystemUsesLightTheme", L"ColorPrevalence", L"EnableTransparency"})
      ::SHDeleteValueW(HKEY_CURRENT_USER, kPersonalize, name);
    ::SHDeleteValueW(HKEY_CURRENT_USER, kDwm, L"AccentColor");
  }
};

void SetDword(const wchar_t* key, const wchar_t* name, DWORD value) {
  ::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof(value));
}

}  // namespace

TEST(SystemLook, RegistryNumbersAreTakenAndAnythingElseIsNothing) {
  const TCleanValues clean;
  TLookFacts facts = ReadLookFacts();
  EXPECT_FALSE(facts.SystemUsesLightTheme.has_value());
  EXPECT_FALSE(facts.AccentColor.has_value());
  EXPECT_FALSE(facts.HighContrast) << "Wine cannot turn it on";

  SetDword(kPersonalize, L"SystemUsesLightTheme", 1);
  SetDword(kPersonalize, L"ColorPrevalence", 0);
  SetDword(kDwm, L"AccentColor", 0xFF6A3A00u);
  const wchar_t text[] = L"1";
  ::SHSetValueW(HKEY_CURRENT_USER, kPersonalize, L"EnableTransparency", REG_SZ, text, sizeof(text));
  facts = ReadLookFacts();
  EXPECT_EQ(facts.SystemUsesLightTheme, std::optional<std::uint32_t>(1));
  EXPECT_EQ(facts.ColorPrevalence, std::optional<std::uint32_t>(0));
  EXPECT_EQ(facts.AccentColor, std::optional<std::uint32_t>(0xFF6A3A00u));
  EXPECT_FALSE(facts.EnableTransparency.has_value()) << "a string is no number";

  const BYTE shortValue[2] = {1, 0};
  ::SHSetValueW(HKEY_CURRENT_USER, kPersonalize, L"SystemUsesLightTheme", REG_BINARY, shortValue, sizeof(shortValue));
  EXPECT_FALSE(ReadLookFacts().SystemUsesLightTheme.has_value());
}
