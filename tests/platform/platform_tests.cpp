#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

namespace orvex::platform {
namespace {

#ifdef _WIN32
// The system default locale. Under Wine it follows LC_ALL, and C gives
// English (United States); test runs with another system locale name it in
// ORVEX_TEST_SYSTEM_LOCALE.
struct SystemLocaleRow {
    std::string_view name;
    char decimalSeparator, thousandsSeparator, dateSeparator, timeSeparator;
    std::string_view shortDate, longDate, shortTime, longTime;
    std::string_view march, sunday; // short month and long day name, UTF-8
};

constexpr SystemLocaleRow systemLocales[] = {
    {"en-US", '.', ',', '/', ':', "m/d/yyyy", "dddd, mmmm d, yyyy", "h:nn ampm", "h:nn:ss ampm",
     "Mar", "Sunday"},
    // Literal dots and commas stay as they are.
    {"de-DE", ',', '.', '.', ':', "d.m.yyyy", "dddd, d. mmmm yyyy", "hh:nn", "hh:nn:ss",
     "M\xC3\xA4r", "Sonntag"},
    // Digits are grouped with a no-break space, which becomes a blank.
    {"fr-FR", ',', ' ', '/', ':', "dd/mm/yyyy", "dddd d mmmm yyyy", "hh:nn", "hh:nn:ss", "mars",
     "dimanche"},
    // Unquoted CJK text between the fields stays literal, in UTF-8.
    {"ja-JP", '.', ',', '/', ':', "yyyy/m/d",
     "yyyy\xE5\xB9\xB4m\xE6\x9C\x88"
     "d\xE6\x97\xA5"
     "dddd",
     "h:nn", "h:nn:ss", "3\xE6\x9C\x88", "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5"},
};

TEST(ReadLocaleFacts, SystemDefaultLocale) {
    const char* const named = std::getenv("ORVEX_TEST_SYSTEM_LOCALE");
    const std::string_view name = named != nullptr ? named : "en-US";
    const auto row = std::find_if(std::begin(systemLocales), std::end(systemLocales),
                                  [&](const SystemLocaleRow& r) { return r.name == name; });
    ASSERT_NE(row, std::end(systemLocales)) << "no expectations for " << name;
    const LocaleFacts facts = ReadLocaleFacts();
    EXPECT_EQ(facts.decimalSeparator, row->decimalSeparator);
    EXPECT_EQ(facts.thousandsSeparator, row->thousandsSeparator);
    EXPECT_EQ(facts.dateSeparator, row->dateSeparator);
    EXPECT_EQ(facts.timeSeparator, row->timeSeparator);
    EXPECT_EQ(facts.shortDateFormat, row->shortDate);
    EXPECT_EQ(facts.longDateFormat, row->longDate);
    EXPECT_EQ(facts.shortTimeFormat, row->shortTime);
    EXPECT_EQ(facts.longTimeFormat, row->longTime);
    EXPECT_EQ(facts.shortMonthNames[2], row->march);
    EXPECT_EQ(facts.longDayNames[0], row->sunday);
    for (const std::string& month : facts.longMonthNames)
        EXPECT_FALSE(month.empty());
}
#else
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
#endif

// One rule for every platform: a separator is one character of the program's
// text.
TEST(SeparatorFromCodePoint, MapsEveryLocaleSeparatorToOneCharacter) {
    const struct {
        char32_t codePoint;
        char expected;
    } rows[] = {
        {U'.', '.'},    {U',', ','},    {U'\'', '\''},  {U' ', ' '},
        {0x00A0, ' '},  {0x2007, ' '},  {0x2009, ' '},  {0x202F, ' '},
        {0x2019, '\''}, {0x066B, '\0'}, {0x2008, '\0'}, {0x2018, '\0'},
        {0x0080, '\0'}, {0x7F, '\x7F'}, {0, '\0'},      {0x1F600, '\0'},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SeparatorFromCodePoint(row.codePoint), row.expected)
            << "U+" << std::hex << static_cast<unsigned>(row.codePoint);
}

TEST(SameTextIgnoreCase, ComparesLetterCaseFree) {
    EXPECT_TRUE(SameTextIgnoreCase("SqRt", "sqrt"));
    EXPECT_TRUE(SameTextIgnoreCase("", ""));
    EXPECT_FALSE(SameTextIgnoreCase("sqr", "sqrt"));
    EXPECT_FALSE(SameTextIgnoreCase("a", "b"));
#ifdef _WIN32
    // Beyond ASCII the locale decides: A and a with diaeresis in the ANSI
    // code page (1252 under Wine's English locale).
    EXPECT_TRUE(SameTextIgnoreCase("\xC4rger", "\xE4RGER"));
    EXPECT_FALSE(SameTextIgnoreCase("\xC4rger", "Arger"));
#endif
}

#ifdef _WIN32
// Windows keeps the command line as the process was started; the argument
// vector is not consulted.
TEST(RawCommandLine, IsTheProcessCommandLine) {
    const char* argv[] = {"elsewhere"};
    const std::string line = RawCommandLine(1, argv);
    EXPECT_NE(line.find("platform_tests"), std::string::npos) << line;
    EXPECT_NE(line.find("--gtest_filter="), std::string::npos) << line;
    EXPECT_EQ(line.find("elsewhere"), std::string::npos) << line;
}
#else
TEST(RawCommandLine, JoinsArgumentsWithSingleBlanks) {
    const char* argv[] = {"/bin/orvex", "1 + 2", "-d:3"};
    EXPECT_EQ(RawCommandLine(3, argv), "/bin/orvex 1 + 2 -d:3");
    EXPECT_EQ(RawCommandLine(1, argv), "/bin/orvex");
}
#endif

TEST(ExecutablePath, NamesTheRunningFile) {
    const std::filesystem::path path = ExecutablePath("ignored");
    EXPECT_TRUE(std::filesystem::exists(path));
#ifdef _WIN32
    EXPECT_EQ(path.filename(), "platform_tests.exe");
    EXPECT_TRUE(path.is_absolute()) << path;
#else
    EXPECT_EQ(path.filename(), "platform_tests");
#endif
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
