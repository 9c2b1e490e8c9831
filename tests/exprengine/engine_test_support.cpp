#include "engine_test_support.h"

#include "exprengine/const_node.h"
#include "formatting/error.h"

#include <charconv>
#include <ostream>

namespace orvex::engine::test {

namespace {
std::string Shortest(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}
} // namespace

std::string Show(const TExpressionResult& result) {
    switch (result.ValueType) {
    case rtBoolean:
        return result.BooleanValue() ? "B:true" : "B:false";
    case rtInteger:
        return "I:" + std::to_string(result.IntegerValue());
    case rtFloat:
        return "F:" + Shortest(result.FloatValue());
    case rtDateTime:
        return "D:" + Shortest(result.DateTimeValue());
    case rtString:
        return "S:" + result.StringValue;
    case rtCurrency:
        return "C:" + CurrencyConstantText(result.CurrencyValue());
    }
    return "?";
}

std::string Outcome(std::string_view text, const std::function<void(TExpressionParser&)>& prepare) {
    try {
        TExpressionParser parser;
        if (prepare)
            prepare(parser);
        parser.SetExpression(text);
        return Show(parser.Evaluate());
    } catch (const formatting::Error& error) {
        return "E:" + error.Message();
    }
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const formatting::Error& error) {
        return error.Message();
    }
    return "(no error)";
}

void PrintTo(const TOutcomeCase& outcomeCase, std::ostream* out) {
    *out << '"' << outcomeCase.text << "\" -> " << outcomeCase.outcome;
}

} // namespace orvex::engine::test
