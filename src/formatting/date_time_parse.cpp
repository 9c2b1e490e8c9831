#include "formatting/date_time.h"

#include "formatting/error.h"
#include "formatting/messages.h"
#include "formatting/text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvex::formatting {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number of one to maxDigits decimal digits and nothing else.
bool ReadNumber(std::string_view text, std::size_t maxDigits, int& number) {
    if (text.empty() || text.size() > maxDigits || !std::all_of(text.begin(), text.end(), IsDigit))
        return false;
    number = 0;
    for (const char c : text)
        number = number * 10 + (c - '0');
    return true;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == separator) {
            parts.push_back(text.substr(start, at - start));
            start = at + 1;
        }
    }
    return parts;
}

// The order of day, month and year: that of the first d, m and y in the
// short date format (quoted text aside); letters it lacks go last, in the
// order month, day, year.
std::array<char, 3> DateOrderOf(std::string_view format) {
    std::array<std::pair<std::size_t, char>, 3> positions{{{std::string_view::npos, 'M'},
                                                           {std::string_view::npos, 'D'},
                                                           {std::string_view::npos, 'Y'}}};
    ForEachUnquoted(format, [&](std::size_t at) {
        for (auto& [position, letter] : positions)
            if (AsciiUpper(format[at]) == letter && position == std::string_view::npos)
                position = at;
    });
    std::stable_sort(positions.begin(), positions.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return {positions[0].second, positions[1].second, positions[2].second};
}

bool TryReadDate(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    const auto parts = SplitAt(text, settings.DateSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    const bool yearGiven = parts.size() == 3;
    int year = 0, month = 0, day = 0;
    std::size_t next = 0;
    for (const char letter : DateOrderOf(settings.ShortDateFormat)) {
        if (letter == 'Y' && !yearGiven)
            continue;
        const std::string_view part = parts[next++];
        int& field = letter == 'Y' ? year : letter == 'M' ? month : day;
        if (!ReadNumber(part, letter == 'Y' ? 4 : 2, field))
            return false;
        if (letter == 'Y' && part.size() <= 2)
            year = ExpandTwoDigitYear(year, platform::Now().Year);
    }
    if (!yearGiven)
        year = platform::Now().Year;
    return TryEncodeDate(year, month, day, value);
}

enum class TMeridiem { None, Morning, Afternoon };

// Takes an AM or PM marker off either end of a time text: the settings'
// texts, or AM, PM, A and P in any letter case.
TMeridiem TakeMarker(std::string_view& text, const TFormatSettings& settings) {
    const std::array<std::pair<std::string_view, TMeridiem>, 6> markers{{
        {settings.TimeAMString, TMeridiem::Morning},
        {settings.TimePMString, TMeridiem::Afternoon},
        {"AM", TMeridiem::Morning},
        {"PM", TMeridiem::Afternoon},
        {"A", TMeridiem::Morning},
        {"P", TMeridiem::Afternoon},
    }};
    for (const auto& [marker, meridiem] : markers) {
        if (marker.empty() || marker.size() >= text.size())
            continue;
        if (EqualsIgnoreAsciiCase(text.substr(text.size() - marker.size()), marker)) {
            text = TrimBlanks(text.substr(0, text.size() - marker.size()));
            return meridiem;
        }
        if (EqualsIgnoreAsciiCase(text.substr(0, marker.size()), marker)) {
            text = TrimBlanks(text.substr(marker.size()));
            return meridiem;
        }
    }
    return TMeridiem::None;
}

// Milliseconds written as a fraction of a second: ".5" is 500.
bool ReadMilliseconds(std::string_view text, int& millisecond) {
    int fraction = 0;
    if (!ReadNumber(text, 3, fraction))
        return false;
    for (std::size_t digits = text.size(); digits < 3; ++digits)
        fraction *= 10;
    millisecond = fraction;
    return true;
}

bool TryReadTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    const TMeridiem meridiem = TakeMarker(text, settings);
    int millisecond = 0;
    // Milliseconds follow a "." or the decimal separator, unless that is
    // the time separator.
    std::string fractionMarks;
    for (const char mark : {'.', settings.DecimalSeparator})
        if (mark != settings.TimeSeparator && mark != '\0')
            fractionMarks += mark;
    if (const auto point = text.find_first_of(fractionMarks); point != std::string_view::npos) {
        if (!ReadMilliseconds(text.substr(point + 1), millisecond))
            return false;
        text = text.substr(0, point);
    }
    const auto parts = SplitAt(text, settings.TimeSeparator);
    if (parts.size() > 3 || (parts.size() == 1 && meridiem == TMeridiem::None))
        return false;
    std::array<int, 3> fields{0, 0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!ReadNumber(parts[i], 2, fields[i]))
            return false;
    if (millisecond != 0 && parts.size() < 3)
        return false;
    int hour = fields[0];
    if (meridiem != TMeridiem::None) {
        if (hour > 12)
            return false;
        hour = hour % 12 + (meridiem == TMeridiem::Afternoon ? 12 : 0);
    }
    return TryEncodeTime(hour, fields[1], fields[2], millisecond, value);
}

} // namespace

int ExpandTwoDigitYear(int twoDigitYear, int currentYear) {
    int year = currentYear - currentYear % 100 + twoDigitYear;
    if (year > currentYear + 50)
        year -= 100;
    else if (year < currentYear - 49)
        year += 100;
    return year;
}

bool TryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    return TryReadDate(TrimBlanks(text), value, settings);
}

bool TryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    return TryReadTime(TrimBlanks(text), value, settings);
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    text = TrimBlanks(text);
    const auto blank = std::find_if(text.begin(), text.end(), IsSpaceOrTab);
    if (blank != text.end()) {
        const auto split = static_cast<std::size_t>(blank - text.begin());
        TDateTime date = 0;
        TDateTime time = 0;
        if (TryReadDate(text.substr(0, split), date, settings) &&
            TryReadTime(TrimBlanks(text.substr(split)), time, settings)) {
            value = date < 0 ? date - time : date + time;
            return true;
        }
    } else if (TryReadDate(text, value, settings)) {
        return true;
    }
    return TryReadTime(text, value, settings);
}

TDateTime StrToDate(std::string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToDate(text, value, settings))
        throw EConvertError(FormattingString("formatting.sinvaliddate"), {text});
    return value;
}

TDateTime StrToTime(std::string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToTime(text, value, settings))
        throw EConvertError(FormattingString("formatting.sinvalidtime"), {text});
    return value;
}

TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings) {
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value, settings))
        throw EConvertError(FormattingString("formatting.sinvaliddatetime"), {text});
    return value;
}

} // namespace orvex::formatting
