// The sections of a number pattern and what the output walk meets in one:
// text, digit placeholders and the exponent, with the counts and positions
// that decide rounding and the placement of digits.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex::formatting {

// The ";"-separated sections of a pattern (";" inside quotes does not
// count). Raises EConvertError "Invalid float format" for four or more
// separators.
std::vector<std::string_view> SplitPatternSections(std::string_view pattern);

// 1 for a positive value, 2 for a negative one, 3 for zero and NaN; section 1
// stands in for a missing or empty section.
int ChoosePatternSection(double value, const std::vector<std::string_view>& sections);

enum class TPatternTokenKind { Text, Placeholder, Exponent };

struct TPatternToken {
    TPatternTokenKind Kind = TPatternTokenKind::Text;
    std::string Text;       // Text; the letter of an Exponent
    int Place = 0;          // Placeholder: its number, counting from 0
    bool PlusSign = false;  // Exponent: "+" after the letter
    int ExponentDigits = 0; // Exponent: the minimum number of digits
};

struct TPatternSection {
    std::vector<TPatternToken> Tokens;
    bool Scientific = false;
    bool Grouping = false;
    int IntegerPlaces = 0;
    int DecimalPlaces = 0;
    int FirstZero = -1; // place number of the first "0", -1 when none
    int LastZero = -1;

    int Places() const { return IntegerPlaces + DecimalPlaces; }
};

// Quotes are removed from quoted text; "," and "." leave only their effect.
TPatternSection ReadPatternSection(std::string_view section);

} // namespace orvex::formatting
