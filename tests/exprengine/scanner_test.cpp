#include "exprengine/errors.h"
#include "exprengine/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvex::engine {
namespace {

struct TToken {
    TokenKind kind;
    std::string text;
    int position; // the scanner's position after the token
    bool operator==(const TToken&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TToken& token) {
    return out << "{" << static_cast<int>(token.kind) << ", \"" << token.text << "\", "
               << token.position << "}";
}

// Every token up to and including EndOfText.
std::vector<TToken> Scan(std::string_view text) {
    TExpressionScanner scanner;
    scanner.SetSource(text);
    std::vector<TToken> tokens;
    for (;;) {
        const TokenKind kind = scanner.NextToken();
        tokens.push_back({kind, scanner.CurrentToken(), scanner.Position()});
        if (kind == TokenKind::EndOfText)
            return tokens;
    }
}

using K = TokenKind;

struct TScanCase {
    std::string source;
    std::vector<TToken> tokens;
};

void PrintTo(const TScanCase& scanCase, std::ostream* out) {
    *out << '"' << scanCase.source << '"';
}

class ScannerTokens : public testing::TestWithParam<TScanCase> {};

TEST_P(ScannerTokens, ProducesTokensAndPositions) {
    EXPECT_EQ(Scan(GetParam().source), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Lexis, ScannerTokens,
    testing::Values(
        TScanCase{"", {{K::EndOfText, "", 0}}},
        TScanCase{"  1", {{K::Number, "1", 4}, {K::EndOfText, "", 4}}},
        TScanCase{"\t1\r\n2 ", {{K::Number, "1", 3}, {K::Number, "2", 6}, {K::EndOfText, "", 7}}},
        TScanCase{
            "1+2",
            {{K::Number, "1", 2}, {K::Plus, "+", 3}, {K::Number, "2", 4}, {K::EndOfText, "", 4}}},
        TScanCase{"2E+3", {{K::Number, "2E+3", 5}, {K::EndOfText, "", 5}}},
        TScanCase{"2e-3", {{K::Number, "2e-3", 5}, {K::EndOfText, "", 5}}},
        TScanCase{
            "2E3+1",
            {{K::Number, "2E3", 4}, {K::Plus, "+", 5}, {K::Number, "1", 6}, {K::EndOfText, "", 6}}},
        TScanCase{".5 5.", {{K::Number, ".5", 3}, {K::Number, "5.", 6}, {K::EndOfText, "", 6}}},
        TScanCase{"$ff &17 %101",
                  {{K::Number, "$ff", 4},
                   {K::Number, "&17", 8},
                   {K::Number, "%101", 13},
                   {K::EndOfText, "", 13}}},
        TScanCase{"12345678901234567890",
                  {{K::Number, "12345678901234567890", 21}, {K::EndOfText, "", 21}}},
        TScanCase{"'it''s'", {{K::String, "it's", 8}, {K::EndOfText, "", 8}}},
        TScanCase{"''+'a \"+b'",
                  {{K::String, "", 3},
                   {K::Plus, "+", 4},
                   {K::String, "a \"+b", 11},
                   {K::EndOfText, "", 11}}},
        TScanCase{"a<=b",
                  {{K::Identifier, "a", 2},
                   {K::LessEqual, "<=", 4},
                   {K::Identifier, "b", 5},
                   {K::EndOfText, "", 5}}},
        TScanCase{"a>=b<>c",
                  {{K::Identifier, "a", 2},
                   {K::GreaterEqual, ">=", 4},
                   {K::Identifier, "b", 5},
                   {K::NotEqual, "<>", 7},
                   {K::Identifier, "c", 8},
                   {K::EndOfText, "", 8}}},
        TScanCase{"a>>b",
                  {{K::Identifier, "a", 2},
                   {K::Greater, ">", 3},
                   {K::Greater, ">", 4},
                   {K::Identifier, "b", 5},
                   {K::EndOfText, "", 5}}},
        TScanCase{"=<=>",
                  {{K::Equal, "=", 2},
                   {K::LessEqual, "<=", 4},
                   {K::Greater, ">", 5},
                   {K::EndOfText, "", 5}}},
        TScanCase{"**/^,()",
                  {{K::Multiply, "*", 2},
                   {K::Multiply, "*", 3},
                   {K::Divide, "/", 4},
                   {K::Power, "^", 5},
                   {K::Comma, ",", 6},
                   {K::LeftParen, "(", 7},
                   {K::RightParen, ")", 8},
                   {K::EndOfText, "", 8}}},
        TScanCase{"NOT x Div TRUE",
                  {{K::Not, "NOT", 4},
                   {K::Identifier, "x", 6},
                   {K::IntDiv, "Div", 10},
                   {K::True, "TRUE", 15},
                   {K::EndOfText, "", 15}}},
        TScanCase{"or xor And false if CASE mod",
                  {{K::Or, "or", 3},
                   {K::Xor, "xor", 7},
                   {K::And, "And", 11},
                   {K::False, "false", 17},
                   {K::If, "if", 20},
                   {K::Case, "CASE", 25},
                   {K::Modulo, "mod", 29},
                   {K::EndOfText, "", 29}}},
        TScanCase{
            "x.y_1 a$&'b",
            {{K::Identifier, "x.y_1", 6}, {K::Identifier, "a$&'b", 12}, {K::EndOfText, "", 12}}},
        TScanCase{"a\xE9z", {{K::Identifier, "a\xE9z", 4}, {K::EndOfText, "", 4}}},
        TScanCase{"%1%0", {{K::Number, "%1", 3}, {K::Number, "%0", 5}, {K::EndOfText, "", 5}}},
        TScanCase{"\"my var\"*2",
                  {{K::Identifier, "my var", 9},
                   {K::Multiply, "*", 10},
                   {K::Number, "2", 11},
                   {K::EndOfText, "", 11}}},
        TScanCase{"a\"+\"b", {{K::Identifier, "a+b", 6}, {K::EndOfText, "", 6}}},
        TScanCase{"\"and\"", {{K::And, "and", 6}, {K::EndOfText, "", 6}}},
        TScanCase{std::string("1\0+2", 4), {{K::Number, "1", 2}, {K::EndOfText, "", 2}}}));

struct TErrorCase {
    std::string source;
    std::string message;
};

void PrintTo(const TErrorCase& errorCase, std::ostream* out) {
    *out << '"' << errorCase.source << '"';
}

class ScannerErrors : public testing::TestWithParam<TErrorCase> {};

TEST_P(ScannerErrors, RaisesWithExactMessage) {
    try {
        Scan(GetParam().source);
        FAIL() << "no error for " << GetParam().source;
    } catch (const EExprScanner& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lexis, ScannerErrors,
    testing::Values(
        TErrorCase{"_x", "Unknown character at pos 1: \"_\""},
        TErrorCase{"1 + !", "Unknown character at pos 5: \"!\""},
        TErrorCase{"  #", "Unknown character at pos 3: \"#\""},
        TErrorCase{"{", "Unknown character at pos 1: \"{\""},
        TErrorCase{"\xE9", "Unknown character at pos 1: \"\xE9\""},
        TErrorCase{"'abc", "Unterminated string"}, TErrorCase{"'", "Unterminated string"},
        TErrorCase{"'a''", "Unterminated string"},
        TErrorCase{"12a", "Unexpected character in number : a"},
        TErrorCase{"&8", "Unexpected character in number : 8"},
        TErrorCase{"%2", "Unexpected character in number : 2"},
        TErrorCase{"1.5x", "Unexpected character in number : x"},
        TErrorCase{"1e 5", "Unexpected character in number :  "},
        TErrorCase{"1e+*2", "Unexpected character in number : *"},
        TErrorCase{"$1$2", "Unexpected character in number : $"},
        TErrorCase{"$1g", "Unexpected character in number : g"},
        TErrorCase{"$ff&1", "Unexpected character in number : &"},
        TErrorCase{"1_000", "Unexpected character in number : _"},
        TErrorCase{"1.2.3", "Invalid numerical value : 1.2.3"},
        TErrorCase{"1e5e3", "Invalid numerical value : 1e5e3"},
        TErrorCase{"1e-", "Invalid numerical value : 1e-"},
        TErrorCase{".", "Invalid numerical value : ."},
        TErrorCase{"$", "Invalid numerical value : $"},
        TErrorCase{"%", "Invalid numerical value : %"},
        TErrorCase{"a% b", "Invalid numerical value : %"},
        TErrorCase{"a%b", "Unexpected character in number : b"},
        TErrorCase{"$1FFFFFFFFFFFFFFFF", "Invalid numerical value : $1FFFFFFFFFFFFFFFF"},
        TErrorCase{"1e400", "Invalid numerical value : 1e400"},
        TErrorCase{std::string(256, '1'), "Invalid numerical value : " + std::string(256, '1')},
        TErrorCase{"\"abc", "Unterminated quoted identifier: abc"},
        TErrorCase{"x\"ab", "Unterminated quoted identifier: xab"}));

TEST(Scanner, KeepsReturningEndOfText) {
    TExpressionScanner scanner;
    scanner.SetSource("x");
    EXPECT_EQ(scanner.NextToken(), TokenKind::Identifier);
    EXPECT_EQ(scanner.NextToken(), TokenKind::EndOfText);
    EXPECT_EQ(scanner.NextToken(), TokenKind::EndOfText);
    EXPECT_EQ(scanner.Position(), 2);
}

TEST(Scanner, SetSourceStartsOver) {
    TExpressionScanner scanner;
    scanner.SetSource("abc + 1");
    scanner.NextToken();
    scanner.NextToken();
    scanner.SetSource("7");
    EXPECT_EQ(scanner.CurrentToken(), "");
    EXPECT_EQ(scanner.CurrentTokenKind(), TokenKind::EndOfText);
    EXPECT_EQ(scanner.Position(), 1);
    EXPECT_EQ(scanner.NextToken(), TokenKind::Number);
    EXPECT_EQ(scanner.CurrentToken(), "7");
}

TEST(Scanner, ErrorsDeriveFromTheCommonBase) {
    try {
        Scan("!");
        FAIL();
    } catch (const formatting::Error& error) {
        EXPECT_NE(dynamic_cast<const EExprScanner*>(&error), nullptr);
    }
}

} // namespace
} // namespace orvex::engine
