// The reading rules for the text of a number literal, shared by the scanner
// (which only tests that a literal reads) and the parser (which makes the
// constant). The decimal separator is always "."; there are no thousands
// separators, no signs and no blanks, and the whole text must be consumed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvex::engine {

// A number text this long or longer never reads.
inline constexpr std::size_t kNumberTextLimit = 256;

// "$" (base 16), "%" (base 2) or "&" (base 8) followed by at least one digit
// of that base. Values up to 2^64 - 1 read, and their 64 bits are taken as a
// two's-complement value ("$FFFFFFFFFFFFFFFF" is -1).
bool ReadRadixInteger(std::string_view text, std::int64_t& value);

// Decimal digits only, at most 9223372036854775807.
bool ReadDecimalInteger(std::string_view text, std::int64_t& value);

// Digits, optionally "." and digits, at least one digit before the exponent;
// then optionally "E" or "e", an optional sign and at least one digit. A
// value beyond the double range does not read; one too small for it reads as
// zero.
bool ReadDecimalFloat(std::string_view text, double& value);

// Either integer rule: the test the parser uses to choose an integer constant.
bool ReadIntegerLiteral(std::string_view text, std::int64_t& value);

} // namespace orvex::engine
