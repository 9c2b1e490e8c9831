#include "exprengine/convert_nodes.h"

#include "exprengine/arithmetic.h"

namespace orvex::engine {

void TIntConvertNode::Check() {
    TUnaryOperator::Check();
    RequireNodeType(Operand(), {rtInteger});
}

void TIntToFloatNode::CompleteValue(TExpressionResult& result) {
    result.SetFloatValue(static_cast<double>(result.IntegerValue()));
    result.ValueType = rtFloat;
}

void TIntToCurrencyNode::CompleteValue(TExpressionResult& result) {
    result.SetCurrencyValue(WrapMultiply(result.IntegerValue(), 10000));
    result.ValueType = rtCurrency;
}

void TIntToDateTimeNode::CompleteValue(TExpressionResult& result) {
    result.SetDateTimeValue(static_cast<double>(result.IntegerValue()));
    result.ValueType = rtDateTime;
}

void TFloatToDateTimeNode::Check() {
    RequireNodeType(Operand(), {rtFloat});
}

void TFloatToDateTimeNode::CompleteValue(TExpressionResult& result) {
    result.ValueType = rtDateTime; // same double, only the type changes
}

void TFloatToCurrencyNode::Check() {
    RequireNodeType(Operand(), {rtFloat});
}

void TFloatToCurrencyNode::CompleteValue(TExpressionResult& result) {
    result.SetCurrencyValue(FloatToCurrency(result.FloatValue()));
    result.ValueType = rtCurrency;
}

void TCurrencyToDateTimeNode::Check() {
    RequireNodeType(Operand(), {rtCurrency});
}

void TCurrencyToDateTimeNode::CompleteValue(TExpressionResult& result) {
    result.SetDateTimeValue(static_cast<double>(result.CurrencyValue()) / 10000.0);
    result.ValueType = rtDateTime;
}

void TCurrencyToFloatNode::Check() {
    RequireNodeType(Operand(), {rtCurrency});
}

void TCurrencyToFloatNode::CompleteValue(TExpressionResult& result) {
    result.SetFloatValue(static_cast<double>(result.CurrencyValue()) / 10000.0);
    result.ValueType = rtFloat;
}

// The conversions read the payload whatever the operand's type, as the
// tree's do.
TOpCode TIntToFloatNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::IntToF;
}

TOpCode TIntToCurrencyNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::IntToC;
}

TOpCode TIntToDateTimeNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::IntToF; // the same double
}

TOpCode TFloatToDateTimeNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::Alias; // only the type changes
}

TOpCode TFloatToCurrencyNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::FToC;
}

TOpCode TCurrencyToDateTimeNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::CToF; // the same double
}

TOpCode TCurrencyToFloatNode::FastComplete(TResultType /*operand*/) const {
    return TOpCode::CToF;
}

TExprNodePtr ConvertTo(TExprNodePtr node, TResultType target) {
    if (!node)
        return node;
    switch (node->NodeResultType()) {
    case rtInteger:
        if (target == rtFloat)
            return std::make_unique<TIntToFloatNode>(std::move(node));
        if (target == rtDateTime)
            return std::make_unique<TIntToDateTimeNode>(std::move(node));
        if (target == rtCurrency)
            return std::make_unique<TIntToCurrencyNode>(std::move(node));
        break;
    case rtFloat:
        if (target == rtDateTime)
            return std::make_unique<TFloatToDateTimeNode>(std::move(node));
        if (target == rtCurrency)
            return std::make_unique<TFloatToCurrencyNode>(std::move(node));
        break;
    case rtCurrency:
        if (target == rtFloat)
            return std::make_unique<TCurrencyToFloatNode>(std::move(node));
        if (target == rtDateTime)
            return std::make_unique<TCurrencyToDateTimeNode>(std::move(node));
        break;
    default:
        break;
    }
    return node;
}

} // namespace orvex::engine
