// The message texts of the formatting layer, keyed by resource identifier.
//
// The calculator chooses its exit code by searching error messages for fixed
// words ("division by zero", "not a valid integer"); none of these texts may
// contain them, so a conversion failure always ends as a plain error.
#pragma once

#include <string>
#include <string_view>

namespace orvex::formatting {

// The text of a resource identifier such as "formatting.sinvalidfloatformat";
// an unknown identifier gives the identifier itself.
std::string_view FormattingMessage(std::string_view resourceId);

// The text with its "%s" replaced by the argument.
std::string FormattingMessage(std::string_view resourceId, std::string_view argument);

} // namespace orvex::formatting
