// Shell completion scripts for the calculator's option names.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvex::docgen {

// A bash completion script: completes words that start with "-" or "/"
// to the option forms (ignoring letter case); any other word may be part of
// an expression and gets no completion.
void WriteBashCompletion(std::ostream& out, const std::vector<std::string>& forms);

// The same for PowerShell, through Register-ArgumentCompleter -Native.
void WritePowerShellCompletion(std::ostream& out, const std::vector<std::string>& forms);

// The same for zsh, as the autoloaded completion function _orvex.
void WriteZshCompletion(std::ostream& out, const std::vector<std::string>& forms);

// The same for fish; file names are never offered, as for an expression.
void WriteFishCompletion(std::ostream& out, const std::vector<std::string>& forms);

} // namespace orvex::docgen
