#include "frontend/radix.h"

#include "formatting/error.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orvex::frontend {
namespace {

struct RadixCase {
    const char* Text;
    int Radix;
    std::uint16_t MinimumLength;
    std::uint16_t BlockSize;
    bool NoPrefix;
    std::string Expected;
};

class RadixOutput : public testing::TestWithParam<RadixCase> {};

TEST_P(RadixOutput, WritesTheExpectedDigits) {
    const RadixCase& c = GetParam();
    EXPECT_EQ(ToRadix(c.Text, c.Radix, c.MinimumLength, c.BlockSize, c.NoPrefix), c.Expected)
        << c.Text << " radix " << c.Radix << " ml " << c.MinimumLength << " bs " << c.BlockSize;
}

// count copies of c between head and tail. Appended rather than added up:
// optimised GCC 12 builds warn falsely (array bounds) about the sums.
std::string Run(std::string_view head, std::size_t count, char c, std::string_view tail) {
    std::string text(head);
    text.append(count, c).append(tail);
    return text;
}

const std::string Ones29 = std::string(29, '1');
const std::string Binary64 = Run("%", 59, '0', "10101");
const std::string Hex64Zeros = Run("", 63, '0', "1");

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, RadixOutput,
    testing::Values(
        // Prefixes, and their absence.
        RadixCase{"255", 16, 0, 0, false, "0xFF"}, RadixCase{"255", 16, 0, 0, true, "FF"},
        RadixCase{"255", 8, 0, 0, false, "&377"}, RadixCase{"255", 2, 0, 0, false, "%11111111"},
        RadixCase{"10", 16, 0, 0, false, "0xA"}, RadixCase{"+10", 16, 0, 0, false, "0xA"},
        // Zero keeps the minimum length, which is never below the radix's floor.
        RadixCase{"0", 2, 0, 0, false, "%00"}, RadixCase{"0", 8, 0, 0, false, "&0"},
        RadixCase{"0", 16, 0, 0, false, "0x0"}, RadixCase{"-0", 16, 0, 0, false, "0x0"},
        RadixCase{"1", 2, 1, 0, false, "%01"},
        // Negative values show their 32-bit two's complement.
        RadixCase{"-1", 16, 0, 0, false, "0xFFFFFFFF"},
        RadixCase{"-1", 8, 0, 0, false, "&37777777777"},
        RadixCase{"-5", 2, 0, 0, false, "%" + Ones29 + "011"},
        RadixCase{"-2147483648", 16, 0, 0, false, "0x80000000"},
        RadixCase{"2147483647", 16, 0, 0, false, "0x7FFFFFFF"},
        // Minimum length pads with zeros and is clamped to the radix's range.
        RadixCase{"255", 16, 4, 0, false, "0x00FF"}, RadixCase{"21", 2, 64, 0, false, Binary64},
        RadixCase{"21", 2, 65535, 0, false, Binary64}, RadixCase{"1", 8, 20, 0, false, "&00000001"},
        RadixCase{"1", 16, 70, 0, true, Hex64Zeros},
        RadixCase{"-1", 8, 3, 0, false, "&37777777777"},
        // Blocks are counted from the right and never open the text.
        RadixCase{"16384", 2, 0, 2, false, "%1 00 00 00 00 00 00 00"},
        RadixCase{"15", 2, 8, 4, false, "%0000 1111"}, RadixCase{"255", 2, 0, 4, true, "1111 1111"},
        RadixCase{"5", 2, 0, 1, false, "%1 01"}, RadixCase{"1023", 2, 0, 9, false, "%11 11111111"},
        RadixCase{"1023", 2, 0, 65535, false, "%11 11111111"},
        RadixCase{"-1", 16, 0, 3, false, "0xFF FFF FFF"},
        RadixCase{"65535", 16, 0, 2, false, "0xFF FF"}, RadixCase{"7", 8, 0, 2, false, "&7"}));

class RadixConversionError : public testing::TestWithParam<const char*> {};

TEST_P(RadixConversionError, NamesTheTextInDoubleQuotes) {
    const std::string text = GetParam();
    for (const int radix : {2, 8, 16}) {
        try {
            ToRadix(text, radix, 0, 0, false);
            ADD_FAILURE() << "no error for \"" << text << "\"";
        } catch (const formatting::EConvertError& error) {
            EXPECT_EQ(error.Message(), "\"" + text + "\" is an invalid integer");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NotA32BitInteger, RadixConversionError,
                         testing::Values("2.5", "1,024", "5000000000", "2147483648", "-2147483649",
                                         "", "-", "+", "TRUE", " 5", "5 ", "$FF", "0x10", "1e3",
                                         "--5", "+-5", "50%", "4294967295"));

} // namespace
} // namespace orvex::frontend
