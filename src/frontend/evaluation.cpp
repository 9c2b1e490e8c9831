#include "frontend/evaluation.h"

#include "exprengine/builtin_category.h"
#include "exprengine/expression_result.h"
#include "exprengine/messages.h"
#include "exprengine/parser.h"
#include "formatting/error.h"
#include "formatting/number_pattern.h"
#include "formatting/number_text.h"
#include "frontend/exit_codes.h"
#include "frontend/radix.h"

#include <string_view>
#include <utility>

namespace orvex::frontend {

namespace {

// Errors raised with one of these texts get a fixed text and their own exit
// code; every other error is shown in its own words with code 80. The rows
// name resource identifiers rather than words of the message, because a
// message may quote the user's expression.
struct TErrorRow {
    std::string_view ResourceId;
    std::string_view Text;
    int ExitCode;
};

constexpr std::string_view kDivideByZeroText = "Divide by Zero Error";
constexpr std::string_view kIntegerDivisionText = "Invalid Operator(s) for Integer Division";

constexpr TErrorRow kErrorTable[] = {
    {engine::msg::SErrDivisionByZero.Id, kDivideByZeroText, kExitDivideByZero},
    {formatting::FormattingString("formatting.szerodivide").Id, kDivideByZeroText,
     kExitDivideByZero},
    {engine::msg::SErrInvalidInteger.Id, kIntegerDivisionText, kExitInvalidIntegerDivision},
};

// SumOf: the arguments as doubles, added left to right from 0.0. Nested
// calls receive their arguments unconverted, hence ArgToFloat.
void SumOf(engine::TExpressionResult& result, const engine::TExprParameterArray& args) {
    double sum = 0.0;
    for (const engine::TExpressionResult& arg : args) {
        const double value = engine::ArgToFloat(arg);
        sum = formatting::CheckFloat(sum + value, sum, value);
    }
    result.SetFloatValue(sum);
}

void Count(engine::TExpressionResult& result, const engine::TExprParameterArray& args) {
    result.SetIntegerValue(static_cast<std::int64_t>(args.size()));
}

// The result as text, and whether the percent suffix belongs after it.
struct TOutput {
    std::string Text;
    bool Numeric = true;
};

std::int64_t WrappingProduct(std::int64_t value, std::int32_t multiplier) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) *
                                     static_cast<std::uint64_t>(std::int64_t{multiplier}));
}

// What a result writes at once, before its text is made: a boolean its
// truth word, a date-time (not produced by the enabled functions) its value
// as a bare real number. Both leave an empty text for the radix step, which
// can still fail after them. Returns the exit code a truth word sets, else
// `exitCode`.
int WriteImmediatePart(const engine::TExpressionResult& result,
                       const formatting::TFormatSettings& settings, cmdline::TTextSink& out,
                       int exitCode) {
    if (result.ValueType == engine::rtDateTime)
        out << formatting::ScientificText(result.DateTimeValue(), settings);
    if (result.ValueType != engine::rtBoolean)
        return exitCode;
    out << (result.BooleanValue() ? "TRUE" : "FALSE");
    return result.BooleanValue() ? kExitTrue : kExitFalse;
}

// The result's text by its type, before the radix step; writes nothing.
TOutput ResultText(const engine::TExpressionResult& result, const TEvaluationPlan& plan,
                   const formatting::TFormatSettings& settings) {
    switch (result.ValueType) {
    case engine::rtBoolean:
        return {"", false};
    case engine::rtInteger: {
        const std::int64_t product = WrappingProduct(result.IntegerValue(), plan.Multiplier);
        return {formatting::FormatIntegerWithPattern(plan.NumberPattern, product, settings)};
    }
    case engine::rtFloat: {
        const double value = result.FloatValue();
        const double multiplier = plan.Multiplier;
        const double product = formatting::CheckFloat(value * multiplier, value, multiplier);
        return {formatting::FormatWithPattern(plan.NumberPattern, product, settings)};
    }
    case engine::rtString:
        return {result.StringValue, false};
    case engine::rtDateTime:
    case engine::rtCurrency:
        return {};
    }
    return {};
}

// Every result type goes through the radix step when one was chosen, so a
// truth word or a text fails there as not being an integer.
std::string InRadix(std::string text, const TEvaluationPlan& plan) {
    if (plan.Radix == TRadix::Decimal)
        return text;
    return ToRadix(text, static_cast<int>(plan.Radix), plan.MinLength, plan.BlockSize,
                   plan.NoPrefix);
}

int ReportError(const formatting::Error& error, const std::string& expression,
                const TEvaluationPlan& plan, cmdline::TTextSink& err) {
    if (!plan.ShowExpression)
        WriteExpressionLine(err, expression);
    err << "ERROR!  ";
    if (const TErrorClass special = ClassifyError(error.ResourceId()); !special.Text.empty()) {
        err << special.Text << '\n';
        return special.ExitCode;
    }
    // The message line is followed by an empty line.
    err << cmdline::Printable(error.Message()) << '\n' << '\n';
    return kExitEvaluationError;
}

} // namespace

TErrorClass ClassifyError(std::string_view resourceId) {
    for (const TErrorRow& row : kErrorTable)
        if (row.ResourceId == resourceId)
            return {row.Text, row.ExitCode};
    return {"", kExitEvaluationError};
}

void WriteExpressionLine(cmdline::TTextSink& out, const std::string& expression) {
    out << "Expression Evaluated: " << cmdline::Printable(expression) << '\n';
}

int EvaluateAndPrint(const std::string& expression, const TEvaluationPlan& plan,
                     const formatting::TFormatSettings& settings, cmdline::TTextSink& out,
                     cmdline::TTextSink& err, int exitCode) {
    try {
        engine::TExpressionParser parser;
        parser.Identifiers().AddFunction("SumOf", 'F', "F+", &SumOf);
        parser.Identifiers().AddFunction("Count", 'I', "F+", &Count);
        parser.SetBuiltIns(engine::TBuiltInCategories{engine::bcMath, engine::bcBoolean});
        parser.SetExpression(expression);
        const engine::TExpressionResult result = parser.Evaluate();

        exitCode = WriteImmediatePart(result, settings, out, exitCode);
        TOutput output = ResultText(result, plan, settings);
        out << InRadix(std::move(output.Text), plan);
        if (output.Numeric)
            out << plan.ResultSuffix;
        out << '\n';
        return exitCode;
    } catch (const formatting::Error& error) {
        return ReportError(error, expression, plan, err);
    }
}

} // namespace orvex::frontend
