// The calculator's settings for one run: what the options asked for, and the
// plan the driver resolves from them for the evaluation road.
#pragma once

#include "cmdline/param_table.h"

#include <cstdint>
#include <string>

namespace orvex::frontend {

// One record per declared option, as the declaration returned it. Nothing
// changes them afterwards: which option wins over another is decided when
// the plan is resolved.
struct TOptionRecords {
    cmdline::TFindParamRec Debug;
    cmdline::TFindParamRec ErrorDelay;
    cmdline::TFindParamRec AudibleError;
    cmdline::TFindParamRec Help;
    cmdline::TFindParamRec Verbose;
    cmdline::TFindParamRec VersionOnly;
    cmdline::TFindParamRec Info;
    cmdline::TFindParamRec Banner;
    cmdline::TFindParamRec ShowExpression;
    cmdline::TFindParamRec NoPrefix;
    cmdline::TFindParamRec Zero;
    cmdline::TFindParamRec Percent;
    cmdline::TFindParamRec UseZeros;
    cmdline::TFindParamRec NoPadding;
    cmdline::TFindParamRec Bin;
    cmdline::TFindParamRec Oct;
    cmdline::TFindParamRec Hex;
    cmdline::TFindParamRec MinLength;
    cmdline::TFindParamRec BlockSize;
    cmdline::TFindParamRec Format;
    cmdline::TFindParamRec DecimalPlaces;
};

// The values the value options stored, read as their declarations read them.
struct TOptionValues {
    std::int32_t DecimalPlaces = 6; // also the value an absent -d keeps
    std::uint16_t MinLength = 0;    // 0 when absent or not a number
    std::uint16_t BlockSize = 0;    // 0 when absent or not a number
    std::string Format;             // the format option's text, possibly empty
};

struct TRunSettings {
    TOptionRecords Options;
    TOptionValues Values;
    std::string Expression; // the unclaimed arguments
};

// The number base of the result text; Decimal leaves it as the number
// pattern wrote it.
enum class TRadix { Decimal = 10, Binary = 2, Octal = 8, Hexadecimal = 16 };

// Everything the evaluation road does, resolved once from the options.
struct TEvaluationPlan {
    bool Banner = false;           // show the banner before evaluating
    bool BuildInformation = false; // with the build line
    bool ZeroSubstitution = false;
    bool ShowExpression = false; // the expression line goes to standard output first
    std::string NumberPattern;   // never empty
    std::int32_t Multiplier = 1; // 1, or 100 with the percent option
    std::string ResultSuffix;    // "" or "%"; follows numeric output only
    TRadix Radix = TRadix::Decimal;
    bool NoPrefix = false;       // radix output without "%", "&" or "0x"
    std::uint16_t MinLength = 0; // radix output only
    std::uint16_t BlockSize = 0; // radix output only

    bool operator==(const TEvaluationPlan&) const = default;
};

} // namespace orvex::frontend
