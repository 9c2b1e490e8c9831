#include "exprengine/aggregate_nodes.h"

#include "exprengine/arithmetic.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/builtins.h"
#include "exprengine/errors.h"
#include "formatting/error.h"

namespace orvex::engine {
namespace {

// first < second in the type of the accumulator; doubles compare false when
// a NaN is involved.
bool Less(const TExpressionResult& first, const TExpressionResult& second, TResultType type) {
    switch (type) {
    case rtInteger:
    case rtCurrency:
        return first.IntegerValue() < second.IntegerValue();
    case rtFloat:
    case rtDateTime:
        return first.FloatValue() < second.FloatValue();
    case rtString:
        return first.StringValue < second.StringValue;
    case rtBoolean:
        return first.BooleanValue() < second.BooleanValue();
    }
    return false;
}

// Stores the value's payload in the accumulator's own type.
void Take(TExpressionResult& accumulator, const TExpressionResult& value) {
    accumulator.SetPayload(value.Payload());
    if (accumulator.ValueType == rtString)
        accumulator.StringValue = value.StringValue;
}

} // namespace

TResultType TAggregateExpr::NodeResultType() const {
    const TExprNode* argument = Argument();
    return argument != nullptr ? argument->NodeResultType() : TExprFunction::NodeResultType();
}

TExprNode* TAggregateExpr::Argument() const {
    return ArgumentNodes().empty() ? nullptr : ArgumentNodes().front().get();
}

void TAggregateExpr::ResetAccumulator() {
    accumulator_ = TExpressionResult();
    const TExprNode* argument = Argument();
    accumulator_.ValueType = argument != nullptr ? argument->NodeResultType() : rtBoolean;
}

TExpressionResult TAggregateExpr::ArgumentValue() const {
    TExpressionResult value;
    if (TExprNode* argument = Argument())
        argument->ComputeValue(value);
    return value;
}

void TAggregateCount::ResetAggregate() {
    accumulator_ = TExpressionResult::Integer(0);
}

void TAggregateCount::AccumulateAggregate() {
    accumulator_.SetIntegerValue(WrapAdd(accumulator_.IntegerValue(), 1));
}

// Count, sum and avg keep the run to themselves: unlike min and max they
// pass neither the reset nor the accumulation on to their argument, so an
// aggregate inside them is never driven and reads as its initial value.
void TAggregateSum::ResetAggregate() {
    ResetAccumulator();
}

void TAggregateSum::AccumulateAggregate() {
    const TExpressionResult value = ArgumentValue();
    switch (accumulator_.ValueType) {
    case rtInteger:
    case rtCurrency:
        accumulator_.SetIntegerValue(WrapAdd(accumulator_.IntegerValue(), value.IntegerValue()));
        break;
    case rtFloat:
    case rtDateTime: {
        const double sum = accumulator_.FloatValue();
        accumulator_.SetFloatValue(
            formatting::CheckFloat(sum + value.FloatValue(), sum, value.FloatValue()));
        break;
    }
    default:
        break;
    }
}

void TAggregateSum::ConvertArgument(int argumentNumber, TExprNodePtr& argument,
                                    TResultType expected) {
    const TResultType type = argument->NodeResultType();
    if (type != rtInteger && type != rtFloat && type != rtCurrency) {
        RaiseParserError(msg::SErrInvalidArgumentType,
                         {argumentNumber, TypeNameOf(expected), TypeNameOf(type)});
    }
}

void TAggregateAvg::ResetAggregate() {
    TAggregateSum::ResetAggregate();
    valueCount_ = 0;
}

void TAggregateAvg::AccumulateAggregate() {
    TAggregateSum::AccumulateAggregate();
    ++valueCount_;
}

TResultType TAggregateAvg::NodeResultType() const {
    const TResultType sumType = TAggregateSum::NodeResultType();
    return sumType == rtInteger ? rtFloat : sumType;
}

void TAggregateAvg::ComputeValue(TExpressionResult& result) {
    const double count = static_cast<double>(valueCount_);
    switch (accumulator_.ValueType) {
    case rtInteger:
        result = TExpressionResult::Float(
            valueCount_ > 0 ? static_cast<double>(accumulator_.IntegerValue()) / count : 0.0);
        break;
    case rtFloat:
    case rtDateTime:
        result = accumulator_;
        result.SetFloatValue(valueCount_ > 0 ? accumulator_.FloatValue() / count : 0.0);
        break;
    case rtCurrency:
        result = TExpressionResult::Currency(
            valueCount_ > 0 ? DivideHalfEven(accumulator_.CurrencyValue(), valueCount_) : 0);
        break;
    default:
        result = accumulator_;
        break;
    }
}

void TAggregateMin::ResetAggregate() {
    if (TExprNode* argument = Argument())
        argument->ResetAggregate();
    awaitingFirst_ = true;
    ResetAccumulator();
}

// The argument is read before the run is passed on to it, so an aggregate
// argument is seen as it stood before this record.
void TAggregateMin::AccumulateAggregate() {
    const TExpressionResult value = ArgumentValue();
    if (awaitingFirst_ || Less(value, accumulator_, accumulator_.ValueType)) {
        Take(accumulator_, value);
        awaitingFirst_ = false;
    }
    if (TExprNode* argument = Argument())
        argument->AccumulateAggregate();
}

void TAggregateMax::ResetAggregate() {
    if (TExprNode* argument = Argument())
        argument->ResetAggregate();
    awaitingFirst_ = true;
    ResetAccumulator();
}

// Deliberately not min's mirror image: max passes the reset on to its
// argument but not the accumulation, so an aggregate argument of max keeps
// its reset value for the whole run.
void TAggregateMax::AccumulateAggregate() {
    const TExpressionResult value = ArgumentValue();
    if (awaitingFirst_ || Less(accumulator_, value, accumulator_.ValueType)) {
        Take(accumulator_, value);
        awaitingFirst_ = false;
    }
}

void RegisterAggregateBuiltins(TExprBuiltInManager& manager) {
    manager.AddFunction(bcAggregate, "count", 'I', "", kFunctionClassOf<TAggregateCount>);
    manager.AddFunction(bcAggregate, "sum", 'F', "F", kFunctionClassOf<TAggregateSum>);
    manager.AddFunction(bcAggregate, "avg", 'F', "F", kFunctionClassOf<TAggregateAvg>);
    manager.AddFunction(bcAggregate, "min", 'F', "F", kFunctionClassOf<TAggregateMin>);
    manager.AddFunction(bcAggregate, "max", 'F', "F", kFunctionClassOf<TAggregateMax>);
}

} // namespace orvex::engine
