// The conditional constructs "if" and "case". Unlike functions they evaluate
// only what they need.
#pragma once

#include "exprengine/expr_node.h"
#include "exprengine/identifier_def.h"

namespace orvex::engine {

// if(condition, value when true, value when false): Left is the value when
// true, Right the value when false.
class TIfOperation : public TBinaryOperation {
  public:
    TIfOperation(TExprNodePtr condition, TExprNodePtr whenTrue, TExprNodePtr whenFalse);
    ~TIfOperation() override;

    TExprNode* Condition() const { return condition_.get(); }

    void ComputeValue(TExpressionResult& result) override;
    void Check() override;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    bool ContainsAggregate() const override;
    TResultType NodeResultType() const override { return LeftType(); }
    std::string AsText() const override;
    std::string_view ClassName() const override { return "TIfOperation"; }
    TProgramValue Emit(TProgramBuilder& builder) override;

  protected:
    // The condition comes first, so "if" is no chain link.
    bool IsChainLink() const override { return false; }
    void Combine(TExpressionResult& /*result*/, const TExpressionResult& /*right*/) override {}
    std::string_view OperatorText() const override { return " , "; }

  private:
    TExprNodePtr condition_;
};

// case(selector, default, label 1, value 1, label 2, value 2, ...).
class TCaseOperation : public TExprNode {
  public:
    explicit TCaseOperation(TExprArgumentArray arguments);
    ~TCaseOperation() override;

    const TExprArgumentArray& Arguments() const { return arguments_; }

    void ComputeValue(TExpressionResult& result) override;
    void Check() override;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    bool ContainsAggregate() const override;
    // The default value's type.
    TResultType NodeResultType() const override { return resultType_; }
    std::string AsText() const override;
    std::string_view ClassName() const override { return "TCaseOperation"; }

  private:
    TExprArgumentArray arguments_;
    TResultType resultType_;
};

} // namespace orvex::engine
