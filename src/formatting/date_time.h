// Date-time values: encoding, decoding, formatting with date-time patterns
// and reading dates and times from text.
#pragma once

#include "formatting/format_settings.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

namespace orvex::formatting {

// Days since 1899-12-30; the fraction is the time of day. Before that day the
// whole part counts the days backwards and the time of day is the absolute
// value of the fraction (-1.25 is 1899-12-29 06:00).
using TDateTime = double;

// Gregorian calendar, years 1 to 9999. False for a date that does not exist.
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// Hours 0-23, minutes and seconds 0-59, milliseconds 0-999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);
// Both parts joined so that the time also counts forward before 1899-12-30.
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& value);

// Raise EConvertError when the parts are invalid.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond);

// The parts of a value, to the nearest millisecond. A value that is not
// finite or lies far outside the calendar decodes to zeros.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

// The local clock as a value, as the date at midnight, and as the time of day.
TDateTime DateTimeOf(const platform::TLocalTime& time);
TDateTime CurrentDateTime();
TDateTime CurrentDate();
TDateTime CurrentTime();

// Writes a value with a date-time pattern: c, d, dd, ddd, dddd, ddddd,
// dddddd, m, mm, mmm, mmmm (minutes right after an hour), yy, yyyy, h, hh,
// n, nn, s, ss, z, zzz, t, tt, am/pm, a/p, ampm, "/" and ":" (the settings'
// separators), quoted text; every other character is written as it is.
std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings);
// The date in the short date format, the time in the long time format, and
// both ("c": the time is left out at midnight).
std::string DateToStr(TDateTime value, const TFormatSettings& settings);
std::string TimeToStr(TDateTime value, const TFormatSettings& settings);
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Reading dates in the order of the short date format's d, m and y letters,
// separated by the date separator; the year may be left out (this year) or
// written with one or two digits (see ExpandTwoDigitYear). Times are
// h:n[:s[.zzz]] with the time separator, optionally with an AM or PM marker;
// an hour alone needs the marker. Date and time are separated by blanks; a
// date-time text may also hold only a date or only a time.
bool TryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);

// Raise EConvertError "'<text>' is not a valid date" (time, date and time).
TDateTime StrToDate(std::string_view text, const TFormatSettings& settings);
TDateTime StrToTime(std::string_view text, const TFormatSettings& settings);
TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings);

// A year written with one or two digits, placed in the hundred years that
// reach from 49 years before the current year to 50 years after it.
int ExpandTwoDigitYear(int twoDigitYear, int currentYear);

} // namespace orvex::formatting
