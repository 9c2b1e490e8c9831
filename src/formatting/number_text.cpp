#include "formatting/number_text.h"

#include "formatting/error.h"
#include "formatting/messages.h"
#include "formatting/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orvex::formatting {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return text.substr(start, at - start);
}

// The parts of a float text, each without its punctuation.
struct TFloatParts {
    bool Negative = false;
    std::string_view IntegerDigits;
    std::string_view FractionDigits;
    bool ExponentNegative = false;
    std::string_view ExponentDigits;
};

bool SplitFloat(std::string_view text, char decimalSeparator, TFloatParts& parts) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        parts.Negative = text[at++] == '-';
    parts.IntegerDigits = TakeDigits(text, at);
    if (at < text.size() && text[at] == decimalSeparator) {
        ++at;
        parts.FractionDigits = TakeDigits(text, at);
    }
    if (parts.IntegerDigits.empty() && parts.FractionDigits.empty())
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            parts.ExponentNegative = text[at++] == '-';
        parts.ExponentDigits = TakeDigits(text, at);
        if (parts.ExponentDigits.empty())
            return false;
    }
    return at == text.size();
}

// The decimal exponent of the first significant digit, saturated so that
// absurd exponent texts cannot overflow; only its sign is used.
long SignificantExponent(const TFloatParts& parts) {
    long exponent = 0;
    for (const char c : parts.ExponentDigits)
        exponent = std::min(exponent * 10 + (c - '0'), 100000000L);
    if (parts.ExponentNegative)
        exponent = -exponent;
    const auto firstInteger = parts.IntegerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos)
        return exponent + static_cast<long>(parts.IntegerDigits.size() - firstInteger);
    const auto firstFraction = parts.FractionDigits.find_first_not_of('0');
    if (firstFraction == std::string_view::npos)
        return 0;
    return exponent - static_cast<long>(firstFraction);
}

// "$FF" or "0xFF": the digits after the prefix.
bool TakeHexPrefix(std::string_view& text) {
    if (!text.empty() && text.front() == '$') {
        text.remove_prefix(1);
        return true;
    }
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        return true;
    }
    return false;
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Hexadecimal texts give the 32-bit pattern: "$FFFFFFFF" is -1.
bool ReadHex(std::string_view digits, bool negative, std::int32_t& value) {
    if (digits.empty())
        return false;
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        const int digit = HexValue(c);
        if (digit < 0)
            return false;
        magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFu)
            return false;
    }
    auto bits = static_cast<std::uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool ReadDecimal(std::string_view digits, bool negative, std::int32_t& value) {
    if (digits.empty())
        return false;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (!IsDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

} // namespace

bool TryTextToFloat(std::string_view text, double& value, const TFormatSettings& settings) {
    TFloatParts parts;
    if (!SplitFloat(TrimBlanks(text), settings.DecimalSeparator, parts))
        return false;
    // The standard reader wants "." whatever the settings say.
    std::string plain(parts.Negative ? "-" : "");
    plain += parts.IntegerDigits.empty() ? std::string_view("0") : parts.IntegerDigits;
    if (!parts.FractionDigits.empty())
        plain.append(".").append(parts.FractionDigits);
    if (!parts.ExponentDigits.empty())
        plain.append(parts.ExponentNegative ? "e-" : "e").append(parts.ExponentDigits);

    double result = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large does not read.
        if (SignificantExponent(parts) > 0)
            return false;
        result = parts.Negative ? -0.0 : 0.0;
    } else if (error != std::errc() || end != plain.data() + plain.size() ||
               !std::isfinite(result)) {
        return false;
    }
    value = result;
    return true;
}

double TextToFloat(std::string_view text, const TFormatSettings& settings) {
    double value = 0.0;
    if (!TryTextToFloat(text, value, settings))
        throw EConvertError(FormattingString("formatting.sinvalidfloat"), {text});
    return value;
}

bool TryTextToInt(std::string_view text, std::int32_t& value) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (TakeHexPrefix(text))
        return ReadHex(text, negative, value);
    return ReadDecimal(text, negative, value);
}

std::int32_t TextToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryTextToInt(text, value))
        throw EConvertError(FormattingString("formatting.sinvalidint"), {text});
    return value;
}

std::string ScientificText(double value, const TFormatSettings& settings) {
    if (std::isnan(value))
        return " NAN";
    if (std::isinf(value))
        return value > 0 ? " INF" : "-INF";
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 14);
    const std::string_view written(buffer.data(),
                                   static_cast<std::size_t>(result.ptr - buffer.data()));
    const bool negative = written.front() == '-';
    const std::string_view unsignedText = negative ? written.substr(1) : written;
    const auto exponentAt = unsignedText.find('e');

    std::string text(negative ? "-" : " ");
    text += unsignedText.front();
    text += settings.DecimalSeparator;
    text += unsignedText.substr(2, exponentAt - 2);
    text += 'E';
    text += unsignedText[exponentAt + 1];
    const std::string_view exponentDigits = unsignedText.substr(exponentAt + 2);
    if (exponentDigits.size() < 3)
        text.append(3 - exponentDigits.size(), '0');
    text += exponentDigits;
    return text;
}

} // namespace orvex::formatting
