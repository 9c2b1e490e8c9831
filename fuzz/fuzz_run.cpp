// A whole run in-process: the input split at NUL bytes into arguments, the
// output captured, the console silent. The exit code must be one a road of
// the program sets; the captured output never fails to be written.
#include "cmdline/output_streams.h"
#include "fuzz_support.h"

#include "frontend/driver.h"
#include "frontend/exit_codes.h"
#include "platform/ascii_case.h"
#include "platform/platform.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Long enough for dozens of arguments; short enough that no run prints
// more than a few megabytes.
constexpr std::size_t kMaxInput = 4096;

// The options that wait after an error or sound the bell, in any form the
// command line accepts them: "/" or dashes before the name, letters in any
// case, a value attached with ":" or "=". Stripping every leading dash and
// slash also drops a few arguments the program would not take as these
// options; that costs the fuzzer nothing.
bool WaitsOrBeeps(std::string_view argument) {
    const std::size_t nameStart = std::min(argument.find_first_not_of("-/"), argument.size());
    std::string name(argument.substr(nameStart));
    name = name.substr(0, name.find_first_of(":="));
    std::transform(name.begin(), name.end(), name.begin(), orvex::platform::AsciiUpper);
    return name == "DEBUG" || name == "DEBUG-MODE" || name == "ERROR-DELAY" ||
           name == "AUDIBLE-ERROR";
}

// An empty input stands for an empty command line.
std::vector<std::string> Arguments(std::string_view input) {
    std::vector<std::string> arguments;
    while (!input.empty()) {
        const std::size_t end = input.find('\0');
        const std::string_view argument = input.substr(0, end);
        if (!WaitsOrBeeps(argument))
            arguments.emplace_back(argument);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    return arguments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    const std::vector<std::string> arguments = Arguments(orvex::fuzz::AsText(data, size));
    std::string commandLine = "orvex";
    for (const std::string& argument : arguments)
        commandLine += " " + argument;
    orvex::cmdline::TStringSink out;
    orvex::cmdline::TStringSink err;
    orvex::platform::TNullConsole console;
    const int exitCode =
        orvex::frontend::RunProgram(arguments, "/usr/bin/orvex", commandLine, out, err, console);
    const auto& documented = orvex::frontend::kRoadExitCodes;
    orvex::fuzz::Expect(std::find(documented.begin(), documented.end(), exitCode) !=
                            documented.end(),
                        "exit code outside the documented set");
    return 0;
}
