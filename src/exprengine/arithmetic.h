// Arithmetic shared by the nodes: 64-bit integer operations that wrap as
// two's complement (computed unsigned, so never undefined), rounding, and the
// double operations whose faults are raised explicitly.
#pragma once

#include <bit>
#include <cstdint>

namespace orvex::engine {

constexpr std::int64_t WrapAdd(std::int64_t a, std::int64_t b) {
    return std::bit_cast<std::int64_t>(std::bit_cast<std::uint64_t>(a) +
                                       std::bit_cast<std::uint64_t>(b));
}
constexpr std::int64_t WrapSubtract(std::int64_t a, std::int64_t b) {
    return std::bit_cast<std::int64_t>(std::bit_cast<std::uint64_t>(a) -
                                       std::bit_cast<std::uint64_t>(b));
}
constexpr std::int64_t WrapMultiply(std::int64_t a, std::int64_t b) {
    return std::bit_cast<std::int64_t>(std::bit_cast<std::uint64_t>(a) *
                                       std::bit_cast<std::uint64_t>(b));
}
// The minimum value stays itself.
constexpr std::int64_t WrapNegate(std::int64_t a) {
    return std::bit_cast<std::int64_t>(0 - std::bit_cast<std::uint64_t>(a));
}

// Remainder of truncating division, sign of the dividend; the minimum value
// modulo -1 is 0. Raises EDivByZero ("Division by zero") for a zero divisor.
std::int64_t IntegerModulo(std::int64_t dividend, std::int64_t divisor);

// Nearest integer, halves to the even neighbour, whatever the rounding mode.
double RoundHalfEven(double value);

// Quotient rounded to the nearest integer, halves to the even one; exact for
// all 64-bit operands. The divisor must be positive.
std::int64_t DivideHalfEven(std::int64_t dividend, std::int64_t divisor);

// A double amount as currency (times 10000, halves to even). Raises the
// floating-point errors for an overflow or an amount outside 64 bits.
std::int64_t FloatToCurrency(double amount);

// Natural logarithm and exponential with their faults raised: ln 0 is a
// division by zero, ln of a negative number an invalid operation, and an
// infinite exp of a finite argument an overflow.
double CheckedLn(double value);
double CheckedExp(double value);

// Base raised to exponent as the language defines it: e = 0 gives 1, a zero
// base with a positive exponent 0, a negative base with a whole exponent the
// signed power, everything else exp(e * ln b), with the faults of ln: a zero
// base (negative exponent) is a division by zero, a negative base with a
// fractional exponent an invalid operation.
double PowerRule(double base, double exponent);

} // namespace orvex::engine
