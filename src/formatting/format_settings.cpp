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

TFormatSettings FormatSettingsFromLocale(const platform::TLocaleFacts& facts) {
    TFormatSettings settings;
    TakeLocaleFacts(settings, facts);
    return settings;
}

void TakeLocaleFacts(TFormatSettings& settings, const platform::TLocaleFacts& facts) {
    TakeIfGiven(settings.DecimalSeparator, facts.DecimalSeparator);
    TakeIfGiven(settings.ThousandSeparator, facts.ThousandsSeparator);
    TakeIfGiven(settings.DateSeparator, facts.DateSeparator);
    TakeIfGiven(settings.TimeSeparator, facts.TimeSeparator);
    TakeIfGiven(settings.ShortDateFormat, facts.ShortDateFormat);
    TakeIfGiven(settings.LongDateFormat, facts.LongDateFormat);
    TakeIfGiven(settings.ShortTimeFormat, facts.ShortTimeFormat);
    TakeIfGiven(settings.LongTimeFormat, facts.LongTimeFormat);
    TakeIfGiven(settings.TimeAMString, facts.TimeAmString);
    TakeIfGiven(settings.TimePMString, facts.TimePmString);
    TakeIfGiven(settings.ShortMonthNames, facts.ShortMonthNames);
    TakeIfGiven(settings.LongMonthNames, facts.LongMonthNames);
    TakeIfGiven(settings.ShortDayNames, facts.ShortDayNames);
    TakeIfGiven(settings.LongDayNames, facts.LongDayNames);
}

const TFormatSettings& SystemFormatSettings() {
    static const TFormatSettings settings = FormatSettingsFromLocale(platform::ReadLocaleFacts());
    return settings;
}

} // namespace orvex::formatting
