// Radix output: a decimal integer text shown in base 2, 8 or 16 with a
// prefix, a minimum number of digits and blank-separated digit blocks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::frontend {

// Converts `decimalText` (an optional sign and decimal digits forming a
// 32-bit signed integer) and writes its 32 bits as an unsigned number in
// `radix` (2, 8 or 16). `minimumLength` and `blockSize` are clamped to the
// radix's ranges; blocks are counted from the right. Raises
// formatting::EConvertError ("\"<text>\" is an invalid integer") when the
// text is not such an integer.
std::string ToRadix(std::string_view decimalText, int radix, std::uint16_t minimumLength,
                    std::uint16_t blockSize, bool noPrefix);

} // namespace orvex::frontend
