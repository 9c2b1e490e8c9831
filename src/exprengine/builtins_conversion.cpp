// The conversion built-ins between numbers, booleans, dates and texts, all
// with the number and date settings of the system's locale. A text that does
// not convert raises the conversion routine's error; the "def" variants give
// their second argument instead.
#include "exprengine/builtin_library.h"

#include "exprengine/builtin_support.h"
#include "exprengine/identifier_defs.h"
#include "exprengine/messages.h"
#include "formatting/date_time.h"
#include "formatting/error.h"
#include "formatting/format_settings.h"
#include "formatting/number_pattern.h"
#include "formatting/number_text.h"
#include "formatting/text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace orvex::engine {

namespace fmt = orvex::formatting;

namespace {

const fmt::TFormatSettings& Settings() {
    return fmt::SystemFormatSettings();
}

// "true" and "false" in any letter case, or a number, which is true when it
// is not zero; blanks around the text are ignored.
bool TryTextToBool(std::string_view text, bool& value) {
    const std::string_view word = fmt::Trim(text, fmt::IsSpaceOrTab);
    if (SameIdentifier(word, "true") || SameIdentifier(word, "false")) {
        value = SameIdentifier(word, "true");
        return true;
    }
    std::int32_t integer = 0;
    if (fmt::TryTextToInt(word, integer)) {
        value = integer != 0;
        return true;
    }
    double number = 0.0;
    if (fmt::TryTextToFloat(word, number, Settings())) {
        value = number != 0.0;
        return true;
    }
    return false;
}

void IntToStr(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = std::to_string(IntegerArgument(args, 0));
}

void StrToInt(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(fmt::TextToInt(TextArgument(args, 0)));
}

void StrToIntDef(TExpressionResult& result, const TExprParameterArray& args) {
    std::int32_t value = 0;
    result.SetIntegerValue(
        fmt::TryTextToInt(TextArgument(args, 0), value) ? value : IntegerArgument(args, 1));
}

void FloatToStr(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = fmt::GeneralText(FloatArgument(args, 0), Settings());
}

void StrToFloat(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(fmt::TextToFloat(TextArgument(args, 0), Settings()));
}

void StrToFloatDef(TExpressionResult& result, const TExprParameterArray& args) {
    double value = 0.0;
    result.SetFloatValue(fmt::TryTextToFloat(TextArgument(args, 0), value, Settings())
                             ? value
                             : FloatArgument(args, 1));
}

void BoolToStr(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = BooleanArgument(args, 0) ? "-1" : "0";
}

void StrToBool(TExpressionResult& result, const TExprParameterArray& args) {
    const std::string_view text = TextArgument(args, 0);
    bool value = false;
    if (!TryTextToBool(text, value))
        throw fmt::EConvertError(BuiltinsString("cvexprbuiltins.serrinvalidboolean"), {text});
    result.SetBooleanValue(value);
}

void StrToBoolDef(TExpressionResult& result, const TExprParameterArray& args) {
    bool value = false;
    result.SetBooleanValue(TryTextToBool(TextArgument(args, 0), value) ? value
                                                                       : BooleanArgument(args, 1));
}

void DateToStr(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = fmt::DateToStr(FloatArgument(args, 0), Settings());
}

void TimeToStr(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = fmt::TimeToStr(FloatArgument(args, 0), Settings());
}

using TDateReader = bool (*)(std::string_view, fmt::TDateTime&, const fmt::TFormatSettings&);

// The date-time text read by reader, or the second argument when it does
// not read.
double DateTimeOrDefault(TDateReader reader, const TExprParameterArray& args) {
    fmt::TDateTime value = 0.0;
    return reader(TextArgument(args, 0), value, Settings()) ? value : FloatArgument(args, 1);
}

void StrToDate(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(fmt::StrToDate(TextArgument(args, 0), Settings()));
}

void StrToDateDef(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(DateTimeOrDefault(&fmt::TryStrToDate, args));
}

void StrToTime(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(fmt::StrToTime(TextArgument(args, 0), Settings()));
}

void StrToTimeDef(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(DateTimeOrDefault(&fmt::TryStrToTime, args));
}

void StrToDateTime(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(fmt::StrToDateTime(TextArgument(args, 0), Settings()));
}

void StrToDateTimeDef(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetDateTimeValue(DateTimeOrDefault(&fmt::TryStrToDateTime, args));
}

// formatfloat(pattern, x): the number pattern language of the calculator's
// --format option.
void FormatFloat(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        fmt::FormatWithPattern(TextArgument(args, 0), FloatArgument(args, 1), Settings());
}

void FormatDateTime(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        fmt::FormatDateTime(TextArgument(args, 0), FloatArgument(args, 1), Settings());
}

constexpr TBuiltinFunction kConversionFunctions[] = {
    {"inttostr", 'S', "I", &IntToStr},          {"strtoint", 'I', "S", &StrToInt},
    {"strtointdef", 'I', "SI", &StrToIntDef},   {"floattostr", 'S', "F", &FloatToStr},
    {"strtofloat", 'F', "S", &StrToFloat},      {"strtofloatdef", 'F', "SF", &StrToFloatDef},
    {"booltostr", 'S', "B", &BoolToStr},        {"strtobool", 'B', "S", &StrToBool},
    {"strtobooldef", 'B', "SB", &StrToBoolDef}, {"datetostr", 'S', "D", &DateToStr},
    {"timetostr", 'S', "D", &TimeToStr},
};

// A date read without its year, or with two digits of it, takes the year
// from the clock: never computed ahead.
constexpr TBuiltinFunction kDateReadingFunctions[] = {
    {"strtodate", 'D', "S", &StrToDate},         {"strtodatedef", 'D', "SD", &StrToDateDef},
    {"strtotime", 'D', "S", &StrToTime},         {"strtotimedef", 'D', "SD", &StrToTimeDef},
    {"strtodatetime", 'D', "S", &StrToDateTime}, {"strtodatetimedef", 'D', "SD", &StrToDateTimeDef},
};

constexpr TBuiltinFunction kFormattingFunctions[] = {
    {"formatfloat", 'S', "SF", &FormatFloat},
    {"formatdatetime", 'S', "SD", &FormatDateTime},
};

} // namespace

void RegisterConversionBuiltins(TExprBuiltInManager& manager) {
    RegisterFunctions(manager, bcConversion, kConversionFunctions);
    RegisterFunctions(manager, bcConversion, kDateReadingFunctions, false);
    RegisterFunctions(manager, bcConversion, kFormattingFunctions);
}

} // namespace orvex::engine
