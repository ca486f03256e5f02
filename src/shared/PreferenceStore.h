// The stacks' preferences (core/base/Preferences.h) read from and written to
// the product's preferences key. A stored value of the wrong type raises
// EError, as RegUtils does.
#pragma once

#include <cstdint>

#include "core/base/Preferences.h"

std::int32_t ReadPreference(const TPreference<std::int32_t>& preference);
bool ReadPreference(const TPreference<bool>& preference);
void WritePreference(const TPreference<std::int32_t>& preference, std::int32_t value);
void WritePreference(const TPreference<bool>& preference, bool value);
