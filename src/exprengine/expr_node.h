// The base classes of the expression tree.
//
// Every node owns its children. Operator nodes whose first operand is
// computed into the caller's own record (binary operators, signs, "not" and
// conversions) form chains: a flat sum of 100,000 terms is one chain of
// 100,000 links down the left side. Evaluation, rendering, the aggregate walks
// and destruction follow such a chain with a loop instead of recursion, so
// the stack depth depends only on how deeply the text is nested.
#pragma once

#include "exprengine/compiled_program.h"
#include "exprengine/expression_result.h"
#include "exprengine/result_type.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvex::engine {

class TExprNode {
  public:
    TExprNode() = default;
    TExprNode(const TExprNode&) = delete;
    TExprNode& operator=(const TExprNode&) = delete;
    virtual ~TExprNode() = default;

    // Fills the record passed in with the node's value.
    virtual void ComputeValue(TExpressionResult& result) = 0;
    // Validates the node's own operands (never their Check); run on the root
    // only, after the whole tree is built. Raises EExprParser.
    virtual void Check() = 0;
    virtual void ResetAggregate() {}
    virtual void AccumulateAggregate() {}
    // A property of the class, not of the instance.
    virtual bool IsAggregateNode() const { return false; }
    virtual bool ContainsAggregate() const { return IsAggregateNode(); }
    // Known before evaluation.
    virtual TResultType NodeResultType() const = 0;
    // The node written back as expression text, for messages.
    virtual std::string AsText() const = 0;

    // The class's name as messages show it ("TAddOperation").
    virtual std::string_view ClassName() const = 0;

    // Emits the node's instructions into a compiled program and says where
    // its value will be. The base has the tree evaluate the node, the value's
    // type known only at run time; a node class that knows better overrides
    // it, and so should a host's node class derived from one that does.
    virtual TProgramValue Emit(TProgramBuilder& builder);

    // Raises when the node is absent or its type is not among the allowed.
    static void RequireNodeType(const TExprNode* node, TResultTypes allowed);

  protected:
    // --- Chain links -----------------------------------------------------
    // A chain link computes its first operand into the caller's record and
    // then completes the value in place.
    virtual bool IsChainLink() const { return false; }
    virtual TExprNode* ChainOperand() const { return nullptr; }
    // Raises the missing-operand error for an absent first operand.
    virtual void RaiseMissingChainOperand() const;
    // The value of the first operand is in result; make it the node's value.
    virtual void CompleteValue(TExpressionResult& /*result*/) {}
    // text holds the first operand's text; make it the node's text.
    virtual void CompleteText(std::string& /*text*/) const {}
    // The operand after the first one, visited by the aggregate walks.
    virtual TExprNode* OtherOperand() const { return nullptr; }
    // Hands over the first child so that destruction can unlink chains.
    virtual std::unique_ptr<TExprNode> DetachFirstChild() { return nullptr; }

    // The walks along a chain that starts at a link.
    static void ComputeChain(TExprNode& top, TExpressionResult& result);
    // ComputeChain for a link whose first operand is first; an operand that
    // is no link itself ends the chain at once and needs no walk.
    static void ComputeLink(TExprNode& link, TExprNode* first, TExpressionResult& result) {
        if (first != nullptr && !first->IsChainLink()) {
            first->ComputeValue(result);
            link.CompleteValue(result);
        } else {
            ComputeChain(link, result);
        }
    }
    static std::string ChainText(const TExprNode& top);
    static void ResetChain(TExprNode& top) { ApplyAlongChain(top, &TExprNode::ResetAggregate); }
    static void AccumulateChain(TExprNode& top) {
        ApplyAlongChain(top, &TExprNode::AccumulateAggregate);
    }
    // Runs an aggregate operation over a chain in the order a recursive walk
    // would: the first operand's subtree before each other operand.
    static void ApplyAlongChain(TExprNode& top, void (TExprNode::*operation)());
    static bool ChainContainsAggregate(const TExprNode& top);
    // Destroys a subtree, unlinking first children iteratively.
    static void DismantleChain(std::unique_ptr<TExprNode> first);

    // Emits a chain bottom-up without recursion along it: the first operand
    // at the bottom, then what completes each link. start is where the
    // chain's code begins; a link that has to run through the tree goes
    // back to it, since the tree then computes everything below the link.
    static TProgramValue EmitChain(TExprNode& top, TProgramBuilder& builder);
    virtual TProgramValue EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                         const TProgramBuilder::TMark& start);
};

using TExprNodePtr = std::unique_ptr<TExprNode>;

// Two operands. The result types of both are taken when the node is made,
// so asking a node of a long chain for its type costs no walk.
class TBinaryOperation : public TExprNode {
  public:
    TBinaryOperation(TExprNodePtr left, TExprNodePtr right);
    ~TBinaryOperation() override;

    TExprNode* Left() const { return left_.get(); }
    TExprNode* Right() const { return right_.get(); }

    void ComputeValue(TExpressionResult& result) override {
        ComputeLink(*this, left_.get(), result);
    }
    void Check() override;
    void ResetAggregate() override { ResetChain(*this); }
    void AccumulateAggregate() override { AccumulateChain(*this); }
    bool ContainsAggregate() const override { return ChainContainsAggregate(*this); }
    std::string AsText() const override { return ChainText(*this); }
    TProgramValue Emit(TProgramBuilder& builder) override { return EmitChain(*this, builder); }

    // Raises when the operands' types differ.
    void RequireSameTypes() const;

  protected:
    friend class TCompiledProgram;
    friend class TProgramBuilder;

    TResultType LeftType() const { return leftType_; }
    TResultType RightType() const { return rightType_; }

    // Combines the left value (in result) with the right value.
    virtual void Combine(TExpressionResult& result, const TExpressionResult& right) = 0;
    // The text between the operands, blanks included (" + ").
    virtual std::string_view OperatorText() const = 0;
    // The instruction that does what Combine does for a left value of type
    // left and a right value of type right; Generic runs Combine itself.
    virtual TOpCode FastCombine(TResultType /*left*/, TResultType /*right*/) const {
        return TOpCode::Generic;
    }
    TProgramValue EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                 const TProgramBuilder::TMark& start) override;

    bool IsChainLink() const override { return true; }
    TExprNode* ChainOperand() const override { return left_.get(); }
    void RaiseMissingChainOperand() const override;
    void CompleteValue(TExpressionResult& result) override;
    void CompleteText(std::string& text) const override;
    TExprNode* OtherOperand() const override { return right_.get(); }
    TExprNodePtr DetachFirstChild() override { return std::move(left_); }

  private:
    TExprNodePtr left_;
    TExprNodePtr right_;
    TResultType leftType_;
    TResultType rightType_;
};

// One operand.
class TUnaryOperator : public TExprNode {
  public:
    explicit TUnaryOperator(TExprNodePtr operand);
    ~TUnaryOperator() override;

    TExprNode* Operand() const { return operand_.get(); }

    void ComputeValue(TExpressionResult& result) override {
        ComputeLink(*this, operand_.get(), result);
    }
    void Check() override;
    void ResetAggregate() override { ResetChain(*this); }
    void AccumulateAggregate() override { AccumulateChain(*this); }
    bool ContainsAggregate() const override { return ChainContainsAggregate(*this); }
    std::string AsText() const override { return ChainText(*this); }
    TProgramValue Emit(TProgramBuilder& builder) override { return EmitChain(*this, builder); }

  protected:
    friend class TCompiledProgram;
    friend class TProgramBuilder;

    TResultType OperandType() const { return operandType_; }
    // The instruction that does what CompleteValue does for an operand value
    // of type operand; Generic runs CompleteValue itself.
    virtual TOpCode FastComplete(TResultType /*operand*/) const { return TOpCode::Generic; }
    TProgramValue EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                 const TProgramBuilder::TMark& start) override;

    bool IsChainLink() const override { return true; }
    TExprNode* ChainOperand() const override { return operand_.get(); }
    void RaiseMissingChainOperand() const override;
    TExprNodePtr DetachFirstChild() override { return std::move(operand_); }

  private:
    TExprNodePtr operand_;
    TResultType operandType_;
};

} // namespace orvex::engine
