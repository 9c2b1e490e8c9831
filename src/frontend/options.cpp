#include "frontend/options.h"

#include "cmdline/declarations.h"

namespace orvex::frontend {

using cmdline::DeclareFlagSwitch;
using cmdline::DeclareIntParam;
using cmdline::DeclareSwitch;
using cmdline::DeclareTextParam;
using cmdline::DeclareWordParam;
using cmdline::kWholeCommandLine;

// The order matters only for the framework's bookkeeping: an argument one
// option took as its value can still be claimed by an option declared later.
// HELP2, H2 and ?? stand in both the help and the verbose list, so one such
// argument asks for the extended help.
void DeclareOptions(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    cmdline::TParamStatusArray& table = context.ParamStatus;
    TOptionRecords& o = settings.Options;
    const auto aSwitch = [&](std::string_view names) {
        return DeclareSwitch(context, table, names, kWholeCommandLine, 0);
    };

    o.Debug = aSwitch("  DEBUG DEBUG-MODE");
    o.ErrorDelay =
        DeclareFlagSwitch(context, table, "  ERROR-DELAY", kWholeCommandLine, context.ErrorDelay);
    o.AudibleError = DeclareFlagSwitch(context, table, "  AUDIBLE-ERROR", kWholeCommandLine,
                                       context.AudibleError);
    o.Help = aSwitch("H HELP ? HELP2 H2 ??");
    o.Verbose = aSwitch("V VERBOSE BUILD HELP2 H2 ??");
    o.VersionOnly = aSwitch("  VERSION-ONLY BUILD-ONLY");
    o.Info = aSwitch("I INFO");
    o.Banner = aSwitch("B BANNER");
    o.ShowExpression = aSwitch("S SHOW-EXPRESSION");
    o.NoPrefix = aSwitch("N NO-PREFIX");
    o.Zero = aSwitch("Z ZERO");
    o.Percent = aSwitch("P PERCENT");
    o.UseZeros = aSwitch("U USE-ZEROS USE-ZEROES");
    o.NoPadding = aSwitch("  NP NO-PADDING");
    o.Bin = aSwitch("  BIN BINARY");
    o.Oct = aSwitch("  OCT OCTAL");
    o.Hex = aSwitch("  HEX HEXADECIMAL");
    o.MinLength = DeclareWordParam(context, table, "  ML MIN-LENGTH", kWholeCommandLine,
                                   settings.MinLength, 0);
    o.BlockSize = DeclareWordParam(context, table, "  BS BLOCK-SIZE", kWholeCommandLine,
                                   settings.BlockSize, 0);
    o.Format =
        DeclareTextParam(context, table, "F FORMAT", kWholeCommandLine, settings.NumberPattern);
    o.DecimalPlaces = DeclareIntParam(context, table, "D DECIMAL-PLACES", kWholeCommandLine,
                                      settings.DecimalPlaces, 2, cmdline::pfDefaultFromVariable);
}

} // namespace orvex::frontend
