#include "exprengine/function_nodes.h"

#include "exprengine/convert_nodes.h"
#include "exprengine/errors.h"

#include <algorithm>
#include <typeinfo>

namespace orvex::engine {

void TExprVariable::ComputeValue(TExpressionResult& result) {
    TExprIdentifierDef& definition = Definition();
    if (definition.OnGetVariableValue() || definition.VariableCallback() != nullptr)
        definition.FetchValue();
    result = definition.ValueRecord();
    result.ValueType = NodeResultType();
}

TExprFunction::TExprFunction(TExprIdentifierDef& definition, TExprArgumentArray arguments)
    : TExprIdentifierNode(definition), argumentNodes_(std::move(arguments)),
      argumentValues_(argumentNodes_.size()) {}

TExprFunction::~TExprFunction() = default;

void TExprFunction::Check() {
    const TExprIdentifierDef& definition = Definition();
    const int count = static_cast<int>(argumentNodes_.size());
    if (count != definition.ArgumentCount() && !definition.VariableArgumentCount())
        RaiseParserError(msg::SErrInvalidArgumentCount, {definition.Name()});
    const std::string& letters = definition.ParameterTypes();
    if (letters.empty())
        return;
    for (int index = 0; index < count; ++index) {
        TExprNodePtr& argument = argumentNodes_[static_cast<std::size_t>(index)];
        if (!argument)
            RaiseParserError(msg::SErrNoNodeToCheck);
        const char letter = letters[std::min(static_cast<std::size_t>(index), letters.size() - 1)];
        const TResultType expected = CharToResultType(letter);
        if (argument->NodeResultType() != expected)
            ConvertArgument(index + 1, argument, expected);
    }
}

void TExprFunction::ConvertArgument(int argumentNumber, TExprNodePtr& argument,
                                    TResultType expected) {
    const TExprNode* original = argument.get();
    argument = ConvertTo(std::move(argument), expected);
    if (argument.get() == original) {
        RaiseParserError(msg::SErrInvalidArgumentType, {argumentNumber, TypeNameOf(expected),
                                                        TypeNameOf(argument->NodeResultType())});
    }
}

void TExprFunction::ResetAggregate() {
    for (const auto& argument : argumentNodes_) {
        if (argument)
            argument->ResetAggregate();
    }
}

void TExprFunction::AccumulateAggregate() {
    for (const auto& argument : argumentNodes_) {
        if (argument)
            argument->AccumulateAggregate();
    }
}

bool TExprFunction::ContainsAggregate() const {
    return IsAggregateNode() ||
           std::any_of(argumentNodes_.begin(), argumentNodes_.end(), [](const auto& argument) {
               return argument && argument->ContainsAggregate();
           });
}

std::string TExprFunction::AsText() const {
    std::string text = Definition().Name();
    if (argumentNodes_.empty())
        return text;
    text += '(';
    for (std::size_t index = 0; index < argumentNodes_.size(); ++index) {
        if (index > 0)
            text += ',';
        if (argumentNodes_[index])
            text += argumentNodes_[index]->AsText();
    }
    text += ')';
    return text;
}

void TExprFunction::EvaluateArguments() {
    for (std::size_t index = 0; index < argumentNodes_.size(); ++index) {
        TExpressionResult& value = argumentValues_[index];
        value = TExpressionResult();
        if (argumentNodes_[index])
            argumentNodes_[index]->ComputeValue(value);
    }
}

void TFunctionCallBack::ComputeValue(TExpressionResult& result) {
    EvaluateArguments();
    if (callback_ != nullptr)
        callback_(result, ArgumentValues());
    result.ValueType = NodeResultType();
}

void TFunctionEventHandler::ComputeValue(TExpressionResult& result) {
    EvaluateArguments();
    if (handler_)
        handler_(result, ArgumentValues());
    result.ValueType = NodeResultType();
}

// A callback's node sets the definition's type whatever the callback does;
// a host's class derived from it may compute otherwise, so only this class
// itself emits the call.
TProgramValue TFunctionCallBack::Emit(TProgramBuilder& builder) {
    if (typeid(*this) != typeid(TFunctionCallBack))
        return TExprFunction::Emit(builder);
    const TProgramBuilder::TMark start = builder.Mark();
    if (callback_ != nullptr) {
        // A text's payload means nothing: a text goes only where a text is
        // expected.
        const std::string& letters = Definition().ParameterTypes();
        auto fits = [&letters](std::size_t index, const TProgramValue& value) {
            if (value.Dynamic)
                return false;
            if (value.Type != rtString)
                return true;
            return !letters.empty() &&
                   CharToResultType(letters[std::min(index, letters.size() - 1)]) == rtString;
        };
        std::vector<TProgramValue> values;
        values.reserve(ArgumentNodes().size());
        for (const auto& argument : ArgumentNodes()) {
            if (!argument)
                break;
            values.push_back(argument->Emit(builder));
            if (!fits(values.size() - 1, values.back()))
                break;
        }
        if (values.size() == ArgumentNodes().size() &&
            (values.empty() || fits(values.size() - 1, values.back())))
            return builder.Call(*this, callback_, Definition().Pure(), values, NodeResultType());
    }
    builder.Rollback(start);
    return builder.TreeCall(*this, true, NodeResultType());
}

// A handler is host code: the node runs through the tree, its type known.
TProgramValue TFunctionEventHandler::Emit(TProgramBuilder& builder) {
    if (typeid(*this) != typeid(TFunctionEventHandler))
        return TExprFunction::Emit(builder);
    return builder.TreeCall(*this, true, NodeResultType());
}

TExprNodePtr CreateCallNode(TExprIdentifierDef& definition, TExprArgumentArray arguments) {
    switch (definition.IdentifierType()) {
    case itVariable:
        return std::make_unique<TExprVariable>(definition);
    case itFunctionHandler:
        return std::make_unique<TFunctionEventHandler>(definition, std::move(arguments));
    case itFunctionNode:
        if (definition.NodeType() != nullptr)
            return definition.NodeType()(definition, std::move(arguments));
        break; // a node function without its class calls nothing, like a bare callback
    case itFunctionCallBack:
        break;
    }
    return std::make_unique<TFunctionCallBack>(definition, std::move(arguments));
}

} // namespace orvex::engine
