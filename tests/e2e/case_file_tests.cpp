#include "case_file.h"

#include <gtest/gtest.h>

namespace orvex::e2e {
namespace {

TEST(SplitShellWords, QuotingRules) {
    struct Row {
        std::string_view line;
        std::vector<std::string> words;
    };
    const Row rows[] = {
        {"", {}},
        {"  1 + 2 ", {"1", "+", "2"}},
        {"'1871 / 2457' -p", {"1871 / 2457", "-p"}},
        {R"('"K"' + 10240)", {"\"K\"", "+", "10240"}},
        {R"("a \"b\" \\c")", {"a \"b\" \\c"}},
        {R"('' x)", {"", "x"}},
        {R"(a\ b)", {"a b"}},
        {R"(pre'mid'"post")", {"premidpost"}},
    };
    for (const Row& row : rows) {
        const auto words = SplitShellWords(row.line);
        ASSERT_TRUE(words.has_value()) << row.line;
        EXPECT_EQ(*words, row.words) << row.line;
    }
    EXPECT_FALSE(SplitShellWords("'open").has_value());
    EXPECT_FALSE(SplitShellWords("\"open").has_value());
}

TEST(OutputMatches, PatternsAndLineEnds) {
    struct Row {
        std::string_view expected, actual;
        bool matches;
    };
    const Row rows[] = {
        {"", "", true},
        {"", "\n", false},
        {"42\n", "42\n", true},
        {"42\n", "42", false},
        {"TRUE", "TRUE", true},
        {"built {{*}} using {{*}}\n", "built 27 Aug 2023 using GCC 12\n", true},
        {"a{{*}}\nb\n", "a\nx\nb\n", false}, // a wildcard never spans lines
        {"dir {{exe_dir}}/x\n", "dir /tmp/run/x\n", true},
        {"{{*}}end\n", "endend\n", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(OutputMatches(row.expected, row.actual, "/tmp/run"), row.matches)
            << row.expected << " vs " << row.actual;
}

TEST(ParseCaseFile, ReadsDirectivesAndBlocks) {
    const ParsedCases parsed = ParseCaseFile("x.cases", "# comment\n"
                                                        "=== first case\n"
                                                        "args: -d:3 '1 / 3'\n"
                                                        "exit: 255\n"
                                                        "--- stdout\n"
                                                        "0.333\n"
                                                        "\n"
                                                        "--- stderr\n"
                                                        "=== second\n"
                                                        "args:\n"
                                                        "program: sub dir/calc\n"
                                                        "--- stdout\n"
                                                        "TRUE{{noeol}}\n");
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.cases.size(), 2u);
    EXPECT_EQ(parsed.cases[0].name, "first case");
    EXPECT_EQ(parsed.cases[0].arguments, (std::vector<std::string>{"-d:3", "1 / 3"}));
    EXPECT_EQ(parsed.cases[0].exitCode, 255);
    EXPECT_EQ(parsed.cases[0].expectedStdout, "0.333\n\n");
    EXPECT_EQ(parsed.cases[0].expectedStderr, "");
    EXPECT_TRUE(parsed.cases[1].arguments.empty());
    EXPECT_EQ(parsed.cases[1].program, "sub dir/calc");
    EXPECT_EQ(parsed.cases[1].expectedStdout, "TRUE");
}

TEST(ParseCaseFile, ReportsMalformedInput) {
    EXPECT_EQ(ParseCaseFile("y.cases", "args: 1\n").error,
              "y.cases:1: directive before the first case");
    EXPECT_EQ(ParseCaseFile("y.cases", "=== a\nexit: x\n").error,
              "y.cases:2: exit code is not a number");
    EXPECT_EQ(ParseCaseFile("y.cases", "=== a\nwhat: 1\n").error, "y.cases:2: unknown directive");
}

} // namespace
} // namespace orvex::e2e
