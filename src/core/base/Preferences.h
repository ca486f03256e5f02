// The preferences every stack obeys, as the creator writes them and the
// viewer reads them: each value's name under the product's preferences key
// and what holds when nothing is stored.
#pragma once

#include <cstdint>

template <typename T>
struct TPreference {
  const wchar_t* Name;
  T Default;
};

// The caption colours: 1 black text on white, anything else white on black.
inline constexpr TPreference<std::int32_t> kPrefTextColor{L"TextColor", 1};
// Whether a stack animates as it opens and closes.
inline constexpr TPreference<bool> kPrefAnimate{L"DoAnim", true};
// Whether clicking the stack's icon again closes it.
inline constexpr TPreference<bool> kPrefCloseBySecondClick{L"CloseBy2ndClick", false};

// The colour scheme a stored TextColor stands for: only its low 8 bits
// count, so 257 reads as 1.
constexpr std::uint8_t TextColorScheme(std::int32_t stored) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(stored) & 0xFFu);
}
// Whether a scheme is black text on white.
constexpr bool IsBlackOnWhite(std::uint8_t scheme) { return scheme == 1; }
// The value stored for the creator's choice.
constexpr std::int32_t StoredTextColor(bool blackOnWhite) { return blackOnWhite ? 1 : 0; }
