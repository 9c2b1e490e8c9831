// The calculator's main routine: declares the options, lets the framework
// validate the command line and takes one of four roads: the error exit for
// an empty command line, help, build and identity information, or
// evaluation.
#pragma once

#include "cmdline/cmdline_context.h"
#include "frontend/run_settings.h"
#include "platform/platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvex::frontend {

// One whole run: arguments without argument 0, the executable's path (for
// the identity record and the directory in syntax reports) and the command
// line as typed. Both outputs are flushed before it returns. Returns the exit
// code the road set (see exit_codes.h), or kExitWriteError when standard
// output could not be written, after saying so on standard error.
int RunProgram(const std::vector<std::string>& arguments, const std::string& executablePath,
               const std::string& rawCommandLine, cmdline::TTextSink& out, cmdline::TTextSink& err,
               platform::TConsole& console);

// The road over a started framework context; sets context.ExitCode and
// leaves the option records, their values and the expression in settings.
void RunDriver(cmdline::TCmdLineContext& context, TRunSettings& settings);

// The shared error exit: the banner (with the build line when verbose was
// asked for), the report (through the standard syntax-error report when
// reportVariant is nonzero, otherwise through the one with the custom
// validation record; none for an empty message), the help, the exit code.
void TakeErrorExit(cmdline::TCmdLineContext& context, const TRunSettings& settings,
                   int reportVariant, int exitCode, std::string_view message, bool briefHelp);

// Every decision between options that the evaluation road needs, made from
// the records and values as the options left them: the banner, the winning
// radix (the first on the command line), zero padding (implied by -d,
// cancelled by --np, inert with a radix), the multiplier and suffix of the
// percent option and the number pattern. Writes nothing.
TEvaluationPlan ResolvePlan(const TOptionRecords& options, const TOptionValues& values);

} // namespace orvex::frontend
