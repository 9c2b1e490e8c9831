#include "exprengine/const_node.h"

#include "exprengine/engine_settings.h"
#include "formatting/date_time.h"
#include "formatting/number_text.h"

namespace orvex::engine {

std::unique_ptr<TConstExpression> TConstExpression::CreateString(std::string value) {
    return std::make_unique<TConstExpression>(TExpressionResult::String(std::move(value)));
}

std::unique_ptr<TConstExpression> TConstExpression::CreateInteger(std::int64_t value) {
    return std::make_unique<TConstExpression>(TExpressionResult::Integer(value));
}

std::unique_ptr<TConstExpression> TConstExpression::CreateFloat(double value) {
    return std::make_unique<TConstExpression>(TExpressionResult::Float(value));
}

std::unique_ptr<TConstExpression> TConstExpression::CreateBoolean(bool value) {
    return std::make_unique<TConstExpression>(TExpressionResult::Boolean(value));
}

std::string FloatConstantText(double value) {
    return formatting::ScientificText(value, EngineFormatSettings());
}

std::string CurrencyConstantText(std::int64_t scaled) {
    const std::uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text.append(".").append(fraction);
    return text;
}

namespace {
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append("'").append(text).append("'");
    return quoted;
}
} // namespace

std::string TConstExpression::AsText() const {
    switch (value_.ValueType) {
    case rtBoolean:
        return value_.BooleanValue() ? "True" : "False";
    case rtInteger:
        return std::to_string(value_.IntegerValue());
    case rtFloat:
        return FloatConstantText(value_.FloatValue());
    case rtDateTime:
        return Quoted(
            formatting::FormatDateTime("cccc", value_.DateTimeValue(), EngineFormatSettings()));
    case rtString:
        return Quoted(value_.StringValue);
    case rtCurrency:
        return CurrencyConstantText(value_.CurrencyValue());
    }
    return {};
}

} // namespace orvex::engine
