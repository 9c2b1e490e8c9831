// The manual page, built from the help text the program prints.
#pragma once

#include "docgen/posix_examples.h"

#include <ostream>
#include <string>

namespace orvex::docgen {

struct TManPageFacts {
    std::string Version;     // "2.4.0"
    std::string Date;        // "2026-01-31": the build date
    std::string Description; // the program's one-line description
    // Runs each example for the output the page shows under it; without a
    // runner the examples stand alone.
    TExampleRunner RunExample = {};
};

// Writes the page in man(7) roff: NAME, SYNOPSIS, DESCRIPTION, OPTIONS,
// EXIT STATUS, EXAMPLES, NOTES and PORTABILITY. The sections come from the
// extended help text, with its examples turned into POSIX shell commands and
// its notes on the Windows command prompt rewritten for POSIX shells; the
// prose of DESCRIPTION and PORTABILITY and the notes on the expression
// language are the page's own.
void WriteManPage(std::ostream& out, const TManPageFacts& facts);

} // namespace orvex::docgen
