#include "formatting/date_time.h"

#include "formatting/error.h"
#include "formatting/messages.h"

#include <cmath>
#include <cstdint>

namespace orvex::formatting {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date; eras of 400 years
// repeat exactly, which keeps the arithmetic free of tables.
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr std::int64_t kDayZero = DaysFromCivil(1899, 12, 30);
constexpr std::int64_t kFirstDay = DaysFromCivil(1, 1, 1) - kDayZero;
constexpr std::int64_t kLastDay = DaysFromCivil(9999, 12, 31) - kDayZero;

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// A value split into whole days and the time of day in milliseconds. The
// time of day counts forward from midnight also before 1899-12-30, where
// the fraction's sign follows the day's. Values outside the calendar give
// day 0 at midnight.
struct TDayAndTime {
    std::int64_t Days = 0;
    std::int64_t Milliseconds = 0;
    bool Valid = false;
};

// Rounds half away from zero, as std::llround does, but without the math
// library, which the released program loads only when a run needs it: every
// banner formats the build date, so llround would load it for each help
// text and syntax-error report. Exact wherever the difference between a
// value and its whole part is, that is for magnitudes below 2^52; the
// milliseconds of the supported days stay below 2^48.
std::int64_t RoundHalfAwayFromZero(double value) {
    const double whole = std::trunc(value);
    const double rest = value - whole;
    const auto rounded = static_cast<std::int64_t>(whole);
    if (rest >= 0.5)
        return rounded + 1;
    if (rest <= -0.5)
        return rounded - 1;
    return rounded;
}

TDayAndTime SplitValue(TDateTime value) {
    TDayAndTime split;
    if (!std::isfinite(value) || value < static_cast<double>(kFirstDay - 1) ||
        value > static_cast<double>(kLastDay + 1))
        return split;
    const std::int64_t total =
        RoundHalfAwayFromZero(value * static_cast<double>(kMillisecondsPerDay));
    split.Days = total / kMillisecondsPerDay;
    split.Milliseconds = std::llabs(total % kMillisecondsPerDay);
    split.Valid = split.Days >= kFirstDay && split.Days <= kLastDay;
    if (!split.Valid)
        split = TDayAndTime{};
    return split;
}

// Before 1899-12-30 the time of day is subtracted, so that the fraction's
// absolute value stays the time of day.
TDateTime JoinDateAndTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    value = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kDayZero);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    value = static_cast<TDateTime>(total) / static_cast<TDateTime>(kMillisecondsPerDay);
    return true;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& value) {
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(year, month, day, date) ||
        !TryEncodeTime(hour, minute, second, millisecond, time))
        return false;
    value = JoinDateAndTime(date, time);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError(FormattingString("formatting.sdateencodeerror"));
    return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime value = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, value))
        throw EConvertError(FormattingString("formatting.stimeencodeerror"));
    return value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond) {
    return JoinDateAndTime(EncodeDate(year, month, day),
                           EncodeTime(hour, minute, second, millisecond));
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const TDayAndTime split = SplitValue(value);
    if (!split.Valid) {
        year = month = day = 0;
        return;
    }
    CivilFromDays(split.Days + kDayZero, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    const std::int64_t total = SplitValue(value).Milliseconds;
    hour = static_cast<int>(total / 3600000);
    minute = static_cast<int>(total / 60000 % 60);
    second = static_cast<int>(total / 1000 % 60);
    millisecond = static_cast<int>(total % 1000);
}

int DayOfWeek(TDateTime value) {
    // 1899-12-30 was a Saturday.
    const std::int64_t days = SplitValue(value).Days;
    return static_cast<int>(((days % 7 + 7) % 7 + 6) % 7) + 1;
}

TDateTime DateTimeOf(const platform::TLocalTime& time) {
    TDateTime value = 0;
    if (!TryEncodeDateTime(time.Year, time.Month, time.Day, time.Hour, time.Minute, time.Second,
                           time.Millisecond, value))
        return 0;
    return value;
}

TDateTime CurrentDateTime() {
    return DateTimeOf(platform::Now());
}

TDateTime CurrentDate() {
    const platform::TLocalTime now = platform::Now();
    TDateTime value = 0;
    return TryEncodeDate(now.Year, now.Month, now.Day, value) ? value : 0;
}

TDateTime CurrentTime() {
    const platform::TLocalTime now = platform::Now();
    TDateTime value = 0;
    return TryEncodeTime(now.Hour, now.Minute, now.Second, now.Millisecond, value) ? value : 0;
}

} // namespace orvex::formatting
