// Identifier nodes: variables and function calls.
#pragma once

#include "exprengine/expr_node.h"
#include "exprengine/identifier_def.h"

#include <memory>

namespace orvex::engine {

// Refers to its definition without owning it: definitions must outlive the
// trees built from them. The result type is the definition's when the node
// is made.
class TExprIdentifierNode : public TExprNode {
  public:
    explicit TExprIdentifierNode(TExprIdentifierDef& definition)
        : definition_(&definition), resultType_(definition.ResultType()) {}

    TExprIdentifierDef& Definition() const { return *definition_; }
    TResultType NodeResultType() const override { return resultType_; }

  private:
    TExprIdentifierDef* definition_;
    TResultType resultType_;
};

// Reads the definition's value afresh on every evaluation.
class TExprVariable : public TExprIdentifierNode {
  public:
    using TExprIdentifierNode::TExprIdentifierNode;

    void ComputeValue(TExpressionResult& result) override;
    void Check() override {}
    std::string AsText() const override { return Definition().Name(); }
    std::string_view ClassName() const override { return "TExprVariable"; }
    TProgramValue Emit(TProgramBuilder& builder) override {
        return builder.Variable(Definition(), NodeResultType());
    }
};

class TExprFunction : public TExprIdentifierNode {
  public:
    TExprFunction(TExprIdentifierDef& definition, TExprArgumentArray arguments);
    ~TExprFunction() override;

    // At the root: the argument count, then each argument's type against its
    // parameter letter (the last letter repeats for variadic calls), with a
    // conversion where one exists.
    void Check() override;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    bool ContainsAggregate() const override;
    // The registered name, then the arguments in parentheses joined by ",".
    std::string AsText() const override;

    // Makes the argument fit the expected type, or raises
    // "Invalid type for argument %d: Expected %s, got %s".
    virtual void ConvertArgument(int argumentNumber, TExprNodePtr& argument, TResultType expected);

    const TExprArgumentArray& ArgumentNodes() const { return argumentNodes_; }
    const TExprParameterArray& ArgumentValues() const { return argumentValues_; }

  protected:
    // Evaluates every argument, first to last, into its value record.
    void EvaluateArguments();

  private:
    TExprArgumentArray argumentNodes_;
    TExprParameterArray argumentValues_; // one per argument, reused
};

// Calls the definition's plain callback.
class TFunctionCallBack : public TExprFunction {
  public:
    TFunctionCallBack(TExprIdentifierDef& definition, TExprArgumentArray arguments)
        : TExprFunction(definition, std::move(arguments)),
          callback_(definition.FunctionCallback()) {}

    void ComputeValue(TExpressionResult& result) override;
    std::string_view ClassName() const override { return "TFunctionCallBack"; }
    TProgramValue Emit(TProgramBuilder& builder) override;

  private:
    TExprFunctionCallback callback_;
};

// Calls the definition's bound handler.
class TFunctionEventHandler : public TExprFunction {
  public:
    TFunctionEventHandler(TExprIdentifierDef& definition, TExprArgumentArray arguments)
        : TExprFunction(definition, std::move(arguments)),
          handler_(definition.OnGetFunctionValue()) {}

    void ComputeValue(TExpressionResult& result) override;
    std::string_view ClassName() const override { return "TFunctionEventHandler"; }
    TProgramValue Emit(TProgramBuilder& builder) override;

  private:
    TExprFunctionEvent handler_;
};

// The node class of a function node: kFunctionClassOf<TAggregateSum> makes a
// TAggregateSum from a definition and its arguments.
template <typename Node>
std::unique_ptr<TExprFunction> CreateFunction(TExprIdentifierDef& definition,
                                              TExprArgumentArray arguments) {
    return std::make_unique<Node>(definition, std::move(arguments));
}
template <typename Node>
inline constexpr TExprFunctionClass kFunctionClassOf = &CreateFunction<Node>;

// The call node a definition asks for.
TExprNodePtr CreateCallNode(TExprIdentifierDef& definition, TExprArgumentArray arguments);

} // namespace orvex::engine
