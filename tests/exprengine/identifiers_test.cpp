#include "engine_test_support.h"

#include "exprengine/builtin_manager.h"
#include "exprengine/errors.h"
#include "exprengine/function_nodes.h"
#include "exprengine/parser.h"

#include <gtest/gtest.h>

namespace orvex::engine {
namespace {

using test::ErrorOf;
using test::Outcome;
using test::TOutcomeCase;

void SumOf(TExpressionResult& result, const TExprParameterArray& args) {
    double sum = 0.0;
    for (const TExpressionResult& argument : args)
        sum += ArgToFloat(argument);
    result.SetFloatValue(sum);
}

void Count(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(static_cast<std::int64_t>(args.size()));
}

void Difference(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(args[0].IntegerValue() - args[1].IntegerValue());
}

void Answer(TExpressionResult& result, const TExprParameterArray&) {
    result.SetIntegerValue(42);
}

// The calculator's own set-up: two program functions, math and boolean
// built-ins.
void CalculatorSetUp(TExpressionParser& parser) {
    parser.Identifiers().AddFunction("SumOf", 'F', "F+", &SumOf);
    parser.Identifiers().AddFunction("Count", 'I', "F+", &Count);
    parser.Identifiers().AddFunction("Diff", 'I', "II", &Difference);
    parser.Identifiers().AddFunction("Answer", 'I', "", &Answer);
    parser.SetBuiltIns({bcMath, bcBoolean});
}

class Calls : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(Calls, EvaluateWithTheCalculatorSetUp) {
    EXPECT_EQ(Outcome(GetParam().text, CalculatorSetUp), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, Calls,
    testing::Values(
        TOutcomeCase{"SumOf(1,5,11,22,-3,6)", "F:42"}, TOutcomeCase{"Count(1,2,3)", "I:3"},
        TOutcomeCase{"sumof(2.5)", "F:2.5"}, TOutcomeCase{"SUMOF(1, 2) * 2", "F:6"},
        TOutcomeCase{"sumof(sumof(1,2),count(1))", "F:4"}, TOutcomeCase{"Diff(7, 2)", "I:5"},
        TOutcomeCase{"Answer + 1", "I:43"}, TOutcomeCase{"pi", "F:3.141592653589793"},
        TOutcomeCase{"PI*2", "F:6.283185307179586"},
        TOutcomeCase{"sumof(not 1=2 and true, 1)",
                     "E:Invalid type for argument 1: Expected rtFloat, got rtBoolean"},
        TOutcomeCase{"sumof()", "E:Unknown token at pos 8 : )"},
        TOutcomeCase{"sumof(1 2)", "E:Expected comma (,) at position 10, but got 2"},
        TOutcomeCase{"sumof(1", "E:Expected comma (,) at position 8, but got "},
        TOutcomeCase{"sumof(1,", "E:Unknown token at pos 9 : "},
        TOutcomeCase{"sumof", "E:Expected ( bracket at position 6, but got "},
        TOutcomeCase{"sumof 1", "E:Expected ( bracket at position 8, but got 1"},
        TOutcomeCase{"Diff(1,2,3)", "E:Expected ) bracket at position 10, but got ,"},
        TOutcomeCase{"Diff(1)", "E:Expected comma (,) at position 8, but got )"},
        TOutcomeCase{"pi()", "E:Badly terminated expression. Found token at position 4 : ("},
        TOutcomeCase{"Answer()", "E:Badly terminated expression. Found token at position 8 : ("},
        TOutcomeCase{"length('abc')", "E:Unknown identifier: length"},
        TOutcomeCase{"nosuch(1)", "E:Unknown identifier: nosuch"}));

// At the root every argument is converted to its parameter's type; nested
// calls receive the values as their expressions produce them.
INSTANTIATE_TEST_SUITE_P(
    ArgumentTypes, Calls,
    testing::Values(
        TOutcomeCase{"sumof(1, 'a')",
                     "E:Invalid type for argument 2: Expected rtFloat, got rtString"},
        TOutcomeCase{"Diff(1.5, 2)",
                     "E:Invalid type for argument 1: Expected rtInteger, got rtFloat"},
        TOutcomeCase{"Diff(1, 'x')",
                     "E:Invalid type for argument 2: Expected rtInteger, got rtString"},
        TOutcomeCase{"sumof(1, 2) + 1", "F:4"}, // integers reach the callback unconverted
        TOutcomeCase{"Diff(1.5, 2) + 0", "I:4609434218613702654"})); // a float's bits, unchecked

TEST(Calls, RenderWithTheRegisteredSpellingAndConversionsHidden) {
    TExpressionParser parser;
    CalculatorSetUp(parser);
    parser.SetExpression("sumof(1, 2.5,  count(3))");
    EXPECT_EQ(parser.Root()->AsText(), "SumOf(1, 2.50000000000000E+000,Count(3))");
    parser.SetExpression("PI + answer");
    EXPECT_EQ(parser.Root()->AsText(), "pi + Answer");
}

TEST(Calls, ResultTypeIsTheDeclaredOneWhateverTheCallbackLeft) {
    TExpressionParser parser;
    parser.Identifiers().AddFunction(
        "Bits", 'F', "", [](TExpressionResult& result, const TExprParameterArray&) {
            result.ValueType = rtString;
            result.SetIntegerValue(0x3FF0000000000000); // the bits of 1.0
        });
    parser.SetExpression("bits");
    const TExpressionResult result = parser.Evaluate();
    EXPECT_EQ(result.ValueType, rtFloat);
    EXPECT_EQ(result.FloatValue(), 1.0);
}

TEST(Calls, EveryArgumentIsEvaluated) {
    TExpressionParser parser;
    int reads = 0;
    TExprIdentifierDef& counter = parser.Identifiers().AddFloatVariable("counter", 0);
    counter.SetOnGetVariableValue(
        [&reads](TExpressionResult& value, const std::string&) { value.SetFloatValue(++reads); });
    parser.Identifiers().AddFunction(
        "First", 'F', "F+", [](TExpressionResult& result, const TExprParameterArray& args) {
            result.SetFloatValue(args[0].FloatValue());
        });
    parser.SetExpression("first(counter, counter, counter)");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 1.0);
    EXPECT_EQ(reads, 3);
}

TEST(Calls, BoundHandlersAreCalled) {
    TExpressionParser parser;
    double offset = 10.0;
    parser.Identifiers().AddFunctionHandler(
        "Shift", 'F', "F", [&offset](TExpressionResult& result, const TExprParameterArray& args) {
            result.SetFloatValue(args[0].FloatValue() + offset);
        });
    parser.SetExpression("shift(1)");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 11.0);
    offset = 20.0;
    EXPECT_EQ(parser.Evaluate().FloatValue(), 21.0);
    EXPECT_EQ(dynamic_cast<TFunctionEventHandler*>(parser.Root())->ArgumentNodes().size(), 1u);
}

TEST(Variables, AreReadAfreshOnEveryEvaluation) {
    TExpressionParser parser;
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 1.5);
    parser.SetExpression("x * 2");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 3.0);
    x.ValueRecord().SetFloatValue(5.0);
    EXPECT_EQ(parser.Evaluate().FloatValue(), 10.0);
    x.SetValue("0.25");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 0.5);
    EXPECT_EQ(parser.Root()->AsText(), "x * 2");
}

TEST(Variables, HandlersSupplyValuesOfTheDeclaredType) {
    TExpressionParser parser;
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 0);
    x.SetOnGetVariableValue([](TExpressionResult& value, const std::string& name) {
        EXPECT_EQ(name, "x");
        value.ValueType = rtInteger; // an integer for a float variable is converted
        value.SetIntegerValue(7);
    });
    parser.SetExpression("x / 2");
    EXPECT_EQ(test::Show(parser.Evaluate()), "F:3.5");
    EXPECT_EQ(x.ResultType(), rtFloat);

    x.SetOnGetVariableValue(
        [](TExpressionResult& value, const std::string&) { value.ValueType = rtString; });
    EXPECT_EQ(ErrorOf([&] { parser.Evaluate(); }),
              "Value handler for variable x returned wrong type, expected \"rtFloat\", got "
              "\"rtString\"");
    EXPECT_EQ(x.ResultType(), rtFloat); // the declared type is restored

    TExprIdentifierDef& n = parser.Identifiers().AddVariable("n", rtInteger, "0");
    n.SetVariableCallback([](TExpressionResult& value, const std::string&) {
        value.SetIntegerValue(value.IntegerValue() + 1);
    });
    parser.SetExpression("n");
    EXPECT_EQ(parser.Evaluate().IntegerValue(), 1);
    EXPECT_EQ(parser.Evaluate().IntegerValue(), 2);
}

TEST(Variables, QuotedNamesMayHoldBlanksAndOperators) {
    TExpressionParser parser;
    parser.Identifiers().AddFloatVariable("my var", 2);
    parser.Identifiers().AddFloatVariable("a+b", 3);
    parser.SetExpression("\"my var\" * \"a+b\"");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 6.0);
    EXPECT_EQ(parser.Root()->AsText(), "my var * a+b");
}

TEST(Lookup, ClientIdentifiersShadowBuiltInsAndCategoriesFilter) {
    EXPECT_EQ(Outcome("pi"), "E:Unknown identifier: pi"); // no categories by default
    EXPECT_EQ(Outcome("pi", [](TExpressionParser& p) { p.SetBuiltIns({bcBoolean}); }),
              "E:Unknown identifier: pi");
    EXPECT_EQ(Outcome("pi",
                      [](TExpressionParser& p) {
                          p.SetBuiltIns({bcMath});
                          p.Identifiers().AddFloatVariable("PI", 3.0);
                      }),
              "F:3");
}

TEST(Lookup, IsRebuiltAfterChanges) {
    TExpressionParser parser;
    EXPECT_THROW(parser.SetExpression("y"), EExprParser);
    TExprIdentifierDef& y = parser.Identifiers().AddFloatVariable("y", 1);
    parser.SetExpression("y + 1");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 2.0);
    y.SetName("z");
    parser.SetExpression("z");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 1.0);
    EXPECT_EQ(parser.FindIdentifier("y"), nullptr);
    parser.Identifiers().Delete(0);
    EXPECT_EQ(parser.FindIdentifier("z"), nullptr);
    parser.SetBuiltIns({bcMath});
    EXPECT_NE(parser.FindIdentifier("Pi"), nullptr);
    parser.SetBuiltIns({});
    EXPECT_EQ(parser.FindIdentifier("Pi"), nullptr);
}

TEST(Lookup, NamesCountWithTheirFirst255Characters) {
    TExpressionParser parser;
    parser.Identifiers().AddFloatVariable(std::string(255, 'v') + "tail", 4);
    parser.SetExpression(std::string(255, 'V') + "other");
    EXPECT_EQ(parser.Evaluate().FloatValue(), 4.0);
    EXPECT_EQ(ErrorOf([&] { parser.SetExpression(std::string(254, 'v')); }),
              "Unknown identifier: " + std::string(254, 'v'));
}

TEST(Definitions, RegistrationRulesAndMessages) {
    TExpressionParser parser;
    TExprIdentifierDefs& defs = parser.Identifiers();
    EXPECT_EQ(defs.AddFunction("SumOf", 'F', "F+", &SumOf).ArgumentCount(), -1);
    EXPECT_EQ(defs.AddFunction("Five", 'S', "SSSBB", &SumOf).ArgumentCount(), 5);
    EXPECT_EQ(defs.AddFunction("None", 'f', "", &SumOf).ArgumentCount(), 0);
    EXPECT_EQ(defs[2].ResultType(), rtFloat); // letters in either case
    EXPECT_EQ(defs[0].ParameterTypes(), "F");
    EXPECT_TRUE(defs[0].VariableArgumentCount());
    EXPECT_EQ(defs[0].IdentifierType(), itFunctionCallBack);

    EXPECT_EQ(ErrorOf([&] { defs.AddFunction("SUMOF", 'F', "F", &SumOf); }),
              "An identifier with name \"SUMOF\" already exists.");
    EXPECT_EQ(ErrorOf([&] { defs.AddFunction("Bad", 'F', "F+F", &SumOf); }),
              "\"+\" is not a valid return type indicator");
    EXPECT_EQ(ErrorOf([&] { defs.AddFunction("Bad", 'X', "F", &SumOf); }),
              "\"X\" is not a valid return type indicator");
    EXPECT_EQ(defs.Count(), 3); // failed registrations add nothing

    EXPECT_EQ(ErrorOf([&] { defs[1].SetName("none"); }),
              "An identifier with name \"none\" already exists.");
    EXPECT_EQ(defs[1].Name(), "Five");
    EXPECT_EQ(defs.IndexOfIdentifier("FIVE"), 1);
    EXPECT_EQ(defs.IndexOfIdentifier("six"), -1);
    defs.Add();
    defs.Add();
    EXPECT_EQ(defs.IndexOfIdentifier(""), 4); // scans from the last definition
    EXPECT_EQ(ErrorOf([] { CharToResultType('+'); }), "\"+\" is not a valid return type indicator");
    EXPECT_EQ(CharToResultType('d'), rtDateTime);
    EXPECT_EQ(CharToResultType('C'), rtCurrency);
}

TEST(Definitions, ValueTextFollowsTheType) {
    TExprIdentifierDefs defs;
    TExprIdentifierDef& n = defs.AddVariable("n", rtInteger, "42");
    EXPECT_EQ(n.ValueRecord().IntegerValue(), 42);
    EXPECT_EQ(n.Value(), "42");
    EXPECT_THROW(n.SetValue("abc"), formatting::EConvertError);
    EXPECT_EQ(n.ValueRecord().IntegerValue(), 42); // unchanged by a failed conversion
    EXPECT_THROW(n.SetValue("3000000000"), formatting::EConvertError); // 32-bit range
    TExprIdentifierDef& b = defs.AddVariable("b", rtBoolean, "True");
    EXPECT_TRUE(b.ValueRecord().BooleanValue());
    b.SetValue("true"); // exactly "True" is true
    EXPECT_EQ(b.Value(), "False");
    TExprIdentifierDef& s = defs.AddVariable("s", rtString, "12");
    EXPECT_EQ(s.Value(), "12");
    s.SetResultType(rtInteger); // the text is converted again
    EXPECT_EQ(s.ValueRecord().IntegerValue(), 12);
    s.SetResultType(rtFloat);
    EXPECT_EQ(s.ValueRecord().FloatValue(), 12.0);
    s.SetValue("2.5");
    EXPECT_EQ(s.Value(), "2.5");
    s.SetResultType(rtCurrency);
    EXPECT_EQ(s.ValueRecord().CurrencyValue(), 25000);
    s.SetValue("");
    EXPECT_EQ(s.ValueRecord().CurrencyValue(), 0);
    TExprIdentifierDef& d = defs.AddVariable("d", rtDateTime, "");
    EXPECT_EQ(d.ValueRecord().DateTimeValue(), 0.0);
}

TEST(Definitions, BuiltInRegistryHoldsPiInTheMathCategory) {
    const TExprBuiltInManager& registry = BuiltinManager();
    ASSERT_GE(registry.IdentifierCount(), 1);
    const TBuiltInExprIdentifierDef& pi = registry.IdentifierAt(0);
    EXPECT_EQ(pi.Name(), "pi");
    EXPECT_EQ(pi.Category(), bcMath);
    EXPECT_EQ(pi.IdentifierType(), itVariable);
    EXPECT_EQ(pi.ResultType(), rtFloat);
    EXPECT_EQ(pi.ValueRecord().FloatValue(), 3.141592653589793);
    EXPECT_EQ(&BuiltinManager(), &registry); // one shared registry
    EXPECT_EQ(TBuiltInCategories::All().Mask(), 511u);

    TBuiltInExprIdentifierDef copy;
    copy.Assign(pi);
    EXPECT_EQ(copy.Name(), "pi");
    EXPECT_EQ(copy.Category(), bcMath);
}

TEST(Definitions, ManagerRejectsDuplicates) {
    TExprBuiltInManager manager;
    manager.AddFunction(bcStrings, "length", 'I', "S", &Count);
    EXPECT_EQ(ErrorOf([&] { manager.AddFloatVariable(bcMath, "LENGTH", 1); }),
              "An identifier with name \"LENGTH\" already exists.");
    EXPECT_EQ(manager.IdentifierCount(), 1);
    EXPECT_EQ(manager.IdentifierAt(0).Category(), bcStrings);
}

} // namespace
} // namespace orvex::engine
