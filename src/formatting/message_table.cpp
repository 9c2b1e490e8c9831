#include "formatting/message_table.h"

#include <charconv>

namespace orvex::formatting {

void TMessageArg::AppendTo(std::string& text) const {
    if (!isNumber_) {
        text += text_;
        return;
    }
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number_);
    text.append(digits, end);
}

std::string FormatResString(std::string_view text, std::initializer_list<TMessageArg> args) {
    const TMessageArg* next = args.begin();
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool placeholder =
            c == '%' && i + 1 < text.size() && (text[i + 1] == 'd' || text[i + 1] == 's');
        if (placeholder && next != args.end()) {
            next->AppendTo(result);
            ++next;
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace orvex::formatting
