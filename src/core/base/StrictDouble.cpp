#include "core/base/StrictDouble.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kMantissaBits = 53;
constexpr int kLowestExponent = -1074;  // of the smallest subnormal's one bit

// A finite value as an exact integer times a power of two.
struct TExact {
  bool Negative = false;
  std::uint64_t Mantissa = 0;
  int Exponent = 0;
};

int BitLength(std::uint64_t value) {
  int length = 0;
  for (; value != 0; value >>= 1) ++length;
  return length;
}

// The double's own bits, with a subnormal's mantissa shifted up so that
// every nonzero mantissa has exactly 53 bits.
TExact Split(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  TExact x;
  x.Negative = (bits >> 63) != 0;
  const int field = static_cast<int>((bits >> 52) & 0x7FF);
  x.Mantissa = bits & ((std::uint64_t(1) << 52) - 1);
  if (field == 0) {
    x.Exponent = kLowestExponent;
  } else {
    x.Mantissa |= std::uint64_t(1) << 52;
    x.Exponent = field - 1075;
  }
  if (x.Mantissa != 0) {
    const int shift = kMantissaBits - BitLength(x.Mantissa);
    x.Mantissa <<= shift;
    x.Exponent -= shift;
  }
  return x;
}

// +-mantissa x 2^exponent rounded to a double, ties to even. A caller that
// dropped nonzero bits below the mantissa has set its lowest bit (a sticky
// bit), and then keeps at least two more bits than a double holds, so that
// bit only ever breaks a tie.
double Round(bool negative, std::uint64_t mantissa, int exponent) {
  if (mantissa == 0) return negative ? -0.0 : 0.0;
  const int lowest = std::max(exponent + BitLength(mantissa) - kMantissaBits, kLowestExponent);
  const int drop = lowest - exponent;
  if (drop > 0) {
    std::uint64_t keep = 0;
    if (drop < 64) {
      keep = mantissa >> drop;
      const std::uint64_t rest = mantissa & ((std::uint64_t(1) << drop) - 1);
      const std::uint64_t half = std::uint64_t(1) << (drop - 1);
      if (rest > half || (rest == half && (keep & 1) != 0)) ++keep;
    } else if (drop == 64 && mantissa > (std::uint64_t(1) << 63)) {
      keep = 1;  // more than half of the smallest subnormal
    }
    mantissa = keep;
    exponent = lowest;
  }
  // At most 53 bits (or exactly 2^53 after rounding up): the conversion and
  // the scaling are exact, or overflow to infinity the same way everywhere.
  const double magnitude = std::ldexp(static_cast<double>(mantissa), exponent);
  return negative ? -magnitude : magnitude;
}

// The low bits that a right shift drops, folded into the lowest bit kept.
std::uint64_t ShiftRightSticky(std::uint64_t value, int shift) {
  if (shift <= 0) return value;
  if (shift >= 64) return value != 0 ? 1 : 0;
  const bool lost = (value & ((std::uint64_t(1) << shift) - 1)) != 0;
  return (value >> shift) | (lost ? 1 : 0);
}

}  // namespace

double StrictSum(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return a + b;
  TExact x = Split(a);
  TExact y = Split(b);
  // Adding zero never rounds; plain arithmetic also gets the zero's sign right.
  if (x.Mantissa == 0 || y.Mantissa == 0) return a + b;
  if (y.Exponent > x.Exponent) std::swap(x, y);
  // Ten spare bits below x; y aligned to them, exactly when it is near x and
  // otherwise with what falls off kept as a sticky bit. The result then has
  // at least 62 bits, so the sticky bit lies well below the rounding point.
  const int exponent = x.Exponent - 10;
  const std::uint64_t big = x.Mantissa << 10;
  const int gap = exponent - y.Exponent;
  const std::uint64_t small = gap <= 0 ? y.Mantissa << -gap : ShiftRightSticky(y.Mantissa, gap);
  if (x.Negative == y.Negative) return Round(x.Negative, big + small, exponent);
  if (big == small) return 0.0;  // an exact cancellation is +0
  if (big > small) return Round(x.Negative, big - small, exponent);
  return Round(y.Negative, small - big, exponent);
}

double StrictDifference(double a, double b) { return StrictSum(a, -b); }

double StrictProduct(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return a * b;
  const TExact x = Split(a);
  const TExact y = Split(b);
  if (x.Mantissa == 0 || y.Mantissa == 0) return a * b;  // a signed zero, exactly
  // The 106-bit product in two 64-bit words, from 32-bit halves.
  const std::uint64_t mask = 0xFFFFFFFFu;
  const std::uint64_t xh = x.Mantissa >> 32, xl = x.Mantissa & mask;
  const std::uint64_t yh = y.Mantissa >> 32, yl = y.Mantissa & mask;
  const std::uint64_t middle = xh * yl + xl * yh;  // below 2^54
  const std::uint64_t lowPart = xl * yl;
  const std::uint64_t low = lowPart + ((middle & mask) << 32);
  const std::uint64_t carry = low < lowPart ? 1 : 0;
  const std::uint64_t high = xh * yh + (middle >> 32) + carry;  // below 2^42
  // The top 64 of the 105 or 106 bits, the rest as a sticky bit.
  const std::uint64_t mantissa = (high << 22) | ShiftRightSticky(low, 42);
  return Round(x.Negative != y.Negative, mantissa, x.Exponent + y.Exponent + 42);
}

double StrictQuotient(std::int64_t numerator, std::int64_t denominator) {
  if (denominator == 0) {
    if (numerator == 0) return std::numeric_limits<double>::quiet_NaN();
    return numerator < 0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  const bool negative = (numerator < 0) != (denominator < 0);
  // Magnitudes in unsigned arithmetic, which also holds the lowest int64's.
  const std::uint64_t n = numerator < 0 ? 0 - static_cast<std::uint64_t>(numerator) : numerator;
  const std::uint64_t d = denominator < 0 ? 0 - static_cast<std::uint64_t>(denominator) : denominator;
  if (n == 0) return negative ? -0.0 : 0.0;
  // Long division, one bit at a time, until the quotient has 62 bits; the
  // remainder left over becomes the sticky bit.
  std::uint64_t mantissa = n / d;
  std::uint64_t rest = n % d;
  int exponent = 0;
  while (mantissa < (std::uint64_t(1) << 61)) {
    const bool bit = rest >= d - rest;  // 2 x rest >= d, without overflow
    rest = bit ? rest - (d - rest) : rest + rest;
    mantissa = (mantissa << 1) | (bit ? 1 : 0);
    --exponent;
  }
  return Round(negative, mantissa | (rest != 0 ? 1 : 0), exponent);
}

std::int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (value >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
  // The floor and the fraction are exact in any precision, so the test of
  // the half is too.
  const double whole = std::floor(value);
  const double fraction = value - whole;
  auto nearest = static_cast<std::int64_t>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && (nearest & 1) != 0)) ++nearest;
  return nearest;
}
