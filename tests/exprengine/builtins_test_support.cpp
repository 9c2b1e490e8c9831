#include "builtins_test_support.h"

#include "exprengine/builtin_library.h"
#include "formatting/error.h"

#include <ostream>

namespace orvex::engine::test {

namespace {

void FillLibraryRegistry(TExprBuiltInManager& registry) {
    registry.AddFloatVariable(bcMath, "pi", 3.141592653589793);
    RegisterMathFunctions(registry);
    RegisterStringBuiltins(registry);
    RegisterDateTimeBuiltins(registry);
    RegisterBooleanBuiltins(registry);
    RegisterConversionBuiltins(registry);
}

const TBuiltInExprIdentifierDef* FindInLibrary(std::string_view name) {
    const TExprBuiltInManager& registry = LibraryRegistry();
    for (int i = 0; i < registry.IdentifierCount(); ++i) {
        if (SameIdentifier(registry.IdentifierAt(i).Name(), name))
            return &registry.IdentifierAt(i);
    }
    return nullptr;
}

char LetterOf(TResultType type) {
    return "BIFDSC"[type];
}

} // namespace

const TExprBuiltInManager& LibraryRegistry() {
    static TExprBuiltInManager registry;
    static const bool filled = (FillLibraryRegistry(registry), true);
    (void)filled;
    return registry;
}

std::string Call(std::string_view name, const TExprParameterArray& args) {
    const TBuiltInExprIdentifierDef* definition = FindInLibrary(name);
    if (definition == nullptr || definition->FunctionCallback() == nullptr)
        return "no callback " + std::string(name);
    try {
        TExpressionResult result;
        definition->FunctionCallback()(result, args);
        result.ValueType = definition->ResultType();
        return Show(result);
    } catch (const formatting::Error& error) {
        return "E:" + error.Message();
    }
}

void AddLibrary(TExpressionParser& parser, TBuiltInCategories categories) {
    const TExprBuiltInManager& registry = LibraryRegistry();
    for (int i = 0; i < registry.IdentifierCount(); ++i) {
        const TBuiltInExprIdentifierDef& definition = registry.IdentifierAt(i);
        if (!categories.Contains(definition.Category()))
            continue;
        if (definition.IdentifierType() == itVariable)
            parser.Identifiers().AddFloatVariable(definition.Name(),
                                                  definition.ValueRecord().FloatValue());
        else
            parser.Identifiers().AddFunction(definition.Name(), LetterOf(definition.ResultType()),
                                             definition.ParameterTypes(),
                                             definition.FunctionCallback());
    }
}

std::string Eval(std::string_view text, TBuiltInCategories categories) {
    return Outcome(text,
                   [categories](TExpressionParser& parser) { AddLibrary(parser, categories); });
}

std::string EvalShared(std::string_view text, TBuiltInCategories builtIns) {
    return Outcome(text, [builtIns](TExpressionParser& parser) { parser.SetBuiltIns(builtIns); });
}

TExpressionResult B(bool value) {
    return TExpressionResult::Boolean(value);
}
TExpressionResult I(std::int64_t value) {
    return TExpressionResult::Integer(value);
}
TExpressionResult F(double value) {
    return TExpressionResult::Float(value);
}
TExpressionResult D(double value) {
    return TExpressionResult::DateTime(value);
}
TExpressionResult S(std::string value) {
    return TExpressionResult::String(std::move(value));
}
TExpressionResult C(std::int64_t scaled) {
    return TExpressionResult::Currency(scaled);
}

void PrintTo(const TCallCase& callCase, std::ostream* out) {
    *out << callCase.name << "(";
    for (std::size_t i = 0; i < callCase.args.size(); ++i)
        *out << (i == 0 ? "" : ", ") << Show(callCase.args[i]);
    *out << ") -> " << callCase.outcome;
}

} // namespace orvex::engine::test
