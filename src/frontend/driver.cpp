#include "frontend/driver.h"

#include "cmdline/banner.h"
#include "cmdline/file_version_info.h"
#include "cmdline/param_statistics.h"
#include "cmdline/syntax_error.h"
#include "cmdline/unclaimed_params.h"
#include "frontend/evaluation.h"
#include "frontend/help.h"
#include "frontend/messages.h"
#include "frontend/options.h"
#include "frontend/preparation.h"

#include <algorithm>

namespace orvex::frontend {
namespace {

constexpr std::string_view kShortVersion = "2.4.0";
constexpr std::string_view kFullVersion = "2.4.0.290";
constexpr std::string_view kDescription =
    "Perform Basic Arithmetic Calculations at the Command-Line";

constexpr int kExitMissingParameters = 64;
constexpr int kExitHelpRequested = 255;
// EX_IOERR: standard output could not be written.
constexpr int kExitWriteError = 74;

// The pattern an empty --format value stands for.
constexpr std::string_view kDefaultFormatPattern = "#,##0.#";

// Decimal places beyond this only add padding zeros (a double has no
// significant digit past the 340th decimal); the bound keeps a huge -d value
// from building a pattern of gigabytes.
constexpr std::int32_t kMaxPatternDecimals = 1 << 20;

void MissingParameters(cmdline::TCmdLineContext& context, const TRunSettings& settings) {
    const std::string message = formatting::FormatResString(
        DriverString("orvex.smissingexpression"), {cmdline::ReadHelpParamHint(context)});
    TakeErrorExit(context, settings, context.MissingParamReportKind, kExitMissingParameters,
                  message, true);
}

void ShowHelp(cmdline::TCmdLineContext& context, const TRunSettings& settings) {
    const bool verbose = settings.Options.Verbose.Found;
    cmdline::ShowBanner(context, context.FileVersionInfo, verbose, true);
    PrintHelp(context.StdOutText(), context.FileVersionInfo.BaseName, verbose, false);
    context.ExitCode = kExitHelpRequested;
}

// a wins when it was found before each other one that was found.
bool FirstOnTheLine(const cmdline::TFindParamRec& a, const cmdline::TFindParamRec& b,
                    const cmdline::TFindParamRec& c) {
    return a.Found && (!b.Found || a.Index < b.Index) && (!c.Found || a.Index < c.Index);
}

// Radix output ignores decimal places and zero padding; of several radix
// options the first on the command line wins.
void ResolveRadix(TOptionRecords& o) {
    if (o.Bin.Found || o.Oct.Found || o.Hex.Found) {
        o.DecimalPlaces.Found = false;
        o.UseZeros.Found = false;
    }
    if (FirstOnTheLine(o.Bin, o.Oct, o.Hex))
        o.Oct.Found = o.Hex.Found = false;
    if (FirstOnTheLine(o.Oct, o.Bin, o.Hex))
        o.Bin.Found = o.Hex.Found = false;
    if (FirstOnTheLine(o.Hex, o.Bin, o.Oct))
        o.Bin.Found = o.Oct.Found = false;
}

// -d implies zero padding; --np cancels it, also when -d implied it.
void ResolvePadding(TOptionRecords& o) {
    if (o.DecimalPlaces.Found)
        o.UseZeros.Found = true;
    if (o.NoPadding.Found)
        o.UseZeros.Found = false;
}

std::string NumberPattern(const TRunSettings& settings) {
    const TOptionRecords& o = settings.Options;
    if (o.Format.Found)
        return o.Format.Value.empty() ? std::string(kDefaultFormatPattern) : o.Format.Value;
    const std::int32_t decimals = std::min(settings.DecimalPlaces, kMaxPatternDecimals);
    std::string pattern = "0.";
    if (decimals > 0)
        pattern.append(static_cast<std::size_t>(decimals), o.UseZeros.Found ? '0' : '#');
    return pattern;
}

} // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::string& executablePath,
               const std::string& rawCommandLine, cmdline::TTextSink& out, cmdline::TTextSink& err,
               platform::Console& console) {
    out.Pair(err);
    cmdline::TCmdLineContext context(
        cmdline::TProcessFacts{arguments, executablePath, rawCommandLine}, out, err, console);
    TRunSettings settings;
    RunDriver(context, settings);
    out.Flush();
    err.Flush();
    if (out.Failed()) {
        // A result that never arrived must not pass for success, nor a help
        // text or a verdict for the code that announces them.
        err << context.FileVersionInfo.BaseName << ": write error: " << out.Failure() << '\n';
        err.Flush();
        return kExitWriteError;
    }
    return context.ExitCode;
}

void RunDriver(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    context.SwitchStyle = 2;
    settings.DecimalPlaces = 6;
    cmdline::InitFileVersionInfo(context, context.FileVersionInfo, kShortVersion, kFullVersion,
                                 kDescription, false);
    DeclareOptions(context, settings);
    const TOptionRecords& o = settings.Options;
    if (o.Debug.Found) {
        context.AudibleError = true;
        context.ErrorDelay = true;
    }
    // The verdict is not used: arguments the validation would reject still
    // form the expression. Only the help hint of an empty command line is
    // read, so the validation waits until then.
    cmdline::DeferSyntaxValidation(context, true, -1, -1);

    if (context.ParamStatus.empty())
        MissingParameters(context, settings);
    else if (o.Help.Found)
        ShowHelp(context, settings);
    else if (o.VersionOnly.Found)
        cmdline::ShowBanner(context, context.FileVersionInfo, true, false);
    else if (o.Info.Found)
        cmdline::ShowBanner(context, context.FileVersionInfo, true, true);
    else {
        ResolveEvaluationSettings(context, settings);
        RunEvaluationRoad(context, settings);
    }
}

void TakeErrorExit(cmdline::TCmdLineContext& context, const TRunSettings& settings,
                   int reportVariant, int exitCode, std::string_view message, bool briefHelp) {
    const bool verbose = settings.Options.Verbose.Found;
    cmdline::ShowBanner(context, context.FileVersionInfo, verbose, true);
    if (!message.empty()) {
        if (reportVariant != 0)
            cmdline::ShowSyntaxError(context, message, context.ErrorDelay, context.AudibleError);
        else
            cmdline::ShowSyntaxErrorRec(context, context.CustomSyntax, message, context.ErrorDelay,
                                        context.AudibleError);
    }
    PrintHelp(context.StdOutText(), context.FileVersionInfo.BaseName, verbose, briefHelp);
    context.ExitCode = exitCode;
}

void ResolveEvaluationSettings(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    TOptionRecords& o = settings.Options;
    if (context.BannerAllowed && (o.Banner.Found || o.Verbose.Found))
        cmdline::ShowBanner(context, context.FileVersionInfo, o.Verbose.Found, true);
    ResolveRadix(o);
    settings.Multiplier = 1;
    ResolvePadding(o);
    if (o.Percent.Found) {
        settings.ResultSuffix.assign(1, '%'); // not "=": GCC 12 warns falsely on it
        settings.Multiplier = 100;
    }
    settings.NumberPattern = NumberPattern(settings);
    cmdline::GetUnclaimedParams(settings.Expression, context.ParamStatus, -1, -1);
}

void RunEvaluationRoad(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    const TOptionRecords& options = settings.Options;
    std::string expression = Normalise(settings.Expression, true);
    if (options.Zero.Found)
        expression = ZeroSubstitute(expression, context.FormatSettings);
    if (options.ShowExpression.Found)
        WriteExpressionLine(context.StdOutText(), expression);
    // The engine would read a second comparison as a badly terminated
    // expression; the calculator refuses it up front with its own exit code.
    if (CountComparisons(expression) == TComparisonClass::TooManyComparisons) {
        TakeErrorExit(context, settings, 1, 83, DriverString("orvex.smorethanonecomparison"), true);
        return;
    }
    TRenderOptions render;
    render.Multiplier = settings.Multiplier;
    render.ResultSuffix = settings.ResultSuffix;
    render.Binary = options.Bin.Found;
    render.Octal = options.Oct.Found;
    render.Hexadecimal = options.Hex.Found;
    render.NoPrefix = options.NoPrefix.Found;
    render.ShowExpression = options.ShowExpression.Found;
    context.ExitCode = EvaluateAndPrint(
        expression, settings.MinLength, settings.BlockSize, settings.NumberPattern, render,
        context.FormatSettings, context.StdOutText(), context.StdErrText(), context.ExitCode);
}

} // namespace orvex::frontend
