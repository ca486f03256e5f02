// The UTF-8 reader and writer: the input read as UTF-8 bytes, and the same
// bytes read as wide text holding any wchar_t values at all.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzText.h"
#include "core/base/WideFile.h"

// Natively a wchar_t holds a code point, not a UTF-16 unit: that is what the
// wide half below expects.
static_assert(sizeof(wchar_t) == 4, "the fuzz build is native");

namespace {

bool IsScalarValue(std::uint32_t code) { return code <= 0x10FFFFu && (code < 0xD800u || code > 0xDFFFu); }

// Well-formed UTF-8, checked independently of the reader: shortest forms of
// scalar values only.
bool IsWellFormed(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    std::uint32_t code = 0, smallest = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07u, smallest = 0x10000;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < smallest || !IsScalarValue(code)) return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring read = Utf8ToWide(bytes);
  FUZZ_CHECK(read.size() <= bytes.size());
  for (const wchar_t c : read) FUZZ_CHECK(IsScalarValue(static_cast<std::uint32_t>(c)));
  const std::string written = WideToUtf8(read);
  FUZZ_CHECK(IsWellFormed(written));
  FUZZ_CHECK(Utf8ToWide(written) == read);
  // Well-formed input goes through unchanged; anything else gains a U+FFFD.
  if (IsWellFormed(bytes))
    FUZZ_CHECK(written == bytes);
  else
    FUZZ_CHECK(read.find(L'\uFFFD') != std::wstring::npos);

  // Values that are no scalar values (surrogates, beyond U+10FFFF, negative
  // ones) are written as U+FFFD, each on its own.
  const std::wstring wide = WideText(data, size);
  std::wstring expected = wide;
  for (wchar_t& c : expected)
    if (!IsScalarValue(static_cast<std::uint32_t>(c))) c = L'\uFFFD';
  const std::string wideWritten = WideToUtf8(wide);
  FUZZ_CHECK(IsWellFormed(wideWritten));
  FUZZ_CHECK(Utf8ToWide(wideWritten) == expected);
  return 0;
}
