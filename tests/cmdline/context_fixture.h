// A framework context over captured streams and a fake console.
#pragma once

#include "cmdline/cmdline_context.h"
#include "cmdline/output_streams.h"
#include "fake_console.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::testing {

struct ContextUnderTest {
    explicit ContextUnderTest(std::vector<std::string> arguments,
                              std::string executablePath = "/opt/calc/orvex",
                              int keyAfterPolls = -1)
        : console(keyAfterPolls),
          context(
              cmdline::TProcessFacts{arguments, executablePath, RawLine(executablePath, arguments)},
              out, err, console) {}

    static std::string RawLine(const std::string& path, const std::vector<std::string>& args) {
        std::string line = path;
        for (const std::string& argument : args)
            line += " " + argument;
        return line;
    }

    cmdline::TStringSink out;
    cmdline::TStringSink err;
    FakeConsole console;
    cmdline::TCmdLineContext context;
};

} // namespace orvex::testing
