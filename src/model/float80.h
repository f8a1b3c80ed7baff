#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

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

// The common cases of narrowing, inline: a zero, or a normal number whose significand has no bits
// beyond a double's, which is every value a double was widened to apart from denormals,
// infinities and NaNs. False (and `out` untouched) for every other value, which narrowToDouble
// then rounds.
inline bool narrowExactly(const Extended80& value, double& out) {
    constexpr int kLowestNormal = 16383 - 1022;  // the extended exponent of the least normal double
    constexpr int kHighestNormal = 16383 + 1023;
    const int exponent = value.signExponent & 0x7FFF;
    const std::uint64_t significand = value.significand;
    if (exponent == 0 && significand == 0) {
        out = std::bit_cast<double>(std::uint64_t{value.signExponent & 0x8000u} << 48);
        return true;
    }
    if (exponent < kLowestNormal || exponent > kHighestNormal || (significand >> 63) == 0 ||
        (significand & 0x7FF) != 0) {
        return false;
    }
    const std::uint64_t bits = (std::uint64_t{value.signExponent & 0x8000u} << 48) |
                               (static_cast<std::uint64_t>(exponent - 16383 + 1023) << 52) |
                               ((significand >> 11) & 0x000F'FFFF'FFFF'FFFFULL);
    out = std::bit_cast<double>(bits);
    return true;
}

// Rounds to the nearest double, ties to even. Magnitudes past the double range become infinite,
// tiny ones denormal or zero. Encodings the x87 unit refuses (a non-zero exponent without the
// leading significand bit, or a pseudo-infinity) give a quiet NaN, as the unit itself answers.
double narrowToDouble(const Extended80& value);

// Little-endian layout of the ten bytes: significand first, then the sign and exponent word.
void storeExtended(const Extended80& value, std::uint8_t* bytes);
inline Extended80 loadExtended(const std::uint8_t* bytes) {
    Extended80 value;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value.significand, bytes, 8);
        std::memcpy(&value.signExponent, bytes + 8, 2);
    } else {
        for (int i = 0; i < 8; ++i) value.significand |= std::uint64_t{bytes[i]} << (8 * i);
        value.signExponent = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
    }
    return value;
}

}  // namespace pellino
