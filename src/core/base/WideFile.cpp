#include "core/base/WideFile.h"

#include <cstdint>

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = static_cast<std::uint32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      code &= 0xFFFFu;
      if (code >= 0xD800u && code <= 0xDBFFu && i + 1 < text.size()) {
        const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFFu;
        if (low >= 0xDC00u && low <= 0xDFFFu) {
          code = 0x10000u + ((code - 0xD800u) << 10) + (low - 0xDC00u);
          ++i;
        }
      }
    }
    if ((code >= 0xD800u && code <= 0xDFFFu) || code > 0x10FFFFu) code = 0xFFFDu;
    if (code < 0x80u) {
      out += static_cast<char>(code);
    } else if (code < 0x800u) {
      out += static_cast<char>(0xC0u | (code >> 6));
      out += static_cast<char>(0x80u | (code & 0x3Fu));
    } else if (code < 0x10000u) {
      out += static_cast<char>(0xE0u | (code >> 12));
      out += static_cast<char>(0x80u | ((code >> 6) & 0x3Fu));
      out += static_cast<char>(0x80u | (code & 0x3Fu));
    } else {
      out += static_cast<char>(0xF0u | (code >> 18));
      out += static_cast<char>(0x80u | ((code >> 12) & 0x3Fu));
      out += static_cast<char>(0x80u | ((code >> 6) & 0x3Fu));
      out += static_cast<char>(0x80u | (code & 0x3Fu));
    }
  }
  return out;
}

std::wstring Utf8ToWide(const std::string& bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  const auto put = [&out](std::uint32_t code) {
    if (sizeof(wchar_t) == 2 && code >= 0x10000u) {
      code -= 0x10000u;
      out += static_cast<wchar_t>(0xD800u + (code >> 10));
      out += static_cast<wchar_t>(0xDC00u + (code & 0x3FFu));
    } else {
      out += static_cast<wchar_t>(code);
    }
  };
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80u           ? 1
                               : (lead >> 5) == 0x6u  ? 2
                               : (lead >> 4) == 0xEu  ? 3
                               : (lead >> 3) == 0x1Eu ? 4
                                                      : 0;
    std::uint32_t code = length == 1   ? lead
                         : length == 2 ? (lead & 0x1Fu)
                         : length == 3 ? (lead & 0x0Fu)
                                       : (lead & 0x07u);
    bool valid = length != 0 && i + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0u) != 0x80u) valid = false;
      code = (code << 6) | (next & 0x3Fu);
    }
    static const std::uint32_t kSmallest[] = {0, 0, 0x80u, 0x800u, 0x10000u};
    if (valid && (code < kSmallest[length] || code > 0x10FFFFu || (code >= 0xD800u && code <= 0xDFFFu))) valid = false;
    if (!valid) {
      put(0xFFFDu);
      ++i;  // resynchronise on the next byte
      continue;
    }
    put(code);
    i += length;
  }
  return out;
}

TFilePtr OpenWideFile(const std::wstring& path, const wchar_t* mode) {
#ifdef _WIN32
  return TFilePtr(_wfopen(path.c_str(), mode));
#else
  return TFilePtr(std::fopen(WideToUtf8(path).c_str(), WideToUtf8(mode).c_str()));
#endif
}
