// Runs the built orvex binary on every case of the case files and compares
// standard output, standard error and the exit code exactly.
#include "case_file.h"
#include "subprocess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <locale.h>
#endif

namespace fs = std::filesystem;

namespace orvex::e2e {
namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// gtest names allow letters, digits and underscores only.
std::string TestName(std::string_view text) {
    std::string name;
    for (char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// Shows control characters so that a missing line end is visible.
std::string Visible(std::string_view text) {
    std::string shown;
    for (char c : text) {
        if (c == '\n')
            shown += "\\n\n";
        else if (c == '\r')
            shown += "\\r";
        else
            shown += c;
    }
    return shown;
}

// A path as UTF-8 text, the form the program prints its own path in.
std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The case files give the exit status as an 8-bit status shows it. Windows
// keeps all 32 bits, so there -1 and -2 arrive as they are where the files
// say 255 and 254.
bool ExitCodeMatches(int expected, int actual) {
#ifdef _WIN32
    return actual == expected || (expected >= 128 && expected <= 255 && actual == expected - 256);
#else
    return actual == expected;
#endif
}

#ifdef _WIN32
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A failed write is reported with the system's own words, which are
// Windows' ("The pipe is being closed.") where the case gives the C
// library's ("Broken pipe"): any one-line reason will do.
std::string WithAnyWriteErrorReason(std::string expected) {
    constexpr std::string_view marker = ": write error: ";
    for (std::size_t at = expected.find(marker); at != std::string::npos;
         at = expected.find(marker, at)) {
        at += marker.size();
        const std::size_t end = expected.find('\n', at);
        expected.replace(at, end == std::string::npos ? std::string::npos : end - at, "{{*}}");
    }
    return expected;
}

// The case files give output as a POSIX system writes it. On Windows the
// text streams end every line with CR LF, and the syntax-error report shows
// the command line the runner passed, with its quotes and backslashes,
// where POSIX shows the program path and the arguments joined by blanks.
// The program shows the control characters of the command line it echoes
// in caret notation ("^[" for ESC).
std::string InCaretNotation(std::string_view text) {
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            shown += '^';
            shown += static_cast<char>(byte ^ 0x40);
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string WindowsExpectation(std::string expected, const std::vector<std::string>& arguments,
                               std::string_view programName, std::string_view exeDir) {
    std::string posixLine = "{{exe_dir}}/" + std::string(programName);
    for (std::size_t i = 1; i < arguments.size(); ++i)
        posixLine += " " + arguments[i];
    posixLine = InCaretNotation(posixLine);
    std::string windowsLine = InCaretNotation(testsupport::CommandLineFor(arguments));
    if (const std::size_t at = windowsLine.find(exeDir); at != std::string::npos)
        windowsLine.replace(at, exeDir.size(), "{{exe_dir}}");
    expected = ReplaceAll(std::move(expected), posixLine + "\n", windowsLine + "\n");
    expected = WithAnyWriteErrorReason(std::move(expected));
    return ReplaceAll(std::move(expected), "\n", "\r\n");
}
#endif

// Why the case cannot run here, or nothing. A case that needs a locale the
// system lacks is skipped, unless ORVEX_REQUIRE_LOCALES is set (as in
// CI, which installs them): then it fails. On Windows the reasons are
// by design and always skip.
std::string Unrunnable(const TestCase& testCase) {
#ifdef _WIN32
    if (testCase.standardOutput == "full")
        return "Windows has no device that refuses writes for want of space";
    // Windows formats with its system locale's own data, not the C
    // library's, and Wine gives a child the system locale of its parent
    // whatever the child's environment says. Only the C locale, which every
    // other case runs in, gives the same output on both.
    const auto cLocale = [](const std::string& setting) {
        return setting == "LC_ALL=C" || setting == "LC_ALL=POSIX" || setting == "LC_ALL=C.UTF-8";
    };
    if (!testCase.locales.empty() ||
        !std::all_of(testCase.environment.begin(), testCase.environment.end(), cLocale))
        return "the case's locale data is the C library's; Windows system locales are tested "
               "on their own";
#else
    for (const std::string& name : testCase.locales) {
        const locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
        if (locale == static_cast<locale_t>(0))
            return "the locale " + name + " is not installed";
        freelocale(locale);
    }
#endif
    return {};
}

testsupport::RunOptions OptionsOf(const TestCase& testCase) {
    testsupport::RunOptions options;
    if (testCase.hasEnvironment)
        options.localeEnvironment = testCase.environment;
    using testsupport::OutputTarget;
    if (testCase.standardOutput == "full")
        options.standardOutput = OutputTarget::FullDevice;
    else if (testCase.standardOutput == "closed")
        options.standardOutput = OutputTarget::Closed;
    else if (testCase.standardOutput == "broken-pipe")
        options.standardOutput = OutputTarget::BrokenPipe;
    return options;
}

class CaseTest : public testing::Test {
  public:
    CaseTest(TestCase testCase, fs::path binary, fs::path workDir)
        : case_(std::move(testCase)), binary_(std::move(binary)), workDir_(std::move(workDir)) {}

    void TestBody() override {
        if (const std::string why = Unrunnable(case_); !why.empty()) {
#ifndef _WIN32
            // Only a missing locale can be installed; what Windows lacks by
            // design stays a skip even where CI demands every locale.
            if (std::getenv("ORVEX_REQUIRE_LOCALES") != nullptr && !case_.locales.empty())
                FAIL() << why;
#endif
            GTEST_SKIP() << why;
        }
        // The case names the file the program runs as; a name other than the
        // built binary's (on Windows also plain "orvex" for "orvex.exe") runs
        // a copy.
        fs::path program = binary_;
        if (case_.program != Utf8(binary_.filename())) {
            program =
                (workDir_ / fs::path(std::u8string(case_.program.begin(), case_.program.end())))
                    .make_preferred();
            ASSERT_TRUE(testsupport::CopyExecutable(Utf8(binary_), Utf8(program)))
                << "cannot copy the binary to " << program;
        }
        std::vector<std::string> arguments{Utf8(program)};
        arguments.insert(arguments.end(), case_.arguments.begin(), case_.arguments.end());
        const testsupport::ProcessResult run =
            testsupport::RunProcess(Utf8(program), arguments, OptionsOf(case_));
        const std::string exeDir = Utf8(program.parent_path());
        std::string expectedStdout = case_.expectedStdout;
        std::string expectedStderr = case_.expectedStderr;
#ifdef _WIN32
        const std::string programName = Utf8(program.filename());
        expectedStdout = WindowsExpectation(expectedStdout, arguments, programName, exeDir);
        expectedStderr = WindowsExpectation(expectedStderr, arguments, programName, exeDir);
#endif
        SCOPED_TRACE(case_.file + ":" + std::to_string(case_.line) + ": " + case_.name);
        EXPECT_FALSE(run.terminatedBySignal) << "the program crashed, exit code " << run.exitCode;
        EXPECT_TRUE(ExitCodeMatches(case_.exitCode, run.exitCode))
            << "exit code " << run.exitCode << ", expected " << case_.exitCode;
        EXPECT_TRUE(OutputMatches(expectedStdout, run.standardOutput, exeDir))
            << "standard output differs\n--- expected\n"
            << Visible(expectedStdout) << "--- actual\n"
            << Visible(run.standardOutput);
        EXPECT_TRUE(OutputMatches(expectedStderr, run.standardError, exeDir))
            << "standard error differs\n--- expected\n"
            << Visible(expectedStderr) << "--- actual\n"
            << Visible(run.standardError);
    }

  private:
    TestCase case_;
    fs::path binary_;
    fs::path workDir_;
};

void RegisterCases(const fs::path& casesDir, const fs::path& binary, const fs::path& workDir) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(casesDir))
        if (entry.path().extension() == ".cases")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        ParsedCases parsed = ParseCaseFile(file.filename().string(), ReadFile(file));
        const std::string suite = "e2e_" + TestName(file.stem().string());
        if (!parsed.error.empty()) {
            testing::RegisterTest(suite.c_str(), "case_file_is_well_formed", nullptr, nullptr,
                                  __FILE__, __LINE__, [error = parsed.error]() -> testing::Test* {
                                      struct Fail : testing::Test {
                                          std::string why;
                                          void TestBody() override { FAIL() << why; }
                                      };
                                      auto* test = new Fail;
                                      test->why = error;
                                      return test;
                                  });
            continue;
        }
        for (TestCase& testCase : parsed.cases) {
            const std::string name = TestName(testCase.name);
            testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr,
                                  file.string().c_str(), testCase.line,
                                  [testCase, binary, workDir]() -> testing::Test* {
                                      return new CaseTest(testCase, binary, workDir);
                                  });
        }
    }
}

} // namespace
} // namespace orvex::e2e

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    testing::InitGoogleTest(&argc, argv);
    // Full paths in the platform's own form (on Windows with a drive and
    // backslashes), as the program reports its own location.
    // ORVEX_E2E_BINARY runs the cases against another build of the program,
    // such as the released one.
    const char* otherBinary = std::getenv("ORVEX_E2E_BINARY");
    const fs::path binary =
        fs::absolute(otherBinary != nullptr && otherBinary[0] != '\0' ? otherBinary
                                                                      : ORVEX_E2E_BINARY)
            .make_preferred();
    const fs::path workDir = fs::absolute(ORVEX_E2E_WORK_DIR).make_preferred();
    orvex::e2e::RegisterCases(ORVEX_E2E_CASES_DIR, binary, workDir);
    return RUN_ALL_TESTS();
}
