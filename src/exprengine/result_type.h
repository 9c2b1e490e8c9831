// The value types of the expression language.
#pragma once

#include "exprengine/enum_set.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::engine {

// The order matters: type lists in messages are printed in this order.
enum TResultType : std::uint8_t {
    rtBoolean,
    rtInteger,
    rtFloat,
    rtDateTime, // days since 1899-12-30, the fraction is the time of day
    rtString,
    rtCurrency, // the amount times 10000 in a signed 64-bit integer
};
inline constexpr int kResultTypeCount = 6;

using TResultTypes = TEnumSet<TResultType, kResultTypeCount>;

// The member's identifier ("rtInteger"), the name messages use for a type.
std::string_view TypeNameOf(TResultType type);

// The names of the members in enumeration order, joined by "," without blanks.
std::string TypeNamesOf(TResultTypes types);

} // namespace orvex::engine
