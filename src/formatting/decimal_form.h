// A number as decimal digits, the form in which number patterns and the
// general float text round and place digits.
#pragma once

#include <cstdint>
#include <string>

namespace orvex::formatting {

// The general float text writes this many significant digits.
inline constexpr int kGeneralSignificantDigits = 15;

struct TDecimalForm {
    bool Negative = false;
    // The number of digits before the decimal point when the first digit is
    // not zero: 1234.5 has 4, 0.04 has -1. 0 for zero.
    int Exponent = 0;
    // Significant digits without trailing zeros; empty for zero.
    std::string Digits;

    bool IsZero() const { return Digits.empty(); }
};

// The 15 significant digits of a finite value, as the general text shows it.
TDecimalForm DecimalFormOf(double value);

// The fewest digits (at most 17) that read back as the same double. Number
// patterns round these, not the exact binary value, so that a value prints
// as it was typed and 2.675 rounds to 2.68 as a reader expects.
TDecimalForm ShortestDecimalFormOf(double value);

// Every digit of an integer; up to 19, without trailing zeros.
TDecimalForm ExactDecimalFormOf(std::int64_t value);

// Rounds half away from zero on the digits, to the given number of decimal
// places or significant digits. A carry out of the first digit adds a digit
// and raises the exponent; a form that rounds to nothing becomes a zero
// without sign.
void RoundToDecimalPlaces(TDecimalForm& form, int decimalPlaces);
void RoundToSignificantDigits(TDecimalForm& form, int significantDigits);

} // namespace orvex::formatting
