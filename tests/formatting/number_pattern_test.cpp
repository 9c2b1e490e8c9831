#include "formatting/error.h"
#include "formatting/number_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace orvex::formatting {
namespace {

struct PatternCase {
    const char* pattern;
    double value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const PatternCase& c) {
    return os << '"' << c.pattern << "\" with " << c.value;
}

class PatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, FormatsAsExpected) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatWithPattern(c.pattern, c.value, TFormatSettings{}), c.expected);
}

constexpr double inf = std::numeric_limits<double>::infinity();

// The documented examples of the pattern language.
// clang-format off
INSTANTIATE_TEST_SUITE_P(DocumentedExamples, PatternTest, ::testing::Values(
    PatternCase{"#,##0.#", 1234.56, "1,234.6"},
    PatternCase{"#,##0.#", 0.04, "0"},
    PatternCase{"#,##0.#", -1234.5, "-1,234.5"},
    PatternCase{"#,##0.#", 1234567, "1,234,567"},
    PatternCase{"0.######", 2.5, "2.5"},
    PatternCase{"0.######", 5, "5"},
    PatternCase{"0.######", 1.0 / 3.0, "0.333333"},
    PatternCase{"0.00", 2.5, "2.50"},
    PatternCase{"0.00", -0.001, "0.00"},
    PatternCase{"0.0000", 1052.7 * 345.5, "363707.8500"},
    PatternCase{"0.00;(0.00)", -2, "(2.00)"},
    PatternCase{"0;;zero", 0, "zero"},
    PatternCase{"0.00E+00", 12345, "1.23E+04"},
    PatternCase{"0.00E-00", 0.00012, "1.20E-04"},
    PatternCase{"0.0 'kg'", 5, "5.0 kg"}));
// clang-format on

// Rounding half away from zero on the shortest digits that read back as the
// same double, with carries that add a digit.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rounding, PatternTest, ::testing::Values(
    PatternCase{"0.00", 2.675, "2.68"}, // binary value lies just below the half
    PatternCase{"0.00", 1.005, "1.01"},
    PatternCase{"0.00", 9.995, "10.00"},
    PatternCase{"0.0", 99.95, "100.0"},
    PatternCase{"0", 0.5, "1"},
    PatternCase{"0", 1.5, "2"},
    PatternCase{"0", 2.5, "3"},
    PatternCase{"0", -0.5, "-1"},
    PatternCase{"0", -2.5, "-3"},
    PatternCase{"0", 0.49999999999999994, "0"}, // its shortest digits are all there
    PatternCase{"0", 0.4999999999999, "0"},
    PatternCase{"#", 0.4, ""},
    PatternCase{"0.##", 0.999, "1"},
    PatternCase{"#,##0", 999999.5, "1,000,000"},
    PatternCase{"0.000", 0.0005, "0.001"},
    PatternCase{"0.000", 0.0004999, "0.000"},
    PatternCase{"0.0", 0.05, "0.1"},
    PatternCase{"0.###", 0.004, "0.004"},
    PatternCase{"0.##", 0.004, "0"},
    PatternCase{"0.00", 1e-300, "0.00"},
    PatternCase{"0.0000000000", 0.1 + 0.2, "0.3000000000"},
    PatternCase{"0.00000000000000000000", 0.1 + 0.2, "0.30000000000000004000"},
    PatternCase{"0.00000000000000000000", 0.1, "0.10000000000000000000"},
    PatternCase{"0.######", 0.1 + 0.2, "0.3"},
    PatternCase{"0.######", 1234567890123456.0, "1234567890123456"},
    PatternCase{"0.######", 9007199254740992.0, "9007199254740992"},
    PatternCase{"0.######", 0.000001234, "0.000001"},
    PatternCase{"0.##", 1.015, "1.02"},
    PatternCase{"0", 123456789012345678.0 / 10, "12345678901234568"}));
// clang-format on

// A rounded zero carries no sign; the automatic sign belongs to section 1.
// clang-format off
INSTANTIATE_TEST_SUITE_P(SignsAndZero, PatternTest, ::testing::Values(
    PatternCase{"0.00", -0.0, "0.00"},
    PatternCase{"0", -0.4, "0"},
    PatternCase{"0.0", -0.04, "0.0"},
    PatternCase{"0.0;(0.0)", -0.04, "(0.0)"},
    PatternCase{"0.0;(0.0);zero", -0.04, "(0.0)"},
    PatternCase{"0.0;(0.0);zero", 0.04, "0.0"},
    PatternCase{"0.0;(0.0);zero", -0.0, "zero"},
    PatternCase{"0.0;;zero", -3, "-3.0"},
    PatternCase{"0.0;", -3, "-3.0"},
    PatternCase{"0.0;-0.0", -3, "-3.0"},
    PatternCase{"0.0;0.0", -3, "3.0"},
    PatternCase{"0;0;", 0, "0"},
    PatternCase{"+0;-0;0", 7, "+7"},
    PatternCase{"+0;-0;0", -7, "-7"},
    PatternCase{"0;0;0;ignored", -7, "7"},
    PatternCase{"pos 0;neg 0", 0, "pos 0"}));
// clang-format on

// Placement of digits, zeros and separators.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Placement, PatternTest, ::testing::Values(
    PatternCase{"0", 100, "100"},
    PatternCase{"#", 100, "100"},
    PatternCase{"#", 0, ""},
    PatternCase{"#.#", 0, ""},
    PatternCase{"#.##", 0.5, ".5"},
    PatternCase{"00.0", 0.5, "00.5"},
    PatternCase{"000", 7, "007"},
    PatternCase{"#0#", 7, "07"},
    PatternCase{"0.0#", 1.2, "1.2"},
    PatternCase{"0.#0#", 1.2, "1.20"},
    PatternCase{"0.#0#", 1.234, "1.234"},
    PatternCase{".00", 12.5, "12.50"},
    PatternCase{".##", 0.25, ".25"},
    PatternCase{"0.", 3.7, "4"},
    PatternCase{"0..0", 3.75, "3.8"},
    PatternCase{"0.0.0", 3.75, "3.75"},
    PatternCase{"x0y0z", 12, "x1y2z"},
    PatternCase{"0x", 1234, "1234x"},
    PatternCase{"x0.0y0", 3.25, "x3.2y5"},
    PatternCase{"no digits", 5, "no digits"},
    PatternCase{"no digits", -5, "-no digits"},
    PatternCase{"%0", 50, "%50"},
    PatternCase{"0%", 50, "50%"}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Grouping, PatternTest, ::testing::Values(
    PatternCase{"#,##0", 0, "0"},
    PatternCase{"#,##0", 999, "999"},
    PatternCase{"#,##0", 1000, "1,000"},
    PatternCase{"#,##0", -1000, "-1,000"},
    PatternCase{"#,##0", 123456789, "123,456,789"},
    PatternCase{"0,000", 5, "0,005"},
    PatternCase{"#,###", 12, "12"},
    PatternCase{"0,0", 1234567, "1,234,567"},
    PatternCase{"0,", 1234567, "1,234,567"},
    PatternCase{",0", 1234, "1,234"},
    PatternCase{"#,##0.00", 1234567.891, "1,234,567.89"},
    PatternCase{"00000000,0", 1234, "000,001,234"},
    PatternCase{"'a,b' 0", 1234, "a,b 1234"},
    PatternCase{"#,##0", 1e15, "1,000,000,000,000,000"},
    PatternCase{"#,##0", 1e16, "10,000,000,000,000,000"},
    PatternCase{"#,##0", 12345678901234567.0, "12,345,678,901,234,568"}));
// clang-format on

// Values with more integer digits than fixed notation takes, and values no
// pattern can write, fall back to the general text.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Fallback, PatternTest, ::testing::Values(
    PatternCase{"0", 1e15, "1000000000000000"},
    PatternCase{"0.00", 12345678901234567.0, "12345678901234568.00"},
    PatternCase{"0", 1e17, "1E17"},
    PatternCase{"0", 99999999999999990.0, "99999999999999980"}, // 9.999999999999998E16
    PatternCase{"0", 99999999999999999.0, "1E17"}, // the double is 1E17
    PatternCase{"#,##0.#", 1e18, "1E18"},
    PatternCase{"0.00", -2.5e20, "-2.5E20"},
    PatternCase{"0.00E+00", 1e18, "1.00E+18"},
    PatternCase{"", 2.5, "2.5"},
    PatternCase{";0", 2.5, "2.5"},
    PatternCase{";0", -2.5, "3"},
    PatternCase{"0.00", inf, "INF"},
    PatternCase{"0.00;(0.00)", -inf, "-INF"},
    PatternCase{"0;-0;zero", std::nan(""), "NAN"}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scientific, PatternTest, ::testing::Values(
    PatternCase{"0.00E+00", 0, "0.00E+00"},
    PatternCase{"0.00E+00", -12345, "-1.23E+04"},
    PatternCase{"0.00E+00", 99999, "1.00E+05"},
    PatternCase{"0.00E-00", 12345, "1.23E04"},
    PatternCase{"0.00e+0", 12345, "1.23e+4"},
    PatternCase{"0.00E+", 12345, "1.23E+4"},
    PatternCase{"0.00E+0000", 12345, "1.23E+0004"},
    PatternCase{"0.00E+000000", 12345, "1.23E+0004"},
    PatternCase{"0.0E+0", 1e-300, "1.0E-300"},
    PatternCase{"0.0E+0", 1.7976931348623157e308, "1.8E+308"},
    PatternCase{"0.0E+0", 5e-324, "5.0E-324"},
    PatternCase{"0.000000000000000000E+0", 0.1, "1.000000000000000000E-1"},
    PatternCase{"00.0E+0", 12345, "12.3E+3"},
    PatternCase{".00E+00", 12345, ".12E+05"},
    PatternCase{"#.##E+00", 0, "E+00"},
    PatternCase{"0.##E+00", 12000, "1.2E+04"},
    PatternCase{"0E+0", 0.5, "5E-1"},
    PatternCase{"0.00E+00 'E+'", 12345, "1.23E+04 E+"},
    PatternCase{"#,##0.00E+00", 12345678, "1,234.57E+04"},
    PatternCase{"###0.00E+00", 12345678, "1234.57E+04"},
    PatternCase{"0.0E+0 E", 5, "5.0E+0 E"},
    PatternCase{"0.0E+0;(0.0E+0)", -5, "(5.0E+0)"}));
// clang-format on

// Without scientific form an "E" prints itself and the character after it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(LiteralE, PatternTest, ::testing::Values(
    PatternCase{"0E0", 5, "5E0"},
    PatternCase{"0 e#", 5, "5 e#"},
    PatternCase{"0E", 5, "5E"},
    PatternCase{"0 EUR", 5, "5 EUR"},
    PatternCase{"0E'x'", 5, "5E'x"}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Quotes, PatternTest, ::testing::Values(
    PatternCase{"\"#0.,E+\" 0", 5, "#0.,E+ 5"},
    // The other kind of quote inside quoted text is dropped, not printed.
    PatternCase{"0 \"it's\"", 5, "5 its"},
    PatternCase{"0 'say \"hi\"'", 5, "5 say hi"},
    PatternCase{"0 'open", 5, "5 open"},
    PatternCase{"0 '';x", 5, "5 "},
    PatternCase{"0 ';';neg", 5, "5 ;"},
    PatternCase{"0 ';';neg", -5, "neg"},
    PatternCase{"\"a;b\";c;d", 0, "d"}));
// clang-format on

struct IntegerCase {
    const char* pattern;
    std::int64_t value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const IntegerCase& c) {
    return os << '"' << c.pattern << "\" with " << c.value;
}

class IntegerPatternTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerPatternTest, FormatsTheExactDigits) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(FormatIntegerWithPattern(c.pattern, c.value, TFormatSettings{}), c.expected);
}

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

// Integers are written from their own digits, not from a double: every one
// with up to 17 digits prints whole, longer ones fall back to general text.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Integers, IntegerPatternTest, ::testing::Values(
    IntegerCase{"0.######", 1234567890123456, "1234567890123456"},
    IntegerCase{"0.######", 9007199254740993, "9007199254740993"}, // no double has it
    IntegerCase{"0.######", -9007199254740993, "-9007199254740993"},
    IntegerCase{"#,##0", 9007199254740993, "9,007,199,254,740,993"},
    IntegerCase{"0.00", 12345678901234567, "12345678901234567.00"},
    IntegerCase{"0", 99999999999999999, "99999999999999999"},
    IntegerCase{"0", 100000000000000000, "1E17"},
    IntegerCase{"0", int64Max, "9.22337203685478E18"},
    IntegerCase{"0", int64Min, "-9.22337203685478E18"},
    IntegerCase{"0", 0, "0"},
    IntegerCase{"#", 0, ""},
    IntegerCase{"0.00", -5, "-5.00"},
    IntegerCase{"0,000", 5, "0,005"},
    IntegerCase{"0.00;(0.00)", -2, "(2.00)"},
    IntegerCase{"0;;zero", 0, "zero"},
    IntegerCase{"", 25, "25"},
    IntegerCase{"0.00E+00", 0, "0.00E+00"},
    IntegerCase{"0.00E+00", 125, "1.25E+02"},
    IntegerCase{"0.0E+00", 125, "1.3E+02"},
    IntegerCase{"0.0E+00", -125, "-1.3E+02"},
    IntegerCase{"##0.0E+0", 123456, "123.5E+3"},
    IntegerCase{"0.00E+00", int64Max, "9.22E+18"},
    IntegerCase{"0.00E+00", int64Min, "-9.22E+18"},
    IntegerCase{"0.000000000000000000E+0", int64Max, "9.223372036854775810E+18"},
    IntegerCase{"0", 9999999999999999, "9999999999999999"},
    IntegerCase{"0.0E+0", 9999999999999999, "1.0E+16"}));
// clang-format on

TEST(IntegerPattern, FourOrMoreSeparatorsAreInvalid) {
    EXPECT_THROW(FormatIntegerWithPattern("0;0;0;0;0", 1, TFormatSettings{}), EConvertError);
}

TEST(PatternSections, FourOrMoreSeparatorsAreInvalid) {
    const TFormatSettings settings;
    EXPECT_EQ(FormatWithPattern("0;0;0;0", 1, settings), "1");
    EXPECT_EQ(FormatWithPattern("0;0;0;';;;'", 1, settings), "1");
    for (const char* pattern : {"0;0;0;0;0", ";;;;", "0;0;0;0;0;0"}) {
        try {
            FormatWithPattern(pattern, 1, settings);
            ADD_FAILURE() << pattern << " was accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "Invalid float format");
        }
    }
}

TEST(PatternSettings, UseTheSettingsSeparators) {
    TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    EXPECT_EQ(FormatWithPattern("#,##0.00", 1234567.891, settings), "1.234.567,89");
    EXPECT_EQ(FormatWithPattern("0.00E+00", 12345, settings), "1,23E+04");
    EXPECT_EQ(FormatWithPattern("0", 1e20, settings), "1E20");
    EXPECT_EQ(FormatWithPattern("0.0", 1.0 / 0.0 - 1.0 / 0.0, settings), "NAN");
    settings.ThousandSeparator = '\0';
    EXPECT_EQ(FormatWithPattern("#,##0.00", 1234567.891, settings), "1234567,89");
    settings.ThousandSeparator = ' ';
    EXPECT_EQ(FormatWithPattern("#,##0", 1234567, settings), "1 234 567");
}

struct GeneralCase {
    double value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const GeneralCase& c) {
    return os << c.value;
}

class GeneralTextTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralTextTest, WritesShortestGeneralForm) {
    EXPECT_EQ(GeneralText(GetParam().value, TFormatSettings{}), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, GeneralTextTest, ::testing::Values(
    GeneralCase{0, "0"},
    GeneralCase{-0.0, "0"},
    GeneralCase{7, "7"},
    GeneralCase{-7, "-7"},
    GeneralCase{2.5, "2.5"},
    GeneralCase{2.50, "2.5"},
    GeneralCase{100, "100"},
    GeneralCase{0.1 + 0.2, "0.3"},
    GeneralCase{1.0 / 3.0, "0.333333333333333"},
    GeneralCase{2.0 / 3.0, "0.666666666666667"},
    GeneralCase{-2.0 / 3.0, "-0.666666666666667"},
    GeneralCase{3.141592653589793, "3.14159265358979"},
    GeneralCase{123456789012345.0, "123456789012345"},
    GeneralCase{999999999999999.0, "999999999999999"},
    GeneralCase{9999999999999999.0, "1E16"},
    GeneralCase{1e15, "1E15"},
    GeneralCase{1.5e20, "1.5E20"},
    GeneralCase{-1.5e20, "-1.5E20"},
    GeneralCase{1234567890123456789.0, "1.23456789012346E18"},
    GeneralCase{0.00001, "0.00001"},
    GeneralCase{0.000012345, "0.000012345"},
    GeneralCase{0.000001, "1E-6"},
    GeneralCase{1e-7, "1E-7"},
    GeneralCase{-1.25e-7, "-1.25E-7"},
    GeneralCase{1.7976931348623157e308, "1.79769313486232E308"},
    GeneralCase{5e-324, "4.94065645841247E-324"},
    GeneralCase{inf, "INF"},
    GeneralCase{-inf, "-INF"},
    GeneralCase{std::nan(""), "NAN"}));
// clang-format on

TEST(GeneralTextSettings, UsesTheDecimalSeparator) {
    TFormatSettings settings;
    settings.DecimalSeparator = ',';
    EXPECT_EQ(GeneralText(2.5, settings), "2,5");
    EXPECT_EQ(GeneralText(1.5e-9, settings), "1,5E-9");
    EXPECT_EQ(GeneralText(0.001, settings), "0,001");
}

} // namespace
} // namespace orvex::formatting
