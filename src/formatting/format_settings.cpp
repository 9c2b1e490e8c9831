#include "formatting/format_settings.h"

namespace orvex::formatting {
namespace {

void TakeIfGiven(char& target, char given) {
    if (given != '\0')
        target = given;
}

void TakeIfGiven(std::string& target, const std::string& given) {
    if (!given.empty())
        target = given;
}

template <std::size_t N>
void TakeIfGiven(std::array<std::string, N>& target, const std::array<std::string, N>& given) {
    for (std::size_t i = 0; i < N; ++i)
        TakeIfGiven(target[i], given[i]);
}

} // namespace

TFormatSettings FormatSettingsFromLocale(const platform::LocaleFacts& facts) {
    TFormatSettings settings;
    TakeLocaleFacts(settings, facts);
    return settings;
}

void TakeLocaleFacts(TFormatSettings& settings, const platform::LocaleFacts& facts) {
    TakeIfGiven(settings.DecimalSeparator, facts.decimalSeparator);
    TakeIfGiven(settings.ThousandSeparator, facts.thousandsSeparator);
    TakeIfGiven(settings.DateSeparator, facts.dateSeparator);
    TakeIfGiven(settings.TimeSeparator, facts.timeSeparator);
    TakeIfGiven(settings.ShortDateFormat, facts.shortDateFormat);
    TakeIfGiven(settings.LongDateFormat, facts.longDateFormat);
    TakeIfGiven(settings.ShortTimeFormat, facts.shortTimeFormat);
    TakeIfGiven(settings.LongTimeFormat, facts.longTimeFormat);
    TakeIfGiven(settings.TimeAMString, facts.timeAmString);
    TakeIfGiven(settings.TimePMString, facts.timePmString);
    TakeIfGiven(settings.ShortMonthNames, facts.shortMonthNames);
    TakeIfGiven(settings.LongMonthNames, facts.longMonthNames);
    TakeIfGiven(settings.ShortDayNames, facts.shortDayNames);
    TakeIfGiven(settings.LongDayNames, facts.longDayNames);
}

const TFormatSettings& SystemFormatSettings() {
    static const TFormatSettings settings = FormatSettingsFromLocale(platform::ReadLocaleFacts());
    return settings;
}

} // namespace orvex::formatting
