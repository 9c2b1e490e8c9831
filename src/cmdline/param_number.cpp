#include "cmdline/param_number.h"

#include "cmdline/cmdline_context.h"

#include <charconv>
#include <optional>
#include <string>

namespace orvex::cmdline {
namespace {

constexpr std::size_t kMaxNumberLength = 255;

// The text cut at its first "." with the thousands commas removed.
std::string IntegerPart(std::string_view text) {
    std::string digits;
    for (char c : text.substr(0, text.find('.')))
        if (c != ',')
            digits += c;
    return digits;
}

// The base the prefix at the start of text selects; consumes the prefix.
int TakeBasePrefix(std::string_view& text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        return 16;
    }
    if (text.empty())
        return 10;
    switch (text.front()) {
    case '$':
    case 'x':
    case 'X':
        text.remove_prefix(1);
        return 16;
    case '%':
        text.remove_prefix(1);
        return 2;
    case '&':
        text.remove_prefix(1);
        return 8;
    default:
        return 10;
    }
}

std::optional<std::uint64_t> ReadUnsigned(std::string_view text) {
    if (text.size() > kMaxNumberLength)
        return std::nullopt;
    const std::size_t start = text.find_first_not_of(" \t");
    text.remove_prefix(start == std::string_view::npos ? text.size() : start);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    const int base = TakeBasePrefix(text);
    // from_chars takes no sign, blank or prefix of its own, so whatever is
    // left must be digits of the base through to the end.
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::uint64_t ParamNumber(TCmdLineContext& context, std::string_view text, std::int64_t fallback) {
    const std::uint64_t fallbackValue = static_cast<std::uint64_t>(fallback);
    const std::uint64_t result = ReadUnsigned(IntegerPart(text)).value_or(fallbackValue);
    context.NumberDefaulted = result == fallbackValue;
    return result;
}

} // namespace orvex::cmdline
