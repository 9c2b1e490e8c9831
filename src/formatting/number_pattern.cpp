#include "formatting/number_pattern.h"

#include "formatting/decimal_form.h"
#include "formatting/pattern_section.h"

#include <cmath>

namespace orvex::formatting {
namespace {

// Fixed notation gives up on values with more integer digits than this.
constexpr int kMaximumFixedIntegerDigits = 17;

// Walks a section's tokens and writes the rounded value into it.
class TSectionWriter {
  public:
    TSectionWriter(const TPatternSection& section, const TDecimalForm& form,
                   const TFormatSettings& settings)
        : section_(section), form_(form), settings_(settings),
          // The scientific form shows as many integer digits as there are
          // integer places; zero has no digits to place.
          valueExponent_(section.Scientific && !form.IsZero() ? section.IntegerPlaces
                                                              : form.Exponent) {}

    std::string Write(bool automaticSign) {
        if (automaticSign && form_.Negative)
            out_ += '-';
        for (const TPatternToken& token : section_.Tokens) {
            switch (token.Kind) {
            case TPatternTokenKind::Text:
                out_ += token.Text;
                break;
            case TPatternTokenKind::Placeholder:
                WritePlaceholder(token.Place);
                break;
            case TPatternTokenKind::Exponent:
                WriteExponent(token);
                break;
            }
        }
        return std::move(out_);
    }

  private:
    // The digit of the value in the given position (0 = first significant
    // digit); '0' past the last one.
    char DigitAt(int index) const {
        return index < static_cast<int>(form_.Digits.size())
                   ? form_.Digits[static_cast<std::size_t>(index)]
                   : '0';
    }

    // power: the number of integer places after this digit.
    void WriteIntegerDigit(char digit, int power) {
        out_ += digit;
        if (section_.Grouping && settings_.ThousandSeparator != '\0' && power > 0 && power % 3 == 0)
            out_ += settings_.ThousandSeparator;
    }

    void WritePlaceholder(int place) {
        const int integerPlaces = section_.IntegerPlaces;
        if (place == 0)
            for (int index = 0; index < valueExponent_ - integerPlaces; ++index)
                WriteIntegerDigit(DigitAt(index), valueExponent_ - 1 - index);
        if (place < integerPlaces)
            WriteIntegerPlace(place, integerPlaces - 1 - place);
        else
            WriteDecimalPlace(place, place - integerPlaces);
    }

    void WriteIntegerPlace(int place, int power) {
        const int index = valueExponent_ - 1 - power;
        if (index >= 0)
            WriteIntegerDigit(DigitAt(index), power);
        else if (section_.FirstZero >= 0 && place >= section_.FirstZero)
            WriteIntegerDigit('0', power);
    }

    // A place between the point and the first significant digit shows the
    // zero it holds; rounding has made sure a significant digit follows.
    void WriteDecimalPlace(int place, int decimal) {
        const int index = valueExponent_ + decimal;
        const bool withinDigits = index < static_cast<int>(form_.Digits.size());
        if (!withinDigits && place > section_.LastZero)
            return;
        const char digit = index < 0 ? '0' : DigitAt(index);
        if (!decimalSeparatorWritten_) {
            out_ += settings_.DecimalSeparator;
            decimalSeparatorWritten_ = true;
        }
        out_ += digit;
    }

    void WriteExponent(const TPatternToken& token) {
        const int exponent = form_.IsZero() ? 0 : form_.Exponent - section_.IntegerPlaces;
        out_ += token.Text;
        if (exponent < 0)
            out_ += '-';
        else if (token.PlusSign)
            out_ += '+';
        const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
        if (static_cast<int>(digits.size()) < token.ExponentDigits)
            out_.append(static_cast<std::size_t>(token.ExponentDigits) - digits.size(), '0');
        out_ += digits;
    }

    const TPatternSection& section_;
    const TDecimalForm& form_;
    const TFormatSettings& settings_;
    const int valueExponent_;
    bool decimalSeparatorWritten_ = false;
    std::string out_;
};

// Rounds the value's digits for the chosen section and writes them through
// it; general text stands in for a value with more integer digits than
// fixed notation holds.
std::string WriteInSection(std::string_view text, int chosen, TDecimalForm form,
                           double approximateValue, const TFormatSettings& settings) {
    const TPatternSection section = ReadPatternSection(text);
    if (section.Scientific) {
        RoundToSignificantDigits(form, section.Places());
    } else {
        if (form.Exponent > kMaximumFixedIntegerDigits)
            return GeneralText(approximateValue, settings);
        RoundToDecimalPlaces(form, section.DecimalPlaces);
    }
    return TSectionWriter(section, form, settings).Write(chosen == 1);
}

} // namespace

std::string FormatWithPattern(std::string_view pattern, double value,
                              const TFormatSettings& settings) {
    const auto sections = SplitPatternSections(pattern);
    const int chosen = ChoosePatternSection(value, sections);
    const std::string_view text = sections[static_cast<std::size_t>(chosen - 1)];
    if (text.empty() || !std::isfinite(value))
        return GeneralText(value, settings);
    return WriteInSection(text, chosen, ShortestDecimalFormOf(value), value, settings);
}

std::string FormatIntegerWithPattern(std::string_view pattern, std::int64_t value,
                                     const TFormatSettings& settings) {
    // The double only decides the section by its sign, which it keeps, and
    // feeds the general text where that stands in.
    const double approximateValue = static_cast<double>(value);
    const auto sections = SplitPatternSections(pattern);
    const int chosen = ChoosePatternSection(approximateValue, sections);
    const std::string_view text = sections[static_cast<std::size_t>(chosen - 1)];
    if (text.empty())
        return GeneralText(approximateValue, settings);
    return WriteInSection(text, chosen, ExactDecimalFormOf(value), approximateValue, settings);
}

} // namespace orvex::formatting
