#include "exprengine/result_type.h"

#include <array>

namespace orvex::engine {

std::string_view TypeNameOf(TResultType type) {
    static constexpr std::array<std::string_view, kResultTypeCount> names{
        "rtBoolean", "rtInteger", "rtFloat", "rtDateTime", "rtString", "rtCurrency"};
    const auto index = static_cast<std::size_t>(type);
    return index < names.size() ? names[index] : std::string_view("rtUnknown");
}

std::string TypeNamesOf(TResultTypes types) {
    std::string text;
    for (int index = 0; index < kResultTypeCount; ++index) {
        const auto type = static_cast<TResultType>(index);
        if (!types.Contains(type))
            continue;
        if (!text.empty())
            text += ',';
        text += TypeNameOf(type);
    }
    return text;
}

} // namespace orvex::engine
