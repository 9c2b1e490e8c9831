// Helpers of the built-in library tests: a registry holding only the library
// (so the callbacks can be tested before and apart from the shared one), a
// direct call of one callback, and evaluation through a parser that sees the
// library as its own identifiers.
#pragma once

#include "engine_test_support.h"
#include "exprengine/builtin_category.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/expression_result.h"
#include "exprengine/parser.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::engine::test {

// pi and the 64 callback functions, registered in the library's order.
const TExprBuiltInManager& LibraryRegistry();

// Calls the registered callback of that name with the arguments, sets the
// result type the way a call node does and shows the result ("I:3", or "E:"
// and the message of an error).
std::string Call(std::string_view name, const TExprParameterArray& args);

// Adds the library's definitions of the categories to the parser's own
// identifiers, so that it finds them whatever its BuiltIns set holds.
void AddLibrary(TExpressionParser& parser, TBuiltInCategories categories);

// Outcome of the text with the library of the categories (all by default).
std::string Eval(std::string_view text, TBuiltInCategories categories = TBuiltInCategories::All());

// Outcome of the text through the shared registry with only these BuiltIns.
std::string EvalShared(std::string_view text, TBuiltInCategories builtIns);

// Argument values.
TExpressionResult B(bool value);
TExpressionResult I(std::int64_t value);
TExpressionResult F(double value);
TExpressionResult D(double value);
TExpressionResult S(std::string value);
TExpressionResult C(std::int64_t scaled);

// One direct call and its shown result.
struct TCallCase {
    std::string name;
    TExprParameterArray args;
    std::string outcome;
};

void PrintTo(const TCallCase& callCase, std::ostream* out);

} // namespace orvex::engine::test
