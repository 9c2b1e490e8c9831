#include "exprengine/builtin_manager.h"

#include "exprengine/builtins.h"
#include "exprengine/errors.h"

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

void TExprBuiltInManager::RequireUnsealed(std::string_view name) const {
    if (sealed_)
        RaiseParserError(msg::SErrRegistrySealed, {name});
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFunction(TBuiltInCategory category,
                                                            std::string_view name,
                                                            char resultLetter,
                                                            std::string_view parameterLetters,
                                                            TExprFunctionCallback callback) {
    RequireUnsealed(name);
    return WithCategory(definitions_.AddFunction(name, resultLetter, parameterLetters, callback),
                        category);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFunction(TBuiltInCategory category,
                                                            std::string_view name,
                                                            char resultLetter,
                                                            std::string_view parameterLetters,
                                                            TExprFunctionClass nodeClass) {
    RequireUnsealed(name);
    return WithCategory(definitions_.AddFunction(name, resultLetter, parameterLetters, nodeClass),
                        category);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::AddFloatVariable(TBuiltInCategory category,
                                                                 std::string_view name,
                                                                 double value) {
    RequireUnsealed(name);
    return WithCategory(definitions_.AddFloatVariable(name, value), category);
}

const TBuiltInExprIdentifierDef& TExprBuiltInManager::IdentifierAt(int index) const {
    return DefinitionAt(index);
}

TBuiltInExprIdentifierDef& TExprBuiltInManager::DefinitionAt(int index) const {
    return static_cast<TBuiltInExprIdentifierDef&>(definitions_[index]);
}

namespace {

struct TSharedRegistry {
    TSharedRegistry() {
        RegisterBuiltins(Registry, TBuiltInCategories::All());
        Registry.Seal();
    }
    TExprBuiltInManager Registry;
};

} // namespace

const TExprBuiltInManager& BuiltinManager() {
    // One initialisation, filled and sealed before any thread sees it; the
    // language makes threads that come meanwhile wait for it. It lives until
    // the process ends: taking seventy definitions apart at exit would cost
    // a short run more than its evaluation.
    static const TSharedRegistry& shared = *new TSharedRegistry;
    return shared.Registry;
}

} // namespace orvex::engine
