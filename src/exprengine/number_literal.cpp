#include "exprengine/number_literal.h"

#include "exprengine/char_classes.h"

#include <bit>
#include <charconv>
#include <system_error>

namespace orvex::engine {
namespace {

int RadixOf(char prefix) {
    switch (prefix) {
    case '$':
        return 16;
    case '%':
        return 2;
    case '&':
        return 8;
    default:
        return 0;
    }
}

std::size_t CountDigits(std::string_view text, std::size_t from) {
    std::size_t count = 0;
    while (from + count < text.size() && IsDecimalDigit(text[from + count]))
        ++count;
    return count;
}

struct TFloatShape {
    std::size_t IntegerDigits = 0;
    std::size_t FractionDigits = 0;
    std::size_t ExponentStart = 0; // index of the first exponent digit, 0 without exponent
    bool ExponentNegative = false;
};

// Checks the literal's syntax; from_chars alone would also take "inf", "nan"
// and hexadecimal floats.
bool ShapeOfFloat(std::string_view text, TFloatShape& shape) {
    std::size_t i = 0;
    shape.IntegerDigits = CountDigits(text, i);
    i += shape.IntegerDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        shape.FractionDigits = CountDigits(text, i);
        i += shape.FractionDigits;
    }
    if (shape.IntegerDigits + shape.FractionDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            shape.ExponentNegative = text[i] == '-';
            ++i;
        }
        const std::size_t exponentDigits = CountDigits(text, i);
        if (exponentDigits == 0)
            return false;
        shape.ExponentStart = i;
        i += exponentDigits;
    }
    return i == text.size();
}

// The decimal order of magnitude of a literal that from_chars found out of
// range: positive means too large, otherwise it was too small.
long long OrderOfMagnitude(std::string_view text, const TFloatShape& shape) {
    long long order = 0;
    bool found = false;
    for (std::size_t k = 0; k < shape.IntegerDigits && !found; ++k) {
        if (text[k] != '0') {
            order = static_cast<long long>(shape.IntegerDigits - k);
            found = true;
        }
    }
    for (std::size_t j = 0; j < shape.FractionDigits && !found; ++j) {
        if (text[shape.IntegerDigits + 1 + j] != '0') {
            order = -static_cast<long long>(j);
            found = true;
        }
    }
    if (!found)
        return -1; // all digits zero: the value is zero whatever the exponent
    long long exponent = 0;
    if (shape.ExponentStart != 0) {
        for (std::size_t i = shape.ExponentStart; i < text.size(); ++i) {
            if (exponent < 1000000) // saturate: only the sign of the total matters
                exponent = exponent * 10 + (text[i] - '0');
        }
    }
    return order + (shape.ExponentNegative ? -exponent : exponent);
}

} // namespace

bool ReadRadixInteger(std::string_view text, std::int64_t& value) {
    if (text.size() < 2 || text.size() >= kNumberTextLimit)
        return false;
    const int radix = RadixOf(text.front());
    if (radix == 0)
        return false;
    std::uint64_t bits = 0;
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, bits, radix);
    if (error != std::errc() || end != last)
        return false;
    value = std::bit_cast<std::int64_t>(bits);
    return true;
}

bool ReadDecimalInteger(std::string_view text, std::int64_t& value) {
    if (text.empty() || text.size() >= kNumberTextLimit)
        return false;
    for (const char c : text) {
        if (!IsDecimalDigit(c))
            return false;
    }
    std::int64_t read = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, read);
    if (error != std::errc() || end != last)
        return false;
    value = read;
    return true;
}

bool ReadDecimalFloat(std::string_view text, double& value) {
    TFloatShape shape;
    if (text.size() >= kNumberTextLimit || !ShapeOfFloat(text, shape))
        return false;
    double read = 0.0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, read, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (OrderOfMagnitude(text, shape) > 0)
            return false;
        value = 0.0;
        return true;
    }
    if (error != std::errc() || end != last)
        return false;
    value = read;
    return true;
}

bool ReadIntegerLiteral(std::string_view text, std::int64_t& value) {
    return ReadDecimalInteger(text, value) || ReadRadixInteger(text, value);
}

} // namespace orvex::engine
