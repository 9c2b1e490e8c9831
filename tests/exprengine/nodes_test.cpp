#include "engine_test_support.h"

#include "exprengine/arithmetic.h"
#include "exprengine/boolean_nodes.h"
#include "exprengine/comparison_nodes.h"
#include "exprengine/const_node.h"
#include "exprengine/convert_nodes.h"
#include "exprengine/math_nodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace orvex::engine {
namespace {

using test::ErrorOf;

TExprNodePtr Float(double value) {
    return TConstExpression::CreateFloat(value);
}
TExprNodePtr Int(std::int64_t value) {
    return TConstExpression::CreateInteger(value);
}
TExprNodePtr Currency(std::int64_t scaled) {
    return std::make_unique<TConstExpression>(TExpressionResult::Currency(scaled));
}

TExpressionResult Compute(TExprNode& node) {
    TExpressionResult result;
    node.ComputeValue(result);
    return result;
}

template <typename Node> bool Compare(double left, double right) {
    Node node(Float(left), Float(right));
    return Compute(node).BooleanValue();
}

TEST(Nodes, ComparisonsWithNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [left, right] :
         {std::pair{nan, 1.0}, std::pair{1.0, nan}, std::pair{nan, nan}}) {
        EXPECT_FALSE(Compare<TLessThanOperation>(left, right));
        EXPECT_FALSE(Compare<TGreaterThanOperation>(left, right));
        EXPECT_FALSE(Compare<TEqualOperation>(left, right));
        EXPECT_TRUE(Compare<TLessThanEqualOperation>(left, right));
        EXPECT_TRUE(Compare<TGreaterThanEqualOperation>(left, right));
        EXPECT_TRUE(Compare<TUnequalOperation>(left, right));
    }
}

TEST(Nodes, NaNAndInfinityFromOperandsTravelWithoutFault) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TAddOperation sum(Float(nan), Float(1.0));
    EXPECT_TRUE(std::isnan(Compute(sum).FloatValue()));
    TMultiplyOperation product(Float(inf), Float(2.0));
    EXPECT_EQ(Compute(product).FloatValue(), inf);
    TSubtractOperation difference(Float(inf), Float(inf)); // NaN from non-NaN operands
    EXPECT_EQ(ErrorOf([&] { Compute(difference); }), "Invalid floating point operation");
    TDivideOperation quotient(Float(1.0), Float(nan)); // a NaN divisor is not zero
    EXPECT_TRUE(std::isnan(Compute(quotient).FloatValue()));
    TDivideOperation byNegativeZero(Float(1.0), Float(-0.0));
    EXPECT_EQ(ErrorOf([&] { Compute(byNegativeZero); }), "rtFloat division by zero");
}

TEST(Nodes, CurrencyArithmetic) {
    TMultiplyOperation product(Currency(25000), Currency(-30000)); // 2.5 * -3
    EXPECT_EQ(Compute(product).CurrencyValue(), -75000);
    EXPECT_EQ(product.NodeResultType(), rtCurrency);
    TMultiplyOperation truncated(Currency(1), Currency(5000)); // 0.0001 * 0.5
    EXPECT_EQ(Compute(truncated).CurrencyValue(), 0);
    TDivideOperation quotient(Currency(10000), Currency(30000)); // 1 / 3
    EXPECT_EQ(Compute(quotient).CurrencyValue(), 3333);
    EXPECT_EQ(quotient.NodeResultType(), rtCurrency);
    TDivideOperation byZero(Currency(10000), Currency(0));
    EXPECT_EQ(ErrorOf([&] { Compute(byZero); }), "rtCurrency division by zero");
    TPowerOperation power(Currency(20000), Int(3)); // currency taken at its amount
    EXPECT_EQ(Compute(power).FloatValue(), 8.0);
    TAddOperation sum(Currency(std::numeric_limits<std::int64_t>::max()), Currency(1));
    EXPECT_EQ(Compute(sum).CurrencyValue(), std::numeric_limits<std::int64_t>::min());
}

TEST(Nodes, ConversionsAndTheirTable) {
    TIntToCurrencyNode toCurrency(Int(3));
    EXPECT_EQ(Compute(toCurrency).CurrencyValue(), 30000);
    TCurrencyToFloatNode toFloat(Currency(12345));
    EXPECT_EQ(Compute(toFloat).FloatValue(), 1.2345);
    TFloatToCurrencyNode tooLarge(Float(1e305));
    EXPECT_EQ(ErrorOf([&] { Compute(tooLarge); }), "Floating point overflow");
    TFloatToCurrencyNode outOfRange(Float(1e16));
    EXPECT_EQ(ErrorOf([&] { Compute(outOfRange); }), "Invalid floating point operation");
    TFloatToDateTimeNode toDate(Float(2.5));
    EXPECT_EQ(Compute(toDate).ValueType, rtDateTime);
    EXPECT_EQ(Compute(toDate).DateTimeValue(), 2.5);

    // Pairs without a conversion come back unwrapped.
    TExprNode* text = nullptr;
    TExprNodePtr string = TConstExpression::CreateString("a");
    text = string.get();
    EXPECT_EQ(ConvertTo(std::move(string), rtFloat).get(), text);
    TExprNodePtr real = Float(1.5);
    TExprNode* realNode = real.get();
    EXPECT_EQ(ConvertTo(std::move(real), rtInteger).get(), realNode);
    EXPECT_EQ(ConvertTo(Int(1), rtCurrency)->ClassName(), "TIntToCurrencyNode");
    EXPECT_EQ(ConvertTo(Currency(1), rtDateTime)->ClassName(), "TCurrencyToDateTimeNode");
    EXPECT_EQ(ConvertTo(Float(1), rtCurrency)->AsText(), " 1.00000000000000E+000");
}

TEST(Nodes, RoundingHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(FloatToCurrency(0.00025), 2); // scaled exactly 2.5
    EXPECT_EQ(FloatToCurrency(0.00035), 4); // scaled exactly 3.5
    EXPECT_EQ(DivideHalfEven(5, 2), 2);
    EXPECT_EQ(DivideHalfEven(7, 2), 4);
    EXPECT_EQ(DivideHalfEven(-5, 2), -2);
    EXPECT_EQ(DivideHalfEven(-7, 2), -4);
    EXPECT_EQ(DivideHalfEven(10, 3), 3);
    EXPECT_EQ(DivideHalfEven(-11, 3), -4);
    EXPECT_EQ(DivideHalfEven(std::numeric_limits<std::int64_t>::min(), 3), -3074457345618258603);
}

TEST(Nodes, MissingOperandsAreReportedNotDereferenced) {
    TAddOperation noLeft(nullptr, Int(1));
    EXPECT_EQ(ErrorOf([&] { noLeft.Check(); }),
              "No left operand for binary operation TAddOperation");
    EXPECT_EQ(ErrorOf([&] { Compute(noLeft); }),
              "No left operand for binary operation TAddOperation");
    TLessThanOperation noRight(Int(1), nullptr);
    EXPECT_EQ(ErrorOf([&] { noRight.Check(); }), "Internal error: No node to check !");
    TEqualOperation noRightEqual(Int(1), nullptr);
    EXPECT_EQ(ErrorOf([&] { noRightEqual.Check(); }),
              "No right operand for binary operation TEqualOperation");
    EXPECT_EQ(ErrorOf([&] { Compute(noRightEqual); }),
              "No right operand for binary operation TEqualOperation");
    TNegateOperation noOperand(nullptr);
    EXPECT_EQ(ErrorOf([&] { noOperand.Check(); }),
              "No operand for unary operation TNegateOperation");
    EXPECT_EQ(ErrorOf([&] { Compute(noOperand); }),
              "No operand for unary operation TNegateOperation");
    TIntToFloatNode noInteger(nullptr);
    EXPECT_EQ(ErrorOf([&] { noInteger.Check(); }),
              "No operand for unary operation TIntToFloatNode");
    TFloatToCurrencyNode noFloat(nullptr);
    EXPECT_EQ(ErrorOf([&] { noFloat.Check(); }), "Internal error: No node to check !");
    TPowerOperation noBase(nullptr, Int(2));
    EXPECT_EQ(ErrorOf([&] { noBase.Check(); }), "Internal error: No node to check !");
    EXPECT_EQ(noLeft.AsText(), " + 1"); // rendering never fails
}

// Below the top of a chain: evaluation raises the missing operand's error of
// the topmost link that lacks one, and the text leaves the gap empty.
TEST(Nodes, MissingOperandsInsideAChain) {
    struct TCase {
        std::function<TExprNodePtr()> make;
        std::string error;
        std::string text;
    };
    const TCase cases[] = {
        {[] {
             return std::make_unique<TMultiplyOperation>(
                 std::make_unique<TAddOperation>(nullptr, Int(1)), Int(2));
         },
         "No left operand for binary operation TAddOperation", " + 1 * 2"},
        {[] {
             return std::make_unique<TAddOperation>(
                 std::make_unique<TSubtractOperation>(Int(1), nullptr), Int(2));
         },
         "No right operand for binary operation TSubtractOperation", "1 -  + 2"},
        {[] {
             return std::make_unique<TAddOperation>(std::make_unique<TNegateOperation>(nullptr),
                                                    Int(1));
         },
         "No operand for unary operation TNegateOperation", "- + 1"},
        {[] {
             return std::make_unique<TNotNode>(std::make_unique<TIntToFloatNode>(
                 std::make_unique<TAddOperation>(nullptr, nullptr)));
         },
         "No left operand for binary operation TAddOperation", "not  + "},
    };
    for (const TCase& c : cases) {
        const TExprNodePtr chain = c.make();
        EXPECT_EQ(ErrorOf([&] { Compute(*chain); }), c.error) << c.text;
        EXPECT_EQ(chain->AsText(), c.text);
        EXPECT_FALSE(chain->ContainsAggregate());
        chain->ResetAggregate(); // the walks step over the gaps
        chain->AccumulateAggregate();
    }
}

} // namespace
} // namespace orvex::engine
