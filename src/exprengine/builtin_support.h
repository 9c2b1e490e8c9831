// What the built-in callbacks share: their registration table and the
// readers of their argument values.
//
// A call at the root of an expression has its arguments converted to the
// declared parameter types by the argument check; a call nested deeper gets
// them with the types their expressions produce. These readers therefore take
// each value at what it means, whatever its type, and never read past the end
// of the argument list, so a built-in is safe for any argument it receives.
#pragma once

#include "exprengine/builtin_category.h"
#include "exprengine/expression_result.h"
#include "exprengine/identifier_def.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvex::engine {

class TExprBuiltInManager;

// One callback function of the library, with its type letters. The texts
// are held in place rather than pointed to, so that the tables need no
// relocation when the program loads.
struct TBuiltinFunction {
    char Name[20];
    char ResultLetter;
    char ParameterLetters[8];
    TExprFunctionCallback Callback;
};

// Registers the functions in the order given, all in one category; pure
// says whether they depend on their arguments alone (see
// TExprIdentifierDef::Pure).
void RegisterFunctions(TExprBuiltInManager& manager, TBuiltInCategory category,
                       std::span<const TBuiltinFunction> functions, bool pure = true);

// A float or date-time parameter (F, D): ArgToFloat of the value.
double FloatArgument(const TExprParameterArray& args, std::size_t index);

// An integer parameter (I): an integer as it is; a float or date-time
// truncated toward zero (raising "Invalid floating point operation" outside
// the 64-bit range); a currency amount's whole units; a boolean as 1 or 0; a
// text as 0.
std::int64_t IntegerArgument(const TExprParameterArray& args, std::size_t index);

// An integer parameter used where the callee takes a plain int: the value
// limited to the int range, so that a huge number stays out of range instead
// of wrapping into it.
int IntArgument(const TExprParameterArray& args, std::size_t index);

// A boolean parameter (B): a boolean as it is; a number is true when it is
// not zero, a text when it is not empty.
bool BooleanArgument(const TExprParameterArray& args, std::size_t index);

// A text parameter (S): the text of a string value, empty for every other
// type.
std::string_view TextArgument(const TExprParameterArray& args, std::size_t index);

} // namespace orvex::engine
