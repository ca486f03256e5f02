// Splitting and phrasing strings: joined lists, count phrases, quoted parts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// 1-based position of the n-th occurrence of sep in text, 0 when there is none
// or n < 1. The search resumes one character after the start of the previous
// occurrence, so occurrences may overlap ("++" occurs at 2 and 3 in "a+++b").
std::size_t NthPos(const std::wstring& sep, const std::wstring& text, std::size_t n);

// The n-th field (from 1) of a joined list; field 0 and missing fields are
// empty. Gives the same fields with or without a trailing separator.
std::wstring GetListField(const std::wstring& sep, const std::wstring& list, std::size_t n);

// Every field of a joined list in one pass: element i equals
// GetListField(sep, list, i + 1) for i < count. Linear in the list's length.
std::vector<std::wstring> SplitList(const std::wstring& sep, const std::wstring& list, std::size_t count);

// "1 file", "12 files", "0 files", "no files" or "" (see the rules in the .cpp).
std::wstring FormatCount(long long count, const std::wstring& singular, const std::wstring& plural, bool hideZero,
                         const std::wstring& zeroWord);

// ASCII letters lowered, every other character kept: the case rule of
// switches, extensions and file masks, independent of the user's locale.
wchar_t AsciiLower(wchar_t c);
std::wstring AsciiLowerCase(std::wstring text);
// First position of needle in text with ASCII letter case ignored, or npos.
std::size_t FindIgnoringCase(const std::wstring& text, const std::wstring& needle);
// True when text contains part (case-sensitive).
bool Contains(const std::wstring& text, const std::wstring& part);

// The text from the first through the second quote character, quotes included;
// empty when the text holds no double quote or no second quote character.
std::wstring ExtractQuotedPart(const std::wstring& text, wchar_t quote);
