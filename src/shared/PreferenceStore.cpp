#include "shared/PreferenceStore.h"

#include "shared/RegUtils.h"

std::int32_t ReadPreference(const TPreference<std::int32_t>& preference) {
  return RegReadInteger(kRegCompany, kRegApplication, kRegSection, preference.Name, preference.Default);
}

bool ReadPreference(const TPreference<bool>& preference) {
  return RegReadBool(kRegCompany, kRegApplication, kRegSection, preference.Name, preference.Default);
}

void WritePreference(const TPreference<std::int32_t>& preference, std::int32_t value) {
  RegWriteInteger(kRegCompany, kRegApplication, kRegSection, preference.Name, value);
}

void WritePreference(const TPreference<bool>& preference, bool value) {
  RegWriteBool(kRegCompany, kRegApplication, kRegSection, preference.Name, value);
}
