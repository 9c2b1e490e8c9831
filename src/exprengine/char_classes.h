// The character classes of the expression language. All are single bytes
// and independent of the locale.
#pragma once

#include "formatting/text.h"

namespace orvex::engine {

constexpr bool IsBlank(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Characters that start an operator or punctuation token.
constexpr bool IsOperatorChar(char c) {
    switch (c) {
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case '-':
    case '/':
    case '<':
    case '=':
    case '>':
    case '^':
        return true;
    default:
        return false;
    }
}

// Characters that end an identifier or a number.
constexpr bool IsWordDelimiter(char c) {
    return IsBlank(c) || c == '%' || IsOperatorChar(c);
}

// ASCII letters only: no underscore, no bytes above 127.
constexpr bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

constexpr bool IsBinaryDigit(char c) {
    return c == '0' || c == '1';
}

// Names and keywords fold the ASCII letters only.
using formatting::AsciiLower;
using formatting::AsciiUpper;
using formatting::EqualsIgnoreAsciiCase;

} // namespace orvex::engine
