#include "exprengine/boolean_nodes.h"

#include "exprengine/errors.h"

namespace orvex::engine {
namespace {

constexpr TResultTypes kLogical{rtBoolean, rtInteger};

// Applies the operation by the left value's type; any other type (possible
// only below the root) leaves the left value unchanged.
template <typename BoolOp, typename IntOp>
void CombineLogical(TExpressionResult& result, const TExpressionResult& right, BoolOp onBooleans,
                    IntOp onIntegers) {
    if (result.ValueType == rtBoolean)
        result.SetBooleanValue(onBooleans(result.BooleanValue(), right.BooleanValue()));
    else if (result.ValueType == rtInteger)
        result.SetIntegerValue(onIntegers(result.IntegerValue(), right.IntegerValue()));
}

} // namespace

void TBooleanOperation::Check() {
    TBinaryOperation::Check();
    RequireNodeType(Left(), kLogical);
    RequireNodeType(Right(), kLogical);
    RequireSameTypes();
}

void TBinaryAndOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    CombineLogical(
        result, right, [](bool a, bool b) { return a && b; },
        [](std::int64_t a, std::int64_t b) { return a & b; });
    result.ValueType = NodeResultType();
}

void TBinaryOrOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    CombineLogical(
        result, right, [](bool a, bool b) { return a || b; },
        [](std::int64_t a, std::int64_t b) { return a | b; });
    result.ValueType = NodeResultType();
}

void TBinaryXOrOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    CombineLogical(
        result, right, [](bool a, bool b) { return a != b; },
        [](std::int64_t a, std::int64_t b) { return a ^ b; });
    result.ValueType = NodeResultType();
}

void TNotNode::Check() {
    TUnaryOperator::Check();
    const TResultType type = OperandType();
    if (type != rtBoolean && type != rtInteger)
        RaiseParserError(msg::SErrNoNotOperation, {TypeNameOf(type), Operand()->AsText()});
}

void TNotNode::CompleteValue(TExpressionResult& result) {
    if (result.ValueType == rtBoolean)
        result.SetBooleanValue(!result.BooleanValue());
    else if (result.ValueType == rtInteger)
        result.SetIntegerValue(~result.IntegerValue());
    result.ValueType = NodeResultType();
}

// Compiled form: booleans logically, integers bit by bit, any other left
// value passes unchanged.
namespace {

TOpCode LogicalOperation(TResultType left, TOpCode onBooleans, TOpCode onIntegers) {
    if (left == rtBoolean)
        return onBooleans;
    return left == rtInteger ? onIntegers : TOpCode::Alias;
}

} // namespace

TOpCode TBinaryAndOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return LogicalOperation(left, TOpCode::AndB, TOpCode::AndI);
}

TOpCode TBinaryOrOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return LogicalOperation(left, TOpCode::OrB, TOpCode::OrI);
}

TOpCode TBinaryXOrOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return LogicalOperation(left, TOpCode::XorB, TOpCode::XorI);
}

TOpCode TNotNode::FastComplete(TResultType operand) const {
    return LogicalOperation(operand, TOpCode::NotB, TOpCode::NotI);
}

} // namespace orvex::engine
