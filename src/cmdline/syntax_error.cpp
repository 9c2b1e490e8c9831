#include "cmdline/syntax_error.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/messages.h"

#include <chrono>

namespace orvex::cmdline {
namespace {

constexpr int kErrorDelayTicks = 30;
constexpr std::chrono::milliseconds kTick{250};

// A CR LF written before the stream's own line end yields an empty line; on
// Windows the text-mode stream turns each '\n' into CR LF.
constexpr std::string_view kCrLf = "\n";

void ShowReport(TCmdLineContext& context, std::string_view message, bool withPointer, bool delay,
                bool beep) {
    context.Streams.RedirectStdOutToStdErr();
    TTextSink& err = context.StdErrText();
    err << ResString("corvanecore.sinvalidsyntax") << kCrLf << '\n';
    err << ResString("corvanecore.sexecutionpath") << Printable(context.ExeDirText) << kCrLf;
    err << ResString("corvanecore.syouentered") << Printable(context.RawCommandLine) << '\n';
    err << kCrLf << message;
    if (withPointer) {
        if (!message.ends_with(' '))
            err << ' ';
        err << ResString("corvanecore.sseesyntaxdefinition");
    }
    err << kCrLf << '\n';
    err.Flush();
    if (beep)
        context.Console.Beep();
    if (delay)
        WaitForKeyPress(context, kErrorDelayTicks, ResString("corvanecore.spressanykey"));
}

} // namespace

void ShowSyntaxError(TCmdLineContext& context, std::string_view message, bool delay, bool beep) {
    ShowReport(context, message, true, delay, beep);
}

void ShowSyntaxErrorRec(TCmdLineContext& context, const TParamStatisticsRec& /*statistics*/,
                        std::string_view message, bool delay, bool beep) {
    ShowReport(context, message, false, delay, beep);
}

void WaitForKeyPress(TCmdLineContext& context, int ticks, std::string_view prompt) {
    platform::TConsole& console = context.Console;
    console.BeginKeyCapture();
    TTextSink& out = context.StdOutText();
    out << prompt;
    out.Flush();
    for (int tick = 0; tick < ticks && !console.KeyPressed(); ++tick) {
        console.Sleep(kTick);
        out << '.';
        out.Flush();
    }
    console.EndKeyCapture();
    out << kCrLf << '\n';
    out.Flush();
}

} // namespace orvex::cmdline
