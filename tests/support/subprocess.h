// Runs a program as a child process and captures what it writes, for the
// end-to-end tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvex::testsupport {

struct ProcessResult {
    int exitCode = -1; // as the shell sees it (0..255 on POSIX, 32 bits on Windows)
    bool terminatedBySignal = false;
    std::string standardOutput;
    std::string standardError;
};

// Where the child's standard output goes.
enum class OutputTarget {
    Pipe,       // captured
    FullDevice, // a device that refuses every write for want of space
    Closed,     // no open descriptor at all
    BrokenPipe, // a pipe nobody reads, with SIGPIPE ignored
};

struct RunOptions {
    // Given, the child's locale variables (LANG, LANGUAGE and every LC_*)
    // are removed and these NAME=VALUE settings made instead; otherwise the
    // child gets LC_ALL=C.
    std::optional<std::vector<std::string>> localeEnvironment;
    OutputTarget standardOutput = OutputTarget::Pipe;
};

// Runs `program` with `arguments` (argument 0 is the program path), standard
// input from the null device and the environment with the options' locale
// settings.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const RunOptions& options = {});

#ifdef _WIN32
// The command line RunProcess hands the child: the arguments quoted so that
// the C runtime splits it into the same arguments again.
std::string CommandLineFor(const std::vector<std::string>& arguments);
#endif

// Copies a file, keeping it executable; creates missing folders.
bool CopyExecutable(const std::string& from, const std::string& to);

} // namespace orvex::testsupport
