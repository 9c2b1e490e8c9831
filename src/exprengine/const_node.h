// Constant nodes: literals of the expression text.
#pragma once

#include "exprengine/expr_node.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvex::engine {

class TConstExpression : public TExprNode {
  public:
    explicit TConstExpression(TExpressionResult value) : value_(std::move(value)) {}

    static std::unique_ptr<TConstExpression> CreateString(std::string value);
    static std::unique_ptr<TConstExpression> CreateInteger(std::int64_t value);
    static std::unique_ptr<TConstExpression> CreateFloat(double value);
    static std::unique_ptr<TConstExpression> CreateBoolean(bool value);

    const TExpressionResult& ConstValue() const { return value_; }

    // The record's fields one by one: copying a number's empty text onto an
    // empty text would cost more than the rest of the evaluation.
    void ComputeValue(TExpressionResult& result) override {
        if (!value_.StringValue.empty() || !result.StringValue.empty())
            result.StringValue = value_.StringValue;
        result.ValueType = value_.ValueType;
        result.SetPayload(value_.Payload());
    }
    void Check() override {}
    TResultType NodeResultType() const override { return value_.ValueType; }
    std::string AsText() const override;
    std::string_view ClassName() const override { return "TConstExpression"; }
    TProgramValue Emit(TProgramBuilder& builder) override { return builder.Constant(value_); }

  private:
    TExpressionResult value_;
};

// The text constants of a type show in messages: " 7.50000000000000E+000"
// for a float, "12.5" for a currency amount.
std::string FloatConstantText(double value);
std::string CurrencyConstantText(std::int64_t scaled);

} // namespace orvex::engine
