#include "formatting/pattern_section.h"

#include "formatting/error.h"
#include "formatting/messages.h"
#include "formatting/text.h"

namespace orvex::formatting {
namespace {

// A pattern may hold positive, negative and zero sections; a fourth is
// ignored and a fifth or more makes the pattern invalid.
constexpr int maximumSectionSeparators = 3;
constexpr int maximumExponentDigits = 4;

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

class SectionReader {
  public:
    SectionReader(std::string_view text, bool scientific) : text_(text) {
        section_.scientific = scientific;
    }

    PatternSection Read() {
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
            section_.grouping = true;
        else if (IsExponentLetter(c))
            ReadExponent(c);
        else
            AddText(c);
    }

    // Quoted text prints as it is, except that the other kind of quote
    // character inside it is dropped: it neither opens quoted text nor prints.
    void ReadQuoted(char quote) {
        const QuotedRun run = QuotedRunAt(text_, at_ - 1);
        const char otherQuote = quote == '"' ? '\'' : '"';
        std::string quoted;
        for (char c : run.text)
            if (c != otherQuote)
                quoted += c;
        AddText(quoted);
        at_ = run.next;
    }

    void AddPlaceholder(char c) {
        const int place = section_.Places();
        if (c == '0') {
            if (section_.firstZero < 0)
                section_.firstZero = place;
            section_.lastZero = place;
        }
        ++(decimalPointSeen_ ? section_.decimalPlaces : section_.integerPlaces);
        PatternToken token;
        token.kind = PatternTokenKind::Placeholder;
        token.place = place;
        section_.tokens.push_back(std::move(token));
    }

    // In scientific form "E+00" is the exponent and a lone "E" is text; in
    // fixed form "E" and the character after it are both text.
    void ReadExponent(char letter) {
        const bool signFollows = at_ < text_.size() && IsSign(text_[at_]);
        if (section_.scientific && signFollows) {
            PatternToken token;
            token.kind = PatternTokenKind::Exponent;
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
        if (section_.tokens.empty() || section_.tokens.back().kind != PatternTokenKind::Text)
            section_.tokens.push_back(PatternToken{});
        section_.tokens.back().text += text;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool decimalPointSeen_ = false;
    PatternSection section_;
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
    if (static_cast<int>(sections.size()) - 1 > maximumSectionSeparators)
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

PatternSection ReadPatternSection(std::string_view section) {
    return SectionReader(section, IsScientific(section)).Read();
}

} // namespace orvex::formatting
