// The aggregate functions count, sum, avg, min and max. A host drives them:
// ResetAggregate on the root once, AccumulateAggregate on the root once per
// data record (with the variables set for it), then Evaluate.
#pragma once

#include "exprengine/function_nodes.h"

#include <cstdint>

namespace orvex::engine {

class TAggregateExpr : public TExprFunction {
  public:
    using TExprFunction::TExprFunction;

    bool IsAggregateNode() const override { return true; }
    // The running result; before the first reset it is all zero (the
    // boolean false).
    void ComputeValue(TExpressionResult& result) override { result = accumulator_; }
    // The type the aggregate's value has: that of its argument.
    TResultType NodeResultType() const override;

    const TExpressionResult& Accumulator() const { return accumulator_; }

  protected:
    // Argument 0, or null for count.
    TExprNode* Argument() const;
    // Starts a new run holding zero of the argument's type.
    void ResetAccumulator();
    // Evaluates the argument.
    TExpressionResult ArgumentValue() const;

    TExpressionResult accumulator_;
};

// The number of accumulations.
class TAggregateCount : public TAggregateExpr {
  public:
    using TAggregateExpr::TAggregateExpr;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    TResultType NodeResultType() const override { return rtInteger; }
    std::string_view ClassName() const override { return "TAggregateCount"; }
};

// The sum in the argument's type; integer, float and currency arguments are
// taken as they are, without conversion.
class TAggregateSum : public TAggregateExpr {
  public:
    using TAggregateExpr::TAggregateExpr;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    void ConvertArgument(int argumentNumber, TExprNodePtr& argument, TResultType expected) override;
    std::string_view ClassName() const override { return "TAggregateSum"; }
};

// The mean: a float for integer and float sums, currency rounded to the
// nearest ten-thousandth (halves to even) for currency sums; 0 without values.
class TAggregateAvg : public TAggregateSum {
  public:
    using TAggregateSum::TAggregateSum;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    void ComputeValue(TExpressionResult& result) override;
    TResultType NodeResultType() const override;
    std::string_view ClassName() const override { return "TAggregateAvg"; }

    std::int64_t ValueCount() const { return valueCount_; }

  private:
    std::int64_t valueCount_ = 0;
};

// The smallest value taken; the first value of a run is taken unconditionally.
class TAggregateMin : public TAggregateExpr {
  public:
    using TAggregateExpr::TAggregateExpr;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    std::string_view ClassName() const override { return "TAggregateMin"; }

    bool AwaitingFirst() const { return awaitingFirst_; }

  private:
    bool awaitingFirst_ = true;
};

class TAggregateMax : public TAggregateExpr {
  public:
    using TAggregateExpr::TAggregateExpr;
    void ResetAggregate() override;
    void AccumulateAggregate() override;
    std::string_view ClassName() const override { return "TAggregateMax"; }

    bool AwaitingFirst() const { return awaitingFirst_; }

  private:
    bool awaitingFirst_ = true;
};

} // namespace orvex::engine
