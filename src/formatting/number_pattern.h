// Numbers written through a decimal pattern such as "#,##0.#" or "0.00E+00",
// and the general float text used where no pattern applies.
#pragma once

#include "formatting/format_settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::formatting {

// The number pattern language: up to three ";"-separated sections (positive,
// negative, zero), quoted text, digit placeholders "0" and "#", decimal point,
// "," grouping and scientific form ("E+00"). Raises
// EConvertError("Invalid float format") for four or more section separators.
// Rounding starts from the shortest digits that read back as the same
// double. Infinities and NaN are written as GeneralText writes them.
std::string FormatWithPattern(std::string_view pattern, double value,
                              const TFormatSettings& settings);

// The same pattern language fed the integer's exact digits, so that every
// integer of up to 17 digits prints whole.
std::string FormatIntegerWithPattern(std::string_view pattern, std::int64_t value,
                                     const TFormatSettings& settings);

// General text: 15 significant digits, fixed notation without trailing zeros
// or trailing separator while the value has at most 15 integer digits and its
// first significant digit lies at most 5 places after the point; otherwise
// scientific, as in "1.5E20" or "1E-7". Non-finite values give "NAN", "INF"
// and "-INF"; zero of either sign gives "0".
std::string GeneralText(double value, const TFormatSettings& settings);

} // namespace orvex::formatting
