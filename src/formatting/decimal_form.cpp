#include "formatting/decimal_form.h"

#include <array>
#include <charconv>

namespace orvex::formatting {
namespace {

// At most this many digits survive rounding; the conversion yields fewer.
constexpr int maximumKeptDigits = 18;

void StripTrailingZeros(DecimalForm& form) {
    while (!form.digits.empty() && form.digits.back() == '0')
        form.digits.pop_back();
    if (form.digits.empty()) {
        form.exponent = 0;
        form.negative = false;
    }
}

// Adds one unit in the last kept place; nines roll over to the left.
void CarryIntoLastDigit(DecimalForm& form) {
    while (!form.digits.empty() && form.digits.back() == '9')
        form.digits.pop_back();
    if (form.digits.empty()) {
        form.digits.assign(1, '1');
        ++form.exponent;
    } else {
        ++form.digits.back();
    }
}

void KeepDigits(DecimalForm& form, int count) {
    if (count > maximumKeptDigits)
        count = maximumKeptDigits;
    if (count >= static_cast<int>(form.digits.size()))
        return;
    if (count < 0) {
        form.digits.clear();
        StripTrailingZeros(form);
        return;
    }
    const bool roundUp = form.digits[static_cast<std::size_t>(count)] >= '5';
    form.digits.resize(static_cast<std::size_t>(count));
    if (roundUp)
        CarryIntoLastDigit(form);
    StripTrailingZeros(form);
}

// Reads "-d.ddde+xx" as written by the conversion in scientific form.
DecimalForm FormOfScientificText(const char* cursor, const char* end) {
    DecimalForm form;
    if (*cursor == '-') {
        form.negative = true;
        ++cursor;
    }
    for (; cursor != end && *cursor != 'e'; ++cursor)
        if (*cursor != '.')
            form.digits += *cursor;
    // The exponent of "d.ddd" counts from the first digit; ours counts the
    // digits before the point.
    int exponent = 0;
    if (cursor != end)
        std::from_chars(cursor + (cursor[1] == '+' ? 2 : 1), end, exponent);
    form.exponent = exponent + 1;
    StripTrailingZeros(form);
    return form;
}

} // namespace

DecimalForm DecimalFormOf(double value) {
    if (value == 0.0)
        return {};
    // "-d.dddddddddddddde+ddd" is at most 24 characters.
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::scientific, generalSignificantDigits - 1);
    return FormOfScientificText(text.data(), result.ptr);
}

DecimalForm ShortestDecimalFormOf(double value) {
    if (value == 0.0)
        return {};
    std::array<char, 32> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
    return FormOfScientificText(text.data(), result.ptr);
}

DecimalForm ExactDecimalFormOf(std::int64_t value) {
    // The magnitude in unsigned arithmetic, where the smallest value has one.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::array<char, 24> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), magnitude);
    DecimalForm form;
    form.negative = value < 0;
    form.digits.assign(text.data(), result.ptr);
    form.exponent = static_cast<int>(form.digits.size());
    StripTrailingZeros(form);
    return form;
}

void RoundToDecimalPlaces(DecimalForm& form, int decimalPlaces) {
    if (!form.IsZero())
        KeepDigits(form, form.exponent + decimalPlaces);
}

void RoundToSignificantDigits(DecimalForm& form, int significantDigits) {
    if (!form.IsZero())
        KeepDigits(form, significantDigits);
}

} // namespace orvex::formatting
