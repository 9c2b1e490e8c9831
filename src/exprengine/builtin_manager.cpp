#include "exprengine/builtin_manager.h"

#include "exprengine/builtins.h"

namespace orvex::engine {
namespace {

std::unique_ptr<TExprIdentifierDef> NewBuiltInDefinition() {
    return std::make_unique<TBuiltInExprIdentifierDef>();
}

TBuiltInExprIdentifierDef& WithCategory(TExprIdentifierDef& definition, TBuiltInCategory category) {
    // The collection makes only built-in definitions (see the constructor).
    auto& builtIn = static_cast<TBuiltInExprIdentifierDef&>(definition);
    builtIn.SetCategory(category);
    return builtIn;
}

} // namespace

TExprBuiltInManager::TExprBuiltInManager() : definitions_(nullptr, &NewBuiltInDefinition) {}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFunction(TBuiltInCategory category,
                                                            std::string_view name,
                                                            char resultLetter,
                                                            std::string_view parameterLetters,
                                                            TExprFunctionCallback callback) {
    return WithCategory(definitions_.AddFunction(name, resultLetter, parameterLetters, callback),
                        category);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFunction(TBuiltInCategory category,
                                                            std::string_view name,
                                                            char resultLetter,
                                                            std::string_view parameterLetters,
                                                            TExprFunctionClass nodeClass) {
    return WithCategory(definitions_.AddFunction(name, resultLetter, parameterLetters, nodeClass),
                        category);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFloatVariable(TBuiltInCategory category,
                                                                 std::string_view name,
                                                                 double value) {
    return WithCategory(definitions_.AddFloatVariable(name, value), category);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::IdentifierAt(int index) const {
    return static_cast<TBuiltInExprIdentifierDef&>(definitions_[index]);
}

const TExprBuiltInManager& BuiltinManager() {
    static TExprBuiltInManager registry;
    static const bool filled = (RegisterBuiltins(registry, TBuiltInCategories::All()), true);
    (void)filled;
    return registry;
}

} // namespace orvex::engine
