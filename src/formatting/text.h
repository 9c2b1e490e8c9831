// The small text operations every layer shares: ASCII letter case, blank
// trimming and the walk over a number or date pattern that passes quoted
// text by. Texts are byte strings; nothing here depends on the locale, and
// only the functions that return a std::string allocate.
#pragma once

#include "platform/ascii_case.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvex::formatting {

// --- Letter case ------------------------------------------------------------
// Only A to Z and a to z change; see platform/ascii_case.h.

using platform::AsciiLower;
using platform::AsciiUpper;
using platform::EqualsIgnoreAsciiCase;
using platform::StartsWithIgnoreAsciiCase;

std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);

// --- Blanks -----------------------------------------------------------------
// Two sets of blanks are trimmed: numbers and dates read from text allow
// blanks and tabs around them; option values and the expression line drop
// every byte below 33, control characters included.

constexpr bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool IsControlOrSpace(char c) {
    return static_cast<unsigned char>(c) < 33;
}

// The text without the leading bytes for which isBlank holds.
template <typename TIsBlank>
constexpr std::string_view TrimStart(std::string_view text, TIsBlank isBlank) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The text without the trailing bytes for which isBlank holds.
template <typename TIsBlank>
constexpr std::string_view TrimEnd(std::string_view text, TIsBlank isBlank) {
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text without blanks at either end: a view into the same bytes, empty
// when the text is all blanks.
template <typename TIsBlank>
constexpr std::string_view Trim(std::string_view text, TIsBlank isBlank) {
    return TrimEnd(TrimStart(text, isBlank), isBlank);
}

// Trim on the text itself; shortens it without reallocating.
template <typename TIsBlank> void TrimInPlace(std::string& text, TIsBlank isBlank) {
    const std::string_view kept = Trim(std::string_view(text), isBlank);
    const auto begin = static_cast<std::size_t>(kept.data() - text.data());
    text.resize(begin + kept.size());
    text.erase(0, begin);
}

// Numbers and dates read from text may stand between blanks and tabs.
constexpr std::string_view TrimBlanks(std::string_view text) {
    return Trim(text, IsSpaceOrTab);
}

// Option values, lists of names and the expression line lose every byte
// below 33 at their ends.
constexpr std::string_view TrimControl(std::string_view text) {
    return Trim(text, IsControlOrSpace);
}
inline void TrimControlInPlace(std::string& text) {
    TrimInPlace(text, IsControlOrSpace);
}

// --- Quoted text in patterns ------------------------------------------------
// Number patterns and date formats quote literal text in single or double
// quotes. A quote opens text that the next quote of the same kind closes;
// the other kind inside it is an ordinary byte. An unclosed quote runs to the
// end of the pattern.

constexpr bool IsPatternQuote(char c) {
    return c == '"' || c == '\'';
}

struct TQuotedRun {
    std::string_view Text; // between the quotes, without them
    std::size_t Next = 0;  // the position after the closing quote, or the end
};

// The quoted text that the quote at pattern[at] opens.
constexpr TQuotedRun QuotedRunAt(std::string_view pattern, std::size_t at) {
    const std::size_t close = pattern.find(pattern[at], at + 1);
    if (close == std::string_view::npos)
        return {pattern.substr(at + 1), pattern.size()};
    return {pattern.substr(at + 1, close - at - 1), close + 1};
}

// The first position at or after from, outside quoted text, for which
// test(position) holds; npos when there is none. from must be outside quoted
// text. test sees positions only, so it may look at the bytes around one
// (quoted or not) as the pattern's reader does, and may record what it
// passes.
template <typename TTest>
constexpr std::size_t FindUnquoted(std::string_view pattern, TTest test, std::size_t from = 0) {
    std::size_t at = from;
    while (at < pattern.size()) {
        if (IsPatternQuote(pattern[at])) {
            at = QuotedRunAt(pattern, at).Next;
            continue;
        }
        if (test(at))
            return at;
        ++at;
    }
    return std::string_view::npos;
}

// Calls visit(position) for every position outside quoted text.
template <typename TVisit> constexpr void ForEachUnquoted(std::string_view pattern, TVisit visit) {
    FindUnquoted(pattern, [&visit](std::size_t at) {
        visit(at);
        return false;
    });
}

} // namespace orvex::formatting
