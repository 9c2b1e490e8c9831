#include "exprengine/identifier_defs.h"

#include "exprengine/parser.h"
#include "formatting/text.h"

namespace orvex::engine {

bool SameIdentifier(std::string_view first, std::string_view second) {
    return formatting::EqualsIgnoreAsciiCase(first, second);
}

TExprIdentifierDefs::TExprIdentifierDefs(TExpressionParser* parser, TDefinitionFactory factory)
    : parser_(parser), factory_(factory) {}

std::unique_ptr<TExprIdentifierDef> TExprIdentifierDefs::NewDefinition() {
    std::unique_ptr<TExprIdentifierDef> definition =
        factory_ != nullptr ? factory_() : std::make_unique<TExprIdentifierDef>();
    definition->collection_ = this;
    return definition;
}

TExprIdentifierDef& TExprIdentifierDefs::Append(std::unique_ptr<TExprIdentifierDef> definition) {
    definitions_.push_back(std::move(definition));
    Changed();
    return *definitions_.back();
}

// The definition is filled in before it joins the collection, so that a
// failing step leaves the collection as it was.
std::unique_ptr<TExprIdentifierDef>
TExprIdentifierDefs::NewFunction(std::string_view name, TIdentifierType type, char resultLetter,
                                 std::string_view parameterLetters) {
    std::unique_ptr<TExprIdentifierDef> definition = NewDefinition();
    definition->SetName(name);
    definition->SetIdentifierType(type);
    if (!parameterLetters.empty() && parameterLetters.back() == '+') {
        definition->SetParameterTypes(parameterLetters.substr(0, parameterLetters.size() - 1));
        definition->SetVariableArgumentCount(true);
    } else {
        definition->SetParameterTypes(parameterLetters);
    }
    definition->SetResultType(CharToResultType(resultLetter));
    return definition;
}

TExprIdentifierDef& TExprIdentifierDefs::AddFunction(std::string_view name, char resultLetter,
                                                     std::string_view parameterLetters,
                                                     TExprFunctionCallback callback) {
    auto definition = NewFunction(name, itFunctionCallBack, resultLetter, parameterLetters);
    definition->SetFunctionCallback(callback);
    return Append(std::move(definition));
}

TExprIdentifierDef& TExprIdentifierDefs::AddFunction(std::string_view name, char resultLetter,
                                                     std::string_view parameterLetters,
                                                     TExprFunctionClass nodeClass) {
    auto definition = NewFunction(name, itFunctionNode, resultLetter, parameterLetters);
    definition->SetNodeType(nodeClass);
    return Append(std::move(definition));
}

TExprIdentifierDef& TExprIdentifierDefs::AddFunctionHandler(std::string_view name,
                                                            char resultLetter,
                                                            std::string_view parameterLetters,
                                                            TExprFunctionEvent handler) {
    auto definition = NewFunction(name, itFunctionHandler, resultLetter, parameterLetters);
    definition->SetOnGetFunctionValue(std::move(handler));
    return Append(std::move(definition));
}

TExprIdentifierDef& TExprIdentifierDefs::AddFloatVariable(std::string_view name, double value) {
    std::unique_ptr<TExprIdentifierDef> definition = NewDefinition();
    definition->SetName(name);
    definition->SetIdentifierType(itVariable);
    definition->SetResultType(rtFloat);
    definition->ValueRecord().SetFloatValue(value);
    return Append(std::move(definition));
}

TExprIdentifierDef& TExprIdentifierDefs::AddVariable(std::string_view name, TResultType type,
                                                     std::string_view valueText) {
    std::unique_ptr<TExprIdentifierDef> definition = NewDefinition();
    definition->SetName(name);
    definition->SetIdentifierType(itVariable);
    definition->SetResultType(type);
    definition->SetValue(valueText);
    return Append(std::move(definition));
}

TExprIdentifierDef& TExprIdentifierDefs::Add() {
    return Append(NewDefinition());
}

void TExprIdentifierDefs::Delete(int index) {
    (void)definitions_.at(static_cast<std::size_t>(index)); // raises for a bad index
    definitions_.erase(definitions_.begin() + index);
    Changed();
}

void TExprIdentifierDefs::Clear() {
    definitions_.clear();
    Changed();
}

int TExprIdentifierDefs::IndexOfIdentifier(std::string_view name) const {
    for (int index = Count() - 1; index >= 0; --index) {
        if (SameIdentifier(definitions_[static_cast<std::size_t>(index)]->Name(), name))
            return index;
    }
    return -1;
}

void TExprIdentifierDefs::Changed() {
    if (parser_ != nullptr)
        parser_->InvalidateLookup();
}

} // namespace orvex::engine
