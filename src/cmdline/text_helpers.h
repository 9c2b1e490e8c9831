// Small text operations the framework shares. Letter case is folded for
// ASCII letters only, which is what option names and the upper-cased lists
// need; names typed by the user are compared through the platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

std::string UpperCaseAscii(std::string_view text);

// Removes the characters below 33 (blanks and control characters) at both
// ends.
std::string TrimControl(std::string_view text);

// Every occurrence of pattern removed from text, letters compared without
// case. An empty pattern removes nothing.
std::string RemoveAllIgnoreCase(std::string_view text, std::string_view pattern);

// Words separated by runs of any of the delimiters; no empty words.
std::vector<std::string> SplitWords(std::string_view text, std::string_view delimiters);

// Words separated by blanks, where a double-quoted run belongs to one word
// (the quotes themselves are dropped); no empty words.
std::vector<std::string> SplitQuotedWords(std::string_view text);

// How an argument appears in a blank-separated list: between double quotes
// when it is empty or contains a blank.
std::string ListForm(std::string_view argument);

} // namespace orvex::cmdline
