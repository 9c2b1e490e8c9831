// Deep and long input: long flat chains are handled without recursion along
// the chain; nesting is bounded by the parser's documented limit.
#include "engine_test_support.h"

#include "exprengine/boolean_nodes.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/const_node.h"
#include "exprengine/errors.h"
#include "exprengine/math_nodes.h"
#include "exprengine/parser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#define ORVEX_HAS_PTHREAD 1
#endif

namespace orvex::engine {
namespace {

constexpr int ChainLength = 100000;
constexpr int Limit = TExpressionParser::kMaxNestingDepth;

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string Nest(int depth, std::string_view open, std::string_view inner, std::string_view close) {
    return Repeat(open, depth) + std::string(inner) + Repeat(close, depth);
}

void Identity(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(ArgToFloat(args[0]));
}

void CountArguments(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(static_cast<std::int64_t>(args.size()));
}

void HostSetUp(TExpressionParser& parser) {
    parser.Identifiers().AddFunction("f", 'F', "F", &Identity);
    parser.Identifiers().AddFunction("n", 'I', "F+", &CountArguments);
}

struct TLongCase {
    std::string name;
    std::string text;
    std::string outcome;
};

void PrintTo(const TLongCase& longCase, std::ostream* out) {
    *out << longCase.name;
}

class LongChains : public testing::TestWithParam<TLongCase> {};

TEST_P(LongChains, ParseEvaluateRenderAndDestroy) {
    EXPECT_EQ(test::Outcome(GetParam().text, HostSetUp), GetParam().outcome);
}

const std::string Ones = "1" + Repeat("+1", ChainLength);

INSTANTIATE_TEST_SUITE_P(
    HundredThousandOperators, LongChains,
    testing::Values(
        TLongCase{"Sum", Ones, "I:100001"},
        TLongCase{"Difference", "-1" + Repeat("-1", ChainLength), "I:-100001"},
        TLongCase{"Product", "2" + Repeat("*1", ChainLength), "I:2"},
        TLongCase{"Mixed", "1" + Repeat("*2 div 2+1-1", ChainLength / 4), "I:1"},
        TLongCase{"Logical", "true" + Repeat(" and true", ChainLength), "B:true"},
        TLongCase{"Comparisons", "1=1" + Repeat(" and 1=1", ChainLength), "B:true"},
        TLongCase{"Text", "'a'" + Repeat("+'a'", ChainLength), "S:" + Repeat("a", ChainLength + 1)},
        TLongCase{"ConvertedChain", Ones + "+0.5", "F:100001.5"},
        TLongCase{"InParentheses", "(" + Ones + ")*2", "I:200002"},
        TLongCase{"AsArgument", "f(" + Ones + ")", "F:100001"},
        TLongCase{"ManyArguments", "n(" + Repeat("1,", ChainLength) + "1)", "I:100001"},
        TLongCase{"UnexpectedEnd", Ones + "+", "E:Unexpected end of expression"},
        TLongCase{"BadlyTerminated", Ones + ")",
                  "E:Badly terminated expression. Found token at position 200003 : )"}));

TEST(LongChains, MessagesRenderTheWholeChain) {
    const std::string expected = "E:Type mismatch: rtInteger<>rtString for expressions \"1" +
                                 Repeat(" + 1", ChainLength) + "\" and \"'a'\".";
    EXPECT_TRUE(test::Outcome(Ones + "+'a'") == expected);
}

TEST(LongChains, AggregateWalksFollowTheChain) {
    TExpressionParser parser;
    parser.SetBuiltIns({bcAggregate});
    parser.SetExpression("count" + Repeat("+count", ChainLength));
    TExprNode& root = *parser.Root();
    EXPECT_TRUE(root.ContainsAggregate());
    root.ResetAggregate();
    root.AccumulateAggregate();
    root.AccumulateAggregate();
    EXPECT_EQ(parser.Evaluate().IntegerValue(), 2 * (ChainLength + 1));
}

struct TNestingCase {
    std::string name;
    std::string open;
    std::string inner;
    std::string close;
};

void PrintTo(const TNestingCase& nestingCase, std::ostream* out) {
    *out << nestingCase.name;
}

const std::string TooDeep =
    "Expression nested too deeply (more than " + std::to_string(Limit) + " levels)";

class NestingLimit : public testing::TestWithParam<TNestingCase> {};

TEST_P(NestingLimit, TheLimitParsesAndOneMoreLevelIsRefused) {
    const TNestingCase& shape = GetParam();
    TExpressionParser parser;
    HostSetUp(parser);
    parser.SetExpression(Nest(Limit, shape.open, shape.inner, shape.close));
    EXPECT_NO_THROW(parser.Evaluate());
    EXPECT_FALSE(parser.Root()->AsText().empty());
    EXPECT_FALSE(parser.Root()->ContainsAggregate());
    parser.Root()->ResetAggregate();
    try {
        parser.SetExpression(Nest(Limit + 1, shape.open, shape.inner, shape.close));
        FAIL() << "no error one level beyond the limit";
    } catch (const EExprParser& error) {
        EXPECT_EQ(error.Message(), TooDeep);
    }
    EXPECT_EQ(parser.Root(), nullptr);
}

// Every construct that nests: parentheses (also around a sign or "not"),
// argument lists of functions, "if" and "case", and exponents.
INSTANTIATE_TEST_SUITE_P(Shapes, NestingLimit,
                         testing::Values(TNestingCase{"Parentheses", "(", "1", ")"},
                                         TNestingCase{"RightOperands", "1+(", "1", ")"},
                                         TNestingCase{"Signs", "-(", "1", ")"},
                                         TNestingCase{"Not", "not (", "true", ")"},
                                         TNestingCase{"Comparisons", "(true=", "true", ")"},
                                         TNestingCase{"Functions", "f(", "1", ")"},
                                         TNestingCase{"FunctionsInSums", "1+f(", "1", ")"},
                                         TNestingCase{"If", "if(true,", "1", ",0)"},
                                         TNestingCase{"Case", "case(1,", "1", ",1,2)"},
                                         TNestingCase{"Exponents", "1^", "1", ""},
                                         TNestingCase{"SignedExponents", "1^-", "1", ""}));

#if ORVEX_HAS_PTHREAD

// Runs the work on a thread with the given stack size; an overflow crashes.
void RunOnStack(std::size_t bytes, const std::function<void()>& work) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, bytes), 0);
    pthread_t thread;
    auto body = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work)),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t StackBudget = 4u << 20; // sanitizers enlarge every frame
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t StackBudget = 4u << 20;
#else
constexpr std::size_t StackBudget = 1u << 20;
#endif
#else
constexpr std::size_t StackBudget = 1u << 20;
#endif

// The deepest expressions allowed fit in a 1 MiB stack, the default of a
// Windows main thread.
TEST(NestingLimit, FitsInAOneMebibyteStack) {
    const std::string texts[] = {Nest(Limit, "1+f(", "1", ")"), Nest(Limit, "if(true,", "1", ",0)"),
                                 Nest(Limit, "2*(", "1", ")/1"), Nest(Limit, "1^-", "1", "")};
    for (const std::string& text : texts) {
        std::string outcome;
        RunOnStack(StackBudget, [&] {
            TExpressionParser parser;
            HostSetUp(parser);
            parser.SetExpression(text);
            outcome = test::Show(parser.Evaluate()) + " " +
                      std::to_string(parser.Root()->AsText().size());
        });
        EXPECT_NE(outcome.substr(0, 2), "E:") << outcome;
        EXPECT_FALSE(outcome.empty());
    }
}

// Signs and "not" form chains too, though the parser never stacks them: a
// host's tree may. Evaluating, rendering, compiling and destroying such a
// chain fits in the same stack.
TEST(LongChains, UnaryLinksFitInAOneMebibyteStack) {
    std::string outcome;
    RunOnStack(StackBudget, [&] {
        TExprNodePtr chain = TConstExpression::CreateInteger(5);
        for (int i = 0; i < ChainLength / 2; ++i) { // each pair adds 1: -(not x) = x + 1
            chain = std::make_unique<TNotNode>(std::move(chain));
            chain = std::make_unique<TNegateOperation>(std::move(chain));
        }
        chain->Check();
        TExpressionResult value;
        chain->ComputeValue(value);
        chain->ResetAggregate();
        TCompiledProgram program;
        TExpressionResult compiled;
        if (TProgramBuilder::Compile(*chain, program))
            program.Run(compiled);
        outcome = test::Show(value) + " " + test::Show(compiled) + " " +
                  std::to_string(chain->ContainsAggregate()) + " " +
                  std::to_string(chain->AsText() == Repeat("-not ", ChainLength / 2) + "5");
    });
    EXPECT_EQ(outcome, "I:" + std::to_string(5 + ChainLength / 2) +
                           " I:" + std::to_string(5 + ChainLength / 2) + " 0 1");
}

#endif

// Each odd text ends in the scanner's or parser's own error, never in a
// crash and never in a result. Messages are matched up to the position they
// name.
TEST(Robustness, OddTextsRaiseErrorsInsteadOfCrashing) {
    constexpr std::string_view unknownToken = "Unknown token at pos ";
    constexpr std::string_view invalidNumber = "Invalid numerical value : ";
    const struct {
        std::string text;
        std::string_view message;
    } rows[] = {
        {std::string("\0", 1), unknownToken},
        {std::string(1, '\xFF'), "Unknown character at pos 1: \"\xFF\""},
        // The text ends at a NUL byte.
        {std::string("1+\0+", 4), "Unexpected end of expression"},
        {"'", "Unterminated string"},
        {"\"", "Unterminated quoted identifier: "},
        {"(((((((", unknownToken},
        {")))))", unknownToken},
        {",,,", unknownToken},
        {"if(", unknownToken},
        {"case(1,2,3,", unknownToken},
        {"f(1,", "Expected ) bracket at position "},
        {std::string(300, '('), unknownToken},
        {std::string(5000, '9'), invalidNumber},
        {"$" + std::string(300, 'F'), "Invalid numerical value : $FFFF"},
        {"1e99999999999999999999", "Invalid numerical value : 1e99999999999999999999"},
        {"-" + std::string(1000, ' '), unknownToken},
    };
    for (const auto& row : rows) {
        TExpressionParser parser;
        HostSetUp(parser);
        const std::string message = test::ErrorOf([&] {
            parser.SetExpression(row.text);
            parser.Evaluate();
        });
        EXPECT_TRUE(message.starts_with(row.message))
            << "text " << row.text.substr(0, 40) << " gave " << message;
    }
}

} // namespace
} // namespace orvex::engine
