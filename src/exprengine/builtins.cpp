#include "exprengine/builtins.h"

#include "exprengine/builtin_manager.h"

namespace orvex::engine {
namespace {

struct TCategoryRegistration {
    TBuiltInCategory category;
    void (*registerCategory)(TExprBuiltInManager& manager);
};

// The library's categories in registration order; bcData, bcVaria and bcUser
// hold no built-ins.
constexpr TCategoryRegistration Registrations[] = {
    {bcMath, &RegisterMathBuiltins},
};

} // namespace

void RegisterBuiltins(TExprBuiltInManager& manager, TBuiltInCategories categories) {
    for (const auto& [category, registerCategory] : Registrations) {
        if (categories.Contains(category))
            registerCategory(manager);
    }
}

} // namespace orvex::engine
