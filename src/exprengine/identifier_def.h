// Identifier definitions: what a name in an expression denotes, a variable
// or a function, with its type letters and its value or callback.
#pragma once

#include "exprengine/builtin_category.h"
#include "exprengine/expression_result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::engine {

class TExprNode;
class TExprFunction;
class TExprIdentifierDef;
class TExprIdentifierDefs;

enum TIdentifierType : std::uint8_t {
    itVariable,
    itFunctionCallBack,
    itFunctionHandler,
    itFunctionNode,
};

// The argument nodes of a call, owned by the call node.
using TExprArgumentArray = std::vector<std::unique_ptr<TExprNode>>;

// A plain function that fills the result from the argument values.
using TExprFunctionCallback = void (*)(TExpressionResult& result, const TExprParameterArray& args);
// A bound handler of the same shape.
using TExprFunctionEvent =
    std::function<void(TExpressionResult& result, const TExprParameterArray& args)>;
// Suppliers of a variable's value, called on every evaluation with the
// definition's value record and name.
using TExprVariableCallback = void (*)(TExpressionResult& value, const std::string& name);
using TExprVariableEvent = std::function<void(TExpressionResult& value, const std::string& name)>;
// The "node class" of an itFunctionNode definition: makes the call node
// from the definition and the arguments (see kFunctionClassOf).
using TExprFunctionClass = std::unique_ptr<TExprFunction> (*)(TExprIdentifierDef& definition,
                                                              TExprArgumentArray arguments);

// B, I, F, D, S, C in either case; anything else raises
// ""%s" is not a valid return type indicator".
TResultType CharToResultType(char letter);

class TExprIdentifierDef {
  public:
    TExprIdentifierDef() = default;
    TExprIdentifierDef(const TExprIdentifierDef&) = delete;
    TExprIdentifierDef& operator=(const TExprIdentifierDef&) = delete;
    virtual ~TExprIdentifierDef() = default;

    // Copies every property but the collection it belongs to.
    virtual void Assign(const TExprIdentifierDef& source);

    TIdentifierType IdentifierType() const { return identifierType_; }
    void SetIdentifierType(TIdentifierType type) { identifierType_ = type; }

    const std::string& Name() const { return name_; }
    // Raises "An identifier with name "%s" already exists." when another
    // definition of the collection has the name (ASCII case ignored).
    void SetName(std::string_view name);

    // The value as text; assigning converts it by ResultType.
    std::string Value() const;
    void SetValue(std::string_view text);

    // One type letter per parameter, never the variadic "+".
    const std::string& ParameterTypes() const { return parameterTypes_; }
    void SetParameterTypes(std::string_view letters);

    // A function's result type or a variable's type. Changing it converts
    // the value text again under the new type.
    TResultType ResultType() const { return value_.ValueType; }
    void SetResultType(TResultType type);

    const TExprFunctionEvent& OnGetFunctionValue() const { return onGetFunctionValue_; }
    void SetOnGetFunctionValue(TExprFunctionEvent handler) {
        onGetFunctionValue_ = std::move(handler);
    }
    const TExprVariableEvent& OnGetVariableValue() const { return onGetVariableValue_; }
    void SetOnGetVariableValue(TExprVariableEvent handler) {
        onGetVariableValue_ = std::move(handler);
        Changed();
    }
    TExprFunctionClass NodeType() const { return nodeType_; }
    void SetNodeType(TExprFunctionClass nodeType) { nodeType_ = nodeType; }
    bool VariableArgumentCount() const { return variableArgumentCount_; }
    void SetVariableArgumentCount(bool variadic) { variableArgumentCount_ = variadic; }
    TExprFunctionCallback FunctionCallback() const { return functionCallback_; }
    void SetFunctionCallback(TExprFunctionCallback callback) { functionCallback_ = callback; }
    TExprVariableCallback VariableCallback() const { return variableCallback_; }
    void SetVariableCallback(TExprVariableCallback callback) {
        variableCallback_ = callback;
        Changed();
    }

    // A pure function gives the same value for the same arguments and does
    // nothing else, so a call with constant arguments may be computed once,
    // when the expression is compiled. Off by default: the library marks
    // its own functions (all but the clock's), a host marks its own.
    bool Pure() const { return pure_; }
    void SetPure(bool pure) { pure_ = pure; }

    // The variable's current value; its ValueType is the ResultType. A host
    // may change the payload between evaluations.
    TExpressionResult& ValueRecord() { return value_; }
    const TExpressionResult& ValueRecord() const { return value_; }

    // The number of parameter letters, negated for a variadic definition
    // ("F+" gives -1: one or more).
    int ArgumentCount() const;

    // Asks the variable's handler (or callback) for the current value. An
    // integer for a float variable is converted; any other type change raises.
    void FetchValue();

    TExprIdentifierDefs* Collection() const { return collection_; }

  private:
    friend class TExprIdentifierDefs;

    // Tells the collection (and so its parser) that the way the name is
    // evaluated changed.
    void Changed();

    TExprIdentifierDefs* collection_ = nullptr;
    TIdentifierType identifierType_ = itVariable;
    std::string name_;
    std::string valueText_;
    std::string parameterTypes_;
    TExprFunctionEvent onGetFunctionValue_;
    TExprVariableEvent onGetVariableValue_;
    TExprFunctionClass nodeType_ = nullptr;
    bool variableArgumentCount_ = false;
    bool pure_ = false;
    TExprFunctionCallback functionCallback_ = nullptr;
    TExprVariableCallback variableCallback_ = nullptr;
    TExpressionResult value_;
};

// A definition of the shared built-in registry.
class TBuiltInExprIdentifierDef : public TExprIdentifierDef {
  public:
    void Assign(const TExprIdentifierDef& source) override;

    TBuiltInCategory Category() const { return category_; }
    void SetCategory(TBuiltInCategory category) { category_ = category; }

  private:
    TBuiltInCategory category_ = bcStrings;
};

} // namespace orvex::engine
