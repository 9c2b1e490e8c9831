// The number and date formatting settings of one run, loaded once from the
// locale at start-up and shared by the number patterns, zero substitution,
// the banner's dates and the engine's conversion built-ins.
#pragma once

#include "platform/platform.h"

#include <array>
#include <string>

namespace orvex::formatting {

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ','; // '\0' switches grouping off
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "mm/dd/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// Settings from locale facts; every fact the locale leaves empty keeps the
// value above ("." and "," for the separators).
TFormatSettings FormatSettingsFromLocale(const platform::TLocaleFacts& facts);

// The same for settings already made: the facts the locale gives replace
// theirs, the others stay.
void TakeLocaleFacts(TFormatSettings& settings, const platform::TLocaleFacts& facts);

// The settings of the system's locale, read on first use and never changed
// afterwards. For code without a run context, such as the engine's built-ins.
const TFormatSettings& SystemFormatSettings();

} // namespace orvex::formatting
