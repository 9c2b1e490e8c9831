#include "builtins_test_support.h"

#include "formatting/date_time.h"
#include "formatting/format_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvex::engine {
namespace {

using test::Call;
using test::D;
using test::Eval;
using test::F;
using test::I;
using test::S;
using test::TCallCase;
using test::TOutcomeCase;

// 2024-02-29 is day 45351 after 1899-12-30, a Thursday.
constexpr double LeapDay = 45351.0;

class DateTimeCall : public testing::TestWithParam<TCallCase> {};

TEST_P(DateTimeCall, GivesValueOrError) {
    EXPECT_EQ(Call(GetParam().name, GetParam().args), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Encode, DateTimeCall,
    testing::Values(
        TCallCase{"encodedate", {I(2024), I(2), I(29)}, "D:45351"},
        TCallCase{"encodedate", {I(1899), I(12), I(30)}, "D:0"},
        TCallCase{"encodedate", {I(1), I(1), I(1)}, "D:-693593"},
        TCallCase{"encodedate", {I(2023), I(2), I(29)}, "E:Invalid argument to date encode"},
        TCallCase{"encodedate", {I(2024), I(13), I(1)}, "E:Invalid argument to date encode"},
        TCallCase{"encodedate", {I(10000), I(1), I(1)}, "E:Invalid argument to date encode"},
        // 2^32 + 2024 must not wrap around to the year 2024.
        TCallCase{"encodedate", {I(4294969320), I(1), I(1)}, "E:Invalid argument to date encode"},
        TCallCase{"encodetime", {I(12), I(0), I(0), I(0)}, "D:0.5"},
        TCallCase{"encodetime", {I(6), I(0), I(0), I(0)}, "D:0.25"},
        TCallCase{"encodetime", {I(24), I(0), I(0), I(0)}, "E:Invalid argument to time encode"},
        TCallCase{"encodetime", {I(0), I(0), I(0), I(1000)}, "E:Invalid argument to time encode"},
        TCallCase{"encodedatetime", {I(2024), I(2), I(29), I(18), I(0), I(0), I(0)}, "D:45351.75"},
        TCallCase{"encodedatetime",
                  {I(2024), I(2), I(30), I(0), I(0), I(0), I(0)},
                  "E:Invalid argument to date encode"},
        TCallCase{"encodedatetime",
                  {I(2024), I(2), I(29), I(0), I(60), I(0), I(0)},
                  "E:Invalid argument to time encode"}));

// 1899-12-30 was a Saturday; 1 is Sunday.
INSTANTIATE_TEST_SUITE_P(Extract, DateTimeCall,
                         testing::Values(TCallCase{"dayofweek", {D(LeapDay)}, "I:5"},
                                         TCallCase{"dayofweek", {D(0)}, "I:7"},
                                         TCallCase{"dayofweek", {D(1)}, "I:1"},
                                         TCallCase{"dayofweek", {D(-1)}, "I:6"},
                                         TCallCase{"extractyear", {D(LeapDay + 0.5)}, "I:2024"},
                                         TCallCase{"extractmonth", {D(LeapDay)}, "I:2"},
                                         TCallCase{"extractday", {D(LeapDay)}, "I:29"},
                                         TCallCase{"extracthour", {D(0.75)}, "I:18"},
                                         TCallCase{"extractmin", {D(0.5 + 1.0 / 1440)}, "I:1"},
                                         TCallCase{"extractsec", {D(0.5 + 2.0 / 86400)}, "I:2"},
                                         TCallCase{"extractmsec", {D(0.5 + 0.25 / 86400)}, "I:250"},
                                         // An integer from a nested call counts as whole days.
                                         TCallCase{"extractday", {I(45351)}, "I:29"},
                                         // Nothing sensible to decode, but no fault either.
                                         TCallCase{"extractyear", {F(std::nan(""))}, "I:0"}));

// The names of the system's locale, numbered from 1; numbers outside the
// range give an empty text.
TEST(DateTimeFunctions, NamesByNumber) {
    const formatting::TFormatSettings& names = formatting::SystemFormatSettings();
    EXPECT_EQ(Call("shortdayname", {I(1)}), "S:" + names.ShortDayNames[0]);
    EXPECT_EQ(Call("longdayname", {I(7)}), "S:" + names.LongDayNames[6]);
    EXPECT_EQ(Call("shortmonthname", {I(12)}), "S:" + names.ShortMonthNames[11]);
    EXPECT_EQ(Call("longmonthname", {I(2)}), "S:" + names.LongMonthNames[1]);
    for (const std::int64_t outside :
         {std::int64_t{0}, std::int64_t{-1}, std::int64_t{8}, std::int64_t{1} << 40}) {
        EXPECT_EQ(Call("shortdayname", {I(outside)}), "S:") << outside;
        EXPECT_EQ(Call("longdayname", {I(outside)}), "S:") << outside;
    }
    EXPECT_EQ(Call("shortmonthname", {I(13)}), "S:");
    EXPECT_EQ(Call("longmonthname", {I(0)}), "S:");
}

double ShownDays(const std::string& shown) {
    EXPECT_EQ(shown.substr(0, 2), "D:") << shown;
    return std::stod(shown.substr(2));
}

// The clock is read on every call.
TEST(DateTimeFunctions, ClockReadings) {
    const double before = formatting::CurrentDate();
    const double date = ShownDays(Call("date", {}));
    const double time = ShownDays(Call("time", {}));
    const double now = ShownDays(Call("now", {}));
    if (formatting::CurrentDate() != before)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_EQ(date, before);
    EXPECT_GE(time, 0.0);
    EXPECT_LT(time, 1.0);
    EXPECT_GE(now, date + time);
    EXPECT_LT(now, date + 1.0);
}

class DateTimeExpression : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(DateTimeExpression, EvaluatesThroughTheParser) {
    EXPECT_EQ(Eval(GetParam().text), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    RoundTrips, DateTimeExpression,
    testing::Values(
        TOutcomeCase{"encodedate(2024, 2, 29)", "D:45351"},
        TOutcomeCase{"extractyear(encodedate(2024, 2, 29))", "I:2024"},
        TOutcomeCase{"dayofweek(encodedate(2024, 2, 29))", "I:5"},
        TOutcomeCase{"extracthour(encodedatetime(2024, 2, 29, 13, 45, 30, 250))", "I:13"},
        TOutcomeCase{"extractmsec(encodedatetime(2024, 2, 29, 13, 45, 30, 999))", "I:999"},
        TOutcomeCase{"extractday(encodedate(2024, 2, 29) + 1)", "I:1"},
        TOutcomeCase{"1 + extractyear(45351)", "I:2025"},
        TOutcomeCase{"encodedate(2024, 2, 29) + encodetime(12, 0, 0, 0)", "D:45351.5"},
        // Before 1899-12-30 the whole part counts backwards while the time
        // still counts forward from the start of the day.
        TOutcomeCase{"encodedatetime(1899, 12, 29, 6, 0, 0, 0)", "D:-1.25"},
        TOutcomeCase{"extractday(encodedatetime(1899, 12, 29, 6, 0, 0, 0))", "I:29"},
        TOutcomeCase{"extracthour(encodedatetime(1899, 12, 29, 6, 0, 0, 0))", "I:6"},
        TOutcomeCase{"shortdayname(dayofweek(encodedate(2024, 2, 29))) = shortdayname(5)",
                     "B:true"},
        TOutcomeCase{"encodedate(2024, 2, 30)", "E:Invalid argument to date encode"},
        TOutcomeCase{"encodedate(2024, 2, 29.5)",
                     "E:Invalid type for argument 3: Expected rtInteger, got rtFloat"},
        TOutcomeCase{"dayofweek('x')",
                     "E:Invalid type for argument 1: Expected rtDateTime, got rtString"}));

} // namespace
} // namespace orvex::engine
