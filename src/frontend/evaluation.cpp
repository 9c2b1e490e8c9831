#include "frontend/evaluation.h"

#include "exprengine/builtin_category.h"
#include "exprengine/expression_result.h"
#include "exprengine/messages.h"
#include "exprengine/parser.h"
#include "formatting/error.h"
#include "formatting/number_pattern.h"
#include "formatting/number_text.h"
#include "frontend/radix.h"

#include <string_view>

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

constexpr std::string_view DivideByZeroText = "Divide by Zero Error";
constexpr std::string_view IntegerDivisionText = "Invalid Operator(s) for Integer Division";

constexpr TErrorRow ErrorTable[] = {
    {engine::msg::SErrDivisionByZero.Id, DivideByZeroText, 81},
    {formatting::FormattingString("formatting.szerodivide").Id, DivideByZeroText, 81},
    {engine::msg::SErrInvalidInteger.Id, IntegerDivisionText, 82},
};

constexpr int OtherErrorExitCode = 80;
constexpr int TrueExitCode = -1;
constexpr int FalseExitCode = -2;

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

// Renders the result by its type. A boolean writes its truth word at once
// and sets the exit code.
TOutput RenderResult(const engine::TExpressionResult& result, const std::string& numberPattern,
                     const TRenderOptions& options, const formatting::TFormatSettings& settings,
                     cmdline::TTextSink& out, int& exitCode) {
    switch (result.ValueType) {
    case engine::rtBoolean:
        out << (result.BooleanValue() ? "TRUE" : "FALSE");
        exitCode = result.BooleanValue() ? TrueExitCode : FalseExitCode;
        return {"", false};
    case engine::rtInteger: {
        const std::int64_t product = WrappingProduct(result.IntegerValue(), options.Multiplier);
        return {formatting::FormatIntegerWithPattern(numberPattern, product, settings)};
    }
    case engine::rtFloat: {
        const double value = result.FloatValue();
        const double multiplier = options.Multiplier;
        const double product = formatting::CheckFloat(value * multiplier, value, multiplier);
        return {formatting::FormatWithPattern(numberPattern, product, settings)};
    }
    case engine::rtString:
        return {result.StringValue, false};
    case engine::rtDateTime:
        // Not produced by the enabled functions; shown as a bare real number.
        out << formatting::ScientificText(result.DateTimeValue(), settings);
        return {};
    case engine::rtCurrency:
        return {};
    }
    return {};
}

std::string InRadixes(std::string text, std::uint16_t minimumLength, std::uint16_t blockSize,
                      const TRenderOptions& options) {
    if (options.Binary)
        text = ToRadix(text, 2, minimumLength, blockSize, options.NoPrefix);
    if (options.Octal)
        text = ToRadix(text, 8, minimumLength, blockSize, options.NoPrefix);
    if (options.Hexadecimal)
        text = ToRadix(text, 16, minimumLength, blockSize, options.NoPrefix);
    return text;
}

int ReportError(const formatting::Error& error, const std::string& expression,
                const TRenderOptions& options, cmdline::TTextSink& err) {
    if (!options.ShowExpression)
        WriteExpressionLine(err, expression);
    err << "ERROR!  ";
    if (const TErrorClass special = ClassifyError(error.ResourceId()); !special.Text.empty()) {
        err << special.Text << '\n';
        return special.ExitCode;
    }
    // The message line is followed by an empty line.
    err << cmdline::Printable(error.Message()) << '\n' << '\n';
    return OtherErrorExitCode;
}

} // namespace

TErrorClass ClassifyError(std::string_view resourceId) {
    for (const TErrorRow& row : ErrorTable)
        if (row.ResourceId == resourceId)
            return {row.Text, row.ExitCode};
    return {"", OtherErrorExitCode};
}

void WriteExpressionLine(cmdline::TTextSink& out, const std::string& expression) {
    out << "Expression Evaluated: " << cmdline::Printable(expression) << '\n';
}

int EvaluateAndPrint(const std::string& expression, std::uint16_t minimumLength,
                     std::uint16_t blockSize, const std::string& numberPattern,
                     const TRenderOptions& options, const formatting::TFormatSettings& settings,
                     cmdline::TTextSink& out, cmdline::TTextSink& err, int exitCode) {
    try {
        engine::TExpressionParser parser;
        parser.Identifiers().AddFunction("SumOf", 'F', "F+", &SumOf);
        parser.Identifiers().AddFunction("Count", 'I', "F+", &Count);
        parser.SetBuiltIns(engine::TBuiltInCategories{engine::bcMath, engine::bcBoolean});
        parser.SetExpression(expression);
        const engine::TExpressionResult result = parser.Evaluate();

        TOutput output = RenderResult(result, numberPattern, options, settings, out, exitCode);
        output.Text = InRadixes(std::move(output.Text), minimumLength, blockSize, options);
        out << output.Text;
        if (output.Numeric)
            out << options.ResultSuffix;
        out << '\n';
        return exitCode;
    } catch (const formatting::Error& error) {
        return ReportError(error, expression, options, err);
    }
}

} // namespace orvex::frontend
