#include "exprengine/expr_node.h"

#include "exprengine/errors.h"
#include "exprengine/expr_chain.h"

namespace orvex::engine {

void TExprNode::RequireNodeType(const TExprNode* node, TResultTypes allowed) {
    if (node == nullptr)
        RaiseParserError(msg::SErrNoNodeToCheck);
    const TResultType type = node->NodeResultType();
    if (!allowed.Contains(type)) {
        RaiseParserError(msg::SErrInvalidNodeType,
                         {TypeNameOf(type), TypeNamesOf(allowed), node->AsText()});
    }
}

void TExprNode::RaiseMissingChainOperand() const {
    RaiseParserError(msg::SErrNoNodeToCheck);
}

TProgramValue TExprNode::Emit(TProgramBuilder& builder) {
    return builder.TreeCall(*this, false, NodeResultType());
}

// The links of TBinaryOperation and TUnaryOperator know their instructions;
// a link of any other class runs through the tree, with everything below it.
TProgramValue TExprNode::EmitCompletion(TProgramBuilder& builder, const TProgramValue& /*first*/,
                                        const TProgramBuilder::TMark& start) {
    builder.Rollback(start);
    return builder.TreeCall(*this, false, NodeResultType());
}

// --- TBinaryOperation ------------------------------------------------------

TBinaryOperation::TBinaryOperation(TExprNodePtr left, TExprNodePtr right)
    : left_(std::move(left)), right_(std::move(right)),
      leftType_(left_ ? left_->NodeResultType() : rtBoolean),
      rightType_(right_ ? right_->NodeResultType() : rtBoolean) {}

TBinaryOperation::~TBinaryOperation() {
    TExprChain::Dismantle(std::move(left_));
}

void TBinaryOperation::ComputeValue(TExpressionResult& result) {
    TExprChain::ComputeLink(*this, left_.get(), result);
}

void TBinaryOperation::ResetAggregate() {
    TExprChain::Reset(*this);
}

void TBinaryOperation::AccumulateAggregate() {
    TExprChain::Accumulate(*this);
}

bool TBinaryOperation::ContainsAggregate() const {
    return TExprChain::ContainsAggregate(*this);
}

std::string TBinaryOperation::AsText() const {
    return TExprChain::Text(*this);
}

TProgramValue TBinaryOperation::Emit(TProgramBuilder& builder) {
    return TExprChain::EmitLink(*this, left_.get(), builder);
}

void TBinaryOperation::Check() {
    if (!left_)
        RaiseParserError(msg::SErrNoLeftOperand, {ClassName()});
    if (!right_)
        RaiseParserError(msg::SErrNoRightOperand, {ClassName()});
}

void TBinaryOperation::RequireSameTypes() const {
    const TResultType left = left_ ? left_->NodeResultType() : rtBoolean;
    const TResultType right = right_ ? right_->NodeResultType() : rtBoolean;
    if (left != right) {
        RaiseParserError(msg::SErrTypesDoNotMatch,
                         {TypeNameOf(left), TypeNameOf(right), left_ ? left_->AsText() : "",
                          right_ ? right_->AsText() : ""});
    }
}

void TBinaryOperation::RaiseMissingChainOperand() const {
    RaiseParserError(msg::SErrNoLeftOperand, {ClassName()});
}

void TBinaryOperation::CompleteValue(TExpressionResult& result) {
    if (!right_)
        RaiseParserError(msg::SErrNoRightOperand, {ClassName()});
    TExpressionResult right;
    right_->ComputeValue(right);
    Combine(result, right);
}

// Every Combine sets the node's own type, so a link that has to run through
// the tree still has a known type.
TProgramValue TBinaryOperation::EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                               const TProgramBuilder::TMark& start) {
    if (!first.Dynamic && right_) {
        const TProgramValue right = right_->Emit(builder);
        if (!right.Dynamic && TProgramBuilder::TextsAllow(NodeResultType(), first.Type, right.Type))
            return builder.Binary(*this, FastCombine(first.Type, right.Type), first, right);
    }
    builder.Rollback(start);
    return builder.TreeCall(*this, true, NodeResultType());
}

void TBinaryOperation::CompleteText(std::string& text) const {
    text += OperatorText();
    if (right_)
        text += right_->AsText();
}

// --- TUnaryOperator --------------------------------------------------------

TUnaryOperator::TUnaryOperator(TExprNodePtr operand)
    : operand_(std::move(operand)),
      operandType_(operand_ ? operand_->NodeResultType() : rtBoolean) {}

TUnaryOperator::~TUnaryOperator() {
    TExprChain::Dismantle(std::move(operand_));
}

void TUnaryOperator::ComputeValue(TExpressionResult& result) {
    TExprChain::ComputeLink(*this, operand_.get(), result);
}

void TUnaryOperator::ResetAggregate() {
    TExprChain::Reset(*this);
}

void TUnaryOperator::AccumulateAggregate() {
    TExprChain::Accumulate(*this);
}

bool TUnaryOperator::ContainsAggregate() const {
    return TExprChain::ContainsAggregate(*this);
}

std::string TUnaryOperator::AsText() const {
    return TExprChain::Text(*this);
}

TProgramValue TUnaryOperator::Emit(TProgramBuilder& builder) {
    return TExprChain::EmitLink(*this, operand_.get(), builder);
}

void TUnaryOperator::Check() {
    if (!operand_)
        RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

TProgramValue TUnaryOperator::EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                             const TProgramBuilder::TMark& start) {
    if (!first.Dynamic && TProgramBuilder::TextsAllow(NodeResultType(), first.Type))
        return builder.Unary(*this, FastComplete(first.Type), first);
    builder.Rollback(start);
    return builder.TreeCall(*this, true, NodeResultType());
}

void TUnaryOperator::RaiseMissingChainOperand() const {
    RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

} // namespace orvex::engine
