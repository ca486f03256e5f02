#include "core/base/StrictDouble.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Bit for bit, so a last-bit difference or a zero's sign shows.
#define EXPECT_SAME_DOUBLE(actual, expected) EXPECT_EQ(Bits(actual), Bits(expected)) << (actual) << " vs " << (expected)

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTiny = 0x0.0000000000001p-1022;  // the smallest subnormal

}  // namespace

// The expected values are IEEE double results, ties to even. The cases are
// the ones where x87's 80-bit intermediates give another answer: ties,
// sticky bits far below the rounding point, subnormals and overflow.
TEST(StrictDouble, SumsProductsAndQuotientsRoundOnceToNearestEven) {
  const struct {
    double a, b, sum;
  } sums[] = {
      {0.1, 0.2, 0x1.3333333333334p-2},
      {1e16, 1, 1e16},                                // a tie: the even neighbour
      {1, 0x1p-53, 1},                                // a tie
      {1, 0x1p-53 + 0x1p-105, 0x1.0000000000001p+0},  // a bit far below breaks the tie
      {0x1p60, 1.5, 0x1p60},
      {-0x1p60, -1.5, -0x1p60},
      {1, -(1 - 0x1p-53), 0x1p-53},  // cancellation is exact
      {-0.75, 0.75, 0.0},            // and a whole one gives +0
      {kTiny, kTiny, 2 * kTiny},
      {DBL_MAX, DBL_MAX * 0x1p-53, kInf},  // rounds up past the largest double
      {-0.0, 0.0, 0.0},
      {-0.0, -0.0, -0.0},
      {5, 0, 5},
  };
  for (const auto& c : sums) {
    EXPECT_SAME_DOUBLE(StrictSum(c.a, c.b), c.sum);
    EXPECT_SAME_DOUBLE(StrictSum(c.b, c.a), c.sum);
  }
  EXPECT_SAME_DOUBLE(StrictDifference(46365.5, 46365.25), 0.25);
  EXPECT_TRUE(std::isnan(StrictSum(kInf, -kInf)));

  const struct {
    double a, b, product;
  } products[] = {
      {2.5 / 86400000, 86400000, 2.5},  // x87 keeps 2.4999... or 2.5000...1
      {3.5 / 86400000, 86400000, 3.5},
      {150, 1.7, 255},  // x87 keeps 254.99999999999999
      {0.1, 3, 0x1.3333333333334p-2},
      {1 + 0x1p-52, 1 + 0x1p-52, 0x1.0000000000002p+0},
      {0x1p-1000, 0x1p-74, kTiny},
      {0x1p-1000, 0x1p-75, 0.0},      // half the smallest subnormal: the even zero
      {0x1p-1000, 0x1.8p-75, kTiny},  // three quarters of it
      {-0x1p-1000, 0x1p-75, -0.0},
      {DBL_MAX, 2, kInf},
      {-3, 0.0, -0.0},
  };
  for (const auto& c : products) {
    EXPECT_SAME_DOUBLE(StrictProduct(c.a, c.b), c.product);
    EXPECT_SAME_DOUBLE(StrictProduct(c.b, c.a), c.product);
  }

  const struct {
    std::int64_t n, d;
    double quotient;
  } quotients[] = {
      {1, 3, 0x1.5555555555555p-2},
      {-2, 3, -0x1.5555555555555p-1},
      {2, -3, -0x1.5555555555555p-1},
      {7, 10, 0x1.6666666666666p-1},
      {46365LL * 86400000 + 86399900, 86400000, 0x1.6a3bffffd929fp+15},
      {INT64_MIN, 1, -0x1p63},
      {INT64_MAX, 1, 0x1p63},  // 2^63 - 1 rounds up
      {0, 5, 0.0},
      {3, 0, kInf},
      {-3, 0, -kInf},
  };
  for (const auto& c : quotients) EXPECT_SAME_DOUBLE(StrictQuotient(c.n, c.d), c.quotient);
  EXPECT_TRUE(std::isnan(StrictQuotient(0, 0)));
}

TEST(StrictDouble, RoundsHalvesToEvenAndSaturates) {
  const struct {
    double value;
    std::int64_t nearest;
  } cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {2.4999999999999996, 2},
      {0.5, 0},
      {1.5, 2},
      {-0.5, 0},
      {7, 7},
      {0x1p62, 0x4000000000000000},
      {1e300, INT64_MAX},
      {-1e300, INT64_MIN},
      {kInf, INT64_MAX},
      {-kInf, INT64_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.nearest) << c.value;
}

#if FLT_EVAL_METHOD == 0
// Where the hardware itself rounds every operation to a double (SSE), the
// integer arithmetic must agree with it everywhere, not only in the table.
TEST(StrictDouble, AgreesWithTheHardwareOnRandomOperands) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> exponent(-1080, 1030);
  for (int i = 0; i < 200000; ++i) {
    // Random mantissas over a wide range of exponents, often close together
    // so that sums cancel.
    const int e = exponent(random);
    const double a = std::ldexp(static_cast<double>(random() >> 11), e - 52) * (i % 2 ? -1 : 1);
    const double b = std::ldexp(static_cast<double>(random() >> 11), e - 52 + (i % 7 == 0 ? exponent(random) / 20 : 0));
    ASSERT_EQ(Bits(StrictSum(a, b)), Bits(a + b)) << std::hexfloat << a << " + " << b;
    ASSERT_EQ(Bits(StrictProduct(a, b)), Bits(a * b)) << std::hexfloat << a << " x " << b;
    // 53-bit operands, which the conversions keep exactly.
    const auto n = static_cast<std::int64_t>(random() >> 11) * (i % 3 ? 1 : -1);
    const auto d = static_cast<std::int64_t>(random() >> (11 + i % 50)) | 1;
    ASSERT_EQ(Bits(StrictQuotient(n, d)), Bits(static_cast<double>(n) / static_cast<double>(d))) << n << " / " << d;
  }
}
#endif
