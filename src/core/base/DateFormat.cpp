#include "core/base/DateFormat.h"

#include <cwctype>

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the date.
TCivilDate CivilFromDaysSince1970(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  TCivilDate date;
  date.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.Year = static_cast<int>(yoe + era * 400 + (date.Month <= 2 ? 1 : 0));
  return date;
}

constexpr int kDayNumberOf1970 = 25569;  // 1 January 1970

std::wstring TwoDigits(int value) {
  std::wstring text = std::to_wstring(value % 100);
  return text.size() < 2 ? L"0" + text : text;
}

// How many times c repeats at pos, letter case ignored.
std::size_t RunLength(const std::wstring& text, std::size_t pos, wchar_t c) {
  std::size_t n = 0;
  while (pos + n < text.size() && static_cast<wchar_t>(std::towlower(text[pos + n])) == c) ++n;
  return n;
}

}  // namespace

TCivilDate CivilDateOfDayNumber(int dayNumber) {
  TCivilDate date = CivilFromDaysSince1970(static_cast<long long>(dayNumber) - kDayNumberOf1970);
  // Day 0, 30 December 1899, was a Saturday.
  date.DayOfWeek = static_cast<int>(((static_cast<long long>(dayNumber) + 6) % 7 + 7) % 7);
  return date;
}

std::wstring FormatDayNumber(const std::wstring& picture, int dayNumber, const TDateNames& names) {
  const TCivilDate date = CivilDateOfDayNumber(dayNumber);
  std::wstring text;
  std::size_t pos = 0;
  while (pos < picture.size()) {
    const wchar_t c = static_cast<wchar_t>(std::towlower(picture[pos]));
    const std::size_t run = (c == L'd' || c == L'm' || c == L'y') ? RunLength(picture, pos, c) : 0;
    if (c == L'd' && run >= 4) {
      text += names.LongDayNames[static_cast<std::size_t>(date.DayOfWeek)];
      pos += 4;
    } else if (c == L'd') {
      text += run >= 2 ? TwoDigits(date.Day) : std::to_wstring(date.Day);
      pos += run >= 2 ? 2 : 1;
    } else if (c == L'm' && run >= 4) {
      text += names.LongMonthNames[static_cast<std::size_t>(date.Month - 1)];
      pos += 4;
    } else if (c == L'm') {
      text += run >= 2 ? TwoDigits(date.Month) : std::to_wstring(date.Month);
      pos += run >= 2 ? 2 : 1;
    } else if (c == L'y' && run >= 4) {
      text += std::to_wstring(date.Year);
      pos += 4;
    } else if (c == L'y' && run >= 2) {
      text += TwoDigits(date.Year);
      pos += 2;
    } else {
      text += picture[pos++];
    }
  }
  return text;
}
