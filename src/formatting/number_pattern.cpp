#include "formatting/number_pattern.h"

namespace orvex::formatting {

std::string FormatWithPattern(std::string_view, double, const TFormatSettings&) {
    return {};
}

std::string GeneralText(double, const TFormatSettings&) {
    return {};
}

} // namespace orvex::formatting
