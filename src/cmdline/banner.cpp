#include "cmdline/banner.h"

#include "cmdline/build_info.h"
#include "cmdline/cmdline_context.h"
#include "cmdline/messages.h"

#include <cmath>
#include <string>

namespace orvex::cmdline {
namespace {

using formatting::TDateTime;
using formatting::TFormatSettings;

constexpr std::string_view kStampDateFormat = "yyyy/mm/dd";
constexpr std::string_view kDateOrderForToday = "mm/dd/yyyy";
constexpr std::string_view kNoDate = "12/30/1899";

// A CR LF before the stream's line end leaves an empty line.
constexpr std::string_view kCrLf = "\n";

// "27 Aug 2023" from the build date.
std::string BuildDateText(const TFormatSettings& settings) {
    TDateTime date = 0;
    if (!formatting::TryStrToDate(BuildDate(), date, settings))
        date = 0;
    return formatting::FormatDateTime("dd mmm yyyy", date, settings);
}

// "27 Aug 2023 @ 11:00:00": the build hour, minutes and seconds always 00,
// written with the locale's time separator. The stamp itself always uses
// ":", so it is read with that separator whatever the locale's is.
std::string BuildHourText(const TFormatSettings& settings) {
    TFormatSettings stampSettings = settings;
    stampSettings.TimeSeparator = ':';
    const TDateTime stamp = ParseDateTimeText(stampSettings, BuildDateTime(), kDateOrderForToday);
    return formatting::FormatDateTime("dd mmm yyyy @ hh:00:00", stamp, settings);
}

// The seconds' fraction cut or padded to three digits.
std::string WithMilliseconds(std::string_view text) {
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return std::string(text);
    const std::string fraction = std::string(text.substr(dot + 1)) + "000";
    return std::string(text.substr(0, dot)) + "." + fraction.substr(0, 3);
}

TDateTime Today(const TFormatSettings& settings, std::string_view todayFormat) {
    TFormatSettings todaySettings = settings;
    todaySettings.ShortDateFormat = todayFormat;
    const TDateTime today = formatting::CurrentDate();
    TDateTime read = 0;
    if (!formatting::TryStrToDate(formatting::FormatDateTime(todayFormat, today, todaySettings),
                                  read, todaySettings))
        return today;
    return read;
}

void WriteBanner(TTextSink& err, const TFileVersionInfoRec& record, const std::string& buildDate) {
    err << record.ShortTitle << ArchitectureText() << " (" << buildDate << ") "
        << "- " << record.Description << '\n';
    err << record.Copyright << '\n';
    err << record.Credits << kCrLf << '\n';
}

void WriteBuildLine(TTextSink& err, const TFileVersionInfoRec& record,
                    const std::string& buildHour) {
    err << record.FileTitle << ArchitectureText() << ResString("corvanecore.swascompiledon")
        << buildHour << ResString("corvanecore.susing") << CompilerText() << '\n';
}

} // namespace

void ShowBanner(TCmdLineContext& context, const TFileVersionInfoRec& record, bool showBuildLine,
                bool showBanner) {
    context.ReadDateFacts();
    TFormatSettings& settings = context.FormatSettings;
    const std::string savedShortDateFormat = settings.ShortDateFormat;
    settings.DateSeparator = '/';
    settings.ShortDateFormat = kStampDateFormat;
    const std::string buildDate = BuildDateText(settings);
    const std::string buildHour = BuildHourText(settings);

    if (!context.BannerShown) {
        TTextSink& err = context.StdErrText();
        if (showBanner)
            WriteBanner(err, record, buildDate);
        if (showBuildLine) {
            WriteBuildLine(err, record, buildHour);
            if (showBanner)
                err << '\n';
        }
        err.Flush();
        context.BannerShown = true;
    }
    settings.ShortDateFormat = savedShortDateFormat;
}

TDateTime ParseDateTimeText(const TFormatSettings& settings, std::string_view text,
                            std::string_view todayFormat) {
    const std::string stamp = WithMilliseconds(text);
    TDateTime value = 0;
    if (!formatting::TryStrToDateTime(stamp, value, settings))
        value = 0;
    if (std::trunc(value) != 0 || stamp.find(kNoDate) != std::string::npos)
        return value;
    const TDateTime timeOfDay = std::abs(value - std::trunc(value));
    return Today(settings, todayFormat) + timeOfDay;
}

} // namespace orvex::cmdline
