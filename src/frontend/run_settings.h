// The calculator's settings for one run: what the options asked for and
// what the driver resolved from them.
#pragma once

#include "cmdline/param_table.h"

#include <cstdint>
#include <string>

namespace orvex::frontend {

// One record per declared option, as the declaration returned it. The
// driver clears found flags to express which option wins; later steps read
// only the flags.
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

struct TRunSettings {
    std::int32_t DecimalPlaces = 6;
    std::int32_t Multiplier = 1; // 100 with the percent option
    std::string ResultSuffix;    // "%" with the percent option
    std::string NumberPattern;   // the format option's value, or built by the driver
    std::uint16_t MinLength = 0; // radix output
    std::uint16_t BlockSize = 0; // radix output
    std::string Expression;      // the unclaimed arguments
    TOptionRecords Options;
};

} // namespace orvex::frontend
