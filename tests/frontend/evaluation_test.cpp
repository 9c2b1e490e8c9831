#include "cmdline/messages.h"
#include "cmdline/output_streams.h"
#include "exprengine/messages.h"
#include "formatting/messages.h"
#include "frontend/evaluation.h"
#include "frontend/exit_codes.h"
#include "frontend/messages.h"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::frontend {
namespace {

constexpr const char* DefaultPattern = "0.######";

struct Captured {
    std::string Out;
    std::string Err;
    int ExitCode;
};

Captured Evaluate(const std::string& expression, TEvaluationPlan plan = {},
                  const std::string& pattern = DefaultPattern, std::uint16_t minimumLength = 0,
                  std::uint16_t blockSize = 0, int exitCode = kExitSuccess) {
    plan.NumberPattern = pattern;
    plan.MinLength = minimumLength;
    plan.BlockSize = blockSize;
    cmdline::TStringSink out, err;
    const int code =
        EvaluateAndPrint(expression, plan, formatting::TFormatSettings{}, out, err, exitCode);
    return {out.Text(), err.Text(), code};
}

TEvaluationPlan Percent() {
    TEvaluationPlan plan;
    plan.Multiplier = 100;
    plan.ResultSuffix = "%";
    return plan;
}

TEvaluationPlan Radix(TRadix radix, bool percent = false) {
    TEvaluationPlan plan = percent ? Percent() : TEvaluationPlan{};
    plan.Radix = radix;
    return plan;
}

struct ResultCase {
    const char* Name;
    std::string Expression;
    TEvaluationPlan Options;
    std::string Pattern;
    std::string Out;
    int ExitCode;
};

class RenderedResult : public testing::TestWithParam<ResultCase> {};

TEST_P(RenderedResult, IsPrintedToStandardOutput) {
    const ResultCase& c = GetParam();
    const Captured run = Evaluate(c.Expression, c.Options, c.Pattern);
    EXPECT_EQ(run.Out, c.Out);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.ExitCode, c.ExitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Results, RenderedResult,
    testing::Values(
        ResultCase{"IntegerThroughPattern", "17 and 5", {}, DefaultPattern, "1\n", kExitSuccess},
        ResultCase{
            "FloatThroughPattern", "1102 / 81", {}, DefaultPattern, "13.604938\n", kExitSuccess},
        ResultCase{"PaddedPattern", "5 / 2", {}, "0.00", "2.50\n", kExitSuccess},
        ResultCase{"GroupingPattern", "1234567", {}, "#,##0.#", "1,234,567\n", kExitSuccess},
        ResultCase{"True", "5 > 3", {}, DefaultPattern, "TRUE\n", kExitTrue},
        ResultCase{"False", "512 <= 100", {}, DefaultPattern, "FALSE\n", kExitFalse},
        ResultCase{"Text", "'abc' + 'def'", {}, DefaultPattern, "abcdef\n", kExitSuccess},
        ResultCase{"SumOf", "SumOf(1, 5, 11, 22, -3, 6)", {}, DefaultPattern, "42\n", kExitSuccess},
        ResultCase{"Count", "Count(1, 2, 3)", {}, DefaultPattern, "3\n", kExitSuccess},
        ResultCase{"NamesIgnoreCase",
                   "sumof(1.5, 2) + COUNT(7, 8)",
                   {},
                   DefaultPattern,
                   "5.5\n",
                   kExitSuccess},
        ResultCase{
            "SumOfBelowTheRoot", "1 + SumOf(2, 3.5)", {}, DefaultPattern, "6.5\n", kExitSuccess},
        ResultCase{"PercentFloat", "0.5", Percent(), DefaultPattern, "50%\n", kExitSuccess},
        ResultCase{"PercentInteger", "3", Percent(), DefaultPattern, "300%\n", kExitSuccess},
        // 184467440737095517 * 100 wraps around 2^64 to 84.
        ResultCase{"PercentWrapsIntegers", "184467440737095517", Percent(), DefaultPattern, "84%\n",
                   kExitSuccess},
        ResultCase{"PercentSkipsBooleans", "5 > 3", Percent(), DefaultPattern, "TRUE\n", kExitTrue},
        ResultCase{"PercentSkipsText", "'abc'", Percent(), DefaultPattern, "abc\n", kExitSuccess},
        ResultCase{"Binary", "16384", Radix(TRadix::Binary), DefaultPattern, "%100000000000000\n",
                   kExitSuccess},
        ResultCase{"Octal", "-1", Radix(TRadix::Octal), DefaultPattern, "&37777777777\n",
                   kExitSuccess},
        ResultCase{"Hexadecimal", "255", Radix(TRadix::Hexadecimal), DefaultPattern, "0xFF\n",
                   kExitSuccess},
        ResultCase{"RadixOfIntegralFloat", "2 ^ 10", Radix(TRadix::Hexadecimal), DefaultPattern,
                   "0x400\n", kExitSuccess},
        ResultCase{"RadixThenSuffix", "0.5", Radix(TRadix::Hexadecimal, true), DefaultPattern,
                   "0x32%\n", kExitSuccess}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Evaluation, RadixOptionsShapeTheDigits) {
    TEvaluationPlan plan = Radix(TRadix::Hexadecimal);
    plan.NoPrefix = true;
    EXPECT_EQ(Evaluate("255", plan, DefaultPattern, 4, 0).Out, "00FF\n");
    EXPECT_EQ(Evaluate("16384", Radix(TRadix::Binary), DefaultPattern, 0, 2).Out,
              "%1 00 00 00 00 00 00 00\n");
}

TEST(Evaluation, LeavesTheExitCodeOfANumericResultAlone) {
    EXPECT_EQ(Evaluate("1 + 1", {}, DefaultPattern, 0, 0, 7).ExitCode, 7);
    EXPECT_EQ(Evaluate("'a'", {}, DefaultPattern, 0, 0, 7).ExitCode, 7);
}

struct ErrorCase {
    const char* Name;
    std::string Expression;
    TEvaluationPlan Options;
    std::string Pattern;
    std::string Out;
    std::string ErrorText; // after "ERROR!  "
    int ExitCode;
};

class ReportedError : public testing::TestWithParam<ErrorCase> {};

TEST_P(ReportedError, IsWrittenToStandardError) {
    const ErrorCase& c = GetParam();
    const Captured run = Evaluate(c.Expression, c.Options, c.Pattern);
    EXPECT_EQ(run.Out, c.Out);
    EXPECT_EQ(run.Err, "Expression Evaluated: " + c.Expression + "\nERROR!  " + c.ErrorText);
    EXPECT_EQ(run.ExitCode, c.ExitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ReportedError,
    testing::Values(ErrorCase{"IntegerDivision",
                              "1 / 0",
                              {},
                              DefaultPattern,
                              "",
                              "Divide by Zero Error\n",
                              kExitDivideByZero},
                    ErrorCase{"FloatDivision",
                              "1.5 / 0",
                              {},
                              DefaultPattern,
                              "",
                              "Divide by Zero Error\n",
                              kExitDivideByZero},
                    ErrorCase{"DivByZero",
                              "5 div 0",
                              {},
                              DefaultPattern,
                              "",
                              "Divide by Zero Error\n",
                              kExitDivideByZero},
                    ErrorCase{"FloatingPointPole",
                              "0 ^ -1",
                              {},
                              DefaultPattern,
                              "",
                              "Divide by Zero Error\n",
                              kExitDivideByZero},
                    ErrorCase{"NotAValidInteger",
                              "(7.5 div 2) + 1",
                              {},
                              DefaultPattern,
                              "",
                              "Invalid Operator(s) for Integer Division\n",
                              kExitInvalidIntegerDivision},
                    // The runtime's remainder error has a capital D and matches no row.
                    ErrorCase{"ModByZero",
                              "5 mod 0",
                              {},
                              DefaultPattern,
                              "",
                              "Division by zero\n\n",
                              kExitEvaluationError},
                    ErrorCase{"ParseError",
                              "1 +",
                              {},
                              DefaultPattern,
                              "",
                              "Unexpected end of expression\n\n",
                              kExitEvaluationError},
                    ErrorCase{"UnknownIdentifier",
                              "K + 10240",
                              {},
                              DefaultPattern,
                              "",
                              "Unknown identifier: K\n\n",
                              kExitEvaluationError},
                    ErrorCase{"EmptyExpression",
                              "",
                              {},
                              DefaultPattern,
                              "",
                              "Cannot evaluate: empty expression\n\n",
                              kExitEvaluationError},
                    ErrorCase{"RadixOfFraction", "10 / 4", Radix(TRadix::Hexadecimal),
                              DefaultPattern, "", "\"2.5\" is an invalid integer\n\n",
                              kExitEvaluationError},
                    ErrorCase{"RadixOfGroupedDigits", "1024", Radix(TRadix::Binary), "#,##0.#", "",
                              "\"1,024\" is an invalid integer\n\n", kExitEvaluationError},
                    // The truth word is already out when the radix renderer fails.
                    ErrorCase{"RadixOfBoolean", "5 > 3", Radix(TRadix::Binary), DefaultPattern,
                              "TRUE", "\"\" is an invalid integer\n\n", kExitEvaluationError},
                    ErrorCase{"RadixOfText", "'abc'", Radix(TRadix::Octal), DefaultPattern, "",
                              "\"abc\" is an invalid integer\n\n", kExitEvaluationError},
                    ErrorCase{"InvalidPattern",
                              "5",
                              {},
                              "0;0;0;0;0",
                              "",
                              "Invalid float format\n\n",
                              kExitEvaluationError},
                    ErrorCase{"PercentOverflow", "1e308", Percent(), DefaultPattern, "",
                              "Floating point overflow\n\n", kExitEvaluationError},
                    // Words of the special errors inside the user's own text decide
                    // nothing: each error is reported as what it is.
                    ErrorCase{"TypeMismatchQuotingTheWords",
                              "'not a valid integer' + 1",
                              {},
                              DefaultPattern,
                              "",
                              "Type mismatch: rtString<>rtInteger for expressions \"'not a valid "
                              "integer'\" and \"1\".\n\n",
                              kExitEvaluationError},
                    ErrorCase{"TypeMismatchQuotingBothPhrases",
                              "'division by zero, not a valid integer' * 2",
                              {},
                              DefaultPattern,
                              "",
                              "Node type (rtString) not in allowed types "
                              "(rtInteger,rtFloat,rtCurrency) for expression: 'division by zero, "
                              "not a valid integer'\n\n",
                              kExitEvaluationError},
                    ErrorCase{"RadixOfTextHoldingTheWords", "'a division by zero'",
                              Radix(TRadix::Hexadecimal), DefaultPattern, "",
                              "\"a division by zero\" is an invalid integer\n\n",
                              kExitEvaluationError},
                    ErrorCase{"SumOfOverflow",
                              "SumOf(1e308, 1e308)",
                              {},
                              DefaultPattern,
                              "",
                              "Floating point overflow\n\n",
                              kExitEvaluationError}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every message table of the program, as the error classes must know them.
const std::vector<std::span<const formatting::TResourceString>> AllTables = {
    formatting::kFormattingStrings, engine::kExprParsStrings, engine::kExprBuiltinsStrings,
    cmdline::kCorvaneCoreStrings, kOrvexStrings};

// How errors were once told apart: by searching the rendered message for
// fixed words. Every row that matches writes its text; the last sets the code.
TErrorClass ClassByWords(const std::string& message, int& matches) {
    constexpr std::pair<std::string_view, TErrorClass> rows[] = {
        {"division by zero", {"Divide by Zero Error", kExitDivideByZero}},
        {"not a valid integer",
         {"Invalid Operator(s) for Integer Division", kExitInvalidIntegerDivision}},
    };
    TErrorClass found{"", kExitEvaluationError};
    matches = 0;
    for (const auto& [key, errorClass] : rows) {
        if (message.find(key) != std::string::npos) {
            found = errorClass;
            ++matches;
        }
    }
    return found;
}

// For a message the user cannot influence, the identifier gives the class
// its words gave: each text rendered with neutral arguments.
TEST(ErrorClasses, AgreeWithTheWordsOfEveryMessage) {
    int special = 0;
    for (const auto table : AllTables) {
        for (const formatting::TResourceString& entry : table) {
            SCOPED_TRACE(entry.Id);
            const std::string message =
                formatting::FormatResString(entry.Text, {"x", "x", "x", "x", "x"});
            int matches = 0;
            const TErrorClass byWords = ClassByWords(message, matches);
            const TErrorClass byIdentifier = ClassifyError(entry.Id);
            EXPECT_LE(matches, 1);
            EXPECT_EQ(byIdentifier.Text, byWords.Text);
            EXPECT_EQ(byIdentifier.ExitCode, byWords.ExitCode);
            special += matches;
        }
    }
    // The engine's two division errors and the floating-point pole.
    EXPECT_EQ(special, 3);
    EXPECT_EQ(ClassifyError("").ExitCode, 80);
}

// The lookup finds the first entry of an identifier, so a repeated one
// would hide its second text; each belongs to the unit its table names.
TEST(ErrorClasses, ResourceIdentifiersAreUniqueAndNameTheirUnit) {
    std::set<std::string_view> seen;
    for (const auto table : AllTables) {
        const std::string_view unit = table.front().Id.substr(0, table.front().Id.find('.') + 1);
        for (const formatting::TResourceString& entry : table) {
            EXPECT_TRUE(seen.insert(entry.Id).second) << entry.Id;
            EXPECT_TRUE(entry.Id.starts_with(unit)) << entry.Id;
            EXPECT_FALSE(entry.Text.empty()) << entry.Id;
        }
    }
}

TEST(Evaluation, ShownExpressionIsNotRepeatedOnStandardError) {
    TEvaluationPlan plan;
    plan.ShowExpression = true;
    const Captured run = Evaluate("1 / 0", plan);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "ERROR!  Divide by Zero Error\n");
    EXPECT_EQ(run.ExitCode, kExitDivideByZero);
}

TEST(Evaluation, ExpressionLine) {
    cmdline::TStringSink out;
    WriteExpressionLine(out, "1 + 2");
    EXPECT_EQ(out.Text(), "Expression Evaluated: 1 + 2\n");
}

} // namespace
} // namespace orvex::frontend
