// Comparison nodes: = <> < > <= >=. They always yield a boolean.
#pragma once

#include "exprengine/expr_node.h"

namespace orvex::engine {

// Equality by the first value's type: booleans alike, 64-bit integers and
// scaled currency identical, doubles equal (NaN never), texts byte for byte.
bool SameValue(const TExpressionResult& first, const TExpressionResult& second);

class TBooleanResultOperation : public TBinaryOperation {
  public:
    using TBinaryOperation::TBinaryOperation;
    void Check() override;
    TResultType NodeResultType() const override { return rtBoolean; }
};

class TEqualOperation : public TBooleanResultOperation {
  public:
    using TBooleanResultOperation::TBooleanResultOperation;
    std::string_view ClassName() const override { return "TEqualOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " = "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TUnequalOperation : public TEqualOperation {
  public:
    using TEqualOperation::TEqualOperation;
    std::string_view ClassName() const override { return "TUnequalOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " <> "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// The ordering comparisons take every type but boolean at the root.
class TOrderingOperation : public TBooleanResultOperation {
  public:
    using TBooleanResultOperation::TBooleanResultOperation;
    void Check() override;
};

class TLessThanOperation : public TOrderingOperation {
  public:
    using TOrderingOperation::TOrderingOperation;
    std::string_view ClassName() const override { return "TLessThanOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " < "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// The negation of "<", so it is true when a NaN is involved.
class TGreaterThanEqualOperation : public TLessThanOperation {
  public:
    using TLessThanOperation::TLessThanOperation;
    std::string_view ClassName() const override { return "TGreaterThanEqualOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " >= "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

class TGreaterThanOperation : public TOrderingOperation {
  public:
    using TOrderingOperation::TOrderingOperation;
    std::string_view ClassName() const override { return "TGreaterThanOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " > "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

// The negation of ">", so it is true when a NaN is involved.
class TLessThanEqualOperation : public TGreaterThanOperation {
  public:
    using TGreaterThanOperation::TGreaterThanOperation;
    std::string_view ClassName() const override { return "TLessThanEqualOperation"; }

  protected:
    void Combine(TExpressionResult& result, const TExpressionResult& right) override;
    std::string_view OperatorText() const override { return " <= "; }
    TOpCode FastCombine(TResultType left, TResultType right) const override;
};

} // namespace orvex::engine
