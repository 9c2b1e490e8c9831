#include "exprengine/math_nodes.h"

#include "exprengine/arithmetic.h"
#include "exprengine/errors.h"
#include "formatting/error.h"
#include "formatting/text.h"

#include <cmath>

namespace orvex::engine {
namespace {

using formatting::CheckFloat;

constexpr TResultTypes kAllButBoolean{rtInteger, rtFloat, rtDateTime, rtString, rtCurrency};
constexpr TResultTypes kNumeric{rtInteger, rtFloat, rtDateTime, rtCurrency};
constexpr TResultTypes kMultiplicative{rtInteger, rtFloat, rtCurrency};
constexpr TResultTypes kIntegerOnly{rtInteger};

[[noreturn]] void RaiseDivisionByZero(TResultType type) {
    RaiseParserError(msg::SErrDivisionByZero, {TypeNameOf(type)});
}

// "div" and "mod" need an integer left value; below the root, where no check
// ran, another type can arrive.
void RequireIntegerValue(const TExpressionResult& value) {
    if (value.ValueType != rtInteger)
        RaiseParserError(msg::SErrInvalidInteger, {TypeNameOf(value.ValueType)});
}

} // namespace

void TMathOperation::Check() {
    TBinaryOperation::Check();
    RequireNodeType(Left(), kAllButBoolean);
    RequireNodeType(Right(), kAllButBoolean);
    RequireSameTypes();
}

void TMathOperation::RequireOperandTypes(TResultTypes allowed) const {
    RequireNodeType(Left(), allowed);
    RequireNodeType(Right(), allowed);
}

// Below the root, a boolean left value (and for the operators that take no
// text, a text left value) passes through unchanged.
void TAddOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    switch (result.ValueType) {
    case rtInteger:
    case rtCurrency:
        result.SetIntegerValue(WrapAdd(result.IntegerValue(), right.IntegerValue()));
        break;
    case rtFloat:
    case rtDateTime: {
        const double left = result.FloatValue();
        result.SetFloatValue(CheckFloat(left + right.FloatValue(), left, right.FloatValue()));
        break;
    }
    case rtString:
        result.StringValue += right.StringValue;
        break;
    case rtBoolean:
        break;
    }
    result.ValueType = NodeResultType();
}

void TSubtractOperation::Check() {
    RequireOperandTypes(kNumeric);
    TMathOperation::Check();
}

void TSubtractOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    switch (result.ValueType) {
    case rtInteger:
    case rtCurrency:
        result.SetIntegerValue(WrapSubtract(result.IntegerValue(), right.IntegerValue()));
        break;
    case rtFloat:
    case rtDateTime: {
        const double left = result.FloatValue();
        result.SetFloatValue(CheckFloat(left - right.FloatValue(), left, right.FloatValue()));
        break;
    }
    default:
        break;
    }
    result.ValueType = NodeResultType();
}

void TMultiplyOperation::Check() {
    RequireOperandTypes(kMultiplicative);
    TMathOperation::Check();
}

void TMultiplyOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    switch (result.ValueType) {
    case rtInteger:
        result.SetIntegerValue(WrapMultiply(result.IntegerValue(), right.IntegerValue()));
        break;
    case rtCurrency:
        // Both amounts are scaled by 10000, so the product is scaled twice.
        result.SetCurrencyValue(WrapMultiply(result.CurrencyValue(), right.CurrencyValue()) /
                                10000);
        break;
    case rtFloat:
    case rtDateTime: {
        const double left = result.FloatValue();
        result.SetFloatValue(CheckFloat(left * right.FloatValue(), left, right.FloatValue()));
        break;
    }
    default:
        break;
    }
    result.ValueType = NodeResultType();
}

void TDivideOperation::Check() {
    RequireOperandTypes(kMultiplicative);
    TMathOperation::Check();
}

TResultType TDivideOperation::NodeResultType() const {
    return LeftType() == rtCurrency && RightType() == rtCurrency ? rtCurrency : rtFloat;
}

void TDivideOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    switch (result.ValueType) {
    case rtInteger: {
        if (right.IntegerValue() == 0)
            RaiseDivisionByZero(rtInteger);
        result.SetFloatValue(static_cast<double>(result.IntegerValue()) /
                             static_cast<double>(right.IntegerValue()));
        break;
    }
    case rtFloat:
    case rtDateTime: {
        const double divisor = right.FloatValue();
        if (divisor == 0.0) // both zeros; a NaN divisor is not zero
            RaiseDivisionByZero(result.ValueType);
        const double left = result.FloatValue();
        result.SetFloatValue(CheckFloat(left / divisor, left, divisor));
        break;
    }
    case rtCurrency: {
        if (right.CurrencyValue() == 0)
            RaiseDivisionByZero(rtCurrency);
        const double quotient = static_cast<double>(result.CurrencyValue()) /
                                static_cast<double>(right.CurrencyValue());
        result.SetCurrencyValue(FloatToCurrency(quotient));
        break;
    }
    default:
        break;
    }
    result.ValueType = NodeResultType();
}

void TIntDivOperation::Check() {
    RequireOperandTypes(kIntegerOnly);
    TMathOperation::Check();
}

void TIntDivOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    RequireIntegerValue(result);
    if (right.IntegerValue() == 0)
        RaiseDivisionByZero(rtInteger);
    // Computed in double: beyond 2^53 the result follows the double quotient,
    // and a quotient outside 64 bits is an invalid operation.
    const double quotient =
        static_cast<double>(result.IntegerValue()) / static_cast<double>(right.IntegerValue());
    result.SetIntegerValue(formatting::CheckedToInt64(std::trunc(quotient)));
    result.ValueType = rtInteger;
}

void TModuloOperation::Check() {
    RequireOperandTypes(kIntegerOnly);
    TMathOperation::Check();
}

void TModuloOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    RequireIntegerValue(result);
    result.SetIntegerValue(IntegerModulo(result.IntegerValue(), right.IntegerValue()));
    result.ValueType = rtInteger;
}

void TPowerOperation::Check() {
    RequireOperandTypes(kMultiplicative);
}

void TPowerOperation::Combine(TExpressionResult& result, const TExpressionResult& right) {
    result.SetFloatValue(PowerRule(ArgToFloat(result), ArgToFloat(right)));
    result.ValueType = rtFloat;
}

void TNegateOperation::Check() {
    TUnaryOperator::Check();
    const TResultType type = OperandType();
    if (type != rtInteger && type != rtFloat && type != rtCurrency)
        RaiseParserError(msg::SErrNoNegation, {TypeNameOf(type), Operand()->AsText()});
}

void TNegateOperation::CompleteValue(TExpressionResult& result) {
    switch (result.ValueType) {
    case rtInteger:
    case rtCurrency:
        result.SetIntegerValue(WrapNegate(result.IntegerValue()));
        break;
    case rtFloat:
        result.SetFloatValue(-result.FloatValue()); // flips the sign bit, NaN included
        break;
    default:
        break; // booleans, texts and date-times pass unchanged below the root
    }
    result.ValueType = NodeResultType();
}

// The operand's leading blanks go, among them the blank a positive float
// constant starts with: -7.5 renders as "-7.50000000000000E+000". "not"
// keeps them.
void TNegateOperation::CompleteText(std::string& text) const {
    const std::size_t kept = formatting::TrimStart(text, formatting::IsControlOrSpace).size();
    text.erase(0, text.size() - kept);
    text.insert(text.begin(), '-');
}

// --- Compiled form ---------------------------------------------------------
// Each selection mirrors the switch of its Combine on the left value's type;
// the right value is read as the same payload the tree reads.

namespace {

bool IsInteger(TResultType type) {
    return type == rtInteger || type == rtCurrency;
}
bool IsDouble(TResultType type) {
    return type == rtFloat || type == rtDateTime;
}

} // namespace

TOpCode TAddOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    if (IsInteger(left))
        return TOpCode::AddI;
    if (IsDouble(left))
        return TOpCode::AddF;
    return left == rtBoolean ? TOpCode::Alias : TOpCode::Generic;
}

TOpCode TSubtractOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    if (IsInteger(left))
        return TOpCode::SubI;
    return IsDouble(left) ? TOpCode::SubF : TOpCode::Alias;
}

TOpCode TMultiplyOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    if (left == rtInteger)
        return TOpCode::MulI;
    if (left == rtCurrency)
        return TOpCode::MulC;
    return IsDouble(left) ? TOpCode::MulF : TOpCode::Alias;
}

TOpCode TDivideOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    if (left == rtInteger)
        return TOpCode::DivI;
    if (left == rtCurrency)
        return TOpCode::DivC;
    return IsDouble(left) ? TOpCode::DivF : TOpCode::Alias;
}

TOpCode TIntDivOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return left == rtInteger ? TOpCode::IntDiv : TOpCode::Generic;
}

TOpCode TModuloOperation::FastCombine(TResultType left, TResultType /*right*/) const {
    return left == rtInteger ? TOpCode::Mod : TOpCode::Generic;
}

// Integers and currency amounts are converted to double first.
TOpCode TPowerOperation::FastCombine(TResultType left, TResultType right) const {
    return IsInteger(left) || IsInteger(right) ? TOpCode::Generic : TOpCode::PowF;
}

TOpCode TNegateOperation::FastComplete(TResultType operand) const {
    if (IsInteger(operand))
        return TOpCode::NegI;
    return operand == rtFloat ? TOpCode::NegF : TOpCode::Alias;
}

} // namespace orvex::engine
