#include "engine_test_support.h"

#include "exprengine/parser.h"

#include <gtest/gtest.h>

namespace orvex::engine {
namespace {

using test::Outcome;
using test::TOutcomeCase;

class Conditionals : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(Conditionals, EvaluateOrFailWithExactMessage) {
    EXPECT_EQ(Outcome(GetParam().text), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    If, Conditionals,
    testing::Values(
        TOutcomeCase{"if(1 > 0, 10, 20)", "I:10"}, TOutcomeCase{"IF(1 < 0, 10, 20)", "I:20"},
        TOutcomeCase{"if(true, 'a', 'b') + 'c'", "S:ac"},
        TOutcomeCase{"if(false, 1 div 0, 2)", "I:2"}, // the other branch is never evaluated
        TOutcomeCase{"if(true, 2, 1 mod 0)", "I:2"},
        TOutcomeCase{"if(1, 2, 3)", "E:First argument to IF must be of type boolean: 1"},
        TOutcomeCase{"if(true, 1, 2.5)", "E:Type mismatch: rtInteger<>rtFloat for expressions "
                                         "\"1\" and \" 2.50000000000000E+000\"."},
        TOutcomeCase{"if(true, 1)", "E:Expected comma (,) at position 12, but got )"},
        TOutcomeCase{"if(true, 1, 2, 3)", "E:Expected ) bracket at position 15, but got ,"},
        TOutcomeCase{"if true", "E:Expected ( bracket at position 8, but got true"},
        // Below the root no check runs; the condition's low byte decides.
        TOutcomeCase{"if(1, 2, 3) + 0", "I:2"}, TOutcomeCase{"if(256, 2, 3) + 0", "I:3"}));

INSTANTIATE_TEST_SUITE_P(
    Case, Conditionals,
    testing::Values(
        TOutcomeCase{"case(2, 0, 1, 10, 2, 20)", "I:20"},
        TOutcomeCase{"case(3, 0, 1, 10, 2, 20)", "I:0"},
        TOutcomeCase{"case('b', 'none', 'a', 'x', 'b', 'y')", "S:y"},
        TOutcomeCase{"CASE(1.5, 0, 1.5, 1)", "I:1"}, TOutcomeCase{"case(true, 0, false, 1)", "I:0"},
        TOutcomeCase{"case(1, 1 div 0, 1, 5)", "I:5"}, // the default is not evaluated on a match
        TOutcomeCase{"case(2, 7, 1, 1 div 0, 2, 8)", "I:8"},
        TOutcomeCase{"case(1, 0, 1+1, 5)", "E:Case label 1 \"1 + 1\" is not a constant expression"},
        TOutcomeCase{"case(1, 0, 1, 5, 'a', 6)",
                     "E:Case label 2 \"'a'\" needs type rtInteger, but has type rtString"},
        TOutcomeCase{"case(1, 0, 1, 'x')",
                     "E:Case value 1 \"'x'\" needs type rtInteger, but has type rtString"},
        TOutcomeCase{"case(1, 0, 1, 10, 2)",
                     "E:Case statement needs to have an even number of arguments"},
        TOutcomeCase{"case(1, 2, 3)", "E:Expected comma (,) at position 14, but got )"},
        TOutcomeCase{"case(1, 0, 1)", "E:Expected comma (,) at position 14, but got )"},
        // Below the root: labels may be expressions, and a label without a
        // value falls back to the default.
        TOutcomeCase{"case(2, 0, 1+1, 10) + 1", "I:11"},
        TOutcomeCase{"case(5, 0, 1, 10, 5) + 1", "I:1"},
        TOutcomeCase{"case(1, 0, 1, 10, 5) + 1", "I:11"}));

TEST(Conditionals, Render) {
    TExpressionParser parser;
    parser.SetExpression("if(1=1, 'a', 'b')");
    EXPECT_EQ(parser.Root()->AsText(), "if(1 = 1 , 'a' , 'b')");
    parser.SetExpression("case(1, 0, 1, 10)");
    EXPECT_EQ(parser.Root()->AsText(), "Case(1, 0, 1, 10)");
}

TEST(Conditionals, OnlyTheNeededArgumentsAreEvaluated) {
    TExpressionParser parser;
    int reads = 0;
    parser.Identifiers()
        .AddFloatVariable("probe", 0)
        .SetOnGetVariableValue([&reads](TExpressionResult& value, const std::string&) {
            value.SetFloatValue(++reads);
        });
    parser.SetExpression("if(true, 1.5, probe)");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 1.5);
    EXPECT_EQ(reads, 0);
    // Nested, so the labels need not be constants: the second label is the
    // first match and the third is never read.
    parser.SetExpression("case(1.0, 0.0, 5.0, 10.0, probe, 20.0, probe, 30.0) + 0");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 20.0);
    EXPECT_EQ(reads, 1);
}

} // namespace
} // namespace orvex::engine
