#include "exprengine/comparison_nodes.h"

namespace orvex::engine {
namespace {

constexpr TResultTypes kOrdered{rtInteger, rtFloat, rtDateTime, rtString, rtCurrency};

// first < second by the first value's type. Texts compare as unsigned bytes;
// a boolean is not compared: the first boolean is the answer.
bool Less(const TExpressionResult& first, const TExpressionResult& second) {
    switch (first.ValueType) {
    case rtInteger:
    case rtCurrency:
        return first.IntegerValue() < second.IntegerValue();
    case rtFloat:
    case rtDateTime:
        return first.FloatValue() < second.FloatValue();
    case rtString:
        return first.StringValue.compare(second.StringValue) < 0;
    case rtBoolean:
        return first.BooleanValue();
    }
    return false;
}

bool Greater(const TExpressionResult& first, const TExpressionResult& second) {
    switch (first.ValueType) {
    case rtInteger:
    case rtCurrency:
        return first.IntegerValue() > second.IntegerValue();
    case rtFloat:
    case rtDateTime:
        return first.FloatValue() > second.FloatValue();
    case rtString:
        return first.StringValue.compare(second.StringValue) > 0;
    case rtBoolean:
        return first.BooleanValue();
    }
    return false;
}

void SetBoolean(TExpressionResult& result, bool value) {
    result.SetBooleanValue(value);
    result.ValueType = rtBoolean;
}

} // namespace

bool SameValue(const TExpressionResult& first, const TExpressionResult& second) {
    switch (first.ValueType) {
    case rtBoolean:
        return first.BooleanValue() == second.BooleanValue();
    case rtInteger:
    case rtCurrency:
        return first.IntegerValue() == second.IntegerValue();
    case rtFloat:
    case rtDateTime:
        return first.FloatValue() == second.FloatValue();
    case rtString:
        return first.StringValue == second.StringValue;
    }
    return false;
}

void TBooleanResultOperation::Check() {
    TBinaryOperation::Check();
    RequireSameTypes();
}

void TEqualOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    SetBoolean(result, SameValue(result, right));
}

void TUnequalOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    SetBoolean(result, !SameValue(result, right));
}

void TOrderingOperation::Check() {
    RequireNodeType(Left(), kOrdered);
    RequireNodeType(Right(), kOrdered);
    TBooleanResultOperation::Check();
}

void TLessThanOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    SetBoolean(result, Less(result, right));
}

void TGreaterThanEqualOperation::Combine(TExpressionResult& result,
                                         const TExpressionResult& right) {
    SetBoolean(result, !Less(result, right));
}

void TGreaterThanOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    SetBoolean(result, Greater(result, right));
}

void TLessThanEqualOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    SetBoolean(result, !Greater(result, right));
}

// Compiled form, by the left value's type as the tree compares; texts and
// the boolean cases of the orderings run the tree's code.
namespace {

TOpCode Comparison(TResultType left, TOpCode onIntegers, TOpCode onDoubles) {
    if (left == rtInteger || left == rtCurrency)
        return onIntegers;
    if (left == rtFloat || left == rtDateTime)
        return onDoubles;
    return TOpCode::Generic;
}

} // namespace

TOpCode TEqualOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return left == rtBoolean ? TOpCode::EqB : Comparison(left, TOpCode::EqI, TOpCode::EqF);
}

TOpCode TUnequalOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return left == rtBoolean ? TOpCode::NeB : Comparison(left, TOpCode::NeI, TOpCode::NeF);
}

TOpCode TLessThanOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return Comparison(left, TOpCode::LtI, TOpCode::LtF);
}

TOpCode TGreaterThanEqualOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return Comparison(left, TOpCode::GeI, TOpCode::GeF);
}

TOpCode TGreaterThanOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return Comparison(left, TOpCode::GtI, TOpCode::GtF);
}

TOpCode TLessThanEqualOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return Comparison(left, TOpCode::LeI, TOpCode::LeF);
}

} // namespace orvex::engine
