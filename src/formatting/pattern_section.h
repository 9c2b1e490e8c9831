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

enum class PatternTokenKind { Text, Placeholder, Exponent };

struct PatternToken {
    PatternTokenKind kind = PatternTokenKind::Text;
    std::string text;       // Text; the letter of an Exponent
    int place = 0;          // Placeholder: its number, counting from 0
    bool plusSign = false;  // Exponent: "+" after the letter
    int exponentDigits = 0; // Exponent: the minimum number of digits
};

struct PatternSection {
    std::vector<PatternToken> tokens;
    bool scientific = false;
    bool grouping = false;
    int integerPlaces = 0;
    int decimalPlaces = 0;
    int firstZero = -1; // place number of the first "0", -1 when none
    int lastZero = -1;

    int Places() const { return integerPlaces + decimalPlaces; }
};

// Quotes are removed from quoted text; "," and "." leave only their effect.
PatternSection ReadPatternSection(std::string_view section);

} // namespace orvex::formatting
