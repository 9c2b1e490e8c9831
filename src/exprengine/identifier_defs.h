// An ordered collection that owns identifier definitions: a parser's own
// identifiers, or the definitions of the built-in registry.
#pragma once

#include "exprengine/identifier_def.h"

#include <memory>
#include <string_view>
#include <vector>

namespace orvex::engine {

class TExpressionParser;

class TExprIdentifierDefs {
  public:
    // Makes the collection's kind of definition.
    using TDefinitionFactory = std::unique_ptr<TExprIdentifierDef> (*)();

    // A parser's collection tells its parser about every change, so that the
    // parser rebuilds its name lookup before the next use.
    explicit TExprIdentifierDefs(TExpressionParser* parser = nullptr,
                                 TDefinitionFactory factory = nullptr);
    TExprIdentifierDefs(const TExprIdentifierDefs&) = delete;
    TExprIdentifierDefs& operator=(const TExprIdentifierDefs&) = delete;

    // Registration. The parameter letters may end in "+": the last parameter
    // then repeats. On an error (duplicate name, invalid letter) nothing is
    // added.
    TExprIdentifierDef& AddFunction(std::string_view name, char resultLetter,
                                    std::string_view parameterLetters,
                                    TExprFunctionCallback callback);
    TExprIdentifierDef& AddFunction(std::string_view name, char resultLetter,
                                    std::string_view parameterLetters,
                                    TExprFunctionClass nodeClass);
    TExprIdentifierDef& AddFunctionHandler(std::string_view name, char resultLetter,
                                           std::string_view parameterLetters,
                                           TExprFunctionEvent handler);
    TExprIdentifierDef& AddFloatVariable(std::string_view name, double value);
    // A variable of any type, its value given as text (see SetValue).
    TExprIdentifierDef& AddVariable(std::string_view name, TResultType type,
                                    std::string_view valueText);
    // An unnamed variable definition, to be filled in by the caller.
    TExprIdentifierDef& Add();

    void Delete(int index);
    void Clear();

    // The index of the last definition of that name (ASCII case ignored), or
    // -1.
    int IndexOfIdentifier(std::string_view name) const;

    int Count() const { return static_cast<int>(definitions_.size()); }
    TExprIdentifierDef& operator[](int index) const {
        return *definitions_.at(static_cast<std::size_t>(index));
    }

    // Marks the owning parser's lookup stale.
    void Changed();

  private:
    std::unique_ptr<TExprIdentifierDef> NewDefinition();
    TExprIdentifierDef& Append(std::unique_ptr<TExprIdentifierDef> definition);
    std::unique_ptr<TExprIdentifierDef> NewFunction(std::string_view name, TIdentifierType type,
                                                    char resultLetter,
                                                    std::string_view parameterLetters);

    TExpressionParser* parser_;
    TDefinitionFactory factory_;
    std::vector<std::unique_ptr<TExprIdentifierDef>> definitions_;
};

// ASCII case-insensitive equality of two names.
bool SameIdentifier(std::string_view first, std::string_view second);

} // namespace orvex::engine
