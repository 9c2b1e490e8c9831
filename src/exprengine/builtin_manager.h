// The registry of built-in identifiers, shared by every parser. Each parser
// sees the definitions whose category is in its BuiltIns set.
//
// Parsers on any number of threads read the shared registry at the same
// time, so it is sealed once filled, before the first parser can see it:
// from then on registering raises EExprParser, and its definitions are only
// handed out read-only.
#pragma once

#include "exprengine/identifier_defs.h"

#include <string_view>

namespace orvex::engine {

class TExprBuiltInManager {
  public:
    TExprBuiltInManager();
    TExprBuiltInManager(const TExprBuiltInManager&) = delete;
    TExprBuiltInManager& operator=(const TExprBuiltInManager&) = delete;

    TBuiltInExprIdentifierDef& AddFunction(TBuiltInCategory category, std::string_view name,
                                           char resultLetter, std::string_view parameterLetters,
                                           TExprFunctionCallback callback);
    TBuiltInExprIdentifierDef& AddFunction(TBuiltInCategory category, std::string_view name,
                                           char resultLetter, std::string_view parameterLetters,
                                           TExprFunctionClass nodeClass);
    TBuiltInExprIdentifierDef& AddFloatVariable(TBuiltInCategory category, std::string_view name,
                                                double value);

    // Refuses every registration from now on with "The built-in registry is
    // sealed: ...".
    void Seal() { sealed_ = true; }
    bool Sealed() const { return sealed_; }

    int IdentifierCount() const { return definitions_.Count(); }
    // In registration order.
    const TBuiltInExprIdentifierDef& IdentifierAt(int index) const;

  private:
    friend class TExpressionParser;

    void RequireUnsealed(std::string_view name) const;
    // The parser's nodes refer to definitions through non-const pointers;
    // a built-in definition has no handler, so evaluating never changes it.
    TBuiltInExprIdentifierDef& DefinitionAt(int index) const;

    TExprIdentifierDefs definitions_;
    bool sealed_ = false;
};

// The one shared registry: created on first use (safely, from any thread),
// filled with every category of the built-in library and sealed.
const TExprBuiltInManager& BuiltinManager();

} // namespace orvex::engine
