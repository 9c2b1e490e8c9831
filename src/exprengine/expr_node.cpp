#include "exprengine/expr_node.h"

#include "exprengine/errors.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvex::engine {
namespace {

// The links of one chain, top first. Most chains are a few links long, so
// the first ones are kept on the stack and only long chains allocate.
template <typename TNode> class TChainLinks {
  public:
    void Add(TNode* link) {
        if (count_ < inline_.size())
            inline_[count_] = link;
        else
            more_.push_back(link);
        ++count_;
    }
    // Visits the links bottom-up, the order in which they complete.
    template <typename TVisit> void VisitBottomUp(TVisit visit) const {
        for (auto link = more_.rbegin(); link != more_.rend(); ++link)
            visit(*link);
        for (std::size_t i = std::min(count_, inline_.size()); i > 0; --i)
            visit(inline_[i - 1]);
    }

  private:
    std::array<TNode*, 8> inline_{};
    std::vector<TNode*> more_;
    std::size_t count_ = 0;
};

} // namespace

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
    TChainLinks<TExprNode> links;
    TExprNode* node = &top;
    while (node->IsChainLink()) {
        links.Add(node);
        TExprNode* operand = node->ChainOperand();
        if (operand == nullptr)
            node->RaiseMissingChainOperand();
        node = operand;
    }
    node->ComputeValue(result);
    links.VisitBottomUp([&result](TExprNode* link) { link->CompleteValue(result); });
}

std::string TExprNode::ChainText(const TExprNode& top) {
    TChainLinks<const TExprNode> links;
    const TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        links.Add(node);
        node = node->ChainOperand();
    }
    std::string text = node != nullptr ? node->AsText() : std::string();
    links.VisitBottomUp([&text](const TExprNode* link) { link->CompleteText(text); });
    return text;
}

// The aggregate walks visit the first operand's subtree before the other
// operand, as a recursive walk would.
void TExprNode::ApplyAlongChain(TExprNode& top, void (TExprNode::*operation)()) {
    TChainLinks<TExprNode> links;
    TExprNode* node = &top;
    while (node != nullptr && node->IsChainLink()) {
        links.Add(node);
        node = node->ChainOperand();
    }
    if (node != nullptr)
        (node->*operation)();
    links.VisitBottomUp([operation](TExprNode* link) {
        if (TExprNode* other = link->OtherOperand())
            (other->*operation)();
    });
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
    // A first child that is no link has no chain below it to unlink.
    if (first && !first->IsChainLink())
        return;
    while (first) {
        std::unique_ptr<TExprNode> next = first->DetachFirstChild();
        first.reset(); // its own first child is gone, so this does not recurse deeply
        first = std::move(next);
    }
}

TProgramValue TExprNode::Emit(TProgramBuilder& builder) {
    return builder.TreeCall(*this, false, NodeResultType());
}

TProgramValue TExprNode::EmitChain(TExprNode& top, TProgramBuilder& builder) {
    const TProgramBuilder::TMark start = builder.Mark();
    TChainLinks<TExprNode> links;
    TExprNode* node = &top;
    while (node->IsChainLink()) {
        links.Add(node);
        TExprNode* operand = node->ChainOperand();
        if (operand == nullptr) // the tree raises the missing operand's error
            return builder.TreeCall(top, true, top.NodeResultType());
        node = operand;
    }
    TProgramValue value = node->Emit(builder);
    links.VisitBottomUp(
        [&](TExprNode* link) { value = link->EmitCompletion(builder, value, start); });
    return value;
}

// Only chain links complete a first operand.
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

// Every Combine sets the node's own type, so a link that has to run through
// the tree still has a known type.
TProgramValue TBinaryOperation::EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                               const TProgramBuilder::TMark& start) {
    if (!first.dynamic && right_) {
        const TProgramValue right = right_->Emit(builder);
        if (!right.dynamic && TProgramBuilder::TextsAllow(NodeResultType(), first.type, right.type))
            return builder.Binary(*this, FastCombine(first.type, right.type), first, right);
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
    DismantleChain(std::move(operand_));
}

void TUnaryOperator::Check() {
    if (!operand_)
        RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

TProgramValue TUnaryOperator::EmitCompletion(TProgramBuilder& builder, const TProgramValue& first,
                                             const TProgramBuilder::TMark& start) {
    if (!first.dynamic && TProgramBuilder::TextsAllow(NodeResultType(), first.type))
        return builder.Unary(*this, FastComplete(first.type), first);
    builder.Rollback(start);
    return builder.TreeCall(*this, true, NodeResultType());
}

void TUnaryOperator::RaiseMissingChainOperand() const {
    RaiseParserError(msg::SErrNoOperand, {ClassName()});
}

} // namespace orvex::engine
