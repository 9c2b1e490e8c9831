#include "frontend/preparation.h"

#include "frontend/text_replace.h"

#include <array>

namespace orvex::frontend {

namespace {

struct TAlias {
    std::string_view Pattern;
    std::string_view Replacement;
};

// Applied in this order. Replacements starting with "#" are temporary
// markers that later rows turn back into operators: they keep a longer
// operator from being split by the rows for its shorter parts ("<=" by "<"
// and "=", "xor" by "or", "sqrt" by "sqr", "--" by "-").
constexpr auto Aliases = std::to_array<TAlias>({
    {"--", "#2014"},       {"0x", "$"},        {"(", "( "},         {")", " ) "},
    {"^", " ^ "},          {"**", " ^ "},      {"PWR", " ^ "},      {"*", " * "},
    {"DIV", " div "},      {"//", " div "},    {"MOD", " mod "},    {"%%", " mod "},
    {"/", " / "},          {"+", " + "},       {"-", " - "},        {"!=", "#2260"},
    {"<>", "#2260"},       {"<=", "#2264"},    {">=", "#2265"},     {"<", " < "},
    {">", " > "},          {"=", " = "},       {"#2260", " <> "},   {"#2264", " <= "},
    {"#2265", " >= "},     {"xor", "#203C"},   {"or", " or "},      {"and", " and "},
    {"not", " not "},      {"#203C", " xor "}, {"cos", " cos "},    {"sin", " sin"},
    {"arctan", " arctan"}, {"abs", " abs"},    {"sqrt", "#221A"},   {"sqr", " sqr"},
    {"#221A", " sqrt"},    {"exp", " exp"},    {"ln", " ln"},       {"log", " log"},
    {"frac", " frac"},     {"int", " int"},    {"round", " round"}, {"trunc", " trunc"},
    {"#2014", "--"},
});

struct TTidyRow {
    std::string_view Pattern;
    std::string_view Replacement;
};

// A sign followed by a blank sticks to its operand after "(" and after the
// operators "*", "/", "+", "-", "<", ">", "=" and ",", in this order.
constexpr auto SignSpacing = std::to_array<TTidyRow>({
    {"(+ ", "(+"}, {"* + ", "* +"}, {"(- ", "(-"}, {"* - ", "* -"}, {"(+ ", "(+"}, {"/ + ", "/ +"},
    {"(- ", "(-"}, {"/ - ", "/ -"}, {"(+ ", "(+"}, {"+ + ", "+ +"}, {"(- ", "(-"}, {"+ - ", "+ -"},
    {"(+ ", "(+"}, {"- + ", "- +"}, {"(- ", "(-"}, {"- - ", "- -"}, {"(+ ", "(+"}, {"< + ", "< +"},
    {"(- ", "(-"}, {"< - ", "< -"}, {"(+ ", "(+"}, {"> + ", "> +"}, {"(- ", "(-"}, {"> - ", "> -"},
    {"(+ ", "(+"}, {"= + ", "= +"}, {"(- ", "(-"}, {"= - ", "= -"}, {"(+ ", "(+"}, {", + ", ", +"},
    {"(- ", "(-"}, {", - ", ", -"},
});
constexpr char Signs[] = {'+', '-'};

std::string TrimControls(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 33; };
    while (!text.empty() && isControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControl(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string Spaced(std::string text) {
    text = TrimControls(text);
    text = ReplaceUntilStable(std::move(text), "  ", " ");
    text = ReplaceUntilStable(std::move(text), "( ", "(");
    text = ReplaceUntilStable(std::move(text), " )", ")");
    for (const char sign : Signs)
        if (text.size() >= 2 && text[0] == sign && text[1] == ' ')
            text.erase(1, 1);
    for (const TTidyRow& row : SignSpacing)
        text = ReplaceUntilStable(std::move(text), row.Pattern, row.Replacement);
    return text;
}

} // namespace

std::string Normalise(std::string_view text, bool withSpacing) {
    std::string result(text);
    for (const TAlias& alias : Aliases)
        ReplaceAllIgnoreCaseIn(result, alias.Pattern, alias.Replacement);
    return withSpacing ? Spaced(std::move(result)) : result;
}

} // namespace orvex::frontend
