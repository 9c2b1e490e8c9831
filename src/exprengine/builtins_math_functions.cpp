// The math functions of the built-in library: trigonometry, powers and
// logarithms, and the ways of cutting a number into its whole and fractional
// parts. (The category's constant pi is registered with the category.)
//
// Every function reads its argument through ArgToFloat, so an integer or
// currency argument of a nested call is taken at its value. Floating-point
// faults are raised explicitly: a square root or logarithm of a negative
// number is an invalid operation, a logarithm of zero a division by zero, a
// result beyond the double range an overflow, and a number that has no 64-bit
// integer an invalid operation in round and trunc.
#include "exprengine/builtin_library.h"

#include "exprengine/arithmetic.h"
#include "exprengine/builtin_support.h"
#include "formatting/error.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace orvex::engine {

using formatting::CheckFloat;

namespace {

// ln 10, the divisor that turns a natural logarithm into a decimal one.
constexpr double kLn10 = 2.302585092994046;

double X(const TExprParameterArray& args) {
    return FloatArgument(args, 0);
}

void Cos(TExpressionResult& result, const TExprParameterArray& args) {
    const double x = X(args);
    result.SetFloatValue(CheckFloat(std::cos(x), x));
}

void Sin(TExpressionResult& result, const TExprParameterArray& args) {
    const double x = X(args);
    result.SetFloatValue(CheckFloat(std::sin(x), x));
}

void ArcTan(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(std::atan(X(args)));
}

// Clearing the sign bit also turns -0.0 into 0.0.
void Abs(TExpressionResult& result, const TExprParameterArray& args) {
    constexpr std::uint64_t signBit = std::uint64_t{1} << 63;
    result.SetFloatValue(std::bit_cast<double>(std::bit_cast<std::uint64_t>(X(args)) & ~signBit));
}

void Sqr(TExpressionResult& result, const TExprParameterArray& args) {
    const double x = X(args);
    result.SetFloatValue(CheckFloat(x * x, x));
}

void Sqrt(TExpressionResult& result, const TExprParameterArray& args) {
    const double x = X(args);
    result.SetFloatValue(CheckFloat(std::sqrt(x), x));
}

void Exp(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(CheckedExp(X(args)));
}

void Ln(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(CheckedLn(X(args)));
}

// There is no separate base-10 routine: the natural logarithm is divided by
// ln 10, so log(1000) is 3 only within double rounding.
void Log(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(CheckedLn(X(args)) / kLn10);
}

void Frac(TExpressionResult& result, const TExprParameterArray& args) {
    const double x = X(args);
    result.SetFloatValue(CheckFloat(x - std::trunc(x), x));
}

void Int(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(std::trunc(X(args)));
}

void Round(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(formatting::CheckedToInt64(RoundHalfEven(X(args))));
}

void Trunc(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(formatting::CheckedToInt64(std::trunc(X(args))));
}

// In the library's order, after the constant pi.
constexpr TBuiltinFunction kMathFunctions[] = {
    {"cos", 'F', "F", &Cos},     {"sin", 'F', "F", &Sin}, {"arctan", 'F', "F", &ArcTan},
    {"abs", 'F', "F", &Abs},     {"sqr", 'F', "F", &Sqr}, {"sqrt", 'F', "F", &Sqrt},
    {"exp", 'F', "F", &Exp},     {"ln", 'F', "F", &Ln},   {"log", 'F', "F", &Log},
    {"frac", 'F', "F", &Frac},   {"int", 'F', "F", &Int}, {"round", 'I', "F", &Round},
    {"trunc", 'I', "F", &Trunc},
};

} // namespace

void RegisterMathFunctions(TExprBuiltInManager& manager) {
    RegisterFunctions(manager, bcMath, kMathFunctions);
}

} // namespace orvex::engine
