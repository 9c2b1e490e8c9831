// Reading numbers from text, and the fixed-width scientific text of a double.
#pragma once

#include "formatting/format_settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::formatting {

// Reads a decimal floating-point text with the settings' decimal separator:
// optional sign, digits, separator, digits, optional exponent ("e" or "E",
// optional sign, digits); blanks around the number are allowed, thousands
// separators are not. At least one mantissa digit is needed. A value beyond
// the double range does not read; one too small for it reads as zero.
bool TryTextToFloat(std::string_view text, double& value, const TFormatSettings& settings);

// Like TryTextToFloat; raises EConvertError "'<text>' is not a valid floating
// point value" when the text does not read.
double TextToFloat(std::string_view text, const TFormatSettings& settings);

// 32-bit signed integer text: optional sign, then decimal digits or "$"/"0x"
// followed by up to eight hexadecimal digits (taken as the 32-bit pattern, so
// "$FFFFFFFF" is -1); blanks around the number are allowed.
bool TryTextToInt(std::string_view text, std::int32_t& value);

// Like TryTextToInt; raises EConvertError "'<text>' is not an integer value".
std::int32_t TextToInt(std::string_view text);

// The scientific text of a double: a blank or "-", one digit, the decimal
// separator, 14 further digits, "E", the exponent's sign and at least three
// exponent digits, as in " 7.50000000000000E+000".
std::string ScientificText(double value, const TFormatSettings& settings);

} // namespace orvex::formatting
