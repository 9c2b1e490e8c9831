#include "exprengine/expr_node.h"

#include "exprengine/errors.h"

#include <vector>

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

void TExprNode::ComputeChain(TExprNode& top, TExpressionResult& result) {
    std::vector<TExprNode*> links;
    TExprNode* node = &top;
    while (node->IsChainLink()) {
        links.push_back(node);
        TExprNode* operand = node->ChainOperand();
        if (operand == nullptr)
            node->RaiseMissingChainOperand();
        node = operand;
    }
    node->ComputeValue(result);
    for (auto link = links.rbegin(); link != links.rend(); ++link)
        (*link)->CompleteValue(result);
}

std::string TExprNode::ChainText(const TExprNode& top) {
    std::vector<const TExprNode*> links;
    const TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        links.push_back(node);
        node = node->ChainOperand();
    }
    std::string text = node != nullptr ? node->AsText() : std::string();
    for (auto link = links.rbegin(); link != links.rend(); ++link)
        (*link)->CompleteText(text);
    return text;
}

// The aggregate walks visit the first operand's subtree before the other
// operand, as a recursive walk would.
void TExprNode::ResetChain(TExprNode& top) {
    std::vector<TExprNode*> links;
    TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        links.push_back(node);
        node = node->ChainOperand();
    }
    if (node != nullptr)
        node->ResetAggregate();
    for (auto link = links.rbegin(); link != links.rend(); ++link) {
        if (TExprNode* other = (*link)->OtherOperand())
            other->ResetAggregate();
    }
}

void TExprNode::AccumulateChain(TExprNode& top) {
    std::vector<TExprNode*> links;
    TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        links.push_back(node);
        node = node->ChainOperand();
    }
    if (node != nullptr)
        node->AccumulateAggregate();
    for (auto link = links.rbegin(); link != links.rend(); ++link) {
        if (TExprNode* other = (*link)->OtherOperand())
            other->AccumulateAggregate();
    }
}

bool TExprNode::ChainContainsAggregate(const TExprNode& top) {
    const TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        if (node->IsAggregateNode())
            return true;
        const TExprNode* other = node->OtherOperand();
        if (other != nullptr && other->ContainsAggregate())
            return true;
        node = node->ChainOperand();
    }
    return node != nullptr && node->ContainsAggregate();
}

void TExprNode::DismantleChain(std::unique_ptr<TExprNode> first) {
    while (first) {
        std::unique_ptr<TExprNode> next = first->DetachFirstChild();
        first.reset(); // its own first child is gone, so this does not recurse deeply
        first = std::move(next);
    }
}

// --- TBinaryOperation ------------------------------------------------------

TBinaryOperation::TBinaryOperation(TExprNodePtr left, TExprNodePtr right)
    : left_(std::move(left)), right_(std::move(right)),
      leftType_(left_ ? left_->NodeResultType() : rtBoolean),
      rightType_(right_ ? right_->NodeResultType() : rtBoolean) {}

TBinaryOperation::~TBinaryOperation() {
    DismantleChain(std::move(left_));
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
    DismantleChain(std::move(operand_));
}

void TUnaryOperator::Check() {
    if (!operand_)
        RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

void TUnaryOperator::RaiseMissingChainOperand() const {
    RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

} // namespace orvex::engine
