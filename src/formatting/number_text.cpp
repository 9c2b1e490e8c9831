#include "formatting/number_text.h"

namespace orvex::formatting {

bool TryTextToFloat(std::string_view, double&, const TFormatSettings&) {
    return false;
}
double TextToFloat(std::string_view, const TFormatSettings&) {
    return 0;
}
bool TryTextToInt(std::string_view, std::int32_t&) {
    return false;
}
std::int32_t TextToInt(std::string_view) {
    return 0;
}
std::string ScientificText(double, const TFormatSettings&) {
    return {};
}

} // namespace orvex::formatting
