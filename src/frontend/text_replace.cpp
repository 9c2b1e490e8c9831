#include "frontend/text_replace.h"

#include <cassert>

namespace orvex::frontend {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern, bool ignoreCase) {
    if (text.size() - at < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char a = text[at + i];
        const char b = pattern[i];
        if (ignoreCase ? AsciiUpper(a) != AsciiUpper(b) : a != b)
            return false;
    }
    return true;
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The first place at or after from where the pattern matches. Most places
// fail on their first character, which is looked for quickly: a letter in
// both cases by folding bit 5, any other character by memchr.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view pattern,
                     bool ignoreCase) {
    if (pattern.empty())
        return std::string_view::npos;
    const char first = pattern[0];
    const bool foldFirst = ignoreCase && IsAsciiLetter(first);
    const char folded = static_cast<char>(first | 0x20);
    for (std::size_t at = from; at < text.size(); ++at) {
        if (foldFirst) {
            if (static_cast<char>(text[at] | 0x20) != folded)
                continue;
        } else {
            at = text.find(first, at);
            if (at == std::string_view::npos)
                break;
        }
        if (MatchesAt(text, at, pattern, ignoreCase))
            return at;
    }
    return std::string_view::npos;
}

// Builds the new text in one scan that starts at the first occurrence; the
// text is left as it is, without a copy, when the pattern does not occur.
void ReplaceAllIn(std::string& text, std::string_view pattern, std::string_view replacement,
                  bool ignoreCase) {
    std::size_t at = FindFrom(text, 0, pattern, ignoreCase);
    if (at == std::string_view::npos)
        return;
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    while (at != std::string_view::npos) {
        result.append(text, copied, at - copied).append(replacement);
        copied = at + pattern.size();
        at = FindFrom(text, copied, pattern, ignoreCase);
    }
    result.append(text, copied);
    text.swap(result);
}

} // namespace

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
    std::string result(text);
    ReplaceAllIn(result, pattern, replacement, true);
    return result;
}

void ReplaceAllIgnoreCaseIn(std::string& text, std::string_view pattern,
                            std::string_view replacement) {
    ReplaceAllIn(text, pattern, replacement, true);
}

std::string ReplaceUntilStable(std::string text, std::string_view pattern,
                               std::string_view replacement) {
    assert(replacement.size() < pattern.size());
    while (text.find(pattern) != std::string::npos)
        ReplaceAllIn(text, pattern, replacement, false);
    return text;
}

} // namespace orvex::frontend
