// The registry of built-in identifiers, shared by every parser. Each parser
// sees the definitions whose category is in its BuiltIns set.
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

    int IdentifierCount() const { return definitions_.Count(); }
    // In registration order.
    TBuiltInExprIdentifierDef& IdentifierAt(int index) const;

  private:
    TExprIdentifierDefs definitions_;
};

// The one shared registry: created on first use and filled with every
// category of the built-in library; never changed afterwards.
const TExprBuiltInManager& BuiltinManager();

} // namespace orvex::engine
