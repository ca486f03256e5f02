// Double arithmetic whose results are the same bits on every build. The
// i686 build computes doubles on the x87 unit, which keeps intermediate
// results in 80 bits and rounds them again (or not at all) when they are
// stored, so the same expression can give another last bit there than on
// x86_64. These functions work on the doubles' mantissas and exponents in
// integers and round once, to nearest with ties to even, as IEEE double
// arithmetic does: the correctly rounded result on x87 and SSE alike.
#pragma once

#include <cstdint>

// a + b, a - b and a x b, each correctly rounded. Infinities and NaNs give
// what plain arithmetic gives.
double StrictSum(double a, double b);
double StrictDifference(double a, double b);
double StrictProduct(double a, double b);
// numerator / denominator, correctly rounded; a denominator of 0 gives an
// infinity of the numerator's sign, or NaN for 0 / 0.
double StrictQuotient(std::int64_t numerator, std::int64_t denominator);

// The integer nearest to value, halves to the even one; NaN gives 0 and
// values beyond the 64-bit range give its ends.
std::int64_t RoundHalfEven(double value);
