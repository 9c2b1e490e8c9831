// Walking operator chains without recursion.
//
// A chain link is a node whose value starts as the value of its first
// operand, computed into the caller's own record, and is then completed in
// place: the binary operators (their left operand), the signs, "not" and the
// conversions. A flat sum of 100,000 terms parses into one chain of 100,000
// links down the left side, so every walk that would recurse into the first
// operand instead collects the links top-down in a loop and then visits them
// bottom-up. The stack depth then depends only on how deeply the text nests
// (parentheses, argument lists, exponents), which the parser limits.
//
// The walks reach the links only through the chain hooks of TExprNode
// (IsChainLink, ChainOperand, CompleteValue, CompleteText, OtherOperand,
// DetachFirstChild, RaiseMissingChainOperand and EmitCompletion); the
// operand at the bottom and the other operands get the ordinary operations.
// Each walk has the visible effect that the plain recursive walk would
// have: the same values, texts and errors, in the same order.
#pragma once

#include "exprengine/compiled_program.h"
#include "exprengine/expr_node.h"
#include "exprengine/expression_result.h"

#include <string>

namespace orvex::engine {

class TExprChain {
  public:
    TExprChain() = delete;

    // The value of the chain that starts at the link top. The first link
    // without a first operand raises its missing-operand error, as its own
    // computation would when reached by recursion.
    static void Compute(TExprNode& top, TExpressionResult& result);

    // Compute for a link whose first operand is first. Most links have a
    // first operand that is no link itself (a constant, a variable, a
    // call); that chain is this link alone and needs no walk.
    static void ComputeLink(TExprNode& link, TExprNode* first, TExpressionResult& result) {
        if (first != nullptr && !first->IsChainLink()) {
            first->ComputeValue(result);
            link.CompleteValue(result);
        } else {
            Compute(link, result);
        }
    }

    // The chain written back as text. A missing operand contributes no
    // text rather than an error: texts go into error messages, among them
    // the message about that very operand.
    static std::string Text(const TExprNode& top);

    // The aggregate operations along the chain: the bottom operand's
    // subtree first, then each link's other operand bottom-up, the order of
    // a recursive walk that visits the first operand before the other.
    static void Reset(TExprNode& top);
    static void Accumulate(TExprNode& top);

    // Whether a link of the chain, or the subtree of any operand, is an
    // aggregate. Only a yes or no is asked, so the walk goes top-down and
    // stops at the first aggregate.
    static bool ContainsAggregate(const TExprNode& top);

    // Destroys what a link owned as its first operand, unlinking it from the
    // top of the chain down, so that no destructor recurses along the
    // chain. Other operands are destroyed the ordinary way: they nest only
    // as deeply as the text.
    static void Dismantle(TExprNodePtr first);

    // Emits the chain bottom-up: the bottom operand, then what completes
    // each link. A link that has to run through the tree rolls the builder
    // back to where the chain's code began, since the tree then computes
    // everything below that link itself; a link without its first operand
    // leaves the whole chain to the tree, which raises the error at run time.
    static TProgramValue Emit(TExprNode& top, TProgramBuilder& builder);

    // Emit for a link whose first operand is first; as with ComputeLink, a
    // first operand that is no link needs no walk.
    static TProgramValue EmitLink(TExprNode& link, TExprNode* first, TProgramBuilder& builder) {
        if (first != nullptr && !first->IsChainLink()) {
            const TProgramBuilder::TMark start = builder.Mark();
            const TProgramValue value = first->Emit(builder);
            return link.EmitCompletion(builder, value, start);
        }
        return Emit(link, builder);
    }

  private:
    static void ApplyAlong(TExprNode& top, void (TExprNode::*operation)());
};

} // namespace orvex::engine
