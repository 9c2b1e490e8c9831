#include "formatting/date_time.h"

#include "formatting/text.h"

namespace orvex::formatting {
namespace {

// Formats named inside formats (c, ddddd, t ...) are written with the same
// writer; the limit stops settings whose formats name each other.
constexpr int kMaximumNesting = 3;

// The length of the AM/PM marker at the given position, 0 when none.
std::size_t MarkerLength(std::string_view pattern, std::size_t at) {
    const std::string_view rest = pattern.substr(at);
    if (StartsWithIgnoreAsciiCase(rest, "am/pm"))
        return 5;
    if (StartsWithIgnoreAsciiCase(rest, "ampm"))
        return 4;
    if (StartsWithIgnoreAsciiCase(rest, "a/p"))
        return 3;
    return 0;
}

// Hours count from 1 to 12 when the pattern shows an AM/PM marker anywhere.
bool UsesTwelveHourClock(std::string_view pattern) {
    return FindUnquoted(pattern, [pattern](std::size_t at) {
               return MarkerLength(pattern, at) > 0;
           }) != std::string_view::npos;
}

std::string Padded(int number, int width) {
    std::string text = std::to_string(number < 0 ? -number : number);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return number < 0 ? "-" + text : text;
}

template <std::size_t N>
const std::string& NameOf(const std::array<std::string, N>& names, int number) {
    static const std::string none;
    return number >= 1 && number <= static_cast<int>(N)
               ? names[static_cast<std::size_t>(number - 1)]
               : none;
}

struct TDateTimeParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    int DayOfWeek = 0;
    bool Midnight = true;
};

class TDateTimeWriter {
  public:
    TDateTimeWriter(TDateTime value, const TFormatSettings& settings) : settings_(settings) {
        DecodeDate(value, parts_.Year, parts_.Month, parts_.Day);
        DecodeTime(value, parts_.Hour, parts_.Minute, parts_.Second, parts_.Millisecond);
        parts_.DayOfWeek = DayOfWeek(value);
        parts_.Midnight =
            parts_.Hour == 0 && parts_.Minute == 0 && parts_.Second == 0 && parts_.Millisecond == 0;
    }

    void Write(std::string_view pattern, int nesting) {
        if (nesting > kMaximumNesting)
            return;
        const bool twelveHours = UsesTwelveHourClock(pattern);
        bool afterHour = false;
        std::size_t at = 0;
        while (at < pattern.size()) {
            const char c = pattern[at];
            if (IsPatternQuote(c)) {
                const TQuotedRun quoted = QuotedRunAt(pattern, at);
                out_ += quoted.Text;
                at = quoted.Next;
                continue;
            }
            if (const std::size_t marker = MarkerLength(pattern, at); marker > 0) {
                WriteMarker(pattern.substr(at, marker));
                at += marker;
                afterHour = false;
                continue;
            }
            const char letter = AsciiUpper(c);
            std::size_t count = 1;
            while (at + count < pattern.size() && AsciiUpper(pattern[at + count]) == letter)
                ++count;
            if (WriteField(letter, static_cast<int>(count), twelveHours, afterHour, nesting)) {
                afterHour = letter == 'H';
                at += count;
                continue;
            }
            WriteLiteral(c);
            ++at;
        }
    }

    std::string Result() { return std::move(out_); }

  private:
    // Writes a run of one pattern letter; false when the letter means nothing.
    bool WriteField(char letter, int count, bool twelveHours, bool afterHour, int nesting) {
        switch (letter) {
        case 'C':
            Write(settings_.ShortDateFormat, nesting + 1);
            if (!parts_.Midnight) {
                out_ += ' ';
                Write(settings_.LongTimeFormat, nesting + 1);
            }
            return true;
        case 'D':
            WriteDay(count, nesting);
            return true;
        case 'M':
            if (afterHour)
                WriteNumber(parts_.Minute, count >= 2 ? 2 : 1);
            else
                WriteMonth(count);
            return true;
        case 'Y':
            if (count <= 2)
                out_ += Padded(parts_.Year % 100, 2);
            else
                out_ += Padded(parts_.Year, 4);
            return true;
        case 'H':
            WriteNumber(twelveHours ? TwelveHour(parts_.Hour) : parts_.Hour, count >= 2 ? 2 : 1);
            return true;
        case 'N':
            WriteNumber(parts_.Minute, count >= 2 ? 2 : 1);
            return true;
        case 'S':
            WriteNumber(parts_.Second, count >= 2 ? 2 : 1);
            return true;
        case 'Z':
            WriteNumber(parts_.Millisecond, count >= 2 ? 3 : 1);
            return true;
        case 'T':
            Write(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, nesting + 1);
            return true;
        default:
            return false;
        }
    }

    void WriteDay(int count, int nesting) {
        switch (count) {
        case 1:
        case 2:
            WriteNumber(parts_.Day, count);
            break;
        case 3:
            out_ += NameOf(settings_.ShortDayNames, parts_.DayOfWeek);
            break;
        case 4:
            out_ += NameOf(settings_.LongDayNames, parts_.DayOfWeek);
            break;
        case 5:
            Write(settings_.ShortDateFormat, nesting + 1);
            break;
        default:
            Write(settings_.LongDateFormat, nesting + 1);
            break;
        }
    }

    void WriteMonth(int count) {
        if (count <= 2)
            WriteNumber(parts_.Month, count);
        else if (count == 3)
            out_ += NameOf(settings_.ShortMonthNames, parts_.Month);
        else
            out_ += NameOf(settings_.LongMonthNames, parts_.Month);
    }

    // "am/pm" and "a/p" show the pattern's own letters in the pattern's
    // case; "ampm" shows the settings' texts.
    void WriteMarker(std::string_view marker) {
        const bool morning = parts_.Hour < 12;
        if (marker.size() == 4)
            out_ += morning ? settings_.TimeAMString : settings_.TimePMString;
        else if (marker.size() == 5)
            out_ += morning ? marker.substr(0, 2) : marker.substr(3, 2);
        else
            out_ += morning ? marker[0] : marker[2];
    }

    // A separator of '\0' stands for "none" and writes nothing.
    void WriteLiteral(char c) {
        if (c == '/')
            c = settings_.DateSeparator;
        else if (c == ':')
            c = settings_.TimeSeparator;
        if (c != '\0')
            out_ += c;
    }

    void WriteNumber(int number, int width) { out_ += Padded(number, width); }

    static int TwelveHour(int hour) {
        const int twelve = hour % 12;
        return twelve == 0 ? 12 : twelve;
    }

    const TFormatSettings& settings_;
    TDateTimeParts parts_;
    std::string out_;
};

} // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings) {
    TDateTimeWriter writer(value, settings);
    writer.Write(pattern, 0);
    return writer.Result();
}

std::string DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, value, settings);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, value, settings);
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime("c", value, settings);
}

} // namespace orvex::formatting
