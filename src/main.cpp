// The calculator's entry point: the process's arguments, executable path,
// command line and console handed to one run of the driver.
#include "frontend/driver.h"
#include "platform/platform.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace orvex;
    platform::PrepareStandardStreams();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const std::string executablePath = platform::ExecutablePath(argc > 0 ? argv[0] : "");
    const std::unique_ptr<platform::Console> console = platform::SystemConsole();
    // -1 and -2 (a true or false comparison) reach the shell as 255 and 254.
    return frontend::RunProgram(arguments, executablePath, platform::RawCommandLine(argc, argv),
                                std::cout, std::cerr, *console);
}
