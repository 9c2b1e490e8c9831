#include "platform/platform.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
    std::string_view march, december, sunday; // short months and long day name, UTF-8
};

constexpr SystemLocaleRow systemLocales[] = {
    {"en-US", '.', ',', '/', ':', "m/d/yyyy", "dddd, mmmm d, yyyy", "h:nn ampm", "h:nn:ss ampm",
     "Mar", "Dec", "Sunday"},
    // Literal dots and commas stay as they are.
    {"de-DE", ',', '.', '.', ':', "d.m.yyyy", "dddd, d. mmmm yyyy", "hh:nn", "hh:nn:ss",
     "M\xC3\xA4r", "Dez", "Sonntag"},
    // Digits are grouped with a no-break space, which becomes a blank.
    {"fr-FR", ',', ' ', '/', ':', "dd/mm/yyyy", "dddd d mmmm yyyy", "hh:nn", "hh:nn:ss", "mars",
     "d\xC3\xA9"
     "c.",
     "dimanche"},
    // Unquoted CJK text between the fields stays literal, in UTF-8.
    {"ja-JP", '.', ',', '/', ':', "yyyy/m/d",
     "yyyy\xE5\xB9\xB4m\xE6\x9C\x88"
     "d\xE6\x97\xA5"
     "dddd",
     "h:nn", "h:nn:ss", "3\xE6\x9C\x88", "12\xE6\x9C\x88", "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5"},
};

TEST(ReadLocaleFacts, SystemDefaultLocale) {
    const char* const named = std::getenv("ORVEX_TEST_SYSTEM_LOCALE");
    const std::string_view name = named != nullptr ? named : "en-US";
    const auto row = std::find_if(std::begin(systemLocales), std::end(systemLocales),
                                  [&](const SystemLocaleRow& r) { return r.name == name; });
    ASSERT_NE(row, std::end(systemLocales)) << "no expectations for " << name;
    const TLocaleFacts facts = ReadLocaleFacts();
    EXPECT_EQ(facts.DecimalSeparator, row->decimalSeparator);
    EXPECT_EQ(facts.ThousandsSeparator, row->thousandsSeparator);
    EXPECT_EQ(facts.DateSeparator, row->dateSeparator);
    EXPECT_EQ(facts.TimeSeparator, row->timeSeparator);
    EXPECT_EQ(facts.ShortDateFormat, row->shortDate);
    EXPECT_EQ(facts.LongDateFormat, row->longDate);
    EXPECT_EQ(facts.ShortTimeFormat, row->shortTime);
    EXPECT_EQ(facts.LongTimeFormat, row->longTime);
    EXPECT_EQ(facts.ShortMonthNames[2], row->march);
    EXPECT_EQ(facts.ShortMonthNames[11], row->december);
    EXPECT_EQ(facts.LongDayNames[0], row->sunday);
    for (const std::string& month : facts.LongMonthNames)
        EXPECT_FALSE(month.empty());
}

// A run that prints no date reads only the number facts, and the other way
// round.
TEST(ReadLocaleFacts, ReadsOnlyThePartsAskedFor) {
    const TLocaleFacts all = ReadLocaleFacts(lpAll);
    const TLocaleFacts numbers = ReadLocaleFacts(lpNumbers);
    EXPECT_EQ(numbers.DecimalSeparator, all.DecimalSeparator);
    EXPECT_EQ(numbers.ThousandsSeparator, all.ThousandsSeparator);
    EXPECT_EQ(numbers.DateSeparator, '\0');
    EXPECT_EQ(numbers.ShortDateFormat, "");
    EXPECT_EQ(numbers.LongMonthNames[0], "");
    const TLocaleFacts dates = ReadLocaleFacts(lpDates);
    EXPECT_EQ(dates.DecimalSeparator, '\0');
    EXPECT_EQ(dates.ThousandsSeparator, '\0');
    EXPECT_EQ(dates.TimeSeparator, all.TimeSeparator);
    EXPECT_EQ(dates.LongTimeFormat, all.LongTimeFormat);
    EXPECT_EQ(dates.LongDayNames, all.LongDayNames);
}
#else
// Tests run with LC_ALL=C, whose facts every POSIX system agrees on.
TEST(ReadLocaleFacts, CLocale) {
    const TLocaleFacts facts = ReadLocaleFacts();
    EXPECT_EQ(facts.DecimalSeparator, '.');
    EXPECT_EQ(facts.ThousandsSeparator, '\0');
    EXPECT_EQ(facts.ShortDateFormat, "mm/dd/yy");
    EXPECT_EQ(facts.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(facts.DateSeparator, '/');
    EXPECT_EQ(facts.TimeSeparator, ':');
    EXPECT_EQ(facts.ShortMonthNames[7], "Aug");
    EXPECT_EQ(facts.LongMonthNames[0], "January");
    EXPECT_EQ(facts.ShortDayNames[0], "Sun");
    EXPECT_EQ(facts.LongDayNames[6], "Saturday");
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
    // Beyond ASCII the locale decides, on UTF-8 text: A and a with
    // diaeresis, capital and small sigma.
    EXPECT_TRUE(SameTextIgnoreCase("\xC3\x84rger", "\xC3\xA4RGER"));
    EXPECT_TRUE(SameTextIgnoreCase("\xCE\xA3", "\xCF\x83"));
    EXPECT_FALSE(SameTextIgnoreCase("\xC3\x84rger", "Arger"));
    // Broken UTF-8 is compared byte for byte, never as two equal U+FFFD.
    EXPECT_FALSE(SameTextIgnoreCase("\xC4rger", "\xE4rger"));
    EXPECT_TRUE(SameTextIgnoreCase("\xC4rger", "\xC4RGER"));
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

// The wide parse gives the same arguments as the C runtime's narrow one
// wherever the ANSI code page can hold them.
TEST(ProgramArguments, SplitsLikeTheCRuntime) {
    const std::vector<std::string> narrow(__argv + 1, __argv + __argc);
    const char* argv[] = {"elsewhere", "ignored"};
    EXPECT_EQ(ProgramArguments(2, argv), narrow);
}

// Points one standard handle of this process elsewhere for a test's
// lifetime.
class StandardHandleSwap {
  public:
    StandardHandleSwap(DWORD which, HANDLE replacement)
        : which_(which), saved_(GetStdHandle(which)) {
        SetStdHandle(which_, replacement);
    }
    ~StandardHandleSwap() { SetStdHandle(which_, saved_); }
    StandardHandleSwap(const StandardHandleSwap&) = delete;
    StandardHandleSwap& operator=(const StandardHandleSwap&) = delete;

  private:
    DWORD which_;
    HANDLE saved_;
};

std::string ReadWholeFile(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string text(4096, '\0');
    DWORD got = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    text.resize(got);
    return text;
}

// A file gets the UTF-8 bytes with each line end as CR LF, both streams
// alike.
TEST(WriteStandardStream, FileGetsUtf8WithCrLf) {
    for (const TStandardStream stream : {TStandardStream::Output, TStandardStream::Error}) {
        const HANDLE file = CreateFileW(
            L"write_standard_stream.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        {
            StandardHandleSwap swap(
                stream == TStandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, file);
            EXPECT_EQ(WriteStandardStream(stream, "1\n\nd\xC3\xA9"
                                                  "c.\n"),
                      "");
            EXPECT_EQ(WriteStandardStream(stream, ""), "");
            EXPECT_EQ(WriteStandardStream(stream, "end"), "");
        }
        EXPECT_EQ(ReadWholeFile(file), "1\r\n\r\nd\xC3\xA9"
                                       "c.\r\nend");
        CloseHandle(file);
    }
}

// A console shows the text itself, whatever its code page: the program's
// UTF-8 goes out as UTF-16, and a line end moves to the next line.
TEST(WriteStandardStream, ConsoleShowsTheCharacters) {
    // Runs on a terminal only; a test process writing to pipes has no
    // console to show text on.
    DWORD mode = 0;
    const bool ownConsole = !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode);
    if (ownConsole && !AllocConsole()) {
        if (std::getenv("ORVEX_TEST_REQUIRE_CONSOLE") != nullptr)
            FAIL() << "no console";
        GTEST_SKIP() << "no console to be had";
    }
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE);
    SetConsoleOutputCP(437);
    {
        StandardHandleSwap swap(STD_OUTPUT_HANDLE, screen);
        EXPECT_EQ(WriteStandardStream(TStandardStream::Output, "d\xC3\xA9"
                                                               "c.\n\xE2\x82\xAC\n"),
                  "");
    }
    const auto line = [&](SHORT row) {
        wchar_t text[4] = {};
        DWORD got = 0;
        ReadConsoleOutputCharacterW(screen, text, 4, COORD{0, row}, &got);
        return std::wstring(text, got);
    };
    EXPECT_EQ(line(0), L"d\u00E9c.");
    EXPECT_EQ(line(1).substr(0, 1), L"\u20AC");
    CloseHandle(screen);
    if (ownConsole)
        FreeConsole();
}

// A write that fails says why in the system's words, on one line without
// its line end; nothing to write never fails.
TEST(WriteStandardStream, FailureGivesTheSystemsReason) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    CloseHandle(readEnd);
    const HANDLE targets[] = {nullptr, INVALID_HANDLE_VALUE, writeEnd};
    for (const HANDLE target : targets) {
        StandardHandleSwap swap(STD_OUTPUT_HANDLE, target);
        EXPECT_EQ(WriteStandardStream(TStandardStream::Output, ""), "");
        const std::string reason = WriteStandardStream(TStandardStream::Output, "3\n");
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
        EXPECT_NE(reason.back(), ' ') << reason;
    }
    CloseHandle(writeEnd);
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
    EXPECT_TRUE(path.is_absolute()) << path;
#ifdef _WIN32
    EXPECT_EQ(path.filename(), "platform_tests.exe");
#else
    EXPECT_EQ(path.filename(), "platform_tests");
#endif
}

// The fields of a wall-clock reading, most significant first, for ordering.
using TClockFields = std::array<int, 6>;

TClockFields FieldsOf(const TLocalTime& time) {
    return {time.Year, time.Month, time.Day, time.Hour, time.Minute, time.Second};
}

TClockFields FieldsOf(const std::tm& time) {
    return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
            time.tm_hour,        time.tm_min,     time.tm_sec};
}

// Now lies between two readings of the C library's clock, taken in the same
// time zone just before and just after it.
template <typename TBreakDown> void ExpectNowBetweenReadings(TBreakDown breakDown) {
    const std::time_t before = std::time(nullptr);
    const TLocalTime now = Now();
    const std::time_t after = std::time(nullptr);
    EXPECT_LE(FieldsOf(breakDown(before)), FieldsOf(now));
    EXPECT_LE(FieldsOf(now), FieldsOf(breakDown(after)));
    EXPECT_GE(now.Millisecond, 0);
    EXPECT_LT(now.Millisecond, 1000);
}

TEST(Now, IsTheLocalWallClock) {
    ExpectNowBetweenReadings([](std::time_t time) { return *std::localtime(&time); });
}

#ifndef _WIN32
// Local, not universal, time: zones east and west of Greenwich, one of them
// half an hour off the hour.
TEST(Now, FollowsTheTimeZone) {
    const char* const saved = std::getenv("TZ");
    const std::string savedZone = saved != nullptr ? saved : "";
    const struct {
        const char* zone;
        int minutesEastOfGreenwich;
    } rows[] = {{"UTC0", 0}, {"ORV-5:30", 330}, {"ORV+10", -600}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.zone);
        setenv("TZ", row.zone, 1);
        tzset();
        ExpectNowBetweenReadings([&](std::time_t time) {
            const std::time_t shifted = time + row.minutesEastOfGreenwich * 60;
            std::tm fields{};
            gmtime_r(&shifted, &fields);
            return fields;
        });
    }
    if (saved != nullptr)
        setenv("TZ", savedZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
#endif

TEST(SystemConsole, WaitsQuietlyWithoutATerminal) {
    // Test runs have no terminal on standard input: capturing does nothing
    // and no key is ever reported, however the calls come.
    auto console = SystemConsole();
    console->EndKeyCapture(); // ending what never began
    EXPECT_FALSE(console->KeyPressed());
    for (int round = 0; round < 2; ++round) {
        console->BeginKeyCapture();
        console->BeginKeyCapture();
        EXPECT_FALSE(console->KeyPressed());
        console->EndKeyCapture();
        EXPECT_FALSE(console->KeyPressed());
    }
}

#ifndef _WIN32
// Points a standard file descriptor of this process at a file of its own
// for a test's lifetime.
class DescriptorCapture {
  public:
    explicit DescriptorCapture(int descriptor)
        : descriptor_(descriptor), saved_(dup(descriptor)), file_(std::tmpfile()) {
        std::fflush(nullptr);
        dup2(fileno(file_), descriptor_);
    }
    ~DescriptorCapture() {
        dup2(saved_, descriptor_);
        close(saved_);
        std::fclose(file_);
    }
    DescriptorCapture(const DescriptorCapture&) = delete;
    DescriptorCapture& operator=(const DescriptorCapture&) = delete;

    long BytesWritten() const { return static_cast<long>(lseek(fileno(file_), 0, SEEK_END)); }

  private:
    int descriptor_;
    int saved_;
    std::FILE* file_;
};

// The bell goes to the controlling terminal or nowhere, never into the
// program's output.
TEST(SystemConsole, BeepsOutsideTheStandardStreams) {
    auto console = SystemConsole();
    const DescriptorCapture output(STDOUT_FILENO);
    const DescriptorCapture error(STDERR_FILENO);
    console->Beep();
    EXPECT_EQ(output.BytesWritten(), 0);
    EXPECT_EQ(error.BytesWritten(), 0);
}
#endif

// In-process runs must never block: the key wait ends at its first poll,
// begun or not, and an hour's sleep takes no time.
TEST(NullConsole, NeverWaits) {
    TNullConsole null;
    TConsole& console = null;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(console.KeyPressed());
    console.BeginKeyCapture();
    EXPECT_TRUE(console.KeyPressed());
    console.Sleep(std::chrono::hours(1));
    console.Beep();
    console.EndKeyCapture();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
} // namespace orvex::platform
