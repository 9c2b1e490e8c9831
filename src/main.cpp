// The calculator's entry point: the process's arguments, executable path,
// command line, standard streams and console handed to one run of the
// driver.
#include "cmdline/output_streams.h"
#include "frontend/driver.h"
#include "platform/platform.h"

#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace orvex;
    platform::PrepareStandardStreams();
    const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    const std::string executablePath = platform::ExecutablePath(argc > 0 ? argv[0] : "");
    const std::unique_ptr<platform::TConsole> console = platform::SystemConsole();
    cmdline::TStandardSink out(platform::TStandardStream::Output);
    cmdline::TStandardSink err(platform::TStandardStream::Error);
    // -1 and -2 (a true or false comparison) reach the shell as 255 and 254.
    return frontend::RunProgram(arguments, executablePath, platform::RawCommandLine(argc, argv),
                                out, err, *console);
}
