#include "frontend/driver.h"

#include "cmdline/banner.h"
#include "cmdline/file_version_info.h"
#include "cmdline/param_statistics.h"
#include "cmdline/syntax_error.h"
#include "cmdline/unclaimed_params.h"
#include "frontend/evaluation.h"
#include "frontend/exit_codes.h"
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

// Of several radix options the first on the command line wins. Two options
// never share an argument, so exactly one wins when any was found.
TRadix WinningRadix(const TOptionRecords& o) {
    if (FirstOnTheLine(o.Bin, o.Oct, o.Hex))
        return TRadix::Binary;
    if (FirstOnTheLine(o.Oct, o.Bin, o.Hex))
        return TRadix::Octal;
    if (FirstOnTheLine(o.Hex, o.Bin, o.Oct))
        return TRadix::Hexadecimal;
    return TRadix::Decimal;
}

// -d implies zero padding and --np cancels it, also when -d implied it.
// Radix output ignores both -d and -u; the decimal count still shapes the
// pattern the radix output starts from.
bool PadsWithZeros(const TOptionRecords& o, TRadix radix) {
    if (radix != TRadix::Decimal || o.NoPadding.Found)
        return false;
    return o.UseZeros.Found || o.DecimalPlaces.Found;
}

std::string NumberPattern(const TOptionRecords& o, const TOptionValues& values, bool zeros) {
    if (o.Format.Found)
        return values.Format.empty() ? std::string(kDefaultFormatPattern) : values.Format;
    const std::int32_t decimals = std::min(values.DecimalPlaces, kMaxPatternDecimals);
    std::string pattern = "0.";
    if (decimals > 0)
        pattern.append(static_cast<std::size_t>(decimals), zeros ? '0' : '#');
    return pattern;
}

// The evaluation road once the options are resolved: preparing the
// expression, the comparison guard, evaluating and printing.
void RunEvaluationRoad(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    const TEvaluationPlan plan = ResolvePlan(settings.Options, settings.Values);
    if (context.BannerAllowed && plan.Banner)
        cmdline::ShowBanner(context, context.FileVersionInfo, plan.BuildInformation, true);
    cmdline::GetUnclaimedParams(settings.Expression, context.ParamStatus, -1, -1);
    std::string expression = Normalise(settings.Expression, true);
    if (plan.ZeroSubstitution)
        expression = ZeroSubstitute(expression, context.FormatSettings);
    if (plan.ShowExpression)
        WriteExpressionLine(context.StdOutText(), expression);
    // The engine would read a second comparison as a badly terminated
    // expression; the calculator refuses it up front with its own exit code.
    if (CountComparisons(expression) == TComparisonClass::TooManyComparisons) {
        TakeErrorExit(context, settings, 1, kExitTooManyComparisons,
                      DriverString("orvex.smorethanonecomparison"), true);
        return;
    }
    context.ExitCode =
        EvaluateAndPrint(expression, plan, context.FormatSettings, context.StdOutText(),
                         context.StdErrText(), context.ExitCode);
}

} // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::string& executablePath,
               const std::string& rawCommandLine, cmdline::TTextSink& out, cmdline::TTextSink& err,
               platform::TConsole& console) {
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
    settings.Values.DecimalPlaces = 6;
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
    else
        RunEvaluationRoad(context, settings);
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

TEvaluationPlan ResolvePlan(const TOptionRecords& options, const TOptionValues& values) {
    TEvaluationPlan plan;
    plan.Banner = options.Banner.Found || options.Verbose.Found;
    plan.BuildInformation = options.Verbose.Found;
    plan.ZeroSubstitution = options.Zero.Found;
    plan.ShowExpression = options.ShowExpression.Found;
    plan.Radix = WinningRadix(options);
    plan.NumberPattern = NumberPattern(options, values, PadsWithZeros(options, plan.Radix));
    if (options.Percent.Found) {
        plan.Multiplier = 100;
        plan.ResultSuffix.assign(1, '%'); // not "=": GCC 12 warns falsely on it
    }
    plan.NoPrefix = options.NoPrefix.Found;
    plan.MinLength = values.MinLength;
    plan.BlockSize = values.BlockSize;
    return plan;
}

} // namespace orvex::frontend
