// The text of the arguments no declaration claimed.
#pragma once

#include "cmdline/param_table.h"

#include <string>

namespace orvex::cmdline {

// The unclaimed and erroneous arguments of table[first..last] (a negative or
// too large last meaning the last argument, a negative first meaning 0), each
// preceded by one blank, then trimmed of blanks and control characters at
// both ends.
void GetUnclaimedParams(std::string& text, const TParamStatusArray& table, int first, int last);

} // namespace orvex::cmdline
