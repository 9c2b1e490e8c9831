#include "platform/platform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvex::platform {
namespace {

// Tests run with LC_ALL=C, whose facts every POSIX system agrees on.
TEST(ReadLocaleFacts, CLocale) {
    const LocaleFacts facts = ReadLocaleFacts();
    EXPECT_EQ(facts.decimalSeparator, '.');
    EXPECT_EQ(facts.thousandsSeparator, '\0');
    EXPECT_EQ(facts.shortDateFormat, "mm/dd/yy");
    EXPECT_EQ(facts.longTimeFormat, "hh:nn:ss");
    EXPECT_EQ(facts.dateSeparator, '/');
    EXPECT_EQ(facts.timeSeparator, ':');
    EXPECT_EQ(facts.shortMonthNames[7], "Aug");
    EXPECT_EQ(facts.longMonthNames[0], "January");
    EXPECT_EQ(facts.shortDayNames[0], "Sun");
    EXPECT_EQ(facts.longDayNames[6], "Saturday");
}

TEST(SameTextIgnoreCase, ComparesLetterCaseFree) {
    EXPECT_TRUE(SameTextIgnoreCase("SqRt", "sqrt"));
    EXPECT_TRUE(SameTextIgnoreCase("", ""));
    EXPECT_FALSE(SameTextIgnoreCase("sqr", "sqrt"));
    EXPECT_FALSE(SameTextIgnoreCase("a", "b"));
}

TEST(RawCommandLine, JoinsArgumentsWithSingleBlanks) {
    const char* argv[] = {"/bin/orvex", "1 + 2", "-d:3"};
    EXPECT_EQ(RawCommandLine(3, argv), "/bin/orvex 1 + 2 -d:3");
    EXPECT_EQ(RawCommandLine(1, argv), "/bin/orvex");
}

TEST(ExecutablePath, NamesTheRunningFile) {
    const std::filesystem::path path = ExecutablePath("ignored");
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(path.filename(), "platform_tests");
}

TEST(Now, IsAPlausibleLocalTime) {
    const LocalTime now = Now();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_TRUE(now.millisecond >= 0 && now.millisecond < 1000);
}

TEST(SystemConsole, WaitsQuietlyWithoutATerminal) {
    // Test runs have no terminal on standard input: capturing does nothing
    // and no key is ever reported.
    auto console = SystemConsole();
    console->BeginKeyCapture();
    EXPECT_FALSE(console->KeyPressed());
    console->EndKeyCapture();
}

} // namespace
} // namespace orvex::platform
