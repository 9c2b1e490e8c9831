// The date-time built-ins. Values count days since 1899-12-30, with the time
// of day as the fraction. date, time and now read the clock on every
// evaluation; the name functions give the names of the system's locale and
// an empty text for a number outside their range.
#include "exprengine/builtin_library.h"

#include "exprengine/builtin_support.h"
#include "formatting/date_time.h"
#include "formatting/format_settings.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvex::engine {

namespace fmt = orvex::formatting;

namespace {

void Date(TExpressionResult& result, const TExprParameterArray& /*args*/) {
    result.SetDateTimeValue(fmt::CurrentDate());
}

void Time(TExpressionResult& result, const TExprParameterArray& /*args*/) {
    result.SetDateTimeValue(fmt::CurrentTime());
}

void Now(TExpressionResult& result, const TExprParameterArray& /*args*/) {
    result.SetDateTimeValue(fmt::CurrentDateTime());
}

void DayOfWeek(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(fmt::DayOfWeek(FloatArgument(args, 0)));
}

// The parts of a value, as the extract functions give them.
struct TDateTimeParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

TDateTimeParts PartsOf(const TExprParameterArray& args) {
    const double value = FloatArgument(args, 0);
    TDateTimeParts parts;
    fmt::DecodeDate(value, parts.Year, parts.Month, parts.Day);
    fmt::DecodeTime(value, parts.Hour, parts.Minute, parts.Second, parts.Millisecond);
    return parts;
}

// One callback per part: extractyear, extractmonth, ... extractmsec.
template <int TDateTimeParts::*Part>
void ExtractPart(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(PartsOf(args).*Part);
}

// Invalid parts raise the conversion error of the encode routines.
void EncodeDate(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(
        fmt::EncodeDate(IntArgument(args, 0), IntArgument(args, 1), IntArgument(args, 2)));
}

void EncodeTime(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(fmt::EncodeTime(IntArgument(args, 0), IntArgument(args, 1),
                                            IntArgument(args, 2), IntArgument(args, 3)));
}

// The date and the time of day joined so that the time counts forward from
// the start of the day also before 1899-12-30, where the whole part counts
// backwards; for later days that is the plain sum of the two.
void EncodeDateTime(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(fmt::EncodeDateTime(
        IntArgument(args, 0), IntArgument(args, 1), IntArgument(args, 2), IntArgument(args, 3),
        IntArgument(args, 4), IntArgument(args, 5), IntArgument(args, 6)));
}

// The name numbered from 1, or an empty text for a number outside the list.
template <std::size_t Count>
std::string NameAt(const std::array<std::string, Count>& names, std::int64_t number) {
    if (number < 1 || number > static_cast<std::int64_t>(Count))
        return {};
    return names[static_cast<std::size_t>(number - 1)];
}

void ShortDayName(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        NameAt(fmt::SystemFormatSettings().ShortDayNames, IntegerArgument(args, 0));
}

void ShortMonthName(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        NameAt(fmt::SystemFormatSettings().ShortMonthNames, IntegerArgument(args, 0));
}

void LongDayName(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = NameAt(fmt::SystemFormatSettings().LongDayNames, IntegerArgument(args, 0));
}

void LongMonthName(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        NameAt(fmt::SystemFormatSettings().LongMonthNames, IntegerArgument(args, 0));
}

// They read the clock: never computed ahead.
constexpr TBuiltinFunction kClockFunctions[] = {
    {"date", 'D', "", &Date},
    {"time", 'D', "", &Time},
    {"now", 'D', "", &Now},
};

constexpr TBuiltinFunction kDateTimeFunctions[] = {
    {"dayofweek", 'I', "D", &DayOfWeek},
    {"extractyear", 'I', "D", &ExtractPart<&TDateTimeParts::Year>},
    {"extractmonth", 'I', "D", &ExtractPart<&TDateTimeParts::Month>},
    {"extractday", 'I', "D", &ExtractPart<&TDateTimeParts::Day>},
    {"extracthour", 'I', "D", &ExtractPart<&TDateTimeParts::Hour>},
    {"extractmin", 'I', "D", &ExtractPart<&TDateTimeParts::Minute>},
    {"extractsec", 'I', "D", &ExtractPart<&TDateTimeParts::Second>},
    {"extractmsec", 'I', "D", &ExtractPart<&TDateTimeParts::Millisecond>},
    {"encodedate", 'D', "III", &EncodeDate},
    {"encodetime", 'D', "IIII", &EncodeTime},
    {"encodedatetime", 'D', "IIIIIII", &EncodeDateTime},
    {"shortdayname", 'S', "I", &ShortDayName},
    {"shortmonthname", 'S', "I", &ShortMonthName},
    {"longdayname", 'S', "I", &LongDayName},
    {"longmonthname", 'S', "I", &LongMonthName},
};

} // namespace

void RegisterDateTimeBuiltins(TExprBuiltInManager& manager) {
    RegisterFunctions(manager, bcDateTime, kClockFunctions, false);
    RegisterFunctions(manager, bcDateTime, kDateTimeFunctions);
}

} // namespace orvex::engine
