#include "cmdline/declarations.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/find_param.h"
#include "cmdline/param_number.h"

namespace orvex::cmdline {
namespace {

// FindParam's (last, first) bounds for a search range.
struct TSearchBounds {
    int Last;
    int First;
};

TSearchBounds BoundsOf(TSearchRange range) {
    if (range.D == 1)
        return {range.P, 0};
    return {-1, range.P < 0 ? 0 : range.P};
}

TFindParamRec Find(TCmdLineContext& context, TParamStatusArray& table, std::string_view names,
                   TSearchRange range, int valueCount, int flags, std::string_view defaultValue) {
    const TSearchBounds bounds = BoundsOf(range);
    TFindParamRec result;
    FindParam(context, result, table, names, bounds.Last, bounds.First, valueCount, flags,
              defaultValue, "");
    return result;
}

} // namespace

TFindParamRec DeclareSwitch(TCmdLineContext& context, TParamStatusArray& table,
                            std::string_view names, TSearchRange range, int flags) {
    return Find(context, table, names, range, 0, flags, "");
}

TFindParamRec DeclareFlagSwitch(TCmdLineContext& context, TParamStatusArray& table,
                                std::string_view names, TSearchRange range, bool& variable) {
    TFindParamRec result = Find(context, table, names, range, 1, 0, "");
    variable = result.Found;
    return result;
}

TFindParamRec DeclareTextParam(TCmdLineContext& context, TParamStatusArray& table,
                               std::string_view names, TSearchRange range, std::string& variable) {
    variable.clear();
    TFindParamRec result = Find(context, table, names, range, 1, 0, "");
    variable = result.Value;
    return result;
}

TFindParamRec DeclareWordParam(TCmdLineContext& context, TParamStatusArray& table,
                               std::string_view names, TSearchRange range, std::uint16_t& variable,
                               std::uint16_t fallback) {
    TFindParamRec result = Find(context, table, names, range, 1, 0, "");
    variable = FinishWordParam(context, result, fallback);
    return result;
}

TFindParamRec DeclareIntParam(TCmdLineContext& context, TParamStatusArray& table,
                              std::string_view names, TSearchRange range, std::int32_t& variable,
                              std::int32_t fallback, int flags) {
    const std::string defaultText =
        (flags & pfDefaultFromVariable) != 0 ? std::to_string(variable) : std::string();
    TFindParamRec result = Find(context, table, names, range, 1, flags, defaultText);
    variable = FinishIntParam(context, result, fallback);
    return result;
}

std::uint16_t FinishWordParam(TCmdLineContext& context, TFindParamRec& result,
                              std::uint16_t fallback) {
    const auto value = static_cast<std::uint16_t>(ParamNumber(context, result.Value, fallback));
    result.Value = std::to_string(value);
    result.Defaulted = context.NumberDefaulted;
    return value;
}

std::int32_t FinishIntParam(TCmdLineContext& context, TFindParamRec& result,
                            std::int32_t fallback) {
    const auto value = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(ParamNumber(context, result.Value, fallback)));
    result.Value = std::to_string(value);
    result.Defaulted = context.NumberDefaulted;
    return value;
}

} // namespace orvex::cmdline
