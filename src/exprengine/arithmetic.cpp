#include "exprengine/arithmetic.h"

#include "formatting/error.h"

#include <cmath>
#include <limits>

namespace orvex::engine {

using formatting::CheckFloat;

std::int64_t IntegerModulo(std::int64_t dividend, std::int64_t divisor) {
    if (divisor == 0)
        throw formatting::EDivByZero();
    if (divisor == -1)
        return 0; // also for the minimum value, whose quotient would overflow
    return dividend % divisor;
}

double RoundHalfEven(double value) {
    const double whole = std::trunc(value);
    if (std::fabs(value - whole) != 0.5)
        return std::round(value);
    return 2.0 * std::round(value / 2.0);
}

std::int64_t DivideHalfEven(std::int64_t dividend, std::int64_t divisor) {
    std::int64_t quotient = dividend / divisor;
    const std::int64_t remainder = dividend % divisor;
    // Compare twice the remainder with the divisor without overflowing.
    const std::uint64_t magnitude = remainder < 0 ? 0 - static_cast<std::uint64_t>(remainder)
                                                  : static_cast<std::uint64_t>(remainder);
    const std::uint64_t rest = static_cast<std::uint64_t>(divisor) - magnitude;
    const bool roundAway = magnitude > rest || (magnitude == rest && (quotient & 1) != 0);
    if (roundAway && remainder != 0)
        quotient += remainder < 0 ? -1 : 1;
    return quotient;
}

std::int64_t FloatToCurrency(double amount) {
    const double scaled = CheckFloat(amount * 10000.0, amount);
    return formatting::CheckedToInt64(RoundHalfEven(scaled));
}

double CheckedLn(double value) {
    if (value == 0.0)
        throw formatting::EZeroDivide();
    return CheckFloat(std::log(value), value);
}

double CheckedExp(double value) {
    return CheckFloat(std::exp(value), value);
}

double PowerRule(double base, double exponent) {
    if (exponent == 0.0)
        return 1.0;
    if (base == 0.0 && exponent > 0.0)
        return 0.0;
    // The remaining cases are exp(e * ln b) by definition; pow gives the same
    // value without the rounding of the logarithm (3^2 is exactly 9), and the
    // faults of the logarithm are raised first.
    if (base < 0.0 && std::isfinite(exponent) && exponent == std::trunc(exponent)) {
        const double magnitude = CheckFloat(std::pow(-base, exponent), -base, exponent);
        // fmod decides the parity also for exponents beyond the 64-bit range.
        return std::fmod(exponent, 2.0) != 0.0 ? -magnitude : magnitude;
    }
    if (base == 0.0)
        throw formatting::EZeroDivide(); // ln 0
    if (base < 0.0)
        throw formatting::EInvalidOp(); // ln of a negative number
    return CheckFloat(std::pow(base, exponent), base, exponent);
}

} // namespace orvex::engine
