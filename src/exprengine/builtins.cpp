#include "exprengine/builtins.h"

#include "exprengine/builtin_library.h"
#include "exprengine/builtin_manager.h"

namespace orvex::engine {
namespace {

struct TCategoryRegistration {
    TBuiltInCategory category;
    void (*registerCategory)(TExprBuiltInManager& manager);
};

// The library's categories in registration order; bcData, bcVaria and bcUser
// hold no built-ins. A category's table joins here in its place.
constexpr TCategoryRegistration Registrations[] = {
    {bcMath, &RegisterMathBuiltins},
    {bcStrings, &RegisterStringBuiltins},
    {bcDateTime, &RegisterDateTimeBuiltins},
    {bcBoolean, &RegisterBooleanBuiltins},
    {bcConversion, &RegisterConversionBuiltins},
    {bcAggregate, &RegisterAggregateBuiltins},
};

} // namespace

void RegisterBuiltins(TExprBuiltInManager& manager, TBuiltInCategories categories) {
    for (const auto& [category, registerCategory] : Registrations) {
        if (categories.Contains(category))
            registerCategory(manager);
    }
}

} // namespace orvex::engine
