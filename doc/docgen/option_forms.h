// The option spellings the calculator accepts, as its declarations state them.
#pragma once

#include <string>
#include <vector>

namespace orvex::docgen {

// Every form under which the command-line framework accepts an option name,
// in declaration order and lower case: "-x" and "/x" for one-character
// names, "--name" and "/name" for long names. Values attached with ":" or
// "=" are not part of a name and are left out.
std::vector<std::string> OptionForms();

} // namespace orvex::docgen
