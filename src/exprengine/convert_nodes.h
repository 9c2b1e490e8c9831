// Conversion nodes: the parser wraps them around an operand to widen it to
// the other operand's type, or an argument to its parameter's type. They are
// invisible in texts.
#pragma once

#include "exprengine/expr_node.h"

namespace orvex::engine {

class TConvertNode : public TUnaryOperator {
  public:
    using TUnaryOperator::TUnaryOperator;

  protected:
    void CompleteText(std::string& /*text*/) const override {}
};

class TIntConvertNode : public TConvertNode {
  public:
    using TConvertNode::TConvertNode;
    void Check() override;
};

class TIntToFloatNode : public TIntConvertNode {
  public:
    using TIntConvertNode::TIntConvertNode;
    TResultType NodeResultType() const override { return rtFloat; }
    std::string_view ClassName() const override { return "TIntToFloatNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TIntToCurrencyNode : public TIntConvertNode {
  public:
    using TIntConvertNode::TIntConvertNode;
    TResultType NodeResultType() const override { return rtCurrency; }
    std::string_view ClassName() const override { return "TIntToCurrencyNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TIntToDateTimeNode : public TIntConvertNode {
  public:
    using TIntConvertNode::TIntConvertNode;
    TResultType NodeResultType() const override { return rtDateTime; }
    std::string_view ClassName() const override { return "TIntToDateTimeNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TFloatToDateTimeNode : public TConvertNode {
  public:
    using TConvertNode::TConvertNode;
    void Check() override;
    TResultType NodeResultType() const override { return rtDateTime; }
    std::string_view ClassName() const override { return "TFloatToDateTimeNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TFloatToCurrencyNode : public TConvertNode {
  public:
    using TConvertNode::TConvertNode;
    void Check() override;
    TResultType NodeResultType() const override { return rtCurrency; }
    std::string_view ClassName() const override { return "TFloatToCurrencyNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TCurrencyToDateTimeNode : public TConvertNode {
  public:
    using TConvertNode::TConvertNode;
    void Check() override;
    TResultType NodeResultType() const override { return rtDateTime; }
    std::string_view ClassName() const override { return "TCurrencyToDateTimeNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

class TCurrencyToFloatNode : public TConvertNode {
  public:
    using TConvertNode::TConvertNode;
    void Check() override;
    TResultType NodeResultType() const override { return rtFloat; }
    std::string_view ClassName() const override { return "TCurrencyToFloatNode"; }

  protected:
    void CompleteValue(TExpressionResult& result) override;
    TOpCode FastComplete(TResultType operand) const override;
};

// The node wrapped in the conversion from its type to target, or the node
// itself when there is none (same type, or a pair without a conversion).
TExprNodePtr ConvertTo(TExprNodePtr node, TResultType target);

} // namespace orvex::engine
