#include "formatting/number_pattern.h"

#include "formatting/decimal_form.h"
#include "formatting/error.h"
#include "formatting/messages.h"

#include <cmath>
#include <vector>

namespace orvex::formatting {
namespace {

// A pattern may hold positive, negative and zero sections; a fourth is
// ignored and a fifth or more makes the pattern invalid.
constexpr int maximumSectionSeparators = 3;
// Fixed notation gives up on values with more integer digits than this.
constexpr int maximumFixedIntegerDigits = 17;
constexpr int maximumExponentDigits = 4;

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}
bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e';
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = '\0';
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote != '\0') {
            if (c == quote)
                quote = '\0';
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    if (static_cast<int>(sections.size()) - 1 > maximumSectionSeparators)
        throw EConvertError(std::string(FormattingMessage("formatting.sinvalidfloatformat")));
    return sections;
}

// 1 for a positive value, 2 for a negative one, 3 for zero and NaN; section 1
// stands in for a missing or empty section.
int ChooseSection(double value, const std::vector<std::string_view>& sections) {
    const int wanted = value > 0 ? 1 : value < 0 ? 2 : 3;
    if (wanted > static_cast<int>(sections.size()) ||
        sections[static_cast<std::size_t>(wanted - 1)].empty())
        return 1;
    return wanted;
}

// Scientific form is on when an "E" or "e" outside quotes is followed by a sign.
bool IsScientific(std::string_view section) {
    char quote = '\0';
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (quote != '\0') {
            if (c == quote)
                quote = '\0';
        } else if (IsQuote(c)) {
            quote = c;
        } else if (IsExponentLetter(c) && i + 1 < section.size() && IsSign(section[i + 1])) {
            return true;
        }
    }
    return false;
}

enum class TokenKind { Text, Placeholder, Exponent };

struct Token {
    TokenKind kind = TokenKind::Text;
    std::string text;       // Text; the letter of an Exponent
    int place = 0;          // Placeholder: its number, counting from 0
    bool plusSign = false;  // Exponent: "+" after the letter
    int exponentDigits = 0; // Exponent: the minimum number of digits
};

// A section broken into what the output walk meets, with the counts and
// positions the placement rules need.
struct Section {
    std::vector<Token> tokens;
    bool scientific = false;
    bool grouping = false;
    int integerPlaces = 0;
    int decimalPlaces = 0;
    int firstZero = -1; // place number of the first "0", -1 when none
    int lastZero = -1;

    int Places() const { return integerPlaces + decimalPlaces; }
};

class SectionReader {
  public:
    SectionReader(std::string_view text, bool scientific) : text_(text) {
        section_.scientific = scientific;
    }

    Section Read() {
        while (at_ < text_.size())
            ReadOne();
        return std::move(section_);
    }

  private:
    void ReadOne() {
        const char c = text_[at_++];
        if (IsQuote(c))
            ReadQuoted(c);
        else if (c == '0' || c == '#')
            AddPlaceholder(c);
        else if (c == '.')
            decimalPointSeen_ = true;
        else if (c == ',')
            section_.grouping = true;
        else if (IsExponentLetter(c))
            ReadExponent(c);
        else
            AddText(c);
    }

    void ReadQuoted(char quote) {
        const auto end = text_.find(quote, at_);
        const auto length = (end == std::string_view::npos ? text_.size() : end) - at_;
        AddText(text_.substr(at_, length));
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
    }

    void AddPlaceholder(char c) {
        const int place = section_.Places();
        if (c == '0') {
            if (section_.firstZero < 0)
                section_.firstZero = place;
            section_.lastZero = place;
        }
        ++(decimalPointSeen_ ? section_.decimalPlaces : section_.integerPlaces);
        Token token;
        token.kind = TokenKind::Placeholder;
        token.place = place;
        section_.tokens.push_back(std::move(token));
    }

    // In scientific form "E+00" is the exponent and a lone "E" is text; in
    // fixed form "E" and the character after it are both text.
    void ReadExponent(char letter) {
        const bool signFollows = at_ < text_.size() && IsSign(text_[at_]);
        if (section_.scientific && signFollows) {
            Token token;
            token.kind = TokenKind::Exponent;
            token.text = std::string(1, letter);
            token.plusSign = text_[at_++] == '+';
            for (; at_ < text_.size() && text_[at_] == '0'; ++at_)
                if (token.exponentDigits < maximumExponentDigits)
                    ++token.exponentDigits;
            section_.tokens.push_back(std::move(token));
            return;
        }
        AddText(letter);
        if (!section_.scientific && at_ < text_.size())
            AddText(text_[at_++]);
    }

    void AddText(char c) { AddText(std::string_view(&c, 1)); }
    void AddText(std::string_view text) {
        if (section_.tokens.empty() || section_.tokens.back().kind != TokenKind::Text)
            section_.tokens.push_back(Token{});
        section_.tokens.back().text += text;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool decimalPointSeen_ = false;
    Section section_;
};

// Walks a section's tokens and writes the rounded value into it.
class SectionWriter {
  public:
    SectionWriter(const Section& section, const DecimalForm& form, const TFormatSettings& settings)
        : section_(section), form_(form), settings_(settings),
          // The scientific form shows as many integer digits as there are
          // integer places; zero has no digits to place.
          valueExponent_(section.scientific && !form.IsZero() ? section.integerPlaces
                                                              : form.exponent) {}

    std::string Write(bool automaticSign) {
        if (automaticSign && form_.negative)
            out_ += '-';
        for (const Token& token : section_.tokens) {
            switch (token.kind) {
            case TokenKind::Text:
                out_ += token.text;
                break;
            case TokenKind::Placeholder:
                WritePlaceholder(token.place);
                break;
            case TokenKind::Exponent:
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
        return index < static_cast<int>(form_.digits.size())
                   ? form_.digits[static_cast<std::size_t>(index)]
                   : '0';
    }

    // power: the number of integer places after this digit.
    void WriteIntegerDigit(char digit, int power) {
        out_ += digit;
        if (section_.grouping && settings_.ThousandSeparator != '\0' && power > 0 && power % 3 == 0)
            out_ += settings_.ThousandSeparator;
    }

    void WritePlaceholder(int place) {
        const int integerPlaces = section_.integerPlaces;
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
        else if (section_.firstZero >= 0 && place >= section_.firstZero)
            WriteIntegerDigit('0', power);
    }

    void WriteDecimalPlace(int place, int decimal) {
        const int index = valueExponent_ + decimal;
        char digit = '\0';
        if (index < 0 || index < static_cast<int>(form_.digits.size()))
            digit = index < 0 ? '0' : DigitAt(index);
        else if (place <= section_.lastZero)
            digit = '0';
        if (digit == '\0')
            return;
        if (!decimalSeparatorWritten_) {
            out_ += settings_.DecimalSeparator;
            decimalSeparatorWritten_ = true;
        }
        out_ += digit;
    }

    void WriteExponent(const Token& token) {
        const int exponent = form_.IsZero() ? 0 : form_.exponent - section_.integerPlaces;
        out_ += token.text;
        if (exponent < 0)
            out_ += '-';
        else if (token.plusSign)
            out_ += '+';
        const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
        if (static_cast<int>(digits.size()) < token.exponentDigits)
            out_.append(static_cast<std::size_t>(token.exponentDigits) - digits.size(), '0');
        out_ += digits;
    }

    const Section& section_;
    const DecimalForm& form_;
    const TFormatSettings& settings_;
    const int valueExponent_;
    bool decimalSeparatorWritten_ = false;
    std::string out_;
};

} // namespace

std::string FormatWithPattern(std::string_view pattern, double value,
                              const TFormatSettings& settings) {
    const auto sections = SplitSections(pattern);
    const int chosen = ChooseSection(value, sections);
    const std::string_view text = sections[static_cast<std::size_t>(chosen - 1)];
    if (text.empty() || !std::isfinite(value))
        return GeneralText(value, settings);

    const Section section = SectionReader(text, IsScientific(text)).Read();
    DecimalForm form = DecimalFormOf(value);
    if (section.scientific) {
        RoundToSignificantDigits(form, section.Places());
    } else {
        if (form.exponent > maximumFixedIntegerDigits)
            return GeneralText(value, settings);
        RoundToDecimalPlaces(form, section.decimalPlaces);
    }
    return SectionWriter(section, form, settings).Write(chosen == 1);
}

} // namespace orvex::formatting
