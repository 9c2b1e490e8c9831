#include "exprengine/builtin_support.h"

#include "exprengine/builtin_manager.h"
#include "formatting/error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvex::engine {

namespace {

// The argument list always matches the declaration when the parser built the
// call; a missing argument reads as a value of the empty kind all the same.
const TExpressionResult* ArgumentAt(const TExprParameterArray& args, std::size_t index) {
    return index < args.size() ? &args[index] : nullptr;
}

} // namespace

void RegisterFunctions(TExprBuiltInManager& manager, TBuiltInCategory category,
                       std::span<const TBuiltinFunction> functions, bool pure) {
    for (const TBuiltinFunction& function : functions) {
        manager
            .AddFunction(category, function.Name, function.ResultLetter, function.ParameterLetters,
                         function.Callback)
            .SetPure(pure);
    }
}

double FloatArgument(const TExprParameterArray& args, std::size_t index) {
    const TExpressionResult* value = ArgumentAt(args, index);
    return value != nullptr ? ArgToFloat(*value) : 0.0;
}

std::int64_t IntegerArgument(const TExprParameterArray& args, std::size_t index) {
    const TExpressionResult* value = ArgumentAt(args, index);
    if (value == nullptr)
        return 0;
    switch (value->ValueType) {
    case rtInteger:
        return value->IntegerValue();
    case rtBoolean:
        return value->BooleanValue() ? 1 : 0;
    case rtFloat:
    case rtDateTime:
        return formatting::CheckedToInt64(std::trunc(value->FloatValue()));
    case rtCurrency:
        return value->CurrencyValue() / 10000;
    case rtString:
        break;
    }
    return 0;
}

int IntArgument(const TExprParameterArray& args, std::size_t index) {
    constexpr std::int64_t low = std::numeric_limits<int>::min();
    constexpr std::int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(IntegerArgument(args, index), low, high));
}

bool BooleanArgument(const TExprParameterArray& args, std::size_t index) {
    const TExpressionResult* value = ArgumentAt(args, index);
    if (value == nullptr)
        return false;
    switch (value->ValueType) {
    case rtBoolean:
        return value->BooleanValue();
    case rtInteger:
    case rtCurrency:
        return value->IntegerValue() != 0;
    case rtFloat:
    case rtDateTime:
        return value->FloatValue() != 0.0;
    case rtString:
        return !value->StringValue.empty();
    }
    return false;
}

std::string_view TextArgument(const TExprParameterArray& args, std::size_t index) {
    const TExpressionResult* value = ArgumentAt(args, index);
    if (value == nullptr || value->ValueType != rtString)
        return {};
    return value->StringValue;
}

} // namespace orvex::engine
