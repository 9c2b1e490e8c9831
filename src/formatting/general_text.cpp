#include "formatting/decimal_form.h"
#include "formatting/number_pattern.h"

#include <cmath>

namespace orvex::formatting {
namespace {

// Fixed notation holds values with up to 15 integer digits and small values
// whose first significant digit is at most five places after the point
// (0.00001); anything else is written in scientific notation.
constexpr int kLargestFixedExponent = kGeneralSignificantDigits;
constexpr int kSmallestFixedExponent = -4;

std::string FixedText(const TDecimalForm& form, char decimalSeparator) {
    const auto& digits = form.Digits;
    const int exponent = form.Exponent;
    if (exponent <= 0)
        return std::string("0") + decimalSeparator +
               std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent);
    if (digits.size() <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + decimalSeparator + digits.substr(integerDigits);
}

// "1.5E20", "1E-7": no trailing zeros, no "+" and no leading exponent zeros.
std::string ScientificGeneralText(const TDecimalForm& form, char decimalSeparator) {
    std::string text(1, form.Digits.front());
    if (form.Digits.size() > 1)
        text += decimalSeparator + form.Digits.substr(1);
    return text + "E" + std::to_string(form.Exponent - 1);
}

} // namespace

std::string GeneralText(double value, const TFormatSettings& settings) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    const TDecimalForm form = DecimalFormOf(value);
    if (form.IsZero())
        return "0";
    const bool fixed =
        form.Exponent >= kSmallestFixedExponent && form.Exponent <= kLargestFixedExponent;
    const std::string text = fixed ? FixedText(form, settings.DecimalSeparator)
                                   : ScientificGeneralText(form, settings.DecimalSeparator);
    return form.Negative ? "-" + text : text;
}

} // namespace orvex::formatting
