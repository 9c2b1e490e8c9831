// The released program on GNU/Linux loads the math library only when a run
// first calls one of its functions. These tests run the program linked as it
// is released (or the build ORVEX_E2E_BINARY names) under the dynamic
// loader's trace of the files it loads, and compare each run with the test
// build, which calls the library directly.
#include "subprocess.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::e2e {
namespace {

std::string ReleasedBinary() {
    const char* other = std::getenv("ORVEX_E2E_BINARY");
    return std::filesystem::absolute(
               other != nullptr && other[0] != '\0' ? other : ORVEX_E2E_RELEASED_BINARY)
        .string();
}

struct TTracedRun {
    testsupport::ProcessResult Result; // standard error without the trace
    bool LoadedMath = false;
};

// Runs the program with the loader's file trace, which goes to standard
// error as lines that start with the process number and a colon.
TTracedRun RunTraced(const std::string& binary, const std::string& argument) {
    testsupport::RunOptions options;
    options.localeEnvironment = std::vector<std::string>{"LC_ALL=C", "LD_DEBUG=files"};
    TTracedRun run{testsupport::RunProcess(binary, {binary, argument}, options)};
    static const std::regex traceLine(R"(^\s*[0-9]+:.*)");
    std::istringstream lines(run.Result.standardError);
    std::string own;
    for (std::string line; std::getline(lines, line);) {
        if (!std::regex_match(line, traceLine)) {
            own += line + '\n';
            continue;
        }
        if (line.find("file=libm.so") != std::string::npos)
            run.LoadedMath = true;
    }
    run.Result.standardError = own;
    return run;
}

// The program's folder (execution path, command line) and the build date in
// the banner differ between builds; the rest of a run must not.
std::string WithoutBuild(const std::string& text, const std::string& binary) {
    static const std::regex buildDate(R"(\([0-9]{2} [A-Z][a-z]{2} [0-9]{4}\))");
    std::string shown = std::regex_replace(text, buildDate, "(<date>)");
    const std::string folder = std::filesystem::path(binary).parent_path().string();
    for (std::size_t at = shown.find(folder); at != std::string::npos; at = shown.find(folder, at))
        shown.replace(at, folder.size(), "<folder>");
    return shown;
}

void ExpectSameRun(const std::string& argument, const TTracedRun& released) {
    const std::string direct = ORVEX_E2E_BINARY;
    const testsupport::ProcessResult expected = testsupport::RunProcess(direct, {direct, argument});
    const std::string binary = ReleasedBinary();
    EXPECT_EQ(WithoutBuild(released.Result.standardOutput, binary),
              WithoutBuild(expected.standardOutput, direct))
        << argument;
    EXPECT_EQ(WithoutBuild(released.Result.standardError, binary),
              WithoutBuild(expected.standardError, direct))
        << argument;
    EXPECT_EQ(released.Result.exitCode, expected.exitCode) << argument;
}

TEST(MathOnDemand, RunsWithoutMathFunctionsNeverLoadTheLibrary) {
    // Adding, comparing, the error roads, help with its banner, and the
    // square root, which the compiler computes with an instruction unless
    // the argument is negative.
    for (const std::string argument :
         {"1+2", "7 div 2", "1<2", "1/0", "abc", "1<2<3", "-h", "sqrt(2)", "2.5*4", "--hex"}) {
        const TTracedRun run = RunTraced(ReleasedBinary(), argument);
        EXPECT_FALSE(run.LoadedMath) << argument;
        ExpectSameRun(argument, run);
    }
}

TEST(MathOnDemand, EachFunctionLoadsTheLibraryAndGivesTheLibrarysResult) {
    // One expression per function the program takes from the library: a
    // function bound to the wrong name gives another result.
    for (const std::string argument :
         {"sin(1)", "cos(1)", "arctan(1)", "exp(1)", "ln(2)", "log(1000)", "round(2.5)",
          "round(-3.5)", "2^0.5", "(-2)^3.0", "sqrt(-1)", "ln(0.5)", "sin(1)+cos(1)*exp(2)"}) {
        const TTracedRun run = RunTraced(ReleasedBinary(), argument);
        EXPECT_TRUE(run.LoadedMath) << argument;
        ExpectSameRun(argument, run);
    }
}

// The library made unreadable in a mount namespace of the test's own (with
// unshare from util-linux): runs without math functions still work, and the
// first math function ends the run with the loader's message and status.
TEST(MathOnDemand, AMissingLibraryEndsTheRunAsTheLoaderWould) {
    Dl_info library{};
    if (dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::sin)), &library) == 0 ||
        library.dli_fname == nullptr)
        GTEST_SKIP() << "no path for the math library";
    const std::string libraryPath = std::filesystem::canonical(library.dli_fname).string();
    const std::string unshare = "/usr/bin/unshare";
    const auto hidden = [&](const std::string& argument) {
        return testsupport::RunProcess(unshare,
                                       {unshare, "-rm", "/bin/sh", "-c",
                                        "mount --bind /dev/null \"$0\" && exec \"$1\" \"$2\"",
                                        libraryPath, ReleasedBinary(), argument});
    };
    const testsupport::ProcessResult plain = hidden("1+2");
    if (plain.exitCode != 0 && plain.standardOutput.empty())
        GTEST_SKIP() << "no mount namespace here: " << plain.standardError;
    EXPECT_EQ(plain.standardOutput, "3\n");
    EXPECT_EQ(plain.exitCode, 0);

    const testsupport::ProcessResult math = hidden("sin(1)");
    EXPECT_EQ(math.standardOutput, "");
    EXPECT_TRUE(math.standardError.starts_with(ReleasedBinary() +
                                               ": error while loading shared libraries: "))
        << math.standardError;
    EXPECT_NE(math.standardError.find("libm.so"), std::string::npos) << math.standardError;
    EXPECT_EQ(math.exitCode, 127);
}

} // namespace
} // namespace orvex::e2e
