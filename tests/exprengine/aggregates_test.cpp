#include "engine_test_support.h"

#include "exprengine/aggregate_nodes.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/errors.h"
#include "exprengine/parser.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvex::engine {
namespace {

using test::ErrorOf;
using test::Show;

// A host that evaluates one expression over a table of records: reset once,
// accumulate per record with the variables set for it, then evaluate.
class RecordHost {
  public:
    RecordHost() {
        parser_.SetBuiltIns({bcAggregate, bcMath});
        amount_ = &parser_.Identifiers().AddFloatVariable("amount", 0);
        units_ = &parser_.Identifiers().AddVariable("units", rtInteger, "0");
    }

    std::string Run(std::string_view expression, const std::vector<std::pair<double, int>>& rows) {
        try {
            parser_.SetExpression(expression);
            TExprNode& root = *parser_.Root();
            root.ResetAggregate();
            for (const auto& [amount, units] : rows) {
                amount_->ValueRecord().SetFloatValue(amount);
                units_->ValueRecord().SetIntegerValue(units);
                root.AccumulateAggregate();
            }
            return Show(parser_.Evaluate());
        } catch (const formatting::Error& error) {
            return "E:" + error.Message();
        }
    }

    TExpressionParser& Parser() { return parser_; }

  private:
    TExpressionParser parser_;
    TExprIdentifierDef* amount_;
    TExprIdentifierDef* units_;
};

const std::vector<std::pair<double, int>> Rows{{2.5, 1}, {-1.0, 2}, {4.0, 4}};

TEST(Aggregates, DrivenOverRecords) {
    RecordHost host;
    EXPECT_EQ(host.Run("count", Rows), "I:3");
    EXPECT_EQ(host.Run("sum(amount)", Rows), "F:5.5");
    EXPECT_EQ(host.Run("sum(units)", Rows), "I:7"); // the argument's own type
    EXPECT_EQ(host.Run("avg(units)", Rows), "F:2.3333333333333335");
    EXPECT_EQ(host.Run("avg(amount)", Rows), "F:1.8333333333333333");
    EXPECT_EQ(host.Run("min(amount)", Rows), "F:-1");
    EXPECT_EQ(host.Run("max(units)", Rows), "F:4"); // converted to float at the root
    EXPECT_EQ(host.Run("sum(amount) / count", Rows), "F:1.8333333333333333");
    EXPECT_EQ(host.Run("sum(units) * 2 + 1", Rows), "I:15");
    EXPECT_EQ(host.Run("if(count > 2, max(amount), 0.0)", Rows), "F:4");
    EXPECT_EQ(host.Run("min(amount)", {{7.5, 0}}), "F:7.5"); // one value: that value
    EXPECT_EQ(host.Run("avg(amount)", {}), "F:0");
    EXPECT_EQ(host.Run("avg(units)", {}), "F:0");
    EXPECT_EQ(host.Run("count", {}), "I:0");
}

TEST(Aggregates, ANewResetStartsAgain) {
    RecordHost host;
    EXPECT_EQ(host.Run("sum(units) + count", Rows), "I:10");
    TExprNode& root = *host.Parser().Root();
    root.ResetAggregate();
    EXPECT_EQ(Show(host.Parser().Evaluate()), "I:0");
    root.AccumulateAggregate();
    EXPECT_EQ(Show(host.Parser().Evaluate()), "I:5"); // units is still 4
}

TEST(Aggregates, WithoutResetTheAccumulatorIsAllZero) {
    TExpressionParser parser;
    parser.SetBuiltIns({bcAggregate});
    parser.Identifiers().AddFloatVariable("x", 1);
    parser.SetExpression("sum(x)");
    EXPECT_EQ(Show(parser.Evaluate()), "B:false");
}

TEST(Aggregates, ContainsAggregateLooksThroughEveryNodeKind) {
    TExpressionParser parser;
    parser.SetBuiltIns({bcAggregate});
    parser.Identifiers().AddFloatVariable("x", 1);
    parser.Identifiers().AddFunction(
        "f", 'F', "F", [](TExpressionResult& result, const TExprParameterArray& args) {
            result.SetFloatValue(args[0].FloatValue());
        });
    for (const char* text :
         {"count", "1 + count", "-count", "not count = 1", "f(sum(x))", "if(true, 1, count)",
          "if(count = 0, 1, 2)", "case(1, count, 1, 2)", "1 + 2 * (3 - max(x))", "1.5 * count"}) {
        parser.SetExpression(text);
        EXPECT_TRUE(parser.Root()->ContainsAggregate()) << text;
    }
    for (const char* text : {"1 + x", "f(x)", "if(true, 1, 2)", "case(1, 2, 1, 3)"}) {
        parser.SetExpression(text);
        EXPECT_FALSE(parser.Root()->ContainsAggregate()) << text;
    }
}

TEST(Aggregates, MinPassesTheRunOnToItsArgument) {
    TExpressionParser parser;
    parser.SetBuiltIns({bcAggregate});
    parser.Identifiers().AddFloatVariable("x", 0);
    TExprIdentifierDef& x = parser.Identifiers()[0];
    parser.SetExpression("min(max(x))");
    TExprNode& root = *parser.Root();
    root.ResetAggregate();
    for (const double value : {3.0, 1.0, 5.0, 2.0}) {
        x.ValueRecord().SetFloatValue(value);
        root.AccumulateAggregate();
    }
    // max sees every value after min has read it, so min takes the running
    // maxima 0 (max before any value is all zero), 3, 3, 5: the smallest is 0.
    EXPECT_EQ(Show(parser.Evaluate()), "F:0");
}

// Which aggregate sees which value of a shared source: "next" counts up by
// one at every read, so the results show the order of the walks.
TEST(Aggregates, WalksVisitOperandsInTheirOrder) {
    const struct {
        const char* text;
        int runs;
        const char* outcome;
    } cases[] = {
        // A chain: the first operand's subtree before each other operand.
        {"sum(next)*100 + sum(next)*10 + sum(next)", 1, "I:123"},
        {"sum(next)*100 + sum(next)*10 + sum(next)", 2, "I:579"}, // 1+4, 2+5, 3+6
        {"-sum(next)*10 - sum(next)", 1, "I:-12"},
        // "if": both branches, then the condition (which reads 3 here).
        {"if(sum(next) = 3, sum(next), sum(next))", 1, "I:1"},
        {"if(sum(next) = 1, sum(next), sum(next) * 10)", 1, "I:20"},
        // min reads its argument, then passes the run on; max does not pass
        // it on, and neither do count, sum and avg.
        {"min(max(next))", 2, "F:0"},
        {"max(min(next))", 3, "F:0"},
        {"sum(count) + count", 3, "I:3"},
    };
    for (const auto& c : cases) {
        TExpressionParser parser;
        parser.SetBuiltIns({bcAggregate});
        std::int64_t reads = 0;
        parser.Identifiers().AddFunctionHandler(
            "next", 'I', "", [&reads](TExpressionResult& result, const TExprParameterArray&) {
                result.SetIntegerValue(++reads);
            });
        parser.SetExpression(c.text);
        TExprNode& root = *parser.Root();
        root.ResetAggregate();
        for (int run = 0; run < c.runs; ++run)
            root.AccumulateAggregate();
        EXPECT_EQ(Show(parser.Evaluate()), c.outcome) << c.text;
    }
}

TEST(Aggregates, SumAndAvgTakeNumbersAsTheyAre) {
    TExpressionParser parser;
    parser.SetBuiltIns({bcAggregate});
    parser.Identifiers().AddVariable("s", rtString, "a");
    parser.Identifiers().AddVariable("b", rtBoolean, "True");
    EXPECT_EQ(ErrorOf([&] { parser.SetExpression("sum(s)"); }),
              "Invalid type for argument 1: Expected rtFloat, got rtString");
    EXPECT_EQ(ErrorOf([&] { parser.SetExpression("avg(b)"); }),
              "Invalid type for argument 1: Expected rtFloat, got rtBoolean");
    EXPECT_EQ(ErrorOf([&] { parser.SetExpression("min(s)"); }),
              "Invalid type for argument 1: Expected rtFloat, got rtString");
    parser.SetExpression("sum(1)");
    EXPECT_EQ(dynamic_cast<TAggregateSum*>(parser.Root())->ArgumentNodes()[0]->ClassName(),
              "TConstExpression"); // no conversion node
    parser.SetExpression("max(1)");
    EXPECT_EQ(dynamic_cast<TAggregateMax*>(parser.Root())->ArgumentNodes()[0]->ClassName(),
              "TIntToFloatNode");
}

TEST(Aggregates, CurrencyAverageRoundsHalfToEven) {
    TExprIdentifierDef money;
    money.SetResultType(rtCurrency);
    TExprArgumentArray arguments;
    arguments.push_back(std::make_unique<TExprVariable>(money));
    TExprIdentifierDef definition;
    TAggregateAvg avg(definition, std::move(arguments));
    avg.ResetAggregate();
    for (const std::int64_t scaled : {1, 2, 2, 0}) { // 5 / 4 = 1.25 ten-thousandths
        money.ValueRecord().SetCurrencyValue(scaled);
        avg.AccumulateAggregate();
    }
    TExpressionResult result;
    avg.ComputeValue(result);
    EXPECT_EQ(Show(result), "C:0.0001"); // 1.25 rounds to 1
    money.ValueRecord().SetCurrencyValue(9);
    avg.AccumulateAggregate(); // 14 / 5 = 2.8
    avg.ComputeValue(result);
    EXPECT_EQ(result.CurrencyValue(), 3);
    EXPECT_EQ(avg.ValueCount(), 5);
    EXPECT_EQ(avg.NodeResultType(), rtCurrency);
}

TEST(Aggregates, RegisteredLastInTheirCategory) {
    const TExprBuiltInManager& registry = BuiltinManager();
    std::vector<std::string> names;
    for (int index = 0; index < registry.IdentifierCount(); ++index) {
        const TBuiltInExprIdentifierDef& definition = registry.IdentifierAt(index);
        if (definition.Category() == bcAggregate) {
            names.push_back(definition.Name());
            EXPECT_EQ(definition.IdentifierType(), itFunctionNode);
            EXPECT_NE(definition.NodeType(), nullptr);
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"count", "sum", "avg", "min", "max"}));
    EXPECT_EQ(registry.IdentifierAt(registry.IdentifierCount() - 1).Name(), "max");
    // The calculator's own Count hides the aggregate when both are visible.
    EXPECT_EQ(test::Outcome("count(1, 2)",
                            [](TExpressionParser& parser) {
                                parser.SetBuiltIns({bcAggregate});
                                parser.Identifiers().AddFunction(
                                    "Count", 'I', "F+",
                                    [](TExpressionResult& result, const TExprParameterArray& args) {
                                        result.SetIntegerValue(
                                            static_cast<std::int64_t>(args.size()));
                                    });
                            }),
              "I:2");
}

} // namespace
} // namespace orvex::engine
