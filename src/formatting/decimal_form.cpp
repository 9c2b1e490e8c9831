#include "formatting/decimal_form.h"

#include <array>
#include <charconv>

namespace orvex::formatting {
namespace {

// At most this many digits survive rounding; the conversion yields fewer.
constexpr int kMaximumKeptDigits = 18;

void StripTrailingZeros(TDecimalForm& form) {
    while (!form.Digits.empty() && form.Digits.back() == '0')
        form.Digits.pop_back();
    if (form.Digits.empty()) {
        form.Exponent = 0;
        form.Negative = false;
    }
}

// Adds one unit in the last kept place; nines roll over to the left.
void CarryIntoLastDigit(TDecimalForm& form) {
    while (!form.Digits.empty() && form.Digits.back() == '9')
        form.Digits.pop_back();
    if (form.Digits.empty()) {
        form.Digits.assign(1, '1');
        ++form.Exponent;
    } else {
        ++form.Digits.back();
    }
}

void KeepDigits(TDecimalForm& form, int count) {
    if (count > kMaximumKeptDigits)
        count = kMaximumKeptDigits;
    if (count >= static_cast<int>(form.Digits.size()))
        return;
    if (count < 0) {
        form.Digits.clear();
        StripTrailingZeros(form);
        return;
    }
    const bool roundUp = form.Digits[static_cast<std::size_t>(count)] >= '5';
    form.Digits.resize(static_cast<std::size_t>(count));
    if (roundUp)
        CarryIntoLastDigit(form);
    StripTrailingZeros(form);
}

// Reads "-d.ddde+xx" as written by the conversion in scientific form.
TDecimalForm FormOfScientificText(const char* cursor, const char* end) {
    TDecimalForm form;
    if (*cursor == '-') {
        form.Negative = true;
        ++cursor;
    }
    for (; cursor != end && *cursor != 'e'; ++cursor)
        if (*cursor != '.')
            form.Digits += *cursor;
    // The exponent of "d.ddd" counts from the first digit; ours counts the
    // digits before the point.
    int exponent = 0;
    if (cursor != end)
        std::from_chars(cursor + (cursor[1] == '+' ? 2 : 1), end, exponent);
    form.Exponent = exponent + 1;
    StripTrailingZeros(form);
    return form;
}

} // namespace

TDecimalForm DecimalFormOf(double value) {
    if (value == 0.0)
        return {};
    // "-d.dddddddddddddde+ddd" is at most 24 characters.
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::scientific, kGeneralSignificantDigits - 1);
    return FormOfScientificText(text.data(), result.ptr);
}

TDecimalForm ShortestDecimalFormOf(double value) {
    if (value == 0.0)
        return {};
    std::array<char, 32> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
    return FormOfScientificText(text.data(), result.ptr);
}

TDecimalForm ExactDecimalFormOf(std::int64_t value) {
    // The magnitude in unsigned arithmetic, where the smallest value has one.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::array<char, 24> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), magnitude);
    TDecimalForm form;
    form.Negative = value < 0;
    form.Digits.assign(text.data(), result.ptr);
    form.Exponent = static_cast<int>(form.Digits.size());
    StripTrailingZeros(form);
    return form;
}

void RoundToDecimalPlaces(TDecimalForm& form, int decimalPlaces) {
    if (!form.IsZero())
        KeepDigits(form, form.Exponent + decimalPlaces);
}

void RoundToSignificantDigits(TDecimalForm& form, int significantDigits) {
    if (!form.IsZero())
        KeepDigits(form, significantDigits);
}

} // namespace orvex::formatting
