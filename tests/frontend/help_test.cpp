#include "cmdline/output_streams.h"
#include "frontend/help.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::frontend {
namespace {

std::string ReadDataFile(const std::string& name) {
    // Appended, not added up: optimised GCC 12 builds warn falsely (array
    // bounds) about std::string(...) + "/" + name here.
    std::string path = ORVEX_FRONTEND_TEST_DATA;
    path.append("/").append(name);
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Help(const std::string& programName, bool verbose, bool brief) {
    cmdline::TStringSink out;
    PrintHelp(out, programName, verbose, brief);
    return out.Text();
}

struct HelpSize {
    const char* Name;
    bool Verbose;
    bool Brief;
    const char* ExpectedFile;
};

class WholeHelpText : public testing::TestWithParam<HelpSize> {};

TEST_P(WholeHelpText, MatchesTheManualByteForByte) {
    const HelpSize& size = GetParam();
    EXPECT_EQ(Help("orvex", size.Verbose, size.Brief), ReadDataFile(size.ExpectedFile));
}

INSTANTIATE_TEST_SUITE_P(Sizes, WholeHelpText,
                         testing::Values(HelpSize{"Brief", false, true, "help_brief.txt"},
                                         HelpSize{"BriefWinsOverVerbose", true, true,
                                                  "help_brief.txt"},
                                         HelpSize{"Normal", false, false, "help_normal.txt"},
                                         HelpSize{"Extended", true, false, "help_extended.txt"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(HelpText, NeverWritesCarriageReturns) {
    for (const bool verbose : {false, true})
        for (const bool brief : {false, true})
            EXPECT_EQ(Help("orvex", verbose, brief).find('\r'), std::string::npos);
}

TEST(HelpText, EveryHeadingRuleIsAsLongAsItsHeading) {
    std::istringstream text(Help("orvex", true, false));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    int headings = 0;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line.front() == ' ' || line.front() == '-')
            continue;
        EXPECT_EQ(lines[i - 1], std::string(line.size(), '-')) << line;
        EXPECT_EQ(lines[i + 1], std::string(line.size(), '-')) << line;
        ++headings;
    }
    EXPECT_EQ(headings, 7);
    EXPECT_EQ(Help("orvex", false, true).substr(0, 36), "-----------\nCMD SYNTAX:\n-----------\n");
}

TEST(HelpText, NormalHelpEndsAfterTheLastFirstGroupExample) {
    const std::string text = Help("orvex", false, false);
    const std::string ending = " orvex \"K\" + 16384  -S -Z\n\n";
    ASSERT_GE(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_EQ(text.find("--audible-error"), std::string::npos);
    EXPECT_EQ(text.find("--error-delay"), std::string::npos);
    EXPECT_EQ(text.find("--debug-mode"), std::string::npos);
}

TEST(HelpText, ExtendedHelpEndsWithTheHelpExitCode) {
    const std::string text = Help("orvex", true, false);
    const std::string ending = "\n    255 - Syntax Help Requested\n";
    ASSERT_GE(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

TEST(HelpText, ProgramNameIsPlacedAsGiven) {
    const std::string brief = Help("My Calc.EXE", false, true);
    EXPECT_NE(brief.find(" My Calc.EXE <arithmetic_expression> [options]\n"), std::string::npos);
    EXPECT_NE(brief.find("please type: My Calc.EXE -?  OR  My Calc.EXE --??\n"), std::string::npos);
    const std::string extended = Help("calc", true, false);
    EXPECT_NE(extended.find(" * Entering calc with no parameters"), std::string::npos);
    EXPECT_NE(extended.find(" calc exp(2.0575)\n calc ln(205.75)\n"), std::string::npos);
}

} // namespace
} // namespace orvex::frontend
