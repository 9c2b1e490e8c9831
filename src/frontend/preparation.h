// Expression preparation: the rewrite of the user's spellings into the
// engine's syntax, the optional zero substitution of invalid operands, and
// the comparison count that guards against more than one comparison.
//
// All three work on plain text without tokenising; they do not tell string
// literals from the rest of the text.
#pragma once

#include "formatting/format_settings.h"

#include <string>
#include <string_view>

namespace orvex::frontend {

// Rewrites alternative operator spellings (MOD, %%, DIV, //, PWR, **, 0x, !=,
// ...) and operator words in any letter case into one canonical spelling.
// With `withSpacing` the result is also tidied: single blanks around binary
// operators, parentheses hugging their contents, unary signs sticking to
// their operands ("2*-3" gives "2 * -3"). The sign of a decimal exponent
// stays with its number ("1e-3").
std::string Normalise(std::string_view text, bool withSpacing);

// Replaces every blank-separated part of the rewritten text that is neither a
// known operator or function word nor a decimal number by 0, writes numbers
// in their shortest general form ("007" gives "7"), and tidies the result.
std::string ZeroSubstitute(std::string_view text, const formatting::TFormatSettings& settings);

// The middle step of ZeroSubstitute on an already rewritten text (alias pass
// only, no spacing): parts split at single blanks are replaced one by one and
// joined again, each empty part standing for one blank.
std::string ReplaceInvalidOperands(std::string_view aliasedText,
                                   const formatting::TFormatSettings& settings);

enum class TComparisonClass { Arithmetic, SingleComparison, TooManyComparisons };

// Counts comparison operators, longest spellings first, each counted
// occurrence removed so that "<=" is not also counted as "<" and "=".
TComparisonClass CountComparisons(std::string_view text);

} // namespace orvex::frontend
