#include "formatting/text.h"

namespace orvex::formatting {
namespace {

std::string Folded(std::string_view text, char (*fold)(char)) {
    std::string folded(text);
    for (char& c : folded)
        c = fold(c);
    return folded;
}

} // namespace

std::string UpperCaseAscii(std::string_view text) {
    return Folded(text, AsciiUpper);
}

std::string LowerCaseAscii(std::string_view text) {
    return Folded(text, AsciiLower);
}

} // namespace orvex::formatting
