// Runs the built orvex binary on every case of the case files and compares
// standard output, standard error and the exit code exactly.
#include "case_file.h"
#include "subprocess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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

class CaseTest : public testing::Test {
  public:
    CaseTest(TestCase testCase, fs::path binary, fs::path workDir)
        : case_(std::move(testCase)), binary_(std::move(binary)), workDir_(std::move(workDir)) {}

    void TestBody() override {
        fs::path program = binary_;
        if (case_.program != "orvex") {
            program = workDir_ / case_.program;
            ASSERT_TRUE(testsupport::CopyExecutable(binary_.string(), program.string()))
                << "cannot copy the binary to " << program;
        }
        std::vector<std::string> arguments{program.string()};
        arguments.insert(arguments.end(), case_.arguments.begin(), case_.arguments.end());
        const testsupport::ProcessResult run = testsupport::RunProcess(program.string(), arguments);
        const std::string exeDir = program.parent_path().string();
        SCOPED_TRACE(case_.file + ":" + std::to_string(case_.line) + ": " + case_.name);
        EXPECT_FALSE(run.terminatedBySignal) << "the program was killed by a signal";
        EXPECT_EQ(run.exitCode, case_.exitCode);
        EXPECT_TRUE(OutputMatches(case_.expectedStdout, run.standardOutput, exeDir))
            << "standard output differs\n--- expected\n"
            << Visible(case_.expectedStdout) << "--- actual\n"
            << Visible(run.standardOutput);
        EXPECT_TRUE(OutputMatches(case_.expectedStderr, run.standardError, exeDir))
            << "standard error differs\n--- expected\n"
            << Visible(case_.expectedStderr) << "--- actual\n"
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
    testing::InitGoogleTest(&argc, argv);
    orvex::e2e::RegisterCases(ORVEX_E2E_CASES_DIR, ORVEX_E2E_BINARY, ORVEX_E2E_WORK_DIR);
    return RUN_ALL_TESTS();
}
