// The compiled form against the tree: random expressions evaluated both ways
// must agree in type, payload bits, text and error; and what compiling
// promises a host: it happens at the second evaluation or on request, it
// reads variables afresh, it keeps lazy branches lazy and host code in order.
#include "differential_support.h"
#include "engine_test_support.h"

#include "exprengine/boolean_nodes.h"
#include "exprengine/compiled_program.h"
#include "exprengine/const_node.h"
#include "exprengine/convert_nodes.h"
#include "exprengine/math_nodes.h"
#include "exprengine/parser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvex::engine {
namespace {

using test::CompiledOutcome;
using test::TDifferentialHost;
using test::TExpressionGenerator;
using test::TreeOutcome;

// 100,000 texts take about two seconds in the test preset's build; the
// sanitizer build, ten times slower, takes a fifth of them. The engine's fuzz
// target compares many more.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kExpressions = 20000;
#else
constexpr int kExpressions = 100000;
#endif

TEST(CompiledProgram, AgreesWithTheTreeOnRandomExpressions) {
    TDifferentialHost tree;
    TDifferentialHost compiled;
    TExpressionGenerator generator(20261208);
    int compiledCount = 0;
    int valueCount = 0;
    int failures = 0;
    for (int index = 0; index < kExpressions && failures < 5; ++index) {
        const std::string text = generator.Next();
        tree.SetVariables(static_cast<std::uint64_t>(index));
        compiled.SetVariables(static_cast<std::uint64_t>(index));
        const std::string expected = TreeOutcome(tree, text);
        const std::string actual = CompiledOutcome(compiled, text);
        compiledCount += compiled.Parser().IsCompiled() ? 1 : 0;
        valueCount += expected.rfind("E:", 0) == 0 ? 0 : 1;
        if (actual != expected) {
            ++failures;
            ADD_FAILURE() << text << "\n  tree:     " << expected << "\n  compiled: " << actual;
        }
    }
    // The comparison means something only if most texts parse, most give a
    // value and most compile.
    EXPECT_GT(compiledCount, kExpressions / 2);
    EXPECT_GT(valueCount, kExpressions / 3);
}

struct TCompareCase {
    std::string text;
    std::string outcome; // the tree's, as Show or ErrorOf give it
};

void PrintTo(const TCompareCase& compareCase, std::ostream* out) {
    *out << compareCase.text;
}

class CompiledCases : public testing::TestWithParam<TCompareCase> {};

// Chosen faults and edges: each must come out of the program exactly as out
// of the tree, and the tree's outcome is pinned so that both cannot drift
// together.
TEST_P(CompiledCases, GiveTheTreesOutcome) {
    const TCompareCase& compareCase = GetParam();
    TDifferentialHost tree;
    TDifferentialHost compiled;
    tree.SetVariables(1);
    compiled.SetVariables(1);
    EXPECT_EQ(CompiledOutcome(compiled, compareCase.text), TreeOutcome(tree, compareCase.text));
    EXPECT_EQ(test::Outcome(compareCase.text,
                            [](TExpressionParser& parser) {
                                parser.SetBuiltIns(TBuiltInCategories{bcMath, bcBoolean});
                                parser.Identifiers().AddFloatVariable("x", 0);
                            }),
              compareCase.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    FaultsAndEdges, CompiledCases,
    testing::Values(TCompareCase{"9223372036854775807+x*0+1", "F:9223372036854775808"},
                    TCompareCase{"(9223372036854775807+1)*(1+x*0)", "F:-9223372036854775808"},
                    TCompareCase{"x+1/0", "E:rtInteger division by zero"},
                    TCompareCase{"x+1.0/0", "E:rtFloat division by zero"},
                    TCompareCase{"x+5 mod 0", "E:Division by zero"},
                    TCompareCase{"x+(7.5 div 2)", "E:rtFloat is not a valid integer value"},
                    TCompareCase{"x+1e308*10", "E:Floating point overflow"},
                    TCompareCase{"x+ln(x)", "E:Floating point division by zero"},
                    TCompareCase{"x+(-8)^(1/3)", "E:Invalid floating point operation"},
                    TCompareCase{"if(x=0, 10, 1 div 0)", "I:10"},
                    TCompareCase{"if(x<>0, 10, 1 div 0)", "E:rtInteger division by zero"},
                    TCompareCase{"if(x=0, 1 div 0, 2)", "E:rtInteger division by zero"},
                    TCompareCase{"-'a'+'b'", "S:ab"}, TCompareCase{"(1.5 and 2.5)+x", "F:1.5"},
                    TCompareCase{"round(2.5+x)+trunc(-2.7)", "I:0"},
                    TCompareCase{"shl(1,65)+shr(-8,1)", "I:9223372036854775806"},
                    TCompareCase{"not 0 = -1", "B:true"}, TCompareCase{"(x+0.5)*2 >= 1", "B:true"},
                    // A record keeps its text when a boolean is written into it: the
                    // sum passes the left one on, text and all, as a string.
                    TCompareCase{"if(false,'a',('z'='z'))+if(false,'b',('y'='y'))", "S:z"}));

// A host evaluating the same text over many records.
TEST(CompiledProgram, CompilesAtTheSecondEvaluationAndReadsVariablesAfresh) {
    TExpressionParser parser;
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 1);
    parser.SetExpression("x*2+1");
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:3");
    EXPECT_FALSE(parser.IsCompiled());
    x.ValueRecord().SetFloatValue(2);
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:5");
    EXPECT_TRUE(parser.IsCompiled());
    x.ValueRecord().SetFloatValue(-0.5);
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:0");
    parser.SetExpression("x-1");
    EXPECT_FALSE(parser.IsCompiled());
    EXPECT_TRUE(parser.Compile());
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:-1.5");
}

TEST(CompiledProgram, NothingToCompileWithoutATreeOrWithAnAggregateAtTheRoot) {
    TExpressionParser parser;
    parser.SetBuiltIns(TBuiltInCategories{bcAggregate});
    EXPECT_FALSE(parser.Compile());
    parser.SetExpression("sum(1)");
    EXPECT_FALSE(parser.Compile());
    parser.SetExpression("sum(1)+1");
    EXPECT_FALSE(parser.Compile());
    EXPECT_EQ(test::Show(parser.Evaluate()), "I:0"); // not reset: all zero
}

// Host code runs as often and in the order the tree runs it, and a variable
// is read where the tree reads it, even when a callback changes it later in
// the same evaluation.
TEST(CompiledProgram, RunsHostCodeInTheTreesOrder) {
    TExpressionParser parser;
    std::vector<std::string> calls;
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 1);
    parser.Identifiers().AddFunctionHandler(
        "bump", 'F', "F", [&](TExpressionResult& result, const TExprParameterArray& args) {
            calls.push_back("bump");
            x.ValueRecord().SetFloatValue(x.ValueRecord().FloatValue() + 10);
            result.SetFloatValue(ArgToFloat(args.at(0)));
        });
    parser.Identifiers().AddFloatVariable("v", 0).SetOnGetVariableValue(
        [&](TExpressionResult& value, const std::string&) {
            calls.push_back("v");
            value = TExpressionResult::Integer(7); // converted to the variable's float
        });
    parser.SetExpression("x + bump(v) + x + if(x > 100, bump(1), 0.0)");
    ASSERT_TRUE(parser.Compile());
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:19"); // 1 + 7 + 11 + 0
    EXPECT_EQ(calls, (std::vector<std::string>{"v", "bump"}));
    x.ValueRecord().SetFloatValue(100);
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:218"); // 100 + 7 + 110 + 1
    EXPECT_EQ(calls.size(), 5u);
}

// A pure function over constants is computed once, when compiling; an impure
// one on every evaluation.
TEST(CompiledProgram, ComputesPureCallsOverConstantsAhead) {
    static int calls = 0;
    auto counted = [](TExpressionResult& result, const TExprParameterArray& args) {
        ++calls;
        result.SetFloatValue(ArgToFloat(args.at(0)) + 1);
    };
    for (const bool pure : {true, false}) {
        calls = 0;
        TExpressionParser parser;
        parser.Identifiers().AddFunction("next", 'F', "F", +counted).SetPure(pure);
        parser.SetExpression("next(1)*2");
        ASSERT_TRUE(parser.Compile());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(test::Show(parser.Evaluate()), "F:4");
        EXPECT_EQ(calls, pure ? 1 : 3) << (pure ? "pure" : "impure");
    }
}

// A handler given to a variable after compiling is asked all the same.
TEST(CompiledProgram, FollowsAVariableGivenAHandlerLater) {
    TExpressionParser parser;
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 1);
    parser.SetExpression("x+1");
    ASSERT_TRUE(parser.Compile());
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:2");
    x.SetOnGetVariableValue(
        [](TExpressionResult& value, const std::string&) { value.SetFloatValue(41); });
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:42");
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:42");
}

// Chains of one, two and three links, whole or with a gap at each depth, as a
// host may build them: the program gives the tree's value or error. One
// program compiles them all in turn, so each text reuses the lists the one
// before left behind.
TEST(CompiledProgram, ShortChainsGiveTheTreesOutcome) {
    using TMake = std::function<TExprNodePtr()>;
    auto i = [](std::int64_t value) { return TConstExpression::CreateInteger(value); };
    auto f = [](double value) { return TConstExpression::CreateFloat(value); };
    auto toFloat = [](TExprNodePtr operand) {
        return std::make_unique<TIntToFloatNode>(std::move(operand));
    };
    struct TCase {
        std::string name;
        TMake make;
        std::string outcome;
    };
    const TCase cases[] = {
        {"-5", [&] { return std::make_unique<TNegateOperation>(i(5)); }, "I:-5"},
        {"2*1.5", [&] { return std::make_unique<TMultiplyOperation>(toFloat(i(2)), f(1.5)); },
         "F:3"},
        {"2*1.5+1",
         [&] {
             return std::make_unique<TAddOperation>(
                 std::make_unique<TMultiplyOperation>(toFloat(i(2)), f(1.5)), f(1));
         },
         "F:4"},
        {"-(-(-7))",
         [&] {
             return std::make_unique<TNegateOperation>(
                 std::make_unique<TNegateOperation>(std::make_unique<TNegateOperation>(i(7))));
         },
         "I:-7"},
        {"-?", [] { return std::make_unique<TNegateOperation>(nullptr); },
         "E:No operand for unary operation TNegateOperation"},
        {"? * 1.5", [&] { return std::make_unique<TMultiplyOperation>(toFloat(nullptr), f(1.5)); },
         "E:No operand for unary operation TIntToFloatNode"},
        {"-? + 1",
         [&] {
             return std::make_unique<TAddOperation>(std::make_unique<TNegateOperation>(nullptr),
                                                    i(1));
         },
         "E:No operand for unary operation TNegateOperation"},
        {"1 - ? + 2",
         [&] {
             return std::make_unique<TAddOperation>(
                 std::make_unique<TSubtractOperation>(i(1), nullptr), i(2));
         },
         "E:No right operand for binary operation TSubtractOperation"},
        {"not ? + ?",
         [] {
             return std::make_unique<TNotNode>(std::make_unique<TIntToFloatNode>(
                 std::make_unique<TAddOperation>(nullptr, nullptr)));
         },
         "E:No left operand for binary operation TAddOperation"},
        {"(-? * 2) + 1",
         [&] {
             return std::make_unique<TAddOperation>(
                 std::make_unique<TMultiplyOperation>(std::make_unique<TNegateOperation>(nullptr),
                                                      i(2)),
                 i(1));
         },
         "E:No operand for unary operation TNegateOperation"},
    };
    auto outcome = [](const std::function<void(TExpressionResult&)>& compute) {
        TExpressionResult result;
        const std::string error = test::ErrorOf([&] { compute(result); });
        return error == "(no error)" ? test::Show(result) : "E:" + error;
    };
    TCompiledProgram program;
    for (const TCase& c : cases) {
        const TExprNodePtr chain = c.make();
        EXPECT_EQ(outcome([&](TExpressionResult& result) { chain->ComputeValue(result); }),
                  c.outcome)
            << c.name;
        if (TProgramBuilder::Compile(*chain, program)) {
            EXPECT_EQ(outcome([&](TExpressionResult& result) { program.Run(result); }), c.outcome)
                << c.name;
        }
    }
}

// A chain far longer than the nesting limit compiles without deep recursion.
TEST(CompiledProgram, CompilesLongChains) {
    std::string text = "x";
    for (int i = 1; i < 100000; ++i)
        text += i % 2 == 0 ? "+x" : "-1";
    TExpressionParser parser;
    parser.Identifiers().AddFloatVariable("x", 2);
    parser.SetExpression(text);
    ASSERT_TRUE(parser.Compile());
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:50000");
}

} // namespace
} // namespace orvex::engine
