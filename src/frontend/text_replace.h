// Whole-text replacement in one left-to-right scan, for the rewrites of
// expression preparation.
#pragma once

#include <string>
#include <string_view>

namespace orvex::frontend {

// Every non-overlapping occurrence of `pattern`, left to right, replaced by
// `replacement`; ASCII letters match without regard to case.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement);

// ReplaceAllIgnoreCase on the text itself; no copy is made when the pattern
// does not occur.
void ReplaceAllIgnoreCaseIn(std::string& text, std::string_view pattern,
                            std::string_view replacement);

// Replaces every exact occurrence of `pattern` again and again until none is
// left. `replacement` must be shorter than `pattern`, so that each round
// shortens the text and the loop ends.
std::string ReplaceUntilStable(std::string text, std::string_view pattern,
                               std::string_view replacement);

} // namespace orvex::frontend
