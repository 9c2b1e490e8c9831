#include "exprengine/scanner.h"

#include "exprengine/char_classes.h"
#include "exprengine/errors.h"
#include "exprengine/number_literal.h"

#include <array>
#include <utility>

namespace orvex::engine {
namespace {

TokenKind OperatorKind(char c) {
    switch (c) {
    case '+':
        return TokenKind::Plus;
    case '-':
        return TokenKind::Minus;
    case '<':
        return TokenKind::Less;
    case '>':
        return TokenKind::Greater;
    case '=':
        return TokenKind::Equal;
    case '/':
        return TokenKind::Divide;
    case '*':
        return TokenKind::Multiply;
    case '(':
        return TokenKind::LeftParen;
    case ')':
        return TokenKind::RightParen;
    case ',':
        return TokenKind::Comma;
    default:
        return TokenKind::Power;
    }
}

bool AcceptsNumberChar(TNumberKind kind, char c, char previous, bool textEmpty) {
    switch (kind) {
    case TNumberKind::Decimal:
        return IsDecimalDigit(c) || c == '.' || ((c == 'E' || c == 'e') && !textEmpty) ||
               ((c == '+' || c == '-') && previous == 'E');
    case TNumberKind::Hex:
        return IsHexDigit(c) || (c == '$' && previous == '\0');
    case TNumberKind::Octal:
        return IsOctalDigit(c) || (c == '&' && previous == '\0');
    case TNumberKind::Binary:
        return IsBinaryDigit(c) || (c == '%' && previous == '\0');
    }
    return false;
}

// A delimiter ends a number, except right after an exponent letter or its
// sign, and except the "%" that starts a binary literal.
bool DelimiterEndsNumber(TNumberKind kind, char previous) {
    switch (kind) {
    case TNumberKind::Decimal:
        return previous != 'E' && previous != '+' && previous != '-';
    case TNumberKind::Binary:
        return previous != '\0';
    default:
        return true;
    }
}

TokenKind KeywordOrIdentifier(const std::string& word) {
    static constexpr std::array<std::pair<std::string_view, TokenKind>, 10> keywords{{
        {"or", TokenKind::Or},
        {"xor", TokenKind::Xor},
        {"and", TokenKind::And},
        {"true", TokenKind::True},
        {"false", TokenKind::False},
        {"not", TokenKind::Not},
        {"if", TokenKind::If},
        {"case", TokenKind::Case},
        {"mod", TokenKind::Modulo},
        {"div", TokenKind::IntDiv},
    }};
    if (word.size() > 5)
        return TokenKind::Identifier;
    for (const auto& [keyword, kind] : keywords) {
        if (EqualsIgnoreAsciiCase(word, keyword))
            return kind;
    }
    return TokenKind::Identifier;
}

// Plain digits below the length limit (and so far inside the double range):
// the commonest literal is valid without a full read.
bool ReadsAsDecimalDigits(std::string_view token) {
    if (token.empty() || token.size() >= kNumberTextLimit)
        return false;
    for (const char c : token)
        if (!IsDecimalDigit(c))
            return false;
    return true;
}

} // namespace

void TExpressionScanner::SetSource(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(kMaxSourceLength))
        RaiseScannerError(msg::SErrExpressionTooLong, {kMaxSourceLength});
    source_.assign(text);
    length_ = static_cast<std::int32_t>(source_.size());
    cursor_ = 0;
    position_ = source_.empty() ? 0 : 1;
    currentToken_.clear();
    currentTokenKind_ = TokenKind::EndOfText;
}

void TExpressionScanner::Advance() {
    if (cursor_ < source_.size()) {
        ++cursor_;
        ++position_;
    }
}

TokenKind TExpressionScanner::NextToken() {
    currentToken_.clear();
    while (IsBlank(CurrentChar()))
        Advance();
    const char c = CurrentChar();
    TokenKind kind;
    if (c == '\0')
        kind = TokenKind::EndOfText;
    else if (IsOperatorChar(c))
        kind = ReadOperator();
    else if (c == '\'')
        kind = ReadString();
    else if (c == '$')
        kind = ReadNumber(TNumberKind::Hex);
    else if (c == '&')
        kind = ReadNumber(TNumberKind::Octal);
    else if (c == '%')
        kind = ReadNumber(TNumberKind::Binary);
    else if (IsDecimalDigit(c) || c == '.')
        kind = ReadNumber(TNumberKind::Decimal);
    else if (IsLetter(c) || c == '"')
        kind = ReadIdentifier();
    else
        RaiseUnknownCharacter(c);
    currentTokenKind_ = kind;
    return kind;
}

TokenKind TExpressionScanner::ReadOperator() {
    const char c = CurrentChar();
    currentToken_ = c;
    Advance();
    const char d = CurrentChar();
    if ((c == '<' && (d == '=' || d == '>')) || (c == '>' && d == '=')) {
        currentToken_ += d;
        Advance();
        if (c == '>')
            return TokenKind::GreaterEqual;
        return d == '=' ? TokenKind::LessEqual : TokenKind::NotEqual;
    }
    return OperatorKind(c);
}

TokenKind TExpressionScanner::ReadString() {
    for (;;) {
        Advance();
        const char d = CurrentChar();
        if (d == '\0')
            RaiseScannerError(msg::SErrBadQuotes);
        if (d == '\'' && FollowingChar() != '\'')
            break; // the closing quote
        currentToken_ += d;
        if (d == '\'')
            Advance(); // a doubled quote stands for one
    }
    Advance();
    return TokenKind::String;
}

TokenKind TExpressionScanner::ReadNumber(TNumberKind kind) {
    char previous = '\0';
    for (char d = CurrentChar(); d != '\0'; d = CurrentChar()) {
        if (IsWordDelimiter(d) && DelimiterEndsNumber(kind, previous))
            break;
        if (!AcceptsNumberChar(kind, d, previous, currentToken_.empty()))
            RaiseScannerError(msg::SErrInvalidNumberChar, {std::string(1, d)});
        currentToken_ += d;
        previous = AsciiUpper(d);
        Advance();
    }
    // The value is read again by the parser; here only its validity counts.
    if (ReadsAsDecimalDigits(currentToken_))
        return TokenKind::Number;
    std::int64_t integer = 0;
    double real = 0.0;
    const char first = currentToken_.empty() ? '\0' : currentToken_.front();
    const bool radix = first == '$' || first == '%' || first == '&';
    const bool reads =
        radix ? ReadRadixInteger(currentToken_, integer) : ReadDecimalFloat(currentToken_, real);
    if (!reads)
        RaiseScannerError(msg::SErrInvalidNumber, {currentToken_});
    return TokenKind::Number;
}

TokenKind TExpressionScanner::ReadIdentifier() {
    for (char c = CurrentChar(); c != '\0' && !IsWordDelimiter(c); c = CurrentChar()) {
        if (c != '"') {
            currentToken_ += c;
            Advance();
            continue;
        }
        // A quoted stretch: everything up to the next double quote belongs to
        // the name, blanks and operator characters included.
        Advance();
        while (CurrentChar() != '"') {
            if (CurrentChar() == '\0')
                RaiseScannerError(msg::SErrUnterminatedIdentifier, {currentToken_});
            currentToken_ += CurrentChar();
            Advance();
        }
        Advance();
    }
    return KeywordOrIdentifier(currentToken_);
}

void TExpressionScanner::RaiseUnknownCharacter(char c) const {
    RaiseScannerError(msg::SErrUnknownCharacter, {position_, std::string(1, c)});
}

} // namespace orvex::engine
