#include "model/float80.h"

#include <bit>
#include <cstring>
#include <limits>

namespace pellino {

namespace {

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);

constexpr std::uint64_t kDoubleSignBit = 0x8000'0000'0000'0000ULL;
constexpr std::uint64_t kDoubleFractionMask = 0x000F'FFFF'FFFF'FFFFULL;
constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr std::uint16_t kExtendedSignBit = 0x8000;
constexpr std::uint16_t kExtendedExponentMask = 0x7FFF;
constexpr std::uint64_t kLeadingBit = 0x8000'0000'0000'0000ULL;

double fromBits(bool negative, std::uint64_t magnitudeBits) {
    return std::bit_cast<double>(magnitudeBits | (negative ? kDoubleSignBit : 0));
}

// Rounds value >> shift to nearest, ties to even; shift in [1, 63].
std::uint64_t shiftRightRounded(std::uint64_t value, int shift) {
    const std::uint64_t kept = value >> shift;
    const std::uint64_t rest = value & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) return kept + 1;
    return kept;
}

}  // namespace

Extended80 widenToExtended(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const std::uint16_t sign = (bits & kDoubleSignBit) != 0 ? kExtendedSignBit : 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);  // [0, 2047]
    const std::uint64_t fraction = bits & kDoubleFractionMask;

    if (exponent == 0x7FF) {
        // Infinity keeps an empty fraction; a NaN keeps its payload, quiet bit included.
        return {kLeadingBit | (fraction << 11), static_cast<std::uint16_t>(sign | 0x7FFF)};
    }
    if (exponent == 0) {
        if (fraction == 0) return {0, sign};
        // A denormal double is fraction * 2^-1074; the extended format has the range to normalise
        // it.
        const int shift = std::countl_zero(fraction);          // [12, 63]
        const int biased = kExtendedBias + 63 - 1074 - shift;  // [15309, 15360]
        return {fraction << shift, static_cast<std::uint16_t>(sign | biased)};
    }
    const int biased = exponent - kDoubleBias + kExtendedBias;  // [15361, 17406]
    return {kLeadingBit | (fraction << 11), static_cast<std::uint16_t>(sign | biased)};
}

double narrowToDouble(const Extended80& value) {
    const bool negative = (value.signExponent & kExtendedSignBit) != 0;
    const int exponent = value.signExponent & kExtendedExponentMask;  // [0, 32767]
    const std::uint64_t significand = value.significand;
    const bool leadingBit = (significand & kLeadingBit) != 0;

    if (exponent == 0x7FFF) {
        if (!leadingBit) return std::numeric_limits<double>::quiet_NaN();
        const std::uint64_t fraction = significand & ~kLeadingBit;
        if (fraction == 0) return fromBits(negative, 0x7FF0'0000'0000'0000ULL);
        std::uint64_t payload = (fraction >> 11) & kDoubleFractionMask;
        // A payload that lives only in the low bits would read as infinity; keep it a NaN.
        if (payload == 0) payload = 0x0008'0000'0000'0000ULL;
        return fromBits(negative, 0x7FF0'0000'0000'0000ULL | payload);
    }
    if (exponent != 0 && !leadingBit) return std::numeric_limits<double>::quiet_NaN();
    if (significand == 0) return fromBits(negative, 0);

    // The value is significand * 2^(e - 16383 - 63), with e = 1 for the denormal exponent 0.
    // Normalise so the leading bit is set; then `power` is the exponent of that bit.
    const int zeros = std::countl_zero(significand);  // [0, 63]
    const std::uint64_t normalised = significand << zeros;
    const int power = (exponent == 0 ? 1 : exponent) - kExtendedBias - zeros;  // [-16445, 16384]

    if (power > kDoubleBias) return fromBits(negative, 0x7FF0'0000'0000'0000ULL);
    if (power >= 1 - kDoubleBias) {
        // Normal range: keep 53 bits. Rounding may carry into the next power, even into infinity,
        // which the biased exponent field absorbs on its own.
        const std::uint64_t kept = shiftRightRounded(normalised, 11);         // [2^52, 2^53]
        const auto biased = static_cast<std::uint64_t>(power + kDoubleBias);  // [1, 2046]
        return fromBits(negative, (biased << 52) + (kept - (std::uint64_t{1} << 52)));
    }
    // Denormal range: the result is k * 2^-1074 with k = normalised * 2^(power + 1011).
    const int shift = -(power + 1011);  // [12, 15434]
    std::uint64_t k = 0;
    if (shift < 64) {
        k = shiftRightRounded(normalised, shift);  // [0, 2^52]; 2^52 is the least normal
    } else if (shift == 64) {
        k = normalised > kLeadingBit ? 1 : 0;  // exactly one half goes to the even 0
    }
    return fromBits(negative, k);
}

void storeExtended(const Extended80& value, std::uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, &value.significand, 8);
        std::memcpy(bytes + 8, &value.signExponent, 2);
    } else {
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<std::uint8_t>(value.significand >> (8 * i));
        bytes[8] = static_cast<std::uint8_t>(value.signExponent);
        bytes[9] = static_cast<std::uint8_t>(value.signExponent >> 8);
    }
}

}  // namespace pellino
