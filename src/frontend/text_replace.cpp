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

std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view pattern,
                     bool ignoreCase) {
    if (pattern.empty())
        return std::string_view::npos;
    // Most places fail on the first character, which is tested inline.
    const char first = ignoreCase ? AsciiUpper(pattern[0]) : pattern[0];
    for (std::size_t at = from; at < text.size(); ++at) {
        const char c = ignoreCase ? AsciiUpper(text[at]) : text[at];
        if (c == first && MatchesAt(text, at, pattern, ignoreCase))
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
