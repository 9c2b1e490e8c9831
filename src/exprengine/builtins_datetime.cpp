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
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

TDateTimeParts PartsOf(const TExprParameterArray& args) {
    const double value = FloatArgument(args, 0);
    TDateTimeParts parts;
    fmt::DecodeDate(value, parts.year, parts.month, parts.day);
    fmt::DecodeTime(value, parts.hour, parts.minute, parts.second, parts.millisecond);
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
constexpr TBuiltinFunction ClockFunctions[] = {
    {"date", 'D', "", &Date},
    {"time", 'D', "", &Time},
    {"now", 'D', "", &Now},
};

constexpr TBuiltinFunction DateTimeFunctions[] = {
    {"dayofweek", 'I', "D", &DayOfWeek},
    {"extractyear", 'I', "D", &ExtractPart<&TDateTimeParts::year>},
    {"extractmonth", 'I', "D", &ExtractPart<&TDateTimeParts::month>},
    {"extractday", 'I', "D", &ExtractPart<&TDateTimeParts::day>},
    {"extracthour", 'I', "D", &ExtractPart<&TDateTimeParts::hour>},
    {"extractmin", 'I', "D", &ExtractPart<&TDateTimeParts::minute>},
    {"extractsec", 'I', "D", &ExtractPart<&TDateTimeParts::second>},
    {"extractmsec", 'I', "D", &ExtractPart<&TDateTimeParts::millisecond>},
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
    RegisterFunctions(manager, bcDateTime, ClockFunctions, false);
    RegisterFunctions(manager, bcDateTime, DateTimeFunctions);
}

} // namespace orvex::engine
