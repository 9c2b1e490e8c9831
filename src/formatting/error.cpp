#include "formatting/error.h"

#include <cmath>

namespace orvex::formatting {

double CheckFloat(double result, double operand1, double operand2) {
    if (std::isnan(result) && !std::isnan(operand1) && !std::isnan(operand2))
        throw EInvalidOp();
    if (std::isinf(result) && std::isfinite(operand1) && std::isfinite(operand2))
        throw EOverflow();
    return result;
}

std::int64_t CheckedToInt64(double value) {
    // 2^63 is exactly representable; every double below it and at or above
    // -2^63 converts without overflow.
    constexpr double limit = 9223372036854775808.0;
    if (!(value >= -limit && value < limit))
        throw EInvalidOp();
    return static_cast<std::int64_t>(value);
}

} // namespace orvex::formatting
