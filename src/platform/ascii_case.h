// Letter case of the ASCII letters: A to Z against a to z, the same in every
// locale. Every other byte, those above 127 included, stays as it is, so a
// folded text keeps its length and each byte its position.
//
// This is the one definition of letter-case folding in the program. It lives
// in the platform layer because that is its lowest user (character-set names
// in locale names, option names compared on POSIX); the formatting layer
// passes it on to the layers above in formatting/text.h. It needs no OS
// header and no locale, and allocates nothing.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvex::platform {

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equality with the ASCII letters folded and every other byte as it is.
constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

// text begins with prefix, ASCII letters folded.
constexpr bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

} // namespace orvex::platform
