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

class NormaliseWithSpacing : public testing::TestWithParam<RewriteCase> {};

TEST_P(NormaliseWithSpacing, GivesTheCanonicalSpelling) {
    EXPECT_EQ(Normalise(GetParam().Input, true), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, NormaliseWithSpacing,
    testing::Values(RewriteCase{"7%%2", "7 mod 2"}, RewriteCase{"7 // 2", "7 div 2"},
                    RewriteCase{"2PWR3", "2 ^ 3"}, RewriteCase{"2**3", "2 ^ 3"},
                    RewriteCase{"2^3", "2 ^ 3"}, RewriteCase{"2pwr3", "2 ^ 3"},
                    RewriteCase{"5 MOD 3", "5 mod 3"}, RewriteCase{"5 Mod 3", "5 mod 3"},
                    RewriteCase{"17 DIV 5", "17 div 5"}, RewriteCase{"0xFF + 1", "$FF + 1"},
                    RewriteCase{"0XFF+1", "$FF + 1"}, RewriteCase{"5 != 3", "5 <> 3"},
                    RewriteCase{"5<>3", "5 <> 3"}, RewriteCase{"3 <= 4", "3 <= 4"},
                    RewriteCase{"3>=4", "3 >= 4"}, RewriteCase{"1<2", "1 < 2"},
                    RewriteCase{"1=2", "1 = 2"}, RewriteCase{"x xor y", "x xor y"},
                    RewriteCase{"x XOR y", "x xor y"}, RewriteCase{"1 Or 0", "1 or 0"},
                    RewriteCase{"not(5 and 1)", "not (5 and 1)"}, RewriteCase{"sqrt(4)", "sqrt(4)"},
                    RewriteCase{"SQRT(4)", "sqrt(4)"}, RewriteCase{"sqr(7)", "sqr(7)"},
                    RewriteCase{"42-sqr(7)", "42 - sqr(7)"}, RewriteCase{"2*cos(0)", "2 * cos (0)"},
                    RewriteCase{"5--3", "5--3"}, RewriteCase{"", ""}, RewriteCase{"   ", ""},
                    RewriteCase{"2*-3", "2 * -3"}, RewriteCase{"(-4)", "(-4)"},
                    RewriteCase{"( - 4 )", "(-4)"}, RewriteCase{"-5+1", "-5 + 1"},
                    RewriteCase{"+5-1", "+5 - 1"}, RewriteCase{"3*(+2)", "3 * (+2)"},
                    RewriteCase{"2^-1", "2 ^ - 1"}, RewriteCase{"1/-2", "1 / -2"},
                    RewriteCase{"1=-2", "1 = -2"}, RewriteCase{"1<-2", "1 < -2"},
                    RewriteCase{"SumOf(1,-5)", "SumOf(1, -5)"},
                    RewriteCase{"(5+7*12) - (44-2*3)", "(5 + 7 * 12) - (44 - 2 * 3)"},
                    RewriteCase{"  1   +    2  ", "1 + 2"}, RewriteCase{"\t1+2\n", "1 + 2"},
                    RewriteCase{"((1))", "((1))"}, RewriteCase{"\"K\" + 16384", "\"K\" + 16384"},
                    // Plain-text rewriting also reaches inside longer words.
                    RewriteCase{"print", "pr int"}, RewriteCase{"random", "r and om"}));

TEST(Normalise, WithoutSpacingOnlyRewritesSpellings) {
    EXPECT_EQ(Normalise("7%%2", false), "7 mod 2");
    EXPECT_EQ(Normalise("2*-3", false), "2 *  - 3");
    EXPECT_EQ(Normalise("sqrt(16)", false), " sqrt( 16 ) ");
    EXPECT_EQ(Normalise("x xor y", false), "x  xor  y");
    EXPECT_EQ(Normalise("5!=3", false), "5 <> 3");
    EXPECT_EQ(Normalise("", false), "");
}

TEST(Normalise, LeavesBytesAboveAsciiAlone) {
    const std::string text = "\xC3\xA9 + 1 \xFF";
    EXPECT_EQ(Normalise(text, true), "\xC3\xA9 + 1 \xFF");
}

TEST(Normalise, HandlesLongInputs) {
    std::string sum = "1";
    while (sum.size() < 100 * 1024)
        sum += "+1";
    std::string blanks(100 * 1024, ' ');
    blanks += "1";
    std::string signs(50 * 1024, '(');
    for (int i = 0; i < 10000; ++i)
        signs += "- - ";
    const std::string spacedSum = Normalise(sum, true);
    EXPECT_EQ(spacedSum.size(), sum.size() + (sum.size() - 1));
    EXPECT_EQ(Normalise(blanks, true), "1");
    EXPECT_FALSE(Normalise(signs, true).empty());
}

struct CountCase {
    std::string Text;
    TComparisonClass Expected;
};

void PrintTo(const CountCase& c, std::ostream* out) {
    *out << '"' << c.Text << '"';
}

class ComparisonCount : public testing::TestWithParam<CountCase> {};

TEST_P(ComparisonCount, ClassifiesTheText) {
    EXPECT_EQ(CountComparisons(GetParam().Text), GetParam().Expected);
}

using C = TComparisonClass;

INSTANTIATE_TEST_SUITE_P(Texts, ComparisonCount,
                         testing::Values(CountCase{"", C::Arithmetic},
                                         CountCase{"1 + 2", C::Arithmetic},
                                         CountCase{"17 and 5", C::Arithmetic},
                                         CountCase{"5 <> 3", C::SingleComparison},
                                         CountCase{"5 != 3", C::SingleComparison},
                                         CountCase{"3 <= 4", C::SingleComparison},
                                         CountCase{"3 >= 4", C::SingleComparison},
                                         CountCase{"1 = 1", C::SingleComparison},
                                         CountCase{"1 < 2 = 3", C::TooManyComparisons},
                                         CountCase{"1 <= 2 >= 3", C::TooManyComparisons},
                                         CountCase{"1 < 2 < 3", C::TooManyComparisons},
                                         CountCase{"(1 > 2) = (3 > 4)", C::TooManyComparisons},
                                         CountCase{"1<=>2", C::TooManyComparisons},
                                         CountCase{"\"a=b\"", C::SingleComparison}));

} // namespace
} // namespace orvex::frontend
