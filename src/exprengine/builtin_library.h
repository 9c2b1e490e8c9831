// The callback functions of the built-in library, registered one category at
// a time into a registry. Each registers its functions in the library's fixed
// order; RegisterBuiltins calls them in the order of the categories.
//
// The math helper ArgToFloat, through which the math functions read their
// argument, is declared with the value record (expression_result.h).
#pragma once

#include "exprengine/expression_result.h"

#include <cstdint>

namespace orvex::engine {

class TExprBuiltInManager;

// bcMath without its constant: cos, sin, arctan, abs, sqr, sqrt, exp, ln,
// log, frac, int, round, trunc. Call it right after registering pi.
void RegisterMathFunctions(TExprBuiltInManager& manager);

// bcStrings: length, copy, delete, pos, lowercase, uppercase, stringreplace,
// comparetext.
void RegisterStringBuiltins(TExprBuiltInManager& manager);

// The longest text stringreplace returns; a longer result raises EExprParser
// "Text too long (more than 16777216 characters)". Replacing every
// occurrence multiplies a text's length, so a few hundred characters of
// nested calls would otherwise ask for more memory and time than any
// machine has; every other text function yields at most about the length of
// its arguments.
inline constexpr std::int64_t kMaxReplacedTextLength = std::int64_t{1} << 24;

// bcDateTime: date, time, now, dayofweek, extractyear ... extractmsec,
// encodedate, encodetime, encodedatetime, shortdayname, shortmonthname,
// longdayname, longmonthname.
void RegisterDateTimeBuiltins(TExprBuiltInManager& manager);

// bcBoolean: shl, shr, IFS, IFF, IFD, IFI.
void RegisterBooleanBuiltins(TExprBuiltInManager& manager);

// bcConversion: inttostr, strtoint, strtointdef, floattostr, strtofloat,
// strtofloatdef, booltostr, strtobool, strtobooldef, datetostr, timetostr,
// strtodate, strtodatedef, strtotime, strtotimedef, strtodatetime,
// strtodatetimedef, formatfloat, formatdatetime.
void RegisterConversionBuiltins(TExprBuiltInManager& manager);

} // namespace orvex::engine
