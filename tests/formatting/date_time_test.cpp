#include "formatting/date_time.h"
#include "formatting/error.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace orvex::formatting {
namespace {

struct CalendarCase {
    int year, month, day;
    double value;
    int dayOfWeek;
};

std::ostream& operator<<(std::ostream& os, const CalendarCase& c) {
    return os << c.year << '-' << c.month << '-' << c.day;
}

class CalendarTest : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarTest, EncodesDecodesAndKnowsTheWeekday) {
    const CalendarCase& c = GetParam();
    TDateTime value = -1e9;
    ASSERT_TRUE(TryEncodeDate(c.year, c.month, c.day, value));
    EXPECT_EQ(value, c.value);
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    EXPECT_EQ(year, c.year);
    EXPECT_EQ(month, c.month);
    EXPECT_EQ(day, c.day);
    EXPECT_EQ(DayOfWeek(value), c.dayOfWeek);
    // The time of day does not move the date, on either side of day zero.
    DecodeDate(value < 0 ? value - 0.75 : value + 0.75, year, month, day);
    EXPECT_EQ(day, c.day);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dates, CalendarTest, ::testing::Values(
    CalendarCase{1899, 12, 30, 0, 7},
    CalendarCase{1899, 12, 31, 1, 1},
    CalendarCase{1899, 12, 29, -1, 6},
    CalendarCase{1900, 1, 1, 2, 2},
    CalendarCase{1900, 2, 28, 60, 4},
    CalendarCase{1900, 3, 1, 61, 5},
    CalendarCase{1970, 1, 1, 25569, 5},
    CalendarCase{2000, 2, 29, 36585, 3},
    CalendarCase{2000, 3, 1, 36586, 4},
    CalendarCase{2023, 8, 27, 45165, 1},
    CalendarCase{2024, 2, 29, 45351, 5},
    CalendarCase{1, 1, 1, -693593, 2},
    CalendarCase{9999, 12, 31, 2958465, 6}));
// clang-format on

// Every day of the calendar follows the one before it and decodes to itself.
TEST(Calendar, EveryDayFollowsThePreviousOne) {
    TDateTime expected = -693593;
    for (int year = 1; year <= 9999; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 31; ++day) {
                TDateTime value = 0;
                if (!TryEncodeDate(year, month, day, value))
                    continue;
                ASSERT_EQ(value, expected) << year << '-' << month << '-' << day;
                int y = 0, m = 0, d = 0;
                DecodeDate(value, y, m, d);
                ASSERT_TRUE(y == year && m == month && d == day) << value;
                ASSERT_EQ(DayOfWeek(value + 1), DayOfWeek(value) % 7 + 1);
                ++expected;
            }
    EXPECT_EQ(expected, 2958466);
}

TEST(Calendar, RefusesDatesThatDoNotExist) {
    TDateTime value = 42;
    for (const auto& [year, month, day] : std::initializer_list<std::array<int, 3>>{{1900, 2, 29},
                                                                                    {2023, 2, 29},
                                                                                    {2100, 2, 29},
                                                                                    {2023, 4, 31},
                                                                                    {2023, 13, 1},
                                                                                    {2023, 0, 1},
                                                                                    {2023, 1, 0},
                                                                                    {2023, 1, 32},
                                                                                    {0, 1, 1},
                                                                                    {10000, 1, 1},
                                                                                    {-5, 1, 1}})
        EXPECT_FALSE(TryEncodeDate(year, month, day, value)) << year << '-' << month << '-' << day;
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(TryEncodeDate(2400, 2, 29, value));
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
}

TEST(Calendar, EncodesAndDecodesTimes) {
    EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    TDateTime value = 0;
    for (const auto& [hour, minute, second, ms] : std::initializer_list<std::array<int, 4>>{
             {24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}})
        EXPECT_FALSE(TryEncodeTime(hour, minute, second, ms, value));
    try {
        EncodeTime(25, 0, 0, 0);
        FAIL() << "hour 25 was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Invalid argument to time encode");
    }
    try {
        EncodeDate(2023, 2, 30);
        FAIL() << "February 30 was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Invalid argument to date encode");
    }

    // Every millisecond of a day survives the trip through the double.
    for (int total = 0; total < 86400000; total += 997) {
        const int h = total / 3600000, n = total / 60000 % 60, s = total / 1000 % 60,
                  z = total % 1000;
        int hour = 0, minute = 0, second = 0, ms = 0;
        DecodeTime(EncodeDateTime(2024, 2, 29, h, n, s, z), hour, minute, second, ms);
        ASSERT_EQ(hour * 3600000 + minute * 60000 + second * 1000 + ms, total);
        DecodeTime(EncodeDateTime(1800, 1, 1, h, n, s, z), hour, minute, second, ms);
        ASSERT_EQ(hour * 3600000 + minute * 60000 + second * 1000 + ms, total);
    }
}

TEST(Calendar, TimeCountsForwardBeforeDayZero) {
    // -1.25 is 1899-12-29 06:00.
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(-1.25, hour, minute, second, ms);
    EXPECT_EQ(hour, 6);
    int year = 0, month = 0, day = 0;
    DecodeDate(-0.5, year, month, day);
    EXPECT_EQ(day, 30);
}

TEST(Calendar, RoundsToTheNearestMillisecond) {
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(0.99999999999, hour, minute, second, ms);
    EXPECT_EQ(hour + minute + second + ms, 0);
    int year = 0, month = 0, day = 0;
    DecodeDate(0.99999999999, year, month, day);
    EXPECT_EQ(day, 31);
}

TEST(Calendar, RoundsHalfMillisecondsAwayFromZero) {
    // A 2048th of a day is 42,187.5 ms exactly, so odd multiples of it end
    // in half a millisecond; the time of day counts from the day's start on
    // both sides of day zero.
    struct HalfCase {
        double value;
        int second, ms;
    };
    for (const HalfCase& c : {HalfCase{1.0 / 2048, 42, 188}, HalfCase{-1.0 / 2048, 42, 188},
                              HalfCase{3.0 / 2048, 6, 563}, HalfCase{45000 + 5.0 / 2048, 30, 938},
                              HalfCase{-45000 - 7.0 / 2048, 55, 313}}) {
        int hour = 0, minute = 0, second = 0, ms = 0;
        DecodeTime(c.value, hour, minute, second, ms);
        EXPECT_EQ(second, c.second) << c.value;
        EXPECT_EQ(ms, c.ms) << c.value;
    }
}

TEST(Calendar, SplitsValuesAsTheLibrarysRoundingDoes) {
    // The milliseconds of a value are rounded without the math library;
    // compared with std::llround over random values of the whole calendar.
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> days(-693593.0, 2958465.0);
    for (int i = 0; i < 200000; ++i) {
        const double value = i % 2 == 0 ? days(random) : std::round(days(random) * 2048) / 2048;
        const long long total = std::llround(value * 86400000.0);
        int hour = 0, minute = 0, second = 0, ms = 0;
        DecodeTime(value, hour, minute, second, ms);
        ASSERT_EQ(((hour * 60LL + minute) * 60 + second) * 1000 + ms, std::llabs(total % 86400000))
            << value;
        int year = 0, month = 0, day = 0;
        DecodeDate(value, year, month, day);
        ASSERT_EQ(EncodeDate(year, month, day), static_cast<double>(total / 86400000)) << value;
    }
}

TEST(Calendar, ValuesOutsideTheCalendarDecodeToZeros) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double value : {std::nan(""), inf, -inf, 1e300, 2958466.0, -693594.0}) {
        int year = 1, month = 1, day = 1;
        DecodeDate(value, year, month, day);
        EXPECT_EQ(year + month + day, 0) << value;
        int hour = 1, minute = 1, second = 1, ms = 1;
        DecodeTime(value, hour, minute, second, ms);
        EXPECT_EQ(hour + minute + second + ms, 0) << value;
    }
}

TEST(Calendar, LocalTimeBecomesAValue) {
    platform::TLocalTime time;
    time.Year = 2023, time.Month = 8, time.Day = 27;
    time.Hour = 11, time.Minute = 31, time.Second = 15;
    EXPECT_DOUBLE_EQ(DateTimeOf(time), 45165 + (11 * 3600 + 31 * 60 + 15) / 86400.0);
    time.Month = 13;
    EXPECT_EQ(DateTimeOf(time), 0.0);
    const TDateTime now = CurrentDateTime();
    EXPECT_GT(now, 40000.0);
    EXPECT_EQ(CurrentDate(), std::trunc(CurrentDate()));
    EXPECT_LT(CurrentTime(), 1.0);
}

struct FormatCase {
    const char* pattern;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
    return os << c.pattern;
}

class FormatDateTimeTest : public ::testing::TestWithParam<FormatCase> {};

// 2023-08-07 (a Monday) 09:05:03.042, and the afternoon below.
const TDateTime morning = EncodeDateTime(2023, 8, 7, 9, 5, 3, 42);
const TDateTime afternoon = EncodeDateTime(2023, 8, 7, 21, 45, 30, 0);

TEST_P(FormatDateTimeTest, WritesTheMorning) {
    EXPECT_EQ(FormatDateTime(GetParam().pattern, morning, TFormatSettings{}), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Letters, FormatDateTimeTest, ::testing::Values(
    FormatCase{"d", "7"},
    FormatCase{"dd", "07"},
    FormatCase{"ddd", "Mon"},
    FormatCase{"dddd", "Monday"},
    FormatCase{"ddddd", "08/07/2023"},
    FormatCase{"dddddd", "Monday, August 7, 2023"},
    FormatCase{"m", "8"},
    FormatCase{"mm", "08"},
    FormatCase{"mmm", "Aug"},
    FormatCase{"mmmm", "August"},
    FormatCase{"yy", "23"},
    FormatCase{"yyyy", "2023"},
    FormatCase{"h", "9"},
    FormatCase{"hh", "09"},
    FormatCase{"n", "5"},
    FormatCase{"nn", "05"},
    FormatCase{"s", "3"},
    FormatCase{"ss", "03"},
    FormatCase{"z", "42"},
    FormatCase{"zzz", "042"},
    FormatCase{"t", "09:05"},
    FormatCase{"tt", "09:05:03"},
    FormatCase{"c", "08/07/2023 09:05:03"},
    FormatCase{"YYYY-MM-DD", "2023-08-07"},
    FormatCase{"hh:mm", "09:05"},
    FormatCase{"h:m", "9:5"},
    FormatCase{"hh 'at' mm", "09 at 05"},
    FormatCase{"mm hh", "08 09"},
    FormatCase{"hh:nn mm", "09:05 08"},
    FormatCase{"h:nn am/pm", "9:05 am"},
    FormatCase{"h:nn AM/PM", "9:05 AM"},
    FormatCase{"h:nn a/p", "9:05 a"},
    FormatCase{"h:nn ampm", "9:05 AM"},
    FormatCase{"dd/mm/yyyy", "07/08/2023"},
    FormatCase{"dd mmm yyyy @ hh:00:00", "07 Aug 2023 @ 09:00:00"},
    FormatCase{"'dd' \"mm\" x", "dd mm x"},
    FormatCase{"'it''s'", "its"},
    FormatCase{"'open", "open"},
    FormatCase{"cccc", "08/07/2023 09:05:03"},
    FormatCase{"", ""}));
// clang-format on

TEST(FormatDateTime, UsesTwelveHourClockWithMarkers) {
    const TFormatSettings settings;
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", afternoon, settings), "09:45 pm");
    EXPECT_EQ(FormatDateTime("h A/P", afternoon, settings), "9 P");
    EXPECT_EQ(FormatDateTime("hh ampm", afternoon, settings), "09 PM");
    EXPECT_EQ(FormatDateTime("hh", afternoon, settings), "21");
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0), settings), "12 am");
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(12, 30, 0, 0), settings), "12 pm");
    EXPECT_EQ(FormatDateTime("'am/pm' hh", afternoon, settings), "am/pm 21");
}

TEST(FormatDateTime, TakesNamesAndSeparatorsFromTheSettings) {
    TFormatSettings settings;
    settings.DateSeparator = '-';
    settings.TimeSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn";
    settings.TimeAMString = "vorm.";
    settings.ShortMonthNames[7] = "Aug.";
    settings.LongDayNames[1] = "Montag";
    EXPECT_EQ(FormatDateTime("c", afternoon, settings), "07-08-2023 21.45");
    EXPECT_EQ(FormatDateTime("dddd d mmm", morning, settings), "Montag 7 Aug.");
    EXPECT_EQ(FormatDateTime("h ampm", morning, settings), "9 vorm.");
    settings.DateSeparator = '\0';
    EXPECT_EQ(FormatDateTime("dd/mm", morning, settings), "0708");
    EXPECT_EQ(DateToStr(morning, settings), "07082023");
    EXPECT_EQ(TimeToStr(morning, settings), "09.05");
}

TEST(FormatDateTime, LeavesTheTimeOutAtMidnightAndStopsNestedFormats) {
    TFormatSettings settings;
    EXPECT_EQ(DateTimeToStr(EncodeDate(1899, 12, 30), settings), "12/30/1899");
    EXPECT_EQ(DateTimeToStr(0.5, settings), "12/30/1899 12:00:00");
    settings.ShortDateFormat = "c";
    EXPECT_EQ(FormatDateTime("c", 0, settings), "");
    EXPECT_EQ(FormatDateTime("yyyy", std::nan(""), settings), "0000");
    EXPECT_EQ(FormatDateTime("mmm ddd", std::nan(""), settings), " Sat");
}

struct ParseCase {
    const char* text;
    const char* shortDateFormat;
    char dateSeparator;
    const char* expected; // the value written as yyyy-mm-dd hh:nn:ss.zzz, "" when refused
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << '"' << c.text << "\" with " << c.shortDateFormat;
}

std::string Written(TDateTime value) {
    return FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", value, TFormatSettings{});
}

TFormatSettings SettingsOf(const ParseCase& c) {
    TFormatSettings settings;
    settings.ShortDateFormat = c.shortDateFormat;
    settings.DateSeparator = c.dateSeparator;
    return settings;
}

class StrToDateTimeTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToDateTimeTest, ReadsOrRefuses) {
    const ParseCase& c = GetParam();
    TDateTime value = 0;
    const bool read = TryStrToDateTime(c.text, value, SettingsOf(c));
    EXPECT_EQ(read ? Written(value) : "", c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, StrToDateTimeTest, ::testing::Values(
    ParseCase{"08/27/2023", "mm/dd/yyyy", '/', "2023-08-27 00:00:00.000"},
    ParseCase{"8/7/2023", "m/d/yyyy", '/', "2023-08-07 00:00:00.000"},
    ParseCase{"27.08.2023", "dd.mm.yyyy", '.', "2023-08-27 00:00:00.000"},
    ParseCase{"2023/08/27", "yyyy/mm/dd", '/', "2023-08-27 00:00:00.000"},
    ParseCase{"2023-08-27", "yyyy-mm-dd", '-', "2023-08-27 00:00:00.000"},
    ParseCase{"2023/08/27 11:31:15", "yyyy/mm/dd", '/', "2023-08-27 11:31:15.000"},
    ParseCase{"2023/08/27 11:31:15.250", "yyyy/mm/dd", '/', "2023-08-27 11:31:15.250"},
    ParseCase{"2023/08/27 11:31:15.5", "yyyy/mm/dd", '/', "2023-08-27 11:31:15.500"},
    ParseCase{"  08/27/2023   9:05  ", "mm/dd/yyyy", '/', "2023-08-27 09:05:00.000"},
    ParseCase{"08/27/2023 9:05 PM", "mm/dd/yyyy", '/', "2023-08-27 21:05:00.000"},
    ParseCase{"08/27/2023 12:05am", "mm/dd/yyyy", '/', "2023-08-27 00:05:00.000"},
    ParseCase{"12/29/1899 06:00", "mm/dd/yyyy", '/', "1899-12-29 06:00:00.000"},
    ParseCase{"12/30/1899", "mm/dd/yyyy", '/', "1899-12-30 00:00:00.000"},
    ParseCase{"11:31:15", "mm/dd/yyyy", '/', "1899-12-30 11:31:15.000"},
    ParseCase{"5 pm", "mm/dd/yyyy", '/', "1899-12-30 17:00:00.000"},
    ParseCase{"PM 5:30", "mm/dd/yyyy", '/', "1899-12-30 17:30:00.000"},
    ParseCase{"02/29/2024", "mm/dd/yyyy", '/', "2024-02-29 00:00:00.000"},
    ParseCase{"02/29/2023", "mm/dd/yyyy", '/', ""},
    ParseCase{"13/01/2023", "mm/dd/yyyy", '/', ""},
    ParseCase{"08-27-2023", "mm/dd/yyyy", '/', ""},
    ParseCase{"08/27/2023 25:00", "mm/dd/yyyy", '/', ""},
    ParseCase{"08/27/2023 xyz", "mm/dd/yyyy", '/', ""},
    ParseCase{"08/27/2023/1", "mm/dd/yyyy", '/', ""},
    ParseCase{"/27/2023", "mm/dd/yyyy", '/', ""},
    ParseCase{"+8/27/2023", "mm/dd/yyyy", '/', ""},
    ParseCase{"08/27/12023", "mm/dd/yyyy", '/', ""},
    ParseCase{"5", "mm/dd/yyyy", '/', ""},
    ParseCase{"13 pm", "mm/dd/yyyy", '/', ""},
    ParseCase{"abc", "mm/dd/yyyy", '/', ""},
    ParseCase{"", "mm/dd/yyyy", '/', ""}));
// clang-format on

TEST(StrToDate, TakesOnlyDates) {
    const TFormatSettings settings;
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToDate(" 08/27/2023 ", value, settings));
    EXPECT_EQ(value, 45165);
    EXPECT_FALSE(TryStrToDate("08/27/2023 10:00", value, settings));
    EXPECT_FALSE(TryStrToDate("10:00", value, settings));
    // Without a year the current year is meant.
    ASSERT_TRUE(TryStrToDate("1/2", value, settings));
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    EXPECT_EQ(year, platform::Now().Year);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(day, 2);
    // Two-digit years land in the window around the current year.
    ASSERT_TRUE(TryStrToDate("1/2/05", value, settings));
    DecodeDate(value, year, month, day);
    EXPECT_EQ(year, ExpandTwoDigitYear(5, platform::Now().Year));
    try {
        StrToDate("abc", settings);
        FAIL() << "abc was read";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'abc' is not a valid date");
    }
}

TEST(StrToTime, TakesOnlyTimes) {
    const TFormatSettings settings;
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToTime("12:00", value, settings));
    EXPECT_EQ(value, 0.5);
    EXPECT_TRUE(TryStrToTime("6:00:00.000 AM", value, settings));
    EXPECT_EQ(value, 0.25);
    EXPECT_TRUE(TryStrToTime("12 a", value, settings));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(TryStrToTime("08/27/2023", value, settings));
    EXPECT_FALSE(TryStrToTime("12", value, settings));
    EXPECT_FALSE(TryStrToTime("12:00:00:00", value, settings));
    EXPECT_FALSE(TryStrToTime("12:00.5", value, settings));
    EXPECT_FALSE(TryStrToTime("12:00:00.1234", value, settings));
    EXPECT_FALSE(TryStrToTime("12:", value, settings));
    EXPECT_FALSE(TryStrToTime("AM", value, settings));
    TFormatSettings dotted;
    dotted.TimeSeparator = '.';
    dotted.DecimalSeparator = ',';
    dotted.TimePMString = "nachm.";
    EXPECT_TRUE(TryStrToTime("9.30 nachm.", value, dotted));
    EXPECT_EQ(TimeToStr(value, TFormatSettings{}), "21:30:00");
    EXPECT_TRUE(TryStrToTime("9.30.15,5", value, dotted));
    EXPECT_EQ(Written(value), "1899-12-30 09:30:15.500");
    try {
        StrToTime("25:00", settings);
        FAIL() << "25:00 was read";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'25:00' is not a valid time");
    }
    try {
        StrToDateTime("x", settings);
        FAIL() << "x was read";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'x' is not a valid date and time");
    }
}

TEST(StrToDateTime, ReadsWhatItWrites) {
    TFormatSettings settings;
    settings.DateSeparator = '-';
    settings.ShortDateFormat = "yyyy-mm-dd";
    settings.LongTimeFormat = "hh:nn:ss.zzz";
    for (const TDateTime value : {morning, afternoon, EncodeDateTime(1800, 3, 1, 23, 59, 59, 0),
                                  EncodeDate(9999, 12, 31), EncodeDate(1, 1, 1)}) {
        TDateTime read = 0;
        ASSERT_TRUE(TryStrToDateTime(FormatDateTime("c", value, settings), read, settings));
        EXPECT_EQ(Written(read), Written(value));
    }
}

TEST(TwoDigitYears, FallIntoTheHundredYearsAroundTheCurrentYear) {
    EXPECT_EQ(ExpandTwoDigitYear(23, 2025), 2023);
    EXPECT_EQ(ExpandTwoDigitYear(75, 2025), 2075);
    EXPECT_EQ(ExpandTwoDigitYear(76, 2025), 1976);
    EXPECT_EQ(ExpandTwoDigitYear(99, 2025), 1999);
    EXPECT_EQ(ExpandTwoDigitYear(0, 2025), 2000);
    EXPECT_EQ(ExpandTwoDigitYear(0, 2099), 2100);
    EXPECT_EQ(ExpandTwoDigitYear(49, 2099), 2149);
    EXPECT_EQ(ExpandTwoDigitYear(50, 2099), 2050);
    EXPECT_EQ(ExpandTwoDigitYear(99, 2000), 1999);
    EXPECT_EQ(ExpandTwoDigitYear(50, 2000), 2050);
    EXPECT_EQ(ExpandTwoDigitYear(51, 2000), 1951);
}

} // namespace
} // namespace orvex::formatting
