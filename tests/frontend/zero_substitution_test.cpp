#include "frontend/preparation.h"

#include <gtest/gtest.h>

#include <string>

namespace orvex::frontend {
namespace {

struct RewriteCase {
    std::string Input;
    std::string Expected;
};

void PrintTo(const RewriteCase& c, std::ostream* out) {
    *out << '"' << c.Input << '"';
}

class ZeroSubstitution : public testing::TestWithParam<RewriteCase> {};

TEST_P(ZeroSubstitution, ReplacesInvalidOperands) {
    EXPECT_EQ(ZeroSubstitute(GetParam().Input, formatting::TFormatSettings{}), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Operands, ZeroSubstitution,
    testing::Values(RewriteCase{"abc", "0"}, RewriteCase{"007", "7"}, RewriteCase{"2.50", "2.5"},
                    RewriteCase{"PI", "PI"}, RewriteCase{"pi * 2", "pi * 2"},
                    RewriteCase{"abc + 1", "0 + 1"}, RewriteCase{"\"K\" + 16384", "0 + 16384"},
                    RewriteCase{"$FF + 1", "0 + 1"}, RewriteCase{"sqrt(16)", "016)"},
                    RewriteCase{"1 MOD x", "1 mod 0"}, RewriteCase{"5 > abc", "5 > 0"},
                    RewriteCase{"1e3 + 1", "1000 + 1"}, RewriteCase{"-2.50", "-2.5"},
                    RewriteCase{"", ""}, RewriteCase{"1 xor 2", "1 xor 2"},
                    RewriteCase{"Count", "Count"}, RewriteCase{"SUMOF", "SUMOF"}));

TEST(ZeroSubstitution, KeepsEveryEmptyPartAsOneBlank) {
    const formatting::TFormatSettings settings;
    EXPECT_EQ(ReplaceInvalidOperands(" sqrt( 16 ) ", settings), " 016) ");
    EXPECT_EQ(ReplaceInvalidOperands("2  +  abc", settings), "2 + 0");
    EXPECT_EQ(ReplaceInvalidOperands("", settings), " ");
}

TEST(ZeroSubstitution, ReadsNumbersWithTheDecimalSeparatorOfTheSettings) {
    formatting::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    EXPECT_EQ(ZeroSubstitute("2,50", settings), "2,5");
    EXPECT_EQ(ZeroSubstitute("2.50", settings), "0");
}

TEST(ZeroSubstitution, EmptyTextStaysEmpty) {
    EXPECT_EQ(ZeroSubstitute("", formatting::TFormatSettings{}), "");
}

} // namespace
} // namespace orvex::frontend
