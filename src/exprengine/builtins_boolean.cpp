// The built-ins of the boolean category: the two bit shifts and the four
// typed choices. The shifts work on all 64 bits with the count taken modulo
// 64; shr fills with zero bits. The choices are ordinary functions: the call
// has evaluated all three arguments before one is picked.
#include "exprengine/builtin_library.h"

#include "exprengine/builtin_support.h"

#include <bit>
#include <cstdint>
#include <string>

namespace orvex::engine {

namespace {

constexpr unsigned ShiftCount(std::int64_t count) {
    return static_cast<unsigned>(std::bit_cast<std::uint64_t>(count) & 63u);
}

void Shl(TExpressionResult& result, const TExprParameterArray& args) {
    const auto bits = std::bit_cast<std::uint64_t>(IntegerArgument(args, 0));
    result.SetIntegerValue(
        std::bit_cast<std::int64_t>(bits << ShiftCount(IntegerArgument(args, 1))));
}

void Shr(TExpressionResult& result, const TExprParameterArray& args) {
    const auto bits = std::bit_cast<std::uint64_t>(IntegerArgument(args, 0));
    result.SetIntegerValue(
        std::bit_cast<std::int64_t>(bits >> ShiftCount(IntegerArgument(args, 1))));
}

// The index of the chosen argument. Only that one is read, so a value the
// other branch could not give as the parameter type does no harm.
std::size_t Chosen(const TExprParameterArray& args) {
    return BooleanArgument(args, 0) ? 1 : 2;
}

void IFS(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = std::string(TextArgument(args, Chosen(args)));
}

void IFF(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(FloatArgument(args, Chosen(args)));
}

void IFD(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(FloatArgument(args, Chosen(args)));
}

void IFI(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(IntegerArgument(args, Chosen(args)));
}

constexpr TBuiltinFunction kBooleanFunctions[] = {
    {"shl", 'I', "II", &Shl},  {"shr", 'I', "II", &Shr},  {"IFS", 'S', "BSS", &IFS},
    {"IFF", 'F', "BFF", &IFF}, {"IFD", 'D', "BDD", &IFD}, {"IFI", 'I', "BII", &IFI},
};

} // namespace

void RegisterBooleanBuiltins(TExprBuiltInManager& manager) {
    RegisterFunctions(manager, bcBoolean, kBooleanFunctions);
}

} // namespace orvex::engine
