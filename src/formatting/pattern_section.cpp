#include "formatting/pattern_section.h"

#include "formatting/error.h"
#include "formatting/messages.h"
#include "formatting/text.h"

#include <algorithm>

namespace orvex::formatting {
namespace {

// A pattern may hold positive, negative and zero sections; a fourth is
// ignored and a fifth or more makes the pattern invalid.
constexpr int kMaximumSectionSeparators = 3;
constexpr int kMaximumExponentDigits = 4;
constexpr std::size_t kTokensReservedAtOnce = 32;

bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e';
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}

// Scientific form is on when an "E" or "e" outside quotes is followed by a sign.
bool IsScientific(std::string_view section) {
    return FindUnquoted(section, [section](std::size_t at) {
               return IsExponentLetter(section[at]) && at + 1 < section.size() &&
                      IsSign(section[at + 1]);
           }) != std::string_view::npos;
}

class TSectionReader {
  public:
    TSectionReader(std::string_view text, bool scientific) : text_(text) {
        section_.Scientific = scientific;
        // A character adds at most one token; the usual patterns then need
        // one allocation, a long one grows as it goes.
        section_.Tokens.reserve(std::min(text.size(), kTokensReservedAtOnce));
    }

    TPatternSection Read() {
        while (at_ < text_.size())
            ReadOne();
        return std::move(section_);
    }

  private:
    void ReadOne() {
        const char c = text_[at_++];
        if (IsPatternQuote(c))
            ReadQuoted(c);
        else if (c == '0' || c == '#')
            AddPlaceholder(c);
        else if (c == '.')
            decimalPointSeen_ = true;
        else if (c == ',')
            section_.Grouping = true;
        else if (IsExponentLetter(c))
            ReadExponent(c);
        else
            AddText(c);
    }

    // Quoted text prints as it is, except that the other kind of quote
    // character inside it is dropped: it neither opens quoted text nor prints.
    void ReadQuoted(char quote) {
        const TQuotedRun run = QuotedRunAt(text_, at_ - 1);
        const char otherQuote = quote == '"' ? '\'' : '"';
        std::string quoted;
        for (char c : run.Text)
            if (c != otherQuote)
                quoted += c;
        AddText(quoted);
        at_ = run.Next;
    }

    void AddPlaceholder(char c) {
        const int place = section_.Places();
        if (c == '0') {
            if (section_.FirstZero < 0)
                section_.FirstZero = place;
            section_.LastZero = place;
        }
        ++(decimalPointSeen_ ? section_.DecimalPlaces : section_.IntegerPlaces);
        TPatternToken token;
        token.Kind = TPatternTokenKind::Placeholder;
        token.Place = place;
        section_.Tokens.push_back(std::move(token));
    }

    // In scientific form "E+00" is the exponent and a lone "E" is text; in
    // fixed form "E" and the character after it are both text.
    void ReadExponent(char letter) {
        const bool signFollows = at_ < text_.size() && IsSign(text_[at_]);
        if (section_.Scientific && signFollows) {
            TPatternToken token;
            token.Kind = TPatternTokenKind::Exponent;
            token.Text = std::string(1, letter);
            token.PlusSign = text_[at_++] == '+';
            for (; at_ < text_.size() && text_[at_] == '0'; ++at_)
                if (token.ExponentDigits < kMaximumExponentDigits)
                    ++token.ExponentDigits;
            section_.Tokens.push_back(std::move(token));
            return;
        }
        AddText(letter);
        if (!section_.Scientific && at_ < text_.size())
            AddText(text_[at_++]);
    }

    void AddText(char c) { AddText(std::string_view(&c, 1)); }
    void AddText(std::string_view text) {
        if (section_.Tokens.empty() || section_.Tokens.back().Kind != TPatternTokenKind::Text)
            section_.Tokens.push_back(TPatternToken{});
        section_.Tokens.back().Text += text;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool decimalPointSeen_ = false;
    TPatternSection section_;
};

} // namespace

std::vector<std::string_view> SplitPatternSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    const auto isSeparator = [pattern](std::size_t at) { return pattern[at] == ';'; };
    for (std::size_t at = FindUnquoted(pattern, isSeparator); at != std::string_view::npos;
         at = FindUnquoted(pattern, isSeparator, at + 1)) {
        sections.push_back(pattern.substr(start, at - start));
        start = at + 1;
    }
    sections.push_back(pattern.substr(start));
    if (static_cast<int>(sections.size()) - 1 > kMaximumSectionSeparators)
        throw EConvertError(FormattingString("formatting.sinvalidfloatformat"));
    return sections;
}

int ChoosePatternSection(double value, const std::vector<std::string_view>& sections) {
    const int wanted = value > 0 ? 1 : value < 0 ? 2 : 3;
    if (wanted > static_cast<int>(sections.size()) ||
        sections[static_cast<std::size_t>(wanted - 1)].empty())
        return 1;
    return wanted;
}

TPatternSection ReadPatternSection(std::string_view section) {
    return TSectionReader(section, IsScientific(section)).Read();
}

} // namespace orvex::formatting
