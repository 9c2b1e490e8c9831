// The message texts of the calculator itself, keyed by resource identifier.
#pragma once

#include "formatting/message_table.h"

#include <string_view>

namespace orvex::frontend {

// A CR LF inside a message is written as '\n': on Windows the text-mode
// stream turns it into CR LF.
inline constexpr formatting::TResourceString kOrvexStrings[] = {
    {"orvex.smissingexpression", "Missing Arithmetic or Boolean expression!\n"
                                 "Missing Essential Parameters (e.g. %s)"},
    {"orvex.smorethanonecomparison", "More than One Boolean Comparison Attempted"},
    {"orvex.sunsupportedradix", "Unsupported radix"},
    {"orvex.sinvalidradixinteger", "\"%s\" is an invalid integer"},
};

// The entry of a resource identifier such as "orvex.sunsupportedradix".
consteval formatting::TResourceString OrvexString(std::string_view id) {
    return formatting::FindResString(kOrvexStrings, id);
}

// The text alone, for the driver's reports, which are not errors.
consteval std::string_view DriverString(std::string_view id) {
    return OrvexString(id).Text;
}

} // namespace orvex::frontend
