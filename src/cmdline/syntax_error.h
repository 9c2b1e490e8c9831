// The syntax-error report: a fixed block of text on standard error,
// optionally a beep and a key wait. The report also sends the standard
// output stream to standard error for the rest of the run, so that the help
// printed after it lands beside it.
#pragma once

#include "cmdline/param_statistics.h"

#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// The report with "(See Syntax Definition Below)" after the message.
void ShowSyntaxError(TCmdLineContext& context, std::string_view message, bool delay, bool beep);

// The report with the message as it is. The record is accepted for the
// callers' sake and not consulted.
void ShowSyntaxErrorRec(TCmdLineContext& context, const TParamStatisticsRec& statistics,
                        std::string_view message, bool delay, bool beep);

// Writes the prompt and one dot per 250 ms tick until a key is pressed or
// ticks ticks have passed, then ends the line with an empty line after it.
// The key that ends the wait is discarded.
void WaitForKeyPress(TCmdLineContext& context, int ticks, std::string_view prompt);

} // namespace orvex::cmdline
