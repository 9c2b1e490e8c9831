// The help's examples are written for the Windows command prompt. The POSIX
// manual shows them as commands for a POSIX shell, with what they print.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::docgen {

// What a command printed (standard output and standard error as one stream,
// as a terminal shows them) and its exit status.
struct TExampleOutput {
    std::string Text;
    int Status = 0;
};

// Runs one shell command line; the manual page shows what it returns.
using TExampleRunner = std::function<TExampleOutput(const std::string& command)>;

// The arguments a Windows program receives for `line`: blanks separate them,
// double quotes group blanks into one and are removed.
std::vector<std::string> WindowsArguments(std::string_view line);

// A POSIX shell command line that hands `program` the same arguments, or
// arguments that the calculator joins into the same expression: neighbouring
// expression words are written as one word, single-quoted when any
// character in them means something to a shell. Option words are told apart
// by `optionForms` (lower case, as OptionForms lists them).
std::string PosixCommand(std::string_view program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& optionForms);

// Runs commands with /bin/sh, with `programDir` first in PATH and the C
// locale, writing their output to `workFile`.
TExampleRunner ShellRunner(std::string programDir, std::string workFile);

} // namespace orvex::docgen
