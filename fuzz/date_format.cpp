// Dates from day numbers, written with a picture in the user's language.
// Fields: the picture, then seven day names and twelve month names; the day
// number comes from the input's end.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzText.h"
#include "core/base/DateFormat.h"

namespace {

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void CheckCalendar(int dayNumber) {
  const TCivilDate date = CivilDateOfDayNumber(dayNumber);
  FUZZ_CHECK(date.Month >= 1 && date.Month <= 12);
  FUZZ_CHECK(date.Day >= 1 && date.Day <= DaysInMonth(date.Year, date.Month));
  FUZZ_CHECK(date.DayOfWeek >= 0 && date.DayOfWeek <= 6);
  if (dayNumber == INT_MAX) return;
  // The next day follows in the calendar and in the week.
  const TCivilDate next = CivilDateOfDayNumber(dayNumber + 1);
  FUZZ_CHECK(next.DayOfWeek == (date.DayOfWeek + 1) % 7);
  if (date.Day < DaysInMonth(date.Year, date.Month))
    FUZZ_CHECK(next.Year == date.Year && next.Month == date.Month && next.Day == date.Day + 1);
  else if (date.Month < 12)
    FUZZ_CHECK(next.Year == date.Year && next.Month == date.Month + 1 && next.Day == 1);
  else
    FUZZ_CHECK(next.Year == date.Year + 1 && next.Month == 1 && next.Day == 1);
}

bool IsPictureLetter(wchar_t c) {
  const auto lower = std::towlower(static_cast<wint_t>(c));
  return lower == L'd' || lower == L'm' || lower == L'y';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const int dayNumber = provider.ConsumeIntegral<int>();
  const std::vector<std::wstring> fields = WideFields(provider.ConsumeRemainingBytes<std::uint8_t>(), 20);
  const std::wstring& picture = fields[0];
  TDateNames names;
  for (std::size_t i = 0; i < 7; ++i) names.LongDayNames[i] = fields[1 + i];
  for (std::size_t i = 0; i < 12; ++i) names.LongMonthNames[i] = fields[8 + i];

  CheckCalendar(dayNumber);
  const std::wstring text = FormatDayNumber(picture, dayNumber, names);
  // Anything but a picture letter is copied and parts no run of letters, so
  // the picture may be written in two pieces around it.
  for (std::size_t i = 0; i < picture.size(); ++i) {
    if (IsPictureLetter(picture[i])) continue;
    FUZZ_CHECK(text == FormatDayNumber(picture.substr(0, i), dayNumber, names) + picture[i] +
                           FormatDayNumber(picture.substr(i + 1), dayNumber, names));
    break;
  }
  bool anyLetter = false;
  for (const wchar_t c : picture) anyLetter = anyLetter || IsPictureLetter(c);
  if (!anyLetter) FUZZ_CHECK(text == picture);

  const TCivilDate date = CivilDateOfDayNumber(dayNumber);
  FUZZ_CHECK(FormatDayNumber(L"d", dayNumber, names) == std::to_wstring(date.Day));
  FUZZ_CHECK(FormatDayNumber(L"YYYY", dayNumber, names) == std::to_wstring(date.Year));
  FUZZ_CHECK(FormatDayNumber(L"dddd", dayNumber, names) == names.LongDayNames[date.DayOfWeek]);
  FUZZ_CHECK(FormatDayNumber(L"mmmm", dayNumber, names) == names.LongMonthNames[date.Month - 1]);
  return 0;
}
