// The kinds of token the scanner produces.
#pragma once

#include <cstdint>

namespace orvex::engine {

enum class TokenKind : std::uint8_t {
    Plus,         // +
    Minus,        // -
    Less,         // <
    Greater,      // >
    Equal,        // =
    Divide,       // /
    IntDiv,       // div
    Modulo,       // mod
    Multiply,     // *
    LeftParen,    // (
    RightParen,   // )
    LessEqual,    // <=
    GreaterEqual, // >=
    NotEqual,     // <>
    Number,
    String,
    Identifier,
    Comma,
    And,
    Or,
    Xor,
    True,
    False,
    Not,
    If,
    Case,
    Power, // ^
    EndOfText,
};

// Chosen by the first character of a number literal.
enum class TNumberKind : std::uint8_t { Decimal, Hex, Octal, Binary };

} // namespace orvex::engine
