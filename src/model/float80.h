#pragma once

#include <cstdint>

namespace pellino {

// A number in the 80-bit extended format that the data file stores floats in: a 64-bit
// significand whose leading bit is stored, then a 16-bit word holding the sign in its top bit and
// the exponent biased by 16383. The conversions are done in integer arithmetic so that the bytes
// do not depend on what the compiler makes of `long double`.
struct Extended80 {
    std::uint64_t significand = 0;
    std::uint16_t signExponent = 0;

    bool operator==(const Extended80&) const = default;
};

inline constexpr int kExtendedBytes = 10;

// Exact: every double has an extended value of the same magnitude, sign and NaN payload.
Extended80 widenToExtended(double value);

// Rounds to the nearest double, ties to even. Magnitudes past the double range become infinite,
// tiny ones denormal or zero. Encodings the x87 unit refuses (a non-zero exponent without the
// leading significand bit, or a pseudo-infinity) give a quiet NaN, as the unit itself answers.
double narrowToDouble(const Extended80& value);

// Little-endian layout of the ten bytes: significand first, then the sign and exponent word.
void storeExtended(const Extended80& value, std::uint8_t* bytes);
Extended80 loadExtended(const std::uint8_t* bytes);

}  // namespace pellino
