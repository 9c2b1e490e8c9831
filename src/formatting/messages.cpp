#include "formatting/messages.h"

#include <array>
#include <utility>

namespace orvex::formatting {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> messageTable{{
    {"formatting.sinvalidfloatformat", "Invalid float format"},
    {"formatting.sinvalidfloat", "'%s' is not a valid floating point value"},
    {"formatting.sinvalidint", "'%s' is not an integer value"},
    {"formatting.sinvaliddate", "'%s' is not a valid date"},
    {"formatting.sinvalidtime", "'%s' is not a valid time"},
    {"formatting.sinvaliddatetime", "'%s' is not a valid date and time"},
    {"formatting.sdateencodeerror", "Invalid argument to date encode"},
    {"formatting.stimeencodeerror", "Invalid argument to time encode"},
}};

} // namespace

std::string_view FormattingMessage(std::string_view resourceId) {
    for (const auto& [id, text] : messageTable)
        if (id == resourceId)
            return text;
    return resourceId;
}

std::string FormattingMessage(std::string_view resourceId, std::string_view argument) {
    std::string text(FormattingMessage(resourceId));
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace orvex::formatting
