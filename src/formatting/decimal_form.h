// A double as decimal digits, the form in which number patterns and the
// general float text round and place digits.
#pragma once

#include <string>

namespace orvex::formatting {

// Rounding works on the digits the double-to-text conversion writes, not on
// the exact binary value, so that 2.675 rounds to 2.68 as a reader expects.
inline constexpr int significantDigitsOfDouble = 15;

struct DecimalForm {
    bool negative = false;
    // The number of digits before the decimal point when the first digit is
    // not zero: 1234.5 has 4, 0.04 has -1. 0 for zero.
    int exponent = 0;
    // Significant digits without trailing zeros; empty for zero.
    std::string digits;

    bool IsZero() const { return digits.empty(); }
};

// The 15 significant digits of a finite value.
DecimalForm DecimalFormOf(double value);

// Rounds half away from zero on the digits, to the given number of decimal
// places or significant digits. A carry out of the first digit adds a digit
// and raises the exponent; a form that rounds to nothing becomes a zero
// without sign.
void RoundToDecimalPlaces(DecimalForm& form, int decimalPlaces);
void RoundToSignificantDigits(DecimalForm& form, int significantDigits);

} // namespace orvex::formatting
