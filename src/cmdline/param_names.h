// Option names: how a name list splits into words, the forms under which a
// word is accepted on the command line, and the matching of one argument.
#pragma once

#include "cmdline/param_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

struct TCmdLineContext;

inline constexpr std::string_view NameDelimiters = " ,;";
inline constexpr std::string_view SpecialSwitchChars = "!#$%*+-.@_~";

// The words of a name list, split at runs of NameDelimiters. A word of one
// character is a short name, a longer word a long name.
std::vector<std::string> SplitNameList(std::string_view names);

// The prefixes a name word accepts, in order: a bare special one-character
// name only with switch style 1 or 3, "/" and "-" for other one-character
// names, "/" and "--" (and "-" when long names need no double dash) for
// long names.
std::vector<std::string> AcceptedPrefixes(const TCmdLineContext& context, std::string_view word,
                                          int switchStyle);

// Whether argument matches the name word, exactly or, with switch style 2
// or 3, with a value attached by ":" or "=". Fills match like a search result.
bool MatchParamName(const TCmdLineContext& context, std::string_view word,
                    std::string_view argument, TFindParamRec& match);

// What MatchParamName answers, without filling a record.
bool MatchesParamName(const TCmdLineContext& context, std::string_view word,
                      std::string_view argument);

// Whether argument starts the way some accepted form of some name starts:
// with "/" or "-", or with a special character where bare special names are
// accepted. Any other argument matches no name.
bool CanStartOption(const TCmdLineContext& context, std::string_view argument);

// Appends the upper-cased words of names that knownNames does not hold yet.
void AddKnownNames(std::string& knownNames, std::string_view names);

// Every accepted form of every word of names, each followed by one blank;
// with switch style 2 or 3 also the forms followed by ":" and "=".
void ExpandParamForms(const TCmdLineContext& context, std::string& forms, std::string_view names,
                      int switchStyle);

} // namespace orvex::cmdline
