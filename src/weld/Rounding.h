// Rounding of a quotient to the nearest integer with halves going to the even neighbour, done in
// integers so that 12.5 and 37.5 cannot drift through floating point.
#pragma once

#include <cassert>
#include <cstdint>

namespace plexon {

// numerator / denominator rounded, halves to even; numerator >= 0, denominator > 0.
constexpr int64_t RoundHalfEven(int64_t numerator, int64_t denominator) {
    assert(numerator >= 0 && denominator > 0);
    const int64_t quotient = numerator / denominator;
    const int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

}  // namespace plexon
