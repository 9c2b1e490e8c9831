#include "exprengine/builtins.h"

#include "exprengine/builtin_library.h"
#include "exprengine/builtin_manager.h"
#include "formatting/packed_texts.h"
#include "formatting/text.h"

#include <array>

namespace orvex::engine {
namespace {

struct TCategoryRegistration {
    TBuiltInCategory Category;
    void (*RegisterCategory)(TExprBuiltInManager& manager);
};

// The library's categories in registration order; bcData, bcVaria and bcUser
// hold no built-ins. A category's table joins here in its place.
constexpr TCategoryRegistration kRegistrations[] = {
    {bcMath, &RegisterMathBuiltins},
    {bcStrings, &RegisterStringBuiltins},
    {bcDateTime, &RegisterDateTimeBuiltins},
    {bcBoolean, &RegisterBooleanBuiltins},
    {bcConversion, &RegisterConversionBuiltins},
    {bcAggregate, &RegisterAggregateBuiltins},
};

struct TBuiltinName {
    TBuiltInCategory Category;
    std::string_view Name;
};

// The name of every built-in RegisterBuiltins adds, in its order (a test
// holds the two together), packed as formatting/packed_texts.h explains.
constexpr auto kBuiltinNames = formatting::PackTexts<&TBuiltinName::Name>([] {
    return std::to_array<TBuiltinName>({
        {bcMath, "pi"},
        {bcMath, "cos"},
        {bcMath, "sin"},
        {bcMath, "arctan"},
        {bcMath, "abs"},
        {bcMath, "sqr"},
        {bcMath, "sqrt"},
        {bcMath, "exp"},
        {bcMath, "ln"},
        {bcMath, "log"},
        {bcMath, "frac"},
        {bcMath, "int"},
        {bcMath, "round"},
        {bcMath, "trunc"},
        {bcStrings, "length"},
        {bcStrings, "copy"},
        {bcStrings, "delete"},
        {bcStrings, "pos"},
        {bcStrings, "lowercase"},
        {bcStrings, "uppercase"},
        {bcStrings, "stringreplace"},
        {bcStrings, "comparetext"},
        {bcDateTime, "date"},
        {bcDateTime, "time"},
        {bcDateTime, "now"},
        {bcDateTime, "dayofweek"},
        {bcDateTime, "extractyear"},
        {bcDateTime, "extractmonth"},
        {bcDateTime, "extractday"},
        {bcDateTime, "extracthour"},
        {bcDateTime, "extractmin"},
        {bcDateTime, "extractsec"},
        {bcDateTime, "extractmsec"},
        {bcDateTime, "encodedate"},
        {bcDateTime, "encodetime"},
        {bcDateTime, "encodedatetime"},
        {bcDateTime, "shortdayname"},
        {bcDateTime, "shortmonthname"},
        {bcDateTime, "longdayname"},
        {bcDateTime, "longmonthname"},
        {bcBoolean, "shl"},
        {bcBoolean, "shr"},
        {bcBoolean, "IFS"},
        {bcBoolean, "IFF"},
        {bcBoolean, "IFD"},
        {bcBoolean, "IFI"},
        {bcConversion, "inttostr"},
        {bcConversion, "strtoint"},
        {bcConversion, "strtointdef"},
        {bcConversion, "floattostr"},
        {bcConversion, "strtofloat"},
        {bcConversion, "strtofloatdef"},
        {bcConversion, "booltostr"},
        {bcConversion, "strtobool"},
        {bcConversion, "strtobooldef"},
        {bcConversion, "datetostr"},
        {bcConversion, "timetostr"},
        {bcConversion, "strtodate"},
        {bcConversion, "strtodatedef"},
        {bcConversion, "strtotime"},
        {bcConversion, "strtotimedef"},
        {bcConversion, "strtodatetime"},
        {bcConversion, "strtodatetimedef"},
        {bcConversion, "formatfloat"},
        {bcConversion, "formatdatetime"},
        {bcAggregate, "count"},
        {bcAggregate, "sum"},
        {bcAggregate, "avg"},
        {bcAggregate, "min"},
        {bcAggregate, "max"},
    });
});

} // namespace

bool IsBuiltinName(std::string_view name, TBuiltInCategories categories) {
    for (const auto& [category, builtinName] : kBuiltinNames) {
        if (categories.Contains(category) && formatting::EqualsIgnoreAsciiCase(builtinName, name))
            return true;
    }
    return false;
}

std::vector<std::string_view> BuiltinNamesInOrder() {
    std::vector<std::string_view> names;
    for (const TBuiltinName entry : kBuiltinNames)
        names.push_back(entry.Name);
    return names;
}

void RegisterBuiltins(TExprBuiltInManager& manager, TBuiltInCategories categories) {
    for (const auto& [category, registerCategory] : kRegistrations) {
        if (categories.Contains(category))
            registerCategory(manager);
    }
}

} // namespace orvex::engine
