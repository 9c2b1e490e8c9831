// The manual page, built from the help text the program prints.
#pragma once

#include <ostream>
#include <string>

namespace orvex::docgen {

struct TManPageFacts {
    std::string Version;     // "2.4.0"
    std::string Date;        // "2026-01-31": the build date
    std::string Description; // the program's one-line description
};

// Writes the page in man(7) roff: NAME, SYNOPSIS, DESCRIPTION, OPTIONS,
// EXIT STATUS, EXAMPLES, NOTES and PORTABILITY. Every section but the prose
// of DESCRIPTION and PORTABILITY is taken from the extended help text.
void WriteManPage(std::ostream& out, const TManPageFacts& facts);

} // namespace orvex::docgen
