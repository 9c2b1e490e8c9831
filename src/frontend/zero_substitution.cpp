#include "frontend/preparation.h"

#include "formatting/number_pattern.h"
#include "formatting/number_text.h"
#include "formatting/packed_texts.h"
#include "platform/platform.h"

#include <algorithm>
#include <array>

namespace orvex::frontend {

namespace {

// Operator and function words that survive zero substitution (packed as
// formatting/packed_texts.h explains).
constexpr auto kKnownTokens = formatting::PackTexts([] {
    return std::to_array<std::string_view>({
        "(",   ")",    "^",   "*",      "div",   "mod",   "/",     "+",   "-",   "<",
        ">",   "=",    "<=",  ">=",     "<>",    "or",    "xor",   "and", "not", "(",
        ")",   "cos",  "sin", "arctan", "abs",   "sqr",   "sqrt",  "pi",  "exp", "ln",
        "log", "frac", "int", "round",  "trunc", "sumof", "count",
    });
});

bool IsKnownToken(std::string_view part) {
    return std::any_of(kKnownTokens.begin(), kKnownTokens.end(), [part](std::string_view token) {
        return platform::SameTextIgnoreCase(part, token);
    });
}

// A decimal number in its shortest general form; anything else is 0.
std::string OperandText(std::string_view part, const formatting::TFormatSettings& settings) {
    double value = 0.0;
    if (!formatting::TryTextToFloat(part, value, settings))
        value = 0.0;
    return formatting::GeneralText(value, settings);
}

} // namespace

std::string ReplaceInvalidOperands(std::string_view aliasedText,
                                   const formatting::TFormatSettings& settings) {
    std::string result;
    result.reserve(aliasedText.size());
    // Each blank ends one part, so adjacent blanks (and a blank at either end)
    // yield empty parts; every empty part comes back as one blank.
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = aliasedText.find(' ', start);
        const std::string_view part = aliasedText.substr(
            start, blank == std::string_view::npos ? std::string_view::npos : blank - start);
        if (part.empty())
            result += ' ';
        else if (IsKnownToken(part))
            result += part;
        else
            result += OperandText(part, settings);
        if (blank == std::string_view::npos)
            return result;
        start = blank + 1;
    }
}

std::string ZeroSubstitute(std::string_view text, const formatting::TFormatSettings& settings) {
    return Normalise(ReplaceInvalidOperands(Normalise(text, false), settings), true);
}

} // namespace orvex::frontend
