#include "frontend/options.h"

#include "cmdline/declaration_table.h"

namespace orvex::frontend {
namespace {

using cmdline::TParamDeclaration;
using enum cmdline::TParamKind;

// The order matters only for the framework's bookkeeping: an argument one
// option took as its value can still be claimed by an option declared later.
// HELP2, H2 and ?? stand in both the help and the verbose list, so one such
// argument asks for the extended help.
constexpr TParamDeclaration kOptions[] = {
    {"  DEBUG DEBUG-MODE", Switch},
    {"  ERROR-DELAY", FlagSwitch},
    {"  AUDIBLE-ERROR", FlagSwitch},
    {"H HELP ? HELP2 H2 ??", Switch},
    {"V VERBOSE BUILD HELP2 H2 ??", Switch},
    {"  VERSION-ONLY BUILD-ONLY", Switch},
    {"I INFO", Switch},
    {"B BANNER", Switch},
    {"S SHOW-EXPRESSION", Switch},
    {"N NO-PREFIX", Switch},
    {"Z ZERO", Switch},
    {"P PERCENT", Switch},
    {"U USE-ZEROS USE-ZEROES", Switch},
    {"  NP NO-PADDING", Switch},
    {"  BIN BINARY", Switch},
    {"  OCT OCTAL", Switch},
    {"  HEX HEXADECIMAL", Switch},
    {"  ML MIN-LENGTH", Word, 0},
    {"  BS BLOCK-SIZE", Word, 0},
    {"F FORMAT", Text},
    {"D DECIMAL-PLACES", Int, 2, cmdline::pfDefaultFromVariable},
};

} // namespace

void DeclareOptions(cmdline::TCmdLineContext& context, TRunSettings& settings) {
    TOptionRecords& o = settings.Options;
    const cmdline::TParamBinding bindings[] = {
        {&o.Debug, {}},
        {&o.ErrorDelay, &context.ErrorDelay},
        {&o.AudibleError, &context.AudibleError},
        {&o.Help, {}},
        {&o.Verbose, {}},
        {&o.VersionOnly, {}},
        {&o.Info, {}},
        {&o.Banner, {}},
        {&o.ShowExpression, {}},
        {&o.NoPrefix, {}},
        {&o.Zero, {}},
        {&o.Percent, {}},
        {&o.UseZeros, {}},
        {&o.NoPadding, {}},
        {&o.Bin, {}},
        {&o.Oct, {}},
        {&o.Hex, {}},
        {&o.MinLength, &settings.Values.MinLength},
        {&o.BlockSize, &settings.Values.BlockSize},
        {&o.Format, &settings.Values.Format},
        {&o.DecimalPlaces, &settings.Values.DecimalPlaces},
    };
    static_assert(std::size(kOptions) == std::size(bindings));
    cmdline::DeclareParams(context, context.ParamStatus, kOptions, bindings);
}

} // namespace orvex::frontend
