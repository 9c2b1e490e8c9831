// Normalise against the rewrite as its rows define it: one whole-text
// replacement per alias row, then the spacing rules replaced until nothing
// changes. The reference below is that literal definition; Normalise does
// the same in one scan and must give the same text for every input.
#include "frontend/preparation.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

namespace orvex::frontend {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern, bool ignoreCase) {
    if (text.size() - at < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (ignoreCase ? Upper(text[at + i]) != Upper(pattern[i]) : text[at + i] != pattern[i])
            return false;
    return true;
}

// Every non-overlapping occurrence, left to right, in one pass.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement, bool ignoreCase) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        if (MatchesAt(text, at, pattern, ignoreCase)) {
            result += replacement;
            at += pattern.size();
        } else {
            result += text[at++];
        }
    }
    return result;
}

std::string ReplaceUntilStable(std::string text, std::string_view pattern,
                               std::string_view replacement) {
    while (text.find(pattern) != std::string::npos)
        text = ReplaceAll(text, pattern, replacement, false);
    return text;
}

struct Row {
    std::string_view Pattern;
    std::string_view Replacement;
};

constexpr auto AliasRows = std::to_array<Row>({
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

constexpr std::string_view SignSpacingOperators = "*/+-<>=,";
constexpr std::string_view Signs = "+-";

// Stand-ins for exponent signs while the rows run; inputs never hold them.
constexpr char ProtectedPlus = '\x01';
constexpr char ProtectedMinus = '\x02';

bool IsDigitOrPoint(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

// A digit run begins a token after the start, a blank or control character,
// an operator or a parenthesis.
bool EndsToken(char c) {
    return static_cast<unsigned char>(c) < 33 ||
           std::string_view("()*+,-/<=>^").find(c) != std::string_view::npos;
}

// The sign follows the exponent letter of a literal that starts with a digit
// or ".".
bool FollowsExponentLetter(std::string_view text, std::size_t at) {
    if (at < 2 || Upper(text[at - 1]) != 'E')
        return false;
    std::size_t start = at - 1;
    while (start > 0 && IsDigitOrPoint(text[start - 1]))
        --start;
    return start < at - 1 && (start == 0 || EndsToken(text[start - 1]));
}

// Exponent signs that the rows would space out are hidden from them; a "--"
// pair is never split and stays as it is anyway.
std::string ProtectExponentSigns(std::string text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '-' && at + 1 < text.size() && text[at + 1] == '-')
            ++at;
        else if ((text[at] == '+' || text[at] == '-') && FollowsExponentLetter(text, at))
            text[at] = text[at] == '+' ? ProtectedPlus : ProtectedMinus;
    }
    return text;
}

std::string RestoreExponentSigns(std::string text) {
    for (char& c : text)
        if (c == ProtectedPlus || c == ProtectedMinus)
            c = c == ProtectedPlus ? '+' : '-';
    return text;
}

std::string ReferenceSpacing(std::string text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 33; };
    while (!text.empty() && isControl(text.front()))
        text.erase(0, 1);
    while (!text.empty() && isControl(text.back()))
        text.pop_back();
    text = ReplaceUntilStable(std::move(text), "  ", " ");
    text = ReplaceUntilStable(std::move(text), "( ", "(");
    text = ReplaceUntilStable(std::move(text), " )", ")");
    for (const char sign : Signs)
        if (text.size() >= 2 && text[0] == sign && text[1] == ' ')
            text.erase(1, 1);
    for (const char op : SignSpacingOperators) {
        for (const char sign : Signs) {
            text = ReplaceUntilStable(std::move(text), std::string{'(', sign, ' '},
                                      std::string{'(', sign});
            text = ReplaceUntilStable(std::move(text), std::string{op, ' ', sign, ' '},
                                      std::string{op, ' ', sign});
        }
    }
    return text;
}

std::string ReferenceNormalise(std::string_view text, bool withSpacing) {
    std::string result = ProtectExponentSigns(std::string(text));
    for (const Row& row : AliasRows)
        result = ReplaceAll(result, row.Pattern, row.Replacement, true);
    result = RestoreExponentSigns(std::move(result));
    return withSpacing ? ReferenceSpacing(std::move(result)) : result;
}

// Pieces rich in what the rows look for: operator characters, blanks,
// fragments of the temporary markers, the letters of the operator and
// function words in both cases, digits, exponent letters, "$" and "x".
constexpr auto Pieces = std::to_array<std::string_view>({
    "-",     "-",     "+",     "+",     "*",     "/",   "%",   "^",    "(",    ")",   "<",
    ">",     "=",     "!",     ",",     " ",     " ",   " ",   "\t",   "0",    "1",   "2",
    "3",     "5",     ".",     "e",     "E",     "x",   "X",   "$",    "#",    "#2",  "#22",
    "#20",   "60",    "64",    "65",    "14",    "3C",  "3c",  "1A",   "1a",   "a",   "n",
    "d",     "o",     "r",     "t",     "s",     "i",   "q",   "l",    "g",    "c",   "u",
    "f",     "p",     "b",     "m",     "v",     "w",   "PWR", "DIV",  "MOD",  "xor", "or",
    "and",   "not",   "cos",   "sin",   "arc",   "tan", "abs", "sqr",  "sqrt", "exp", "ln",
    "log",   "frac",  "int",   "round", "trunc", "Or",  "SIN", "\xC3", "\xA9", "y",   "#2014",
    "#2260", "#203C", "#221A", "#221a", "1e",    "0x",
});

std::string RandomText(std::mt19937& random, std::size_t pieces) {
    std::uniform_int_distribution<std::size_t> pick(0, Pieces.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i)
        text += Pieces[pick(random)];
    return text;
}

TEST(NormaliseReference, AgreesOnRandomTexts) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    int mismatches = 0;
    for (int i = 0; i < 60000 && mismatches < 10; ++i) {
        const std::string text = RandomText(random, length(random));
        const bool withSpacing = i % 4 != 0;
        const std::string expected = ReferenceNormalise(text, withSpacing);
        const std::string actual = Normalise(text, withSpacing);
        if (actual != expected) {
            ++mismatches;
            ADD_FAILURE() << "input \"" << text << "\" spacing " << withSpacing << "\n  expected \""
                          << expected << "\"\n  actual   \"" << actual << '"';
        }
    }
}

// Texts where the order of the rows decides: a longer or earlier operator
// takes characters a later row would have matched, a marker typed by the
// user meets the rows that produce or break it, a word row splits a word an
// earlier row has already set apart.
TEST(NormaliseReference, AgreesWhereTheRowOrderDecides) {
    for (const std::string_view text : {"MODIV",     "anDIV",     "PWRound",   "sint",
                                        "absqrt",    "sqrtrunc",  "sqrtln",    "cossin",
                                        "xoror",     "0xor",      "#2260x",    "#2260X1",
                                        "#221And",   "#221ANDIV", "#221Absin", "#221Arunc",
                                        "#221aln",   "#203cos",   "#203Cor",   "##2260",
                                        "#22!=",     "<>=",       "<<>",       "!==",
                                        "***",       "%%%",       "////",      "---",
                                        "----",      "1e--3",     "1e---3",    "1 + + + + 2",
                                        "a + + + 3", "3 - - 4",   "(- + 3",    "+ - 3",
                                        "- + 3",     "* + + + 3", "2^-1",      "--1e-3",
                                        "#20141e-3", "1e-+3",     "x1e-3",     "$2e-3",
                                        "0x2e-3",    "1.5E+3",    ".5e-3",     "2*1e-3",
                                        "(1e-3)",    "%1e-3",     "1 ( ) 2",   "( - ( + 4 ) )",
                                        " \t-\t1 ",  "- ",        "-",         "+",
                                        "(",         ")",         ""})
        for (const bool withSpacing : {false, true})
            EXPECT_EQ(Normalise(text, withSpacing), ReferenceNormalise(text, withSpacing))
                << '"' << text << "\" spacing " << withSpacing;
}

struct ExponentCase {
    std::string_view Input;
    std::string_view Expected;
};

// A sign right after the exponent letter of a decimal literal stays with it;
// hexadecimal literals and names have no exponent.
TEST(NormaliseExponents, KeepTheSignOfADecimalExponent) {
    for (const ExponentCase c : {ExponentCase{"1e-3", "1e-3"}, ExponentCase{"1.5E+3", "1.5E+3"},
                                 ExponentCase{".5e-3", ".5e-3"}, ExponentCase{"2*1e-3", "2 * 1e-3"},
                                 ExponentCase{"1e-3-1", "1e-3 - 1"}, ExponentCase{"-1e+3", "-1e+3"},
                                 ExponentCase{"(2E-1)", "(2E-1)"}, ExponentCase{"$2e-3", "$2e - 3"},
                                 ExponentCase{"0x2e-3", "$2e - 3"},
                                 ExponentCase{"x1e-3", "x1e - 3"}, ExponentCase{"1 e-3", "1 e - 3"},
                                 ExponentCase{"e-3", "e - 3"}, ExponentCase{"1e -3", "1e - 3"}})
        EXPECT_EQ(Normalise(c.Input, true), c.Expected) << c.Input;
}

} // namespace
} // namespace orvex::frontend
