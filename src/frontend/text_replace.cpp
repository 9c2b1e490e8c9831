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

// Builds the new text in one scan; the text is returned as it is when the
// pattern does not occur.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement, bool ignoreCase) {
    std::string result;
    bool replaced = false;
    std::size_t copied = 0;
    for (std::size_t at = 0; !pattern.empty() && at < text.size();) {
        if (MatchesAt(text, at, pattern, ignoreCase)) {
            result.append(text.substr(copied, at - copied)).append(replacement);
            at += pattern.size();
            copied = at;
            replaced = true;
        } else {
            ++at;
        }
    }
    if (!replaced)
        return std::string(text);
    return result.append(text.substr(copied));
}

} // namespace

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
    return ReplaceAll(text, pattern, replacement, true);
}

std::string ReplaceUntilStable(std::string text, std::string_view pattern,
                               std::string_view replacement) {
    assert(replacement.size() < pattern.size());
    while (text.find(pattern) != std::string::npos)
        text = ReplaceAll(text, pattern, replacement, false);
    return text;
}

} // namespace orvex::frontend
