// End-to-end cases: the readable case files and the comparison of a run's
// output with the expected text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::e2e {

struct TestCase {
    std::string file; // the case file's name, for messages
    int line = 0;     // line of the "===" header
    std::string name;
    std::vector<std::string> arguments;
    std::string program = "orvex"; // file name (may include a folder) to run the binary as
    int exitCode = 0;
    // "env:" lines: the case's own locale settings (NAME=VALUE), in place of
    // the runner's LC_ALL=C.
    bool hasEnvironment = false;
    std::vector<std::string> environment;
    // "stdout:" pipe (the default), full, closed or broken-pipe.
    std::string standardOutput = "pipe";
    // "locales:" the locales the case needs installed.
    std::vector<std::string> locales;
    std::string expectedStdout;
    std::string expectedStderr;
};

// Reads every case of one file. Malformed input is reported as an error text
// naming the file and line instead of a case list.
struct ParsedCases {
    std::vector<TestCase> cases;
    std::string error;
};
ParsedCases ParseCaseFile(std::string_view fileName, std::string_view content);

// Splits an "args:" line into words the way a POSIX shell would, without
// expansions: '...' is literal, "..." knows the escapes \" and \\, $'...'
// knows \xHH, \e, \n, \t, \\ and \', and a backslash outside quotes
// escapes the next character. Empty on unbalanced quotes.
std::optional<std::vector<std::string>> SplitShellWords(std::string_view line);

// Compares actual output with an expected block. In expected text "{{*}}"
// matches any run of characters within one line and "{{exe_dir}}" stands for
// the directory the binary ran from. (A block's lines each end with a line
// end; "{{noeol}}" closing a block's last line removes that final line end
// when the file is read.)
bool OutputMatches(std::string_view expected, std::string_view actual, std::string_view exeDir);

} // namespace orvex::e2e
