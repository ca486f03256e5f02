// Joined lists are strings of fields separated by a separator string. Field
// positions follow the overlapping occurrence rule of NthPos, so a separator
// that can overlap itself ("--" in "a---b") yields the same fields whichever
// of GetListField or SplitList reads them.
#include "core/base/ExtraStrUtils.h"

namespace {

// Absolute 0-based index of every overlapping occurrence of sep in text, at
// most limit of them. Each search resumes one character after the start of the
// previous hit, which is what makes the occurrences overlap.
std::vector<std::size_t> FindOccurrences(const std::wstring& sep, const std::wstring& text, std::size_t limit) {
  std::vector<std::size_t> hits;
  if (sep.empty()) return hits;
  std::size_t from = 0;
  while (hits.size() < limit) {
    const std::size_t at = text.find(sep, from);
    if (at == std::wstring::npos) break;
    hits.push_back(at);
    from = at + 1;
  }
  return hits;
}

// The text between 1-based positions start (inclusive) and end (exclusive);
// empty when end does not lie after start.
std::wstring Between(const std::wstring& text, std::size_t start, std::size_t end) {
  if (start == 0 || end <= start) return std::wstring();
  return text.substr(start - 1, end - start);
}

}  // namespace

std::size_t NthPos(const std::wstring& sep, const std::wstring& text, std::size_t n) {
  if (n < 1 || sep.empty()) return 0;
  std::size_t from = 0;
  for (std::size_t i = 1;; ++i) {
    const std::size_t at = text.find(sep, from);
    if (at == std::wstring::npos) return 0;
    if (i == n) return at + 1;
    from = at + 1;
  }
}

std::wstring GetListField(const std::wstring& sep, const std::wstring& list, std::size_t n) {
  if (n == 0) return std::wstring();
  // The appended separator closes the last field, so a list with or without
  // a trailing separator reads the same.
  const std::wstring closed = list + sep;
  const std::size_t end = NthPos(sep, closed, n);
  if (end == 0) return std::wstring();
  const std::size_t start = n == 1 ? 1 : NthPos(sep, closed, n - 1) + sep.size();
  return Between(closed, start, end);
}

std::vector<std::wstring> SplitList(const std::wstring& sep, const std::wstring& list, std::size_t count) {
  std::vector<std::wstring> fields(count);
  if (count == 0) return fields;
  const std::wstring closed = list + sep;
  const std::vector<std::size_t> hits = FindOccurrences(sep, closed, count);
  // Field i ends before occurrence i and starts after occurrence i - 1, the
  // same positions GetListField computes field by field.
  for (std::size_t i = 0; i < hits.size(); ++i) {
    const std::size_t end = hits[i] + 1;
    const std::size_t start = i == 0 ? 1 : hits[i - 1] + 1 + sep.size();
    fields[i] = Between(closed, start, end);
  }
  return fields;
}

std::wstring FormatCount(long long count, const std::wstring& singular, const std::wstring& plural, bool hideZero,
                         const std::wstring& zeroWord) {
  if (count == 0) {
    if (hideZero) return std::wstring();
    if (zeroWord.empty()) return L"0 " + plural;
    return zeroWord + L" " + plural;
  }
  if (count == 1) return L"1 " + singular;
  return std::to_wstring(count) + L" " + plural;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring AsciiLowerCase(std::wstring text) {
  for (wchar_t& c : text) c = AsciiLower(c);
  return text;
}

std::size_t FindIgnoringCase(const std::wstring& text, const std::wstring& needle) {
  if (needle.size() > text.size()) return std::wstring::npos;
  for (std::size_t at = 0; at + needle.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && AsciiLower(text[at + i]) == AsciiLower(needle[i])) ++i;
    if (i == needle.size()) return at;
  }
  return std::wstring::npos;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

std::wstring ExtractQuotedPart(const std::wstring& text, wchar_t quote) {
  if (text.find(L'"') == std::wstring::npos) return std::wstring();
  const std::wstring q(1, quote);
  const std::size_t first = NthPos(q, text, 1);
  const std::size_t second = NthPos(q, text, 2);
  if (second == 0) return std::wstring();
  return text.substr(first - 1, second - first + 1);
}
