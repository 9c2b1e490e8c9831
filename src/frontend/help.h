// The program's manual on the console, in three sizes: brief (the syntax
// section and a pointer to the full help, shown after a command-line error),
// normal (the help option) and extended (help with verbose, or HELP2/H2/??).
#pragma once

#include "cmdline/output_streams.h"

#include <string>

namespace orvex::frontend {

// Writes the help text to `out`. `programName` is the name the identity record
// holds; it is placed into the syntax and example lines as it is. `brief`
// wins over `verbose`.
void PrintHelp(cmdline::TTextSink& out, const std::string& programName, bool verbose, bool brief);

} // namespace orvex::frontend
