// Arithmetic nodes: + - * / div mod ^ and the sign.
#pragma once

#include "exprengine/expr_node.h"

namespace orvex::engine {

// Base of the binary arithmetic nodes. At the root both operands must be of
// one type other than boolean; the node yields its left operand's type.
class TMathOperation : public TBinaryOperation {
  public:
    using TBinaryOperation::TBinaryOperation;

    void Check() override;
    TResultType NodeResultType() const override { return LeftType(); }

  protected:
    // The narrower set of a subclass, tested before the base check so that
    // its message wins.
    void RequireOperandTypes(TResultTypes allowed) const;
};

class TAddOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    std::string_view ClassName() const override { return "TAddOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " + "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TSubtractOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    std::string_view ClassName() const override { return "TSubtractOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " - "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TMultiplyOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    std::string_view ClassName() const override { return "TMultiplyOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " * "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// Currency divided by currency stays currency; everything else is a float.
class TDivideOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    TResultType NodeResultType() const override;
    std::string_view ClassName() const override { return "TDivideOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " / "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TIntDivOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    TResultType NodeResultType() const override { return rtInteger; }
    std::string_view ClassName() const override { return "TIntDivOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " div "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TModuloOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    TResultType NodeResultType() const override { return rtInteger; }
    std::string_view ClassName() const override { return "TModuloOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " mod "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// Always a float. Its operands need not share a type, and its check does not
// test that both are present.
class TPowerOperation : public TMathOperation {
  public:
    using TMathOperation::TMathOperation;
    void Check() override;
    TResultType NodeResultType() const override { return rtFloat; }
    std::string_view ClassName() const override { return "TPowerOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return "^"; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// Unary minus.
class TNegateOperation : public TUnaryOperator {
  public:
    using TUnaryOperator::TUnaryOperator;
    void Check() override;
    TResultType NodeResultType() const override { return OperandType(); }
    std::string_view ClassName() const override { return "TNegateOperation"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
    void CompleteText(std::string& text) const override;
};

} // namespace orvex::engine
