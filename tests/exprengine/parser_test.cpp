#include "engine_test_support.h"

#include "exprengine/errors.h"
#include "exprengine/parser.h"

#include <gtest/gtest.h>

namespace orvex::engine {
namespace {

using test::Outcome;
using test::TOutcomeCase;

class Arithmetic : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(Arithmetic, EvaluatesToTypedValueOrExactError) {
    EXPECT_EQ(Outcome(GetParam().text), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    PrecedenceAndTypes, Arithmetic,
    testing::Values(TOutcomeCase{"1+2*3", "I:7"}, TOutcomeCase{"(1+2)*3", "I:9"},
                    TOutcomeCase{"2*3^2", "F:18"}, TOutcomeCase{"10-4-3", "I:3"},
                    TOutcomeCase{"100/10/5", "F:2"}, TOutcomeCase{"2*3 mod 4", "I:2"},
                    TOutcomeCase{"7/2", "F:3.5"}, TOutcomeCase{"6/3", "F:2"},
                    TOutcomeCase{"7 div 2", "I:3"}, TOutcomeCase{"-7 div 2", "I:-3"},
                    TOutcomeCase{"7 mod 3", "I:1"}, TOutcomeCase{"-7 mod 3", "I:-1"},
                    TOutcomeCase{"7 mod -2", "I:1"}, TOutcomeCase{"1+2.5", "F:3.5"},
                    TOutcomeCase{"2.5+1", "F:3.5"}, TOutcomeCase{"'a'+'b'", "S:ab"},
                    TOutcomeCase{"-(-1)", "I:1"}, TOutcomeCase{"1--1", "I:2"},
                    TOutcomeCase{"+5", "I:5"}, TOutcomeCase{"-2.5*2", "F:-5"},
                    TOutcomeCase{"$FF+%101+&17", "I:275"}, TOutcomeCase{"10.0", "F:10"},
                    TOutcomeCase{"1e3", "F:1000"}, TOutcomeCase{".5", "F:0.5"},
                    TOutcomeCase{"9223372036854775808", "F:9223372036854775808"},
                    TOutcomeCase{"$FFFFFFFFFFFFFFFF", "I:-1"}, TOutcomeCase{"1e-400", "F:0"}));

INSTANTIATE_TEST_SUITE_P(
    Power, Arithmetic,
    testing::Values(TOutcomeCase{"2^3^2", "F:512"}, TOutcomeCase{"-2^2", "F:-4"},
                    TOutcomeCase{"2^-1", "F:0.5"}, TOutcomeCase{"2^10", "F:1024"},
                    TOutcomeCase{"(-2)^3", "F:-8"}, TOutcomeCase{"(-2)^2", "F:4"},
                    TOutcomeCase{"0^0", "F:1"}, TOutcomeCase{"0^2", "F:0"},
                    TOutcomeCase{"4^0.5", "F:2"}, TOutcomeCase{"2.5^0", "F:1"},
                    TOutcomeCase{"(-8)^(1/3)", "E:Invalid floating point operation"},
                    TOutcomeCase{"0^-1", "E:Floating point division by zero"},
                    TOutcomeCase{"10^400", "E:Floating point overflow"},
                    TOutcomeCase{"(-10)^401", "E:Floating point overflow"},
                    TOutcomeCase{"0.5^2000", "F:0"},
                    TOutcomeCase{"0^(0-0.5)", "E:Floating point division by zero"},
                    TOutcomeCase{"(-1)^1e300", "F:1"}, TOutcomeCase{"(-2)^-1", "F:-0.5"},
                    TOutcomeCase{"1.5^2", "F:2.25"}));

// 64-bit integers wrap; nothing overflows silently into undefined behaviour.
INSTANTIATE_TEST_SUITE_P(
    WrapAround, Arithmetic,
    testing::Values(TOutcomeCase{"9223372036854775807+1", "I:-9223372036854775808"},
                    TOutcomeCase{"-9223372036854775807-2", "I:9223372036854775807"},
                    TOutcomeCase{"4611686018427387904*2", "I:-9223372036854775808"},
                    TOutcomeCase{"3037000500*3037000500", "I:-9223372036709301616"},
                    TOutcomeCase{"-$8000000000000000", "I:-9223372036854775808"},
                    TOutcomeCase{"$8000000000000000 mod -1", "I:0"},
                    TOutcomeCase{"$8000000000000000 div -1", "E:Invalid floating point operation"},
                    TOutcomeCase{"9007199254740993 div 1", "I:9007199254740992"}));

INSTANTIATE_TEST_SUITE_P(Faults, Arithmetic,
                         testing::Values(TOutcomeCase{"1/0", "E:rtInteger division by zero"},
                                         TOutcomeCase{"1.0/0", "E:rtFloat division by zero"},
                                         TOutcomeCase{"1/0.0", "E:rtFloat division by zero"},
                                         TOutcomeCase{"5 div 0", "E:rtInteger division by zero"},
                                         TOutcomeCase{"5 mod 0", "E:Division by zero"},
                                         TOutcomeCase{"1e308*10", "E:Floating point overflow"},
                                         TOutcomeCase{"1e308+1e308", "E:Floating point overflow"},
                                         TOutcomeCase{"-1e308-1e308", "E:Floating point overflow"},
                                         TOutcomeCase{"1e308/1e-308", "E:Floating point overflow"},
                                         TOutcomeCase{"1e-300*1e-300", "F:0"}));

INSTANTIATE_TEST_SUITE_P(
    CheckMessages, Arithmetic,
    testing::Values(
        TOutcomeCase{"7.5 div 2", "E:Node type (rtFloat) not in allowed types (rtInteger) for "
                                  "expression:  7.50000000000000E+000"},
        TOutcomeCase{"7 mod 2.5", "E:Node type (rtFloat) not in allowed types (rtInteger) for "
                                  "expression: 7"},
        TOutcomeCase{"'a'-'b'", "E:Node type (rtString) not in allowed types "
                                "(rtInteger,rtFloat,rtDateTime,rtCurrency) for expression: 'a'"},
        TOutcomeCase{"'a'*2", "E:Node type (rtString) not in allowed types "
                              "(rtInteger,rtFloat,rtCurrency) for expression: 'a'"},
        TOutcomeCase{"2/'a'", "E:Node type (rtString) not in allowed types "
                              "(rtInteger,rtFloat,rtCurrency) for expression: 'a'"},
        TOutcomeCase{"'a'^2", "E:Node type (rtString) not in allowed types "
                              "(rtInteger,rtFloat,rtCurrency) for expression: 'a'"},
        TOutcomeCase{"1+'a'",
                     "E:Type mismatch: rtInteger<>rtString for expressions \"1\" and \"'a'\"."},
        TOutcomeCase{"true+1", "E:Node type (rtBoolean) not in allowed types "
                               "(rtInteger,rtFloat,rtDateTime,rtString,rtCurrency) for "
                               "expression: True"},
        TOutcomeCase{"-true", "E:Cannot negate expression of type rtBoolean : True"},
        TOutcomeCase{"-'a'", "E:Cannot negate expression of type rtString : 'a'"}));

INSTANTIATE_TEST_SUITE_P(
    SyntaxMessages, Arithmetic,
    testing::Values(
        TOutcomeCase{"--1", "E:Unknown token at pos 3 : -"},
        TOutcomeCase{"+-1", "E:Unknown token at pos 3 : -"},
        TOutcomeCase{"1<2<3", "E:Badly terminated expression. Found token at position 5 : <"},
        TOutcomeCase{"1 2", "E:Badly terminated expression. Found token at position 4 : 2"},
        TOutcomeCase{"2*", "E:Unknown token at pos 3 : "},
        TOutcomeCase{"1^", "E:Unknown token at pos 3 : "},
        TOutcomeCase{"1**2", "E:Unknown token at pos 4 : *"},
        TOutcomeCase{")", "E:Unknown token at pos 2 : )"},
        TOutcomeCase{",", "E:Unknown token at pos 2 : ,"},
        TOutcomeCase{"2+", "E:Unexpected end of expression"},
        TOutcomeCase{"2-", "E:Unexpected end of expression"},
        TOutcomeCase{"1 <", "E:Unexpected end of expression"},
        TOutcomeCase{"not", "E:Unexpected end of expression"},
        TOutcomeCase{"true and", "E:Unexpected end of expression"},
        TOutcomeCase{"(1+2", "E:Expected ) bracket at position 5, but got "},
        TOutcomeCase{"(1 2)", "E:Expected ) bracket at position 5, but got 2"},
        TOutcomeCase{"x", "E:Unknown identifier: x"},
        TOutcomeCase{"1 + 1e400", "E:Invalid numerical value : 1e400"},
        TOutcomeCase{"1 + _", "E:Unknown character at pos 5: \"_\""}));

// The grammar's quirks: one comparison per logical operand, the sign over
// the whole power and a signed exponent, "not" only at the start, and no
// type matching between logical operands.
INSTANTIATE_TEST_SUITE_P(
    GrammarRules, Arithmetic,
    testing::Values(TOutcomeCase{"(1<2<3)", "E:Expected ) bracket at position 6, but got <"},
                    TOutcomeCase{"1 < 2 + 3 < 4",
                                 "E:Badly terminated expression. Found token at position 12 : <"},
                    TOutcomeCase{"1<2 and 2<3", "B:true"}, TOutcomeCase{"2^-3^2", "F:0.001953125"},
                    TOutcomeCase{"-2^-2", "F:-0.25"},
                    TOutcomeCase{"-", "E:Unknown token at pos 2 : "},
                    TOutcomeCase{"2 mod", "E:Unknown token at pos 6 : "},
                    TOutcomeCase{"not not true", "E:Unknown token at pos 8 : not"},
                    TOutcomeCase{"1 + not true", "E:Unknown token at pos 8 : not"},
                    TOutcomeCase{"1 and 2.5",
                                 "E:Node type (rtFloat) not in allowed types (rtBoolean,rtInteger) "
                                 "for expression:  2.50000000000000E+000"}));

// Only the root is checked; the nodes below cope with what they receive.
INSTANTIATE_TEST_SUITE_P(
    BelowTheRoot, Arithmetic,
    testing::Values(TOutcomeCase{"(7.5 div 2)+1", "E:rtFloat is not a valid integer value"},
                    TOutcomeCase{"(7 div 2.5)+1", "E:rtFloat is not a valid integer value"},
                    TOutcomeCase{"(7.5 mod 2)+1", "E:rtFloat is not a valid integer value"},
                    TOutcomeCase{"-'a'+'b'", "S:ab"}, TOutcomeCase{"(true+1)=true", "B:true"},
                    TOutcomeCase{"('a'-1)='a'", "B:true"}, TOutcomeCase{"(-true)=true", "B:true"}));

class Logic : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(Logic, EvaluatesToTypedValueOrExactError) {
    EXPECT_EQ(Outcome(GetParam().text), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, Logic,
    testing::Values(
        TOutcomeCase{"5 and 3", "I:1"}, TOutcomeCase{"5 or 3", "I:7"},
        TOutcomeCase{"5 xor 3", "I:6"}, TOutcomeCase{"not 0", "I:-1"},
        TOutcomeCase{"not 5", "I:-6"}, TOutcomeCase{"true xor true", "B:false"},
        TOutcomeCase{"true and (1 = 1)", "B:true"}, TOutcomeCase{"false or true", "B:true"},
        TOutcomeCase{"not 1=2", "B:true"}, TOutcomeCase{"not true and false", "B:false"},
        TOutcomeCase{"true or false and false", "B:false"}, // one level, left to right
        TOutcomeCase{"(1.5 and 2.5) + 1", "F:2.5"},
        TOutcomeCase{"1=1 and not 2=3", "E:Unknown token at pos 12 : not"},
        TOutcomeCase{"1 and true",
                     "E:Type mismatch: rtInteger<>rtBoolean for expressions \"1\" and \"True\"."},
        TOutcomeCase{"'a' or 'b'", "E:Node type (rtString) not in allowed types "
                                   "(rtBoolean,rtInteger) for expression: 'a'"},
        TOutcomeCase{"not 1.5", "E:Cannot perform \"not\" on expression of type rtFloat:  "
                                "1.50000000000000E+000"}));

INSTANTIATE_TEST_SUITE_P(
    Comparisons, Logic,
    testing::Values(
        TOutcomeCase{"1 = 1.0", "B:true"}, TOutcomeCase{"2 > 1.5", "B:true"},
        TOutcomeCase{"1 <> 1", "B:false"}, TOutcomeCase{"1 <= 1", "B:true"},
        TOutcomeCase{"2 >= 3", "B:false"}, TOutcomeCase{"-1 < 1", "B:true"},
        TOutcomeCase{"'abc' < 'abd'", "B:true"}, TOutcomeCase{"'ab' < 'abc'", "B:true"},
        TOutcomeCase{"'abc' > 'ab'", "B:true"}, TOutcomeCase{"'B' < 'a'", "B:true"},
        TOutcomeCase{"'a' = 'A'", "B:false"}, TOutcomeCase{"'\xE9' > 'z'", "B:true"},
        TOutcomeCase{"true = false", "B:false"}, TOutcomeCase{"true <> false", "B:true"},
        TOutcomeCase{"$FFFFFFFFFFFFFFFF < 0", "B:true"}, TOutcomeCase{"1+1=2", "B:true"},
        TOutcomeCase{"true < false", "E:Node type (rtBoolean) not in allowed types "
                                     "(rtInteger,rtFloat,rtDateTime,rtString,rtCurrency) for "
                                     "expression: True"},
        TOutcomeCase{"1 = 'a'",
                     "E:Type mismatch: rtInteger<>rtString for expressions \"1\" and \"'a'\"."},
        TOutcomeCase{"1 < 'a'",
                     "E:Type mismatch: rtInteger<>rtString for expressions \"1\" and \"'a'\"."}));

struct TTextCase {
    std::string text;
    std::string rendering;
};

void PrintTo(const TTextCase& textCase, std::ostream* out) {
    *out << '"' << textCase.text << '"';
}

class Rendering : public testing::TestWithParam<TTextCase> {};

TEST_P(Rendering, AsTextOfTheRoot) {
    TExpressionParser parser;
    parser.SetExpression(GetParam().text);
    EXPECT_EQ(parser.Root()->AsText(), GetParam().rendering);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, Rendering,
    testing::Values(
        TTextCase{"1+2*3", "1 + 2 * 3"}, TTextCase{"(1+2)*3", "1 + 2 * 3"},
        TTextCase{"-(1+2)", "-1 + 2"}, TTextCase{"2^3^-2", "2^3^-2"},
        TTextCase{"7.5", " 7.50000000000000E+000"}, TTextCase{"-7.5", "-7.50000000000000E+000"},
        TTextCase{"1+2.5", "1 +  2.50000000000000E+000"},
        TTextCase{"1.5e300", " 1.50000000000000E+300"}, TTextCase{"1e-5", " 1.00000000000000E-005"},
        TTextCase{"'a''b'", "'a'b'"}, TTextCase{"true or false", "True or False"},
        TTextCase{"not (true and false)", "not True and False"}, TTextCase{"5 xor 3", "5 xor 3"},
        TTextCase{"7 div 2 mod 3", "7 div 2 mod 3"}, TTextCase{"8/2-1", "8 / 2 - 1"},
        TTextCase{"1<>2", "1 <> 2"}, TTextCase{"1<=2", "1 <= 2"}, TTextCase{"1>=2", "1 >= 2"},
        TTextCase{"1<2", "1 < 2"}, TTextCase{"1>2", "1 > 2"}, TTextCase{"1=2", "1 = 2"},
        TTextCase{"-9223372036854775807", "-9223372036854775807"}));

TEST(Parser, AssigningTheSameTextAgainDoesNotParseAgain) {
    TExpressionParser parser;
    EXPECT_THROW(parser.SetExpression("1 +"), EExprParser);
    EXPECT_NO_THROW(parser.SetExpression("1 +")); // unchanged text: nothing happens
    EXPECT_EQ(test::ErrorOf([&] { parser.Evaluate(); }), "Cannot evaluate: error in expression");
    parser.SetExpression("2+2");
    EXPECT_EQ(parser.Evaluate().IntegerValue(), 4);
    EXPECT_EQ(parser.Evaluate().IntegerValue(), 4); // evaluation may be repeated
}

TEST(Parser, EmptyExpressionCannotBeEvaluated) {
    TExpressionParser parser;
    EXPECT_EQ(test::ErrorOf([&] { parser.Evaluate(); }), "Cannot evaluate: empty expression");
    parser.SetExpression("1");
    parser.SetExpression("");
    EXPECT_EQ(parser.Root(), nullptr);
    EXPECT_EQ(test::ErrorOf([&] { parser.Evaluate(); }), "Cannot evaluate: empty expression");
}

TEST(Parser, ErrorsComeWithTheirOwnClasses) {
    TExpressionParser parser;
    EXPECT_THROW(parser.SetExpression("'abc"), EExprScanner);
    EXPECT_THROW(parser.SetExpression("1 +"), EExprParser);
    parser.SetExpression("5 mod 0");
    EXPECT_THROW(parser.Evaluate(), formatting::EDivByZero);
    parser.SetExpression("1/0");
    EXPECT_THROW(parser.Evaluate(), EExprParser);
    parser.SetExpression("0^-1");
    EXPECT_THROW(parser.Evaluate(), formatting::EZeroDivide);
}

TEST(Parser, StaysUsableAfterAnError) {
    TExpressionParser parser;
    parser.SetExpression("1/0");
    EXPECT_THROW(parser.Evaluate(), EExprParser);
    parser.SetExpression("1/2");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 0.5);
}

TEST(Parser, AFailedParseLeavesNothingWaitingForTheNextText) {
    // Each text fails with operators waiting at several levels, some inside
    // parentheses; the next text must see none of them. The sanitizer build
    // checks that the waiting operands are released exactly once.
    TExpressionParser parser;
    for (const char* failing : {"1 or 2 < 3 + 4 * abc", "1+2*(3-(4 mod nope))", "(1 and (2 = (3 +",
                                "1 + 2 * 3 < 4 < 5 + zzz", "not 1 xor (2 * (3 + (4 - q)))"}) {
        EXPECT_THROW(parser.SetExpression(failing), formatting::Error) << failing;
        parser.SetExpression("10-2*3");
        EXPECT_EQ(parser.Evaluate().IntegerValue(), 4) << failing;
        parser.SetExpression("(1+(2*(3+(4*(5+6)))))");
        EXPECT_EQ(parser.Evaluate().IntegerValue(), 95) << failing;
    }
}

} // namespace
} // namespace orvex::engine
