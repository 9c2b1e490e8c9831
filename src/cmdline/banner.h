// The banner (title with version and build date, description, copyright,
// credits) and the build line (full title, build hour, compiler), both on
// standard error and at most once per run.
#pragma once

#include "cmdline/file_version_info.h"
#include "formatting/date_time.h"

#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// Prints the banner and/or the build line unless something was printed
// before in this run. Either way the run's date separator is "/" from now on.
void ShowBanner(TCmdLineContext& context, const TFileVersionInfoRec& record, bool showBuildLine,
                bool showBanner);

// A date and time read with the given format settings (the run's, as a
// rule); a fraction of a second after "." counts to the millisecond. A text
// with a time but no date is taken as today (written and read with
// todayFormat).
formatting::TDateTime ParseDateTimeText(const formatting::TFormatSettings& settings,
                                        std::string_view text, std::string_view todayFormat);

} // namespace orvex::cmdline
