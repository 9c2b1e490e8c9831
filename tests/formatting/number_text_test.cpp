#include "formatting/error.h"
#include "formatting/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>

namespace orvex::formatting {
namespace {

struct FloatCase {
    const char* text;
    char decimalSeparator;
    std::optional<double> expected; // nullopt: does not read
};

std::ostream& operator<<(std::ostream& os, const FloatCase& c) {
    return os << '"' << c.text << "\" with '" << c.decimalSeparator << "'";
}

class TextToFloatTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(TextToFloatTest, ReadsOrRefuses) {
    const FloatCase& c = GetParam();
    TFormatSettings settings;
    settings.DecimalSeparator = c.decimalSeparator;
    double value = -12345.0;
    const bool read = TryTextToFloat(c.text, value, settings);
    ASSERT_EQ(read, c.expected.has_value());
    if (read)
        EXPECT_EQ(value, *c.expected);
    else
        EXPECT_EQ(value, -12345.0) << "a failed read must leave the value alone";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PointSeparator, TextToFloatTest, ::testing::Values(
    FloatCase{"0", '.', 0.0},
    FloatCase{"007", '.', 7.0},
    FloatCase{"2.50", '.', 2.5},
    FloatCase{"-2.5", '.', -2.5},
    FloatCase{"+2.5", '.', 2.5},
    FloatCase{".5", '.', 0.5},
    FloatCase{"5.", '.', 5.0},
    FloatCase{"1e3", '.', 1000.0},
    FloatCase{"1E+3", '.', 1000.0},
    FloatCase{"1.5e-3", '.', 0.0015},
    FloatCase{"  42  ", '.', 42.0},
    FloatCase{"\t42", '.', 42.0},
    FloatCase{"0.1", '.', 0.1},
    FloatCase{"1.7976931348623157e308", '.', 1.7976931348623157e308},
    FloatCase{"1e-400", '.', 0.0},
    FloatCase{"0.0000001e-320", '.', 0.0},
    FloatCase{"4.9e-324", '.', 4.9e-324},
    FloatCase{"1e400", '.', std::nullopt},
    FloatCase{"-1e99999999999999999999", '.', std::nullopt},
    FloatCase{"", '.', std::nullopt},
    FloatCase{"   ", '.', std::nullopt},
    FloatCase{".", '.', std::nullopt},
    FloatCase{"-", '.', std::nullopt},
    FloatCase{"e5", '.', std::nullopt},
    FloatCase{"1e", '.', std::nullopt},
    FloatCase{"1e+", '.', std::nullopt},
    FloatCase{"1,5", '.', std::nullopt},
    FloatCase{"1,000", '.', std::nullopt},
    FloatCase{"1.2.3", '.', std::nullopt},
    FloatCase{"abc", '.', std::nullopt},
    FloatCase{"12abc", '.', std::nullopt},
    FloatCase{"- 5", '.', std::nullopt},
    FloatCase{"--5", '.', std::nullopt},
    FloatCase{"inf", '.', std::nullopt},
    FloatCase{"nan", '.', std::nullopt},
    FloatCase{"0x10", '.', std::nullopt},
    FloatCase{"$FF", '.', std::nullopt}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommaSeparator, TextToFloatTest, ::testing::Values(
    FloatCase{"2,5", ',', 2.5},
    FloatCase{"-0,25", ',', -0.25},
    FloatCase{",5", ',', 0.5},
    FloatCase{"1,5E2", ',', 150.0},
    FloatCase{"2.5", ',', std::nullopt},
    FloatCase{"1.000,5", ',', std::nullopt}));
// clang-format on

TEST(TextToFloat, NegativeZeroKeepsItsSign) {
    double value = 1.0;
    ASSERT_TRUE(TryTextToFloat("-0", value, TFormatSettings{}));
    EXPECT_TRUE(std::signbit(value));
}

TEST(TextToFloat, ThrowingFormNamesTheText) {
    EXPECT_EQ(TextToFloat("1.5", TFormatSettings{}), 1.5);
    try {
        TextToFloat("abc", TFormatSettings{});
        FAIL() << "abc was read";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'abc' is not a valid floating point value");
    }
}

struct IntCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

std::ostream& operator<<(std::ostream& os, const IntCase& c) {
    return os << '"' << c.text << '"';
}

class TextToIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntTest, ReadsOrRefuses) {
    std::int32_t value = 4711;
    const bool read = TryTextToInt(GetParam().text, value);
    ASSERT_EQ(read, GetParam().expected.has_value());
    EXPECT_EQ(value, read ? *GetParam().expected : 4711);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, TextToIntTest, ::testing::Values(
    IntCase{"0", 0},
    IntCase{"42", 42},
    IntCase{"-42", -42},
    IntCase{"+42", 42},
    IntCase{"007", 7},
    IntCase{" 12 ", 12},
    IntCase{"2147483647", 2147483647},
    IntCase{"-2147483648", INT32_MIN},
    IntCase{"2147483648", std::nullopt},
    IntCase{"-2147483649", std::nullopt},
    IntCase{"99999999999999999999", std::nullopt},
    IntCase{"$FF", 255},
    IntCase{"$ff", 255},
    IntCase{"0x1F", 31},
    IntCase{"0X1f", 31},
    IntCase{"-$10", -16},
    IntCase{"$7FFFFFFF", 2147483647},
    IntCase{"$80000000", INT32_MIN},
    IntCase{"$FFFFFFFF", -1},
    IntCase{"$000000001", 1},
    IntCase{"$100000000", std::nullopt},
    IntCase{"$", std::nullopt},
    IntCase{"0x", std::nullopt},
    IntCase{"$G", std::nullopt},
    IntCase{"", std::nullopt},
    IntCase{"-", std::nullopt},
    IntCase{"1.0", std::nullopt},
    IntCase{"1e3", std::nullopt},
    IntCase{"12a", std::nullopt},
    IntCase{"1 2", std::nullopt}));
// clang-format on

TEST(TextToInt, ThrowingFormNamesTheText) {
    EXPECT_EQ(TextToInt("-7"), -7);
    try {
        TextToInt("2.5");
        FAIL() << "2.5 was read";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'2.5' is not an integer value");
    }
}

TEST(ScientificText, WritesFifteenDigitsAndThreeExponentDigits) {
    const TFormatSettings settings;
    EXPECT_EQ(ScientificText(7.5, settings), " 7.50000000000000E+000");
    EXPECT_EQ(ScientificText(-7.5, settings), "-7.50000000000000E+000");
    EXPECT_EQ(ScientificText(0.0, settings), " 0.00000000000000E+000");
    EXPECT_EQ(ScientificText(0.001, settings), " 1.00000000000000E-003");
    EXPECT_EQ(ScientificText(1.0 / 3.0, settings), " 3.33333333333333E-001");
    EXPECT_EQ(ScientificText(1e300, settings), " 1.00000000000000E+300");
    EXPECT_EQ(ScientificText(12345.678, settings), " 1.23456780000000E+004");
    EXPECT_EQ(ScientificText(INFINITY, settings), " INF");
    EXPECT_EQ(ScientificText(-INFINITY, settings), "-INF");
    EXPECT_EQ(ScientificText(NAN, settings), " NAN");
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    EXPECT_EQ(ScientificText(2.5, comma), " 2,50000000000000E+000");
}

} // namespace
} // namespace orvex::formatting
