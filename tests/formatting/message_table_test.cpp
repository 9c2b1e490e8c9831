#include "formatting/error.h"
#include "formatting/message_table.h"
#include "formatting/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace orvex::formatting {
namespace {

// The lookup runs while compiling; these hold by construction or not at all.
static_assert(FormattingString("formatting.sinvalidfloatformat").Text == "Invalid float format");
static_assert(FormattingString("formatting.szerodivide").Id == "formatting.szerodivide");

struct SubstitutionCase {
    const char* Name;
    std::string_view Text;
    std::string Expected;
};

class Substitution : public testing::TestWithParam<SubstitutionCase> {};

TEST_P(Substitution, FillsPlaceholdersLeftToRight) {
    const SubstitutionCase& c = GetParam();
    EXPECT_EQ(FormatResString(c.Text, {std::int64_t{-42}, "a%sb", "%d"}), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Substitution,
    testing::Values(SubstitutionCase{"NoPlaceholder", "plain text", "plain text"},
                    SubstitutionCase{"NumberThenTexts", "%d, %s, %s", "-42, a%sb, %d"},
                    // A placeholder takes the next argument whatever its kind.
                    SubstitutionCase{"TextPlaceholderTakesANumber", "[%s]", "[-42]"},
                    SubstitutionCase{"MorePlaceholdersThanArguments", "%d %s %s %s %d",
                                     "-42 a%sb %d %s %d"},
                    SubstitutionCase{"LonePercentSigns", "100% %x %", "100% %x %"},
                    SubstitutionCase{"PercentBeforePlaceholder", "%%s", "%-42"},
                    SubstitutionCase{"PlaceholderAtTheVeryEnd", "ends with %s", "ends with -42"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Substitution, NoArgumentsLeavesTheTextAsItIs) {
    EXPECT_EQ(FormatResString("'%s' is %d"), "'%s' is %d");
}

TEST(ErrorIdentity, TabledErrorsCarryTheirIdentifier) {
    const EConvertError converted(FormattingString("formatting.sinvalidint"), {"2.5"});
    EXPECT_EQ(converted.Message(), "'2.5' is not an integer value");
    EXPECT_EQ(converted.ResourceId(), "formatting.sinvalidint");

    EXPECT_EQ(EZeroDivide().ResourceId(), "formatting.szerodivide");
    EXPECT_EQ(EDivByZero().ResourceId(), "formatting.sdivbyzero");
    EXPECT_STREQ(EDivByZero().what(), "Division by zero");

    // An error in words of its own has no identifier, whatever it says.
    const Error own("Floating point division by zero");
    EXPECT_EQ(own.ResourceId(), "");
}

} // namespace
} // namespace orvex::formatting
