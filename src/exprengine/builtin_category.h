// The categories of the built-in registry; a parser sees only the built-ins
// of the categories in its BuiltIns set.
#pragma once

#include "exprengine/enum_set.h"

#include <cstdint>

namespace orvex::engine {

enum TBuiltInCategory : std::uint8_t {
    bcStrings,
    bcDateTime,
    bcMath,
    bcBoolean,
    bcConversion,
    bcData,
    bcVaria,
    bcUser,
    bcAggregate,
};
inline constexpr int kBuiltInCategoryCount = 9;

// The set of all nine has the mask 511.
using TBuiltInCategories = TEnumSet<TBuiltInCategory, kBuiltInCategoryCount>;

} // namespace orvex::engine
