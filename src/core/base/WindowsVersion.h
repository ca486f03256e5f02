// The system's version as plain numbers, and the rules the programs take from
// it. A version that could not be read is all zeros, which every rule reads
// as "older".
#pragma once

#include <cstdint>

struct TWindowsVersion {
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
  std::uint32_t Build = 0;
};

// Windows Vista (6.0) or later.
constexpr bool IsVistaOrLater(const TWindowsVersion& v) { return v.Major >= 6; }

// Windows 7 (6.1) or later.
constexpr bool IsWindows7OrLater(const TWindowsVersion& v) { return v.Major > 6 || (v.Major == 6 && v.Minor >= 1); }
