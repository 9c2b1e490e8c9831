#include "exprengine/expression_result.h"

#include <utility>

namespace orvex::engine {

TExpressionResult TExpressionResult::Boolean(bool value) {
    TExpressionResult result;
    result.ValueType = rtBoolean;
    result.SetBooleanValue(value);
    return result;
}

TExpressionResult TExpressionResult::Integer(std::int64_t value) {
    TExpressionResult result;
    result.ValueType = rtInteger;
    result.SetIntegerValue(value);
    return result;
}

TExpressionResult TExpressionResult::Float(double value) {
    TExpressionResult result;
    result.ValueType = rtFloat;
    result.SetFloatValue(value);
    return result;
}

TExpressionResult TExpressionResult::DateTime(double value) {
    TExpressionResult result;
    result.ValueType = rtDateTime;
    result.SetDateTimeValue(value);
    return result;
}

TExpressionResult TExpressionResult::String(std::string value) {
    TExpressionResult result;
    result.ValueType = rtString;
    result.StringValue = std::move(value);
    return result;
}

TExpressionResult TExpressionResult::Currency(std::int64_t scaled) {
    TExpressionResult result;
    result.ValueType = rtCurrency;
    result.SetCurrencyValue(scaled);
    return result;
}

double ArgToFloat(const TExpressionResult& value) {
    switch (value.ValueType) {
    case rtInteger:
        return static_cast<double>(value.IntegerValue());
    case rtCurrency:
        return static_cast<double>(value.CurrencyValue()) / 10000.0;
    default:
        return value.FloatValue();
    }
}

} // namespace orvex::engine
