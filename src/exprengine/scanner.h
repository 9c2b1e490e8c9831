// The scanner: cuts an expression text into tokens for the parser.
#pragma once

#include "exprengine/token_kind.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace orvex::engine {

class TExpressionScanner {
  public:
    // Positions are 32-bit and reach length + 1, which bounds the text.
    static constexpr std::int32_t kMaxSourceLength = std::numeric_limits<std::int32_t>::max() - 1;

    TExpressionScanner() = default;
    TExpressionScanner(const TExpressionScanner&) = delete;
    TExpressionScanner& operator=(const TExpressionScanner&) = delete;
    virtual ~TExpressionScanner() = default;

    // Starts over on a copy of the text. Raises EExprScanner for a text too
    // long for 32-bit positions.
    virtual void SetSource(std::string_view text);

    // Reads the next token and returns its kind; raises EExprScanner on a
    // lexical error. At the end of the text it keeps returning EndOfText.
    TokenKind NextToken();

    const std::string& CurrentToken() const { return currentToken_; }
    TokenKind CurrentTokenKind() const { return currentTokenKind_; }
    // 1-based index of the cursor's character; 0 for an empty text and
    // length + 1 after the last character.
    std::int32_t Position() const { return position_; }
    const std::string& Source() const { return source_; }

  private:
    // A character value of 0 marks the end, also for a NUL inside the text.
    char CurrentChar() const { return cursor_ < source_.size() ? source_[cursor_] : '\0'; }
    char FollowingChar() const {
        return cursor_ + 1 < source_.size() ? source_[cursor_ + 1] : '\0';
    }
    void Advance();

    TokenKind ReadOperator();
    TokenKind ReadString();
    TokenKind ReadNumber(TNumberKind kind);
    TokenKind ReadIdentifier();
    [[noreturn]] void RaiseUnknownCharacter(char c) const;

    std::string source_;
    std::size_t cursor_ = 0;
    std::string currentToken_;
    std::int32_t length_ = 0;
    std::int32_t position_ = 0;
    TokenKind currentTokenKind_ = TokenKind::EndOfText;
};

} // namespace orvex::engine
