// Dates counted in days since 30 December 1899, written with a picture of
// the kind "dddd, mmmm d, yyyy" in the user's language, whose names the
// caller gives.
#pragma once

#include <array>
#include <string>

struct TDateNames {
  std::array<std::wstring, 7> LongDayNames;     // Sunday first
  std::array<std::wstring, 12> LongMonthNames;  // January first
};

struct TCivilDate {
  int Year = 1899;
  int Month = 12;     // 1..12
  int Day = 30;       // 1..31
  int DayOfWeek = 6;  // 0 Sunday .. 6 Saturday
};
TCivilDate CivilDateOfDayNumber(int dayNumber);

// Picture letters, longest first: "dddd" the day's name, "dd" and "d" the day
// with and without a leading zero, "mmmm" the month's name, "mm" and "m" its
// number, "yyyy" and "yy" the year; letter case ignored. Anything else is
// copied as it stands.
std::wstring FormatDayNumber(const std::wstring& picture, int dayNumber, const TDateNames& names);

// The day this version was released: 5 July 2009.
constexpr int kReleaseDayNumber = 39999;
