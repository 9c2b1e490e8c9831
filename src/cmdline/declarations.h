// The declarations through which a program states its options. Each one
// searches the argument table at once, claims what matches and returns what
// it found; whatever no declaration claims is left for the program.
#pragma once

#include "cmdline/param_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// A switch without values.
TFindParamRec DeclareSwitch(TCmdLineContext& context, TParamStatusArray& table,
                            std::string_view names, TSearchRange range, int flags);

// A switch that takes one optional value; variable := Found.
TFindParamRec DeclareFlagSwitch(TCmdLineContext& context, TParamStatusArray& table,
                                std::string_view names, TSearchRange range, bool& variable);

// An option with one optional text value; variable := the value (empty when
// the option is absent).
TFindParamRec DeclareTextParam(TCmdLineContext& context, TParamStatusArray& table,
                               std::string_view names, TSearchRange range, std::string& variable);

// An option with an unsigned 16-bit value; variable := the low 16 bits of the
// value read with ParamNumber, the fallback when there is no readable value.
TFindParamRec DeclareWordParam(TCmdLineContext& context, TParamStatusArray& table,
                               std::string_view names, TSearchRange range, std::uint16_t& variable,
                               std::uint16_t fallback);

// An option with a signed 32-bit value. With pfDefaultFromVariable an absent
// option leaves variable unchanged; an option without a readable value sets
// the fallback.
TFindParamRec DeclareIntParam(TCmdLineContext& context, TParamStatusArray& table,
                              std::string_view names, TSearchRange range, std::int32_t& variable,
                              std::int32_t fallback, int flags);

// The steps after the search of the two number declarations, shared with
// the declaration table: the value read with ParamNumber (the fallback when
// there is none), its decimal text as the record's value, and whether it
// was defaulted.
std::uint16_t FinishWordParam(TCmdLineContext& context, TFindParamRec& result,
                              std::uint16_t fallback);
std::int32_t FinishIntParam(TCmdLineContext& context, TFindParamRec& result, std::int32_t fallback);

} // namespace orvex::cmdline
