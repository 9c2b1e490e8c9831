#include "formatting/format_settings.h"

#include <gtest/gtest.h>

namespace orvex::formatting {
namespace {

TEST(FormatSettingsFromLocale, KeepsTheDefaultsWhereTheLocaleGivesNothing) {
    const TFormatSettings settings = FormatSettingsFromLocale(platform::TLocaleFacts{});
    EXPECT_EQ(settings.DecimalSeparator, '.');
    EXPECT_EQ(settings.ThousandSeparator, ',');
    EXPECT_EQ(settings.DateSeparator, '/');
    EXPECT_EQ(settings.TimeSeparator, ':');
    EXPECT_EQ(settings.ShortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(settings.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(settings.ShortMonthNames[7], "Aug");
    EXPECT_EQ(settings.LongDayNames[0], "Sunday");
}

TEST(FormatSettingsFromLocale, TakesWhatTheLocaleGives) {
    platform::TLocaleFacts facts;
    facts.DecimalSeparator = ',';
    facts.ThousandsSeparator = '.';
    facts.ShortDateFormat = "dd.mm.yyyy";
    facts.ShortMonthNames[2] = "Mrz";
    const TFormatSettings settings = FormatSettingsFromLocale(facts);
    EXPECT_EQ(settings.DecimalSeparator, ',');
    EXPECT_EQ(settings.ThousandSeparator, '.');
    EXPECT_EQ(settings.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(settings.ShortMonthNames[2], "Mrz");
    EXPECT_EQ(settings.ShortMonthNames[3], "Apr");
}

TEST(SystemFormatSettings, UnderTheCLocaleUsesPointAndComma) {
    // The tests run with LC_ALL=C, whose locale has no thousands separator.
    const TFormatSettings& settings = SystemFormatSettings();
    EXPECT_EQ(settings.DecimalSeparator, '.');
    EXPECT_EQ(settings.ThousandSeparator, ',');
    EXPECT_EQ(&settings, &SystemFormatSettings());
}

} // namespace
} // namespace orvex::formatting
