// What the fuzz targets share: wide text made from the fuzzer's bytes, and a
// check that stops the run (so libFuzzer keeps the input) when an invariant
// is broken.
//
// The bytes are read so that a seed can be plain UTF-8 while the fuzzer still
// reaches every wchar_t value, the ones that are no code points included:
//   00..7F        that character;
//   C0..F7        a UTF-8 lead byte: its continuation bytes are taken without
//                 any check, so overlong forms and values up to 0x1FFFFF come
//                 through as they are (a missing continuation byte ends it);
//   F8 hi lo      the 16-bit value hi lo: lone surrogates, U+FFFE, U+FFFF;
//   F9 b3 b2 b1 b0  any 32-bit value, negative wchar_t values included;
//   FA b2 b1 b0   a code point above U+FFFF written as the surrogate pair a
//                 16-bit wchar_t would hold, as two values;
//   FF            ends a field (see WideFields);
//   anything else (80..BF, FB..FE) the code point of the same number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

constexpr std::uint8_t kFieldEnd = 0xFF;

// Decodes bytes [pos, size) up to a field end (consumed) or the end of the
// bytes; pos is left after what was read.
inline std::wstring NextWideField(const std::uint8_t* data, std::size_t size, std::size_t& pos) {
  std::wstring text;
  const auto take = [&](std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count && pos < size; ++i) value = (value << 8) | data[pos++];
    return value;
  };
  while (pos < size) {
    const std::uint8_t lead = data[pos++];
    if (lead == kFieldEnd) break;
    if (lead < 0xC0 || (lead >= 0xFB && lead <= 0xFE)) {
      text += static_cast<wchar_t>(lead);
    } else if (lead < 0xF8) {
      const std::size_t extra = lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
      std::uint32_t value = lead & (lead < 0xE0 ? 0x1Fu : lead < 0xF0 ? 0x0Fu : 0x07u);
      for (std::size_t i = 0; i < extra && pos < size && (data[pos] & 0xC0) == 0x80; ++i)
        value = (value << 6) | (data[pos++] & 0x3Fu);
      text += static_cast<wchar_t>(value);
    } else if (lead == 0xF8) {
      text += static_cast<wchar_t>(take(2));
    } else if (lead == 0xF9) {
      text += static_cast<wchar_t>(take(4));
    } else {  // 0xFA
      const std::uint32_t code = 0x10000u + (take(3) % 0x100000u);
      text += static_cast<wchar_t>(0xD800u + ((code - 0x10000u) >> 10));
      text += static_cast<wchar_t>(0xDC00u + ((code - 0x10000u) & 0x3FFu));
    }
  }
  return text;
}

// All the bytes as one text (field ends become nothing).
inline std::wstring WideText(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  std::size_t pos = 0;
  while (pos < size) text += NextWideField(data, size, pos);
  return text;
}

// The first count fields; missing ones are empty, later ones are ignored.
inline std::vector<std::wstring> WideFields(const std::vector<std::uint8_t>& bytes, std::size_t count) {
  std::vector<std::wstring> fields(count);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count && pos < bytes.size(); ++i)
    fields[i] = NextWideField(bytes.data(), bytes.size(), pos);
  return fields;
}

// Every field, as many as there are (at least one).
inline std::vector<std::wstring> AllWideFields(const std::uint8_t* data, std::size_t size) {
  std::vector<std::wstring> fields;
  std::size_t pos = 0;
  do fields.push_back(NextWideField(data, size, pos));
  while (pos < size);
  return fields;
}

[[noreturn]] inline void FuzzCheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
  std::abort();
}

// Like an assertion, but never compiled out.
#define FUZZ_CHECK(condition)                                          \
  do {                                                                 \
    if (!(condition)) FuzzCheckFailed(#condition, __FILE__, __LINE__); \
  } while (false)
