// Logical operators: and, or, xor and not. They act logically on booleans
// and bit by bit on integers.
#pragma once

#include "exprengine/expr_node.h"

namespace orvex::engine {

// Both operands are always evaluated; there is no short cut.
class TBooleanOperation : public TBinaryOperation {
  public:
    using TBinaryOperation::TBinaryOperation;
    void Check() override;
    TResultType NodeResultType() const override { return LeftType(); }
};

class TBinaryAndOperation : public TBooleanOperation {
  public:
    using TBooleanOperation::TBooleanOperation;
    std::string_view ClassName() const override { return "TBinaryAndOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " and "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TBinaryOrOperation : public TBooleanOperation {
  public:
    using TBooleanOperation::TBooleanOperation;
    std::string_view ClassName() const override { return "TBinaryOrOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " or "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TBinaryXOrOperation : public TBooleanOperation {
  public:
    using TBooleanOperation::TBooleanOperation;
    std::string_view ClassName() const override { return "TBinaryXOrOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " xor "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TNotNode : public TUnaryOperator {
  public:
    using TUnaryOperator::TUnaryOperator;
    void Check() override;
    TResultType NodeResultType() const override { return OperandType(); }
    std::string_view ClassName() const override { return "TNotNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
    // Unlike the sign, "not" keeps the operand's leading blank (that of a
    // positive float constant): "not  1.50000000000000E+000".
    void CompleteText(std::string& text) const override { text.insert(0, "not "); }
};

} // namespace orvex::engine
