// The built-in library: registration of the built-in identifiers into a
// registry, one category at a time.
#pragma once

#include "exprengine/builtin_category.h"

#include <string_view>
#include <vector>

namespace orvex::engine {

class TExprBuiltInManager;

// Registers the built-ins of every category in the set, in the library's
// order of categories: bcMath, bcStrings, bcDateTime, bcBoolean,
// bcConversion, bcAggregate; within a category in a fixed order.
void RegisterBuiltins(TExprBuiltInManager& manager, TBuiltInCategories categories);

// Whether a built-in of one of the categories has this name (ASCII letters
// in any case). Answers without filling the shared registry, which costs
// more than parsing a short text.
bool IsBuiltinName(std::string_view name, TBuiltInCategories categories);

// The names IsBuiltinName knows, in RegisterBuiltins' order.
std::vector<std::string_view> BuiltinNamesInOrder();

// One category each.
void RegisterMathBuiltins(TExprBuiltInManager& manager);
// count, sum, avg, min and max: function nodes of the aggregate classes.
void RegisterAggregateBuiltins(TExprBuiltInManager& manager);

} // namespace orvex::engine
