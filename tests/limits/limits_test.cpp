// Whole runs in-process at the platform's limits: a 120 KiB argument, tens of
// thousands of arguments, a hundred thousand decimals, very long names,
// numbers and strings, and nesting up to the documented depth and one past
// it. They check results only; the benchmarks watch the time.
#include "cmdline/output_streams.h"
#include "limit_inputs.h"

#include "fake_console.h"
#include "frontend/driver.h"
#include "frontend/exit_codes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orvex::limits {
namespace {

constexpr std::size_t kInProcessArgumentBytes = 120 * 1024;

struct TRun {
    int ExitCode = 0;
    std::string Out;
    std::string Err;
};

TRun RunInProcess(const std::vector<std::string>& arguments) {
    const std::string path = "/opt/calc/orvex";
    std::string rawLine = path;
    for (const std::string& argument : arguments)
        rawLine.append(1, ' ').append(argument);
    cmdline::TStringSink out;
    cmdline::TStringSink err;
    testing::FakeConsole console;
    const int exitCode = frontend::RunProgram(arguments, path, rawLine, out, err, console);
    return {exitCode, out.Text(), err.Text()};
}

struct TResultCase {
    std::string Name;
    std::vector<std::string> Arguments;
    std::string Out;
};

void PrintTo(const TResultCase& c, std::ostream* out) {
    *out << c.Name;
}

std::string Spaced(const std::string& sum) {
    std::string text;
    for (const char c : sum)
        text += c == '+' ? std::string(" + ") : std::string(1, c);
    return text;
}

std::string UpperHex(std::int64_t value) {
    std::ostringstream text;
    text << std::uppercase << std::hex << value;
    return text.str();
}

std::vector<TResultCase> ResultCases() {
    const TFlatSum sum = FlatSum(kInProcessArgumentBytes);
    const std::string value = std::to_string(sum.Value);
    const std::string products = Repeated("2*3-1+", 20000) + "0";
    const std::string longString(100000, 'a');
    return {
        {"FlatSumOf120KiB", {sum.Text}, value + "\n"},
        {"FlatSumShown",
         {"-s", sum.Text},
         "Expression Evaluated: " + Spaced(sum.Text) + "\n" + value + "\n"},
        {"FlatSumWithZeroSubstitution", {"-z", sum.Text}, value + "\n"},
        {"FlatSumAsPercentWithDecimals", {sum.Text, "-p", "-d:3"}, value + "00.000%\n"},
        {"FlatSumInHexadecimal", {"--hex", "-n", sum.Text}, UpperHex(sum.Value) + "\n"},
        {"ProductsAndDifferences", {products}, "100000\n"},
        {"TwoThousandArguments", OneCharacterArguments(2000), "1000\n"},
        {"FiftyThousandOneCharacterArguments", OneCharacterArguments(50000), "25000\n"},
        {"HundredThousandDecimals",
         {"1/3", "-d:100000"},
         "0.3333333333333333" + std::string(100000 - 16, '0') + "\n"},
        {"DecimalsBeyondAMebibyteOnlyPad",
         {"1", "-d:2000000"},
         "1." + std::string(1u << 20, '0') + "\n"},
        {"LiteralOf255Digits", {std::string(255, '1')}, "1.11111111111111E254\n"},
        {"FractionOf254Characters", {"0." + std::string(251, '0') + "5"}, "0\n"},
        {"StringOf100000Characters", {"'" + longString + "'"}, longString + "\n"},
        {"HundredThousandBlanks", {"1" + std::string(100000, ' ') + "+1"}, "2\n"},
        {"ParenthesesAtTheLimit", {Nested(kNestingLimit, "(", ")")}, "1\n"},
        {"CallsAtTheLimit", {Nested(kNestingLimit, "abs(", ")")}, "1\n"},
        {"ExponentsAtTheLimit", {Repeated("1^", kNestingLimit) + "1"}, "1\n"},
        {"SignsAtTheLimit", {Nested(kNestingLimit, "-(", ")")}, "1\n"},
        {"MixedAtTheLimit",
         {Nested(kNestingLimit / 2, "sqrt(", ")") + "+" + Nested(kNestingLimit / 2, "(", ")")},
         "2\n"},
    };
}

class ResultAtTheLimit : public ::testing::TestWithParam<TResultCase> {};

TEST_P(ResultAtTheLimit, IsPrintedInFull) {
    const TResultCase& c = GetParam();
    const TRun run = RunInProcess(c.Arguments);
    EXPECT_EQ(run.ExitCode, frontend::kExitSuccess);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out.size(), c.Out.size());
    EXPECT_TRUE(run.Out == c.Out) << run.Out.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ResultAtTheLimit, ::testing::ValuesIn(ResultCases()),
                         [](const auto& info) { return info.param.Name; });

struct TErrorCase {
    std::string Name;
    std::string Expression;
    std::string Message;
};

void PrintTo(const TErrorCase& c, std::ostream* out) {
    *out << c.Name;
}

std::vector<TErrorCase> ErrorCases() {
    const std::string name(100000, 'x');
    const std::string digits256(256, '1');
    const std::string digits100000(100000, '7');
    const std::string hex = "$" + std::string(300, 'F');
    return {
        {"IdentifierOf100000Letters", name, "Unknown identifier: " + name},
        {"LiteralOf256Digits", digits256, "Invalid numerical value : " + digits256},
        {"LiteralOf100000Digits", digits100000, "Invalid numerical value : " + digits100000},
        {"HexadecimalLiteralOf300Digits", hex, "Invalid numerical value : " + hex},
    };
}

class ErrorAtTheLimit : public ::testing::TestWithParam<TErrorCase> {};

// The prepared expression and the message, each in full, and the evaluation
// error's exit code.
TEST_P(ErrorAtTheLimit, IsReportedInFull) {
    const TErrorCase& c = GetParam();
    const TRun run = RunInProcess({c.Expression});
    EXPECT_EQ(run.ExitCode, frontend::kExitEvaluationError);
    EXPECT_EQ(run.Out, "");
    const std::string expected =
        "Expression Evaluated: " + c.Expression + "\nERROR!  " + c.Message + "\n\n";
    EXPECT_EQ(run.Err.size(), expected.size());
    EXPECT_TRUE(run.Err == expected) << run.Err.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ErrorAtTheLimit, ::testing::ValuesIn(ErrorCases()),
                         [](const auto& info) { return info.param.Name; });

struct TNestingCase {
    std::string Name;
    std::string Open;
    std::string Close;
};

void PrintTo(const TNestingCase& c, std::ostream* out) {
    *out << c.Name;
}

class NestingPastTheLimit : public ::testing::TestWithParam<TNestingCase> {};

// One level more than the documented depth ends with a clear message and
// the evaluation error's exit code, whatever construct nests.
TEST_P(NestingPastTheLimit, EndsWithAClearError) {
    const TNestingCase& c = GetParam();
    const TRun run = RunInProcess({Nested(kNestingLimit + 1, c.Open, c.Close)});
    EXPECT_EQ(run.ExitCode, frontend::kExitEvaluationError);
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(run.Err.starts_with("Expression Evaluated: ")) << run.Err.substr(0, 80);
    EXPECT_TRUE(run.Err.ends_with("\nERROR!  " + kTooDeep + "\n\n"))
        << run.Err.substr(run.Err.size() - std::min<std::size_t>(run.Err.size(), 120));
}

INSTANTIATE_TEST_SUITE_P(Shapes, NestingPastTheLimit,
                         ::testing::Values(TNestingCase{"Parentheses", "(", ")"},
                                           TNestingCase{"Calls", "abs(", ")"},
                                           TNestingCase{"Exponents", "1^", ""},
                                           TNestingCase{"Signs", "-(", ")"},
                                           TNestingCase{"Conditions", "if(true,", ",0)"}),
                         [](const auto& info) { return info.param.Name; });

// The deepest nesting, and far past it, in one argument of the longest
// size: the error comes before any deep recursion could.
TEST(NestingPastTheLimit, SixtyThousandParenthesesEndWithTheSameError) {
    const TRun run = RunInProcess({Nested(60000, "(", ")")});
    EXPECT_EQ(run.ExitCode, frontend::kExitEvaluationError);
    EXPECT_TRUE(run.Err.ends_with("\nERROR!  " + kTooDeep + "\n\n"));
}

} // namespace
} // namespace orvex::limits
