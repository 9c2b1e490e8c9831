// The base classes of the expression tree.
//
// Every node owns its children. The public operations of TExprNode are the
// contract every node kind fulfils; the protected hooks let the operators
// whose first operand is computed into the caller's own record take part in
// chains, which expr_chain.h walks without recursion.
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
    friend class TExprChain;

    // --- Chain hooks -------------------------------------------------------
    // A chain link computes its first operand into the caller's record and
    // then completes the value in place. Inside a chain only these hooks are
    // called on a link, never its ComputeValue, AsText or aggregate
    // operations: TExprChain calls them for the whole chain at its top.
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
    // Emits what completes the link, first being where the first operand's
    // value will be; start is where the chain's code begins, to roll back to
    // when the link has to run through the tree after all.
    virtual TProgramValue EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                         const TProgramBuilder::TMark& start);
};

using TExprNodePtr = std::unique_ptr<TExprNode>;

// To add an operator:
//
// 1. Derive a binary operator from TBinaryOperation or one of its families
//    (TMathOperation, TBooleanOperation, TBooleanResultOperation), a unary
//    one from TUnaryOperator (a conversion from TConvertNode).
// 2. Override NodeResultType, ClassName and Check (run the base's check
//    too); then Combine and OperatorText for a binary operator, or
//    CompleteValue and, unless the operator is invisible in texts as the
//    conversions are, CompleteText for a unary one.
// 3. Leave ComputeValue, AsText, ResetAggregate, AccumulateAggregate,
//    ContainsAggregate and Emit to the base: inside a chain they are never
//    called on the link, so work done there would happen only when the
//    node is at the top. A node that must compute its operands otherwise
//    (TIfOperation evaluates its condition first) answers false to
//    IsChainLink and overrides all of them.
// 4. For the compiled form, FastCombine or FastComplete may name an
//    instruction that computes what Combine or CompleteValue does for the
//    given operand types (its handler lives in compiled_program.cpp);
//    returning Generic is always correct and runs Combine or CompleteValue.
// 5. Register it: a token kind in token_kind.h read by the scanner, its
//    binding level and node in the parser's precedence table (parser.cpp),
//    or for a conversion an entry in ConvertTo (convert_nodes.cpp).

// Two operands. The result types of both are taken when the node is made,
// so asking a node of a long chain for its type costs no walk.
class TBinaryOperation : public TExprNode {
  public:
    TBinaryOperation(TExprNodePtr left, TExprNodePtr right);
    ~TBinaryOperation() override;

    TExprNode* Left() const { return left_.get(); }
    TExprNode* Right() const { return right_.get(); }

    // The chain walks of TExprChain.
    void ComputeValue(TExpressionResult& result) override;
    void Check() override;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    bool ContainsAggregate() const override;
    std::string AsText() const override;
    TProgramValue Emit(TProgramBuilder& builder) override;

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

    // The chain walks of TExprChain.
    void ComputeValue(TExpressionResult& result) override;
    void Check() override;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    bool ContainsAggregate() const override;
    std::string AsText() const override;
    TProgramValue Emit(TProgramBuilder& builder) override;

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
