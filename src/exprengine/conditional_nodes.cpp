#include "exprengine/conditional_nodes.h"

#include "exprengine/comparison_nodes.h"
#include "exprengine/const_node.h"
#include "exprengine/errors.h"

#include <algorithm>

namespace orvex::engine {
namespace {

TExprNode& Present(const TExprNodePtr& node) {
    if (!node)
        RaiseParserError(msg::SErrNoNodeToCheck);
    return *node;
}

} // namespace

// --- TIfOperation ----------------------------------------------------------

TIfOperation::TIfOperation(TExprNodePtr condition, TExprNodePtr whenTrue, TExprNodePtr whenFalse)
    : TBinaryOperation(std::move(whenTrue), std::move(whenFalse)),
      condition_(std::move(condition)) {}

TIfOperation::~TIfOperation() = default;

void TIfOperation::ComputeValue(TExpressionResult& result) {
    Present(condition_).ComputeValue(result);
    const bool whenTrue = result.BooleanValue();
    TExprNode* branch = whenTrue ? Left() : Right();
    if (branch == nullptr)
        RaiseParserError(whenTrue ? msg::SErrNoLeftOperand : msg::SErrNoRightOperand,
                         {ClassName()});
    branch->ComputeValue(result);
}

// A constant condition leaves only its branch; otherwise both branches are
// emitted behind a jump, so only the chosen one runs.
TProgramValue TIfOperation::Emit(TProgramBuilder& builder) {
    if (!condition_ || Left() == nullptr || Right() == nullptr)
        return TExprNode::Emit(builder);
    const TProgramBuilder::TMark start = builder.Mark();
    const TProgramValue condition = condition_->Emit(builder);
    if (condition.Dynamic || condition.Type == rtString) {
        builder.Rollback(start);
        return TExprNode::Emit(builder);
    }
    if (condition.Constant) {
        TExpressionResult value;
        value.SetPayload(condition.Payload);
        return (value.BooleanValue() ? Left() : Right())->Emit(builder);
    }
    return builder.Conditional(*this, condition, *Left(), *Right(), start);
}

void TIfOperation::Check() {
    TBinaryOperation::Check();
    const TExprNode& condition = Present(condition_);
    if (condition.NodeResultType() != rtBoolean)
        RaiseParserError(msg::SErrIfNeedsBoolean, {condition.AsText()});
    RequireSameTypes();
}

// The aggregate operations visit both branches before the condition,
// although evaluation and the text take the condition first; with aggregates
// that read a shared source, the order decides which of them sees what.
void TIfOperation::ResetAggregate() {
    for (TExprNode* node : {Left(), Right(), condition_.get()}) {
        if (node != nullptr)
            node->ResetAggregate();
    }
}

void TIfOperation::AccumulateAggregate() {
    for (TExprNode* node : {Left(), Right(), condition_.get()}) {
        if (node != nullptr)
            node->AccumulateAggregate();
    }
}

bool TIfOperation::ContainsAggregate() const {
    for (const TExprNode* node : {Left(), Right(), condition_.get()}) {
        if (node != nullptr && node->ContainsAggregate())
            return true;
    }
    return false;
}

std::string TIfOperation::AsText() const {
    std::string text = "if(";
    for (const TExprNode* part : {condition_.get(), Left(), Right()}) {
        if (part != condition_.get())
            text += " , ";
        if (part != nullptr)
            text += part->AsText();
    }
    text += ')';
    return text;
}

// --- TCaseOperation --------------------------------------------------------

TCaseOperation::TCaseOperation(TExprArgumentArray arguments)
    : arguments_(std::move(arguments)),
      resultType_(arguments_.size() > 1 && arguments_[1] ? arguments_[1]->NodeResultType()
                                                         : rtBoolean) {}

TCaseOperation::~TCaseOperation() = default;

// Labels are compared with the selector by the selector's type, as "="
// does; labels after the first match are not evaluated. Below the root no
// check ran, so a label without a value falls back to the default.
void TCaseOperation::ComputeValue(TExpressionResult& result) {
    const std::size_t count = arguments_.size();
    if (count < 2)
        RaiseParserError(msg::SErrCaseNeeds3);
    TExpressionResult selector;
    Present(arguments_[0]).ComputeValue(selector);
    std::size_t chosen = 1;
    for (std::size_t label = 2; label < count; label += 2) {
        TExpressionResult value;
        Present(arguments_[label]).ComputeValue(value);
        if (SameValue(selector, value)) {
            if (label + 1 < count)
                chosen = label + 1;
            break;
        }
    }
    result.ValueType = resultType_;
    Present(arguments_[chosen]).ComputeValue(result);
}

void TCaseOperation::Check() {
    const std::size_t count = arguments_.size();
    if (count < 3)
        RaiseParserError(msg::SErrCaseNeeds3);
    if (count % 2 != 0)
        RaiseParserError(msg::SErrCaseEvenCount);
    const TResultType selectorType = Present(arguments_[0]).NodeResultType();
    const TResultType valueType = Present(arguments_[1]).NodeResultType();
    for (std::size_t index = 2; index < count; ++index) {
        const TExprNode& argument = Present(arguments_[index]);
        const TResultType type = argument.NodeResultType();
        if (index % 2 == 0) {
            const int label = static_cast<int>(index / 2);
            if (dynamic_cast<const TConstExpression*>(&argument) == nullptr)
                RaiseParserError(msg::SErrCaseLabelNotAConst, {label, argument.AsText()});
            if (type != selectorType) {
                RaiseParserError(
                    msg::SErrCaseLabelType,
                    {label, argument.AsText(), TypeNameOf(selectorType), TypeNameOf(type)});
            }
        } else if (type != valueType) {
            RaiseParserError(msg::SErrCaseValueType,
                             {static_cast<int>((index - 1) / 2), argument.AsText(),
                              TypeNameOf(valueType), TypeNameOf(type)});
        }
    }
}

void TCaseOperation::ResetAggregate() {
    for (const auto& argument : arguments_) {
        if (argument)
            argument->ResetAggregate();
    }
}

void TCaseOperation::AccumulateAggregate() {
    for (const auto& argument : arguments_) {
        if (argument)
            argument->AccumulateAggregate();
    }
}

bool TCaseOperation::ContainsAggregate() const {
    return std::any_of(arguments_.begin(), arguments_.end(), [](const auto& argument) {
        return argument && argument->ContainsAggregate();
    });
}

std::string TCaseOperation::AsText() const {
    std::string text = "Case(";
    for (std::size_t index = 0; index < arguments_.size(); ++index) {
        if (index > 0)
            text += ", ";
        if (arguments_[index])
            text += arguments_[index]->AsText();
    }
    return text + ")";
}

} // namespace orvex::engine
