#include "exprengine/number_literal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace orvex::engine {
namespace {

std::optional<std::int64_t> Radix(std::string_view text) {
    std::int64_t value = 0;
    return ReadRadixInteger(text, value) ? std::optional(value) : std::nullopt;
}

std::optional<std::int64_t> Decimal(std::string_view text) {
    std::int64_t value = 0;
    return ReadDecimalInteger(text, value) ? std::optional(value) : std::nullopt;
}

std::optional<double> Float(std::string_view text) {
    double value = -1.0;
    return ReadDecimalFloat(text, value) ? std::optional(value) : std::nullopt;
}

constexpr auto Min64 = std::numeric_limits<std::int64_t>::min();
constexpr auto Max64 = std::numeric_limits<std::int64_t>::max();

TEST(NumberLiteral, RadixIntegers) {
    EXPECT_EQ(Radix("$ff"), 255);
    EXPECT_EQ(Radix("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(Radix("$8000000000000000"), Min64);
    EXPECT_EQ(Radix("%101"), 5);
    EXPECT_EQ(Radix("&17"), 15);
    EXPECT_EQ(Radix("$0000000000000000000000001"), 1); // leading zeros do not overflow
    for (const char* text :
         {"$", "%", "&", "$1FFFFFFFFFFFFFFFF", "&8", "%2", "$g", "$-1", "$+1", "17", "$1 ", "$ 1"})
        EXPECT_EQ(Radix(text), std::nullopt) << text;
}

TEST(NumberLiteral, DecimalIntegers) {
    EXPECT_EQ(Decimal("0"), 0);
    EXPECT_EQ(Decimal("9223372036854775807"), Max64);
    for (const char* text : {"", "9223372036854775808", "-1", "+1", "1.0", "1e3", "$1", " 1"})
        EXPECT_EQ(Decimal(text), std::nullopt) << text;
}

TEST(NumberLiteral, DecimalFloats) {
    EXPECT_EQ(Float("5."), 5.0);
    EXPECT_EQ(Float(".5"), 0.5);
    EXPECT_EQ(Float("1e-3"), 0.001);
    EXPECT_EQ(Float("2E+3"), 2000.0);
    EXPECT_EQ(Float("12345678901234567890"), 12345678901234567890.0);
    EXPECT_EQ(Float("0.1"), 0.1);    // nearest double
    EXPECT_EQ(Float("1e-400"), 0.0); // too small reads as zero
    EXPECT_EQ(Float("0.000001e-99999999999"), 0.0);
    EXPECT_EQ(Float("0e999999"), 0.0);
    for (const char* text : {".", "1.2.3", "1e", "1e+", "e5", "1e400", "1e99999999999999999999",
                             "inf", "nan", "-1", "+1", "0x1p3", "1,5", " 1", "1 "})
        EXPECT_EQ(Float(text), std::nullopt) << text;
}

TEST(NumberLiteral, TextsOf256CharactersNeverRead) {
    const std::string digits255(255, '1');
    const std::string digits256(256, '1');
    EXPECT_TRUE(Float(digits255).has_value());
    EXPECT_EQ(Float(digits256), std::nullopt);
    EXPECT_EQ(Float("0." + std::string(253, '0')), 0.0);
    EXPECT_EQ(Float("0." + std::string(254, '0')), std::nullopt);
    EXPECT_EQ(Radix("$" + std::string(254, '0')), 0);
    EXPECT_EQ(Radix("$" + std::string(255, '0')), std::nullopt);
}

TEST(NumberLiteral, IntegerLiteralTakesEitherRule) {
    std::int64_t value = 0;
    EXPECT_TRUE(ReadIntegerLiteral("10", value));
    EXPECT_EQ(value, 10);
    EXPECT_TRUE(ReadIntegerLiteral("$FF", value));
    EXPECT_EQ(value, 255);
    EXPECT_FALSE(ReadIntegerLiteral("10.0", value));
    EXPECT_FALSE(ReadIntegerLiteral("9223372036854775808", value));
}

} // namespace
} // namespace orvex::engine
