#include "exprengine/expr_chain.h"

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
    std::array<TNode*, 8> inline_; // the first count_ are set
    std::vector<TNode*> more_;
    std::size_t count_ = 0;
};

} // namespace

void TExprChain::Compute(TExprNode& top, TExpressionResult& result) {
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

std::string TExprChain::Text(const TExprNode& top) {
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

void TExprChain::Reset(TExprNode& top) {
    ApplyAlong(top, &TExprNode::ResetAggregate);
}

void TExprChain::Accumulate(TExprNode& top) {
    ApplyAlong(top, &TExprNode::AccumulateAggregate);
}

// The links' own aggregate operation is this walk, so it is not called on
// them again: only the bottom operand and the other operands are visited.
void TExprChain::ApplyAlong(TExprNode& top, void (TExprNode::*operation)()) {
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

bool TExprChain::ContainsAggregate(const TExprNode& top) {
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

void TExprChain::Dismantle(TExprNodePtr first) {
    // A first child that is no link has no chain below it to unlink.
    if (first && !first->IsChainLink())
        return;
    while (first) {
        TExprNodePtr next = first->DetachFirstChild();
        first.reset(); // its own first child is gone, so this does not recurse deeply
        first = std::move(next);
    }
}

TProgramValue TExprChain::Emit(TExprNode& top, TProgramBuilder& builder) {
    const TProgramBuilder::TMark start = builder.Mark();
    // A chain of two links, such as a product whose first factor is
    // converted, needs no list of its links either.
    if (TExprNode* second = top.ChainOperand(); second != nullptr && second->IsChainLink()) {
        TExprNode* bottom = second->ChainOperand();
        if (bottom != nullptr && !bottom->IsChainLink()) {
            const TProgramValue value = bottom->Emit(builder);
            return top.EmitCompletion(builder, second->EmitCompletion(builder, value, start),
                                      start);
        }
    }
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

} // namespace orvex::engine
