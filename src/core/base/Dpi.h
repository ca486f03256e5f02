// Scaling of sizes designed at 96 dots per inch to a monitor's DPI.
#pragma once

#include <cstdint>

constexpr std::int32_t kDesignDpi = 96;

// value x dpi / 96, rounded to the nearest integer with halves away from
// zero, as Windows' MulDiv rounds; 96 (and any DPI of 0 or less, which no
// monitor reports) gives the value unchanged.
constexpr std::int32_t ScaleForDpi(std::int32_t value, std::int32_t dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return value;
  const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<std::int32_t>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}
