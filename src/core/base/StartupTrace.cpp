#include "core/base/StartupTrace.h"

#include <algorithm>

void TStartupTrace::Mark(const std::wstring& phase, std::int64_t microseconds) {
  if (on_) marks_.push_back({phase, microseconds});
}

std::wstring TStartupTrace::Text() const {
  std::wstring text;
  for (const TTraceMark& mark : marks_) text += mark.Phase + L"\t" + std::to_wstring(mark.Microseconds) + L"\n";
  return text;
}

std::vector<TTraceMark> ParseStartupTrace(const std::wstring& text) {
  std::vector<TTraceMark> marks;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find(L'\n', begin);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(begin, end - begin);
    begin = end + 1;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const std::size_t tab = line.rfind(L'\t');
    if (tab == std::wstring::npos || tab == 0 || tab + 1 == line.size()) continue;
    const std::wstring digits = line.substr(tab + 1);
    const bool negative = digits[0] == L'-';
    if (digits.size() == (negative ? 1u : 0u) || digits.size() > 19 ||
        !std::all_of(digits.begin() + (negative ? 1 : 0), digits.end(),
                     [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
      continue;
    marks.push_back({line.substr(0, tab), std::stoll(digits)});
  }
  return marks;
}

std::vector<TTracePhase> TracePhases(std::int64_t start, const std::vector<TTraceMark>& marks) {
  std::vector<TTracePhase> phases;
  std::int64_t last = start;
  for (const TTraceMark& mark : marks) {
    phases.push_back({mark.Phase, std::max<std::int64_t>(mark.Microseconds - last, 0)});
    last = std::max(last, mark.Microseconds);
  }
  return phases;
}
