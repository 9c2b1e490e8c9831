// The library as registered: names, kinds, type letters and the order of
// registration, and what a parser sees of the shared registry through its
// BuiltIns set.
#include "builtins_test_support.h"

#include "exprengine/builtin_manager.h"
#include "exprengine/builtins.h"
#include "exprengine/identifier_def.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace orvex::engine {
namespace {

using test::EvalShared;
using test::LibraryRegistry;
using test::TOutcomeCase;

struct TEntry {
    TBuiltInCategory category;
    std::string_view name;
    TIdentifierType kind;
    TResultType result;
    std::string_view parameters;
};

// Every built-in in the order RegisterBuiltins adds them.
const std::vector<TEntry>& LibraryOrder() {
    static const std::vector<TEntry> entries = {
        {bcMath, "pi", itVariable, rtFloat, ""},
        {bcMath, "cos", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "sin", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "arctan", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "abs", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "sqr", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "sqrt", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "exp", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "ln", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "log", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "frac", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "int", itFunctionCallBack, rtFloat, "F"},
        {bcMath, "round", itFunctionCallBack, rtInteger, "F"},
        {bcMath, "trunc", itFunctionCallBack, rtInteger, "F"},
        {bcStrings, "length", itFunctionCallBack, rtInteger, "S"},
        {bcStrings, "copy", itFunctionCallBack, rtString, "SII"},
        {bcStrings, "delete", itFunctionCallBack, rtString, "SII"},
        {bcStrings, "pos", itFunctionCallBack, rtInteger, "SS"},
        {bcStrings, "lowercase", itFunctionCallBack, rtString, "S"},
        {bcStrings, "uppercase", itFunctionCallBack, rtString, "S"},
        {bcStrings, "stringreplace", itFunctionCallBack, rtString, "SSSBB"},
        {bcStrings, "comparetext", itFunctionCallBack, rtInteger, "SS"},
        {bcDateTime, "date", itFunctionCallBack, rtDateTime, ""},
        {bcDateTime, "time", itFunctionCallBack, rtDateTime, ""},
        {bcDateTime, "now", itFunctionCallBack, rtDateTime, ""},
        {bcDateTime, "dayofweek", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractyear", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractmonth", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractday", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extracthour", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractmin", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractsec", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "extractmsec", itFunctionCallBack, rtInteger, "D"},
        {bcDateTime, "encodedate", itFunctionCallBack, rtDateTime, "III"},
        {bcDateTime, "encodetime", itFunctionCallBack, rtDateTime, "IIII"},
        {bcDateTime, "encodedatetime", itFunctionCallBack, rtDateTime, "IIIIIII"},
        {bcDateTime, "shortdayname", itFunctionCallBack, rtString, "I"},
        {bcDateTime, "shortmonthname", itFunctionCallBack, rtString, "I"},
        {bcDateTime, "longdayname", itFunctionCallBack, rtString, "I"},
        {bcDateTime, "longmonthname", itFunctionCallBack, rtString, "I"},
        {bcBoolean, "shl", itFunctionCallBack, rtInteger, "II"},
        {bcBoolean, "shr", itFunctionCallBack, rtInteger, "II"},
        {bcBoolean, "IFS", itFunctionCallBack, rtString, "BSS"},
        {bcBoolean, "IFF", itFunctionCallBack, rtFloat, "BFF"},
        {bcBoolean, "IFD", itFunctionCallBack, rtDateTime, "BDD"},
        {bcBoolean, "IFI", itFunctionCallBack, rtInteger, "BII"},
        {bcConversion, "inttostr", itFunctionCallBack, rtString, "I"},
        {bcConversion, "strtoint", itFunctionCallBack, rtInteger, "S"},
        {bcConversion, "strtointdef", itFunctionCallBack, rtInteger, "SI"},
        {bcConversion, "floattostr", itFunctionCallBack, rtString, "F"},
        {bcConversion, "strtofloat", itFunctionCallBack, rtFloat, "S"},
        {bcConversion, "strtofloatdef", itFunctionCallBack, rtFloat, "SF"},
        {bcConversion, "booltostr", itFunctionCallBack, rtString, "B"},
        {bcConversion, "strtobool", itFunctionCallBack, rtBoolean, "S"},
        {bcConversion, "strtobooldef", itFunctionCallBack, rtBoolean, "SB"},
        {bcConversion, "datetostr", itFunctionCallBack, rtString, "D"},
        {bcConversion, "timetostr", itFunctionCallBack, rtString, "D"},
        {bcConversion, "strtodate", itFunctionCallBack, rtDateTime, "S"},
        {bcConversion, "strtodatedef", itFunctionCallBack, rtDateTime, "SD"},
        {bcConversion, "strtotime", itFunctionCallBack, rtDateTime, "S"},
        {bcConversion, "strtotimedef", itFunctionCallBack, rtDateTime, "SD"},
        {bcConversion, "strtodatetime", itFunctionCallBack, rtDateTime, "S"},
        {bcConversion, "strtodatetimedef", itFunctionCallBack, rtDateTime, "SD"},
        {bcConversion, "formatfloat", itFunctionCallBack, rtString, "SF"},
        {bcConversion, "formatdatetime", itFunctionCallBack, rtString, "SD"},
        {bcAggregate, "count", itFunctionNode, rtInteger, ""},
        {bcAggregate, "sum", itFunctionNode, rtFloat, "F"},
        {bcAggregate, "avg", itFunctionNode, rtFloat, "F"},
        {bcAggregate, "min", itFunctionNode, rtFloat, "F"},
        {bcAggregate, "max", itFunctionNode, rtFloat, "F"},
    };
    return entries;
}

void ExpectEntries(const TExprBuiltInManager& registry, std::size_t count) {
    ASSERT_EQ(static_cast<std::size_t>(registry.IdentifierCount()), count);
    for (std::size_t i = 0; i < count; ++i) {
        const TEntry& expected = LibraryOrder()[i];
        const TBuiltInExprIdentifierDef& actual = registry.IdentifierAt(static_cast<int>(i));
        SCOPED_TRACE(std::string(expected.name));
        EXPECT_EQ(actual.Name(), expected.name);
        EXPECT_EQ(actual.Category(), expected.category);
        EXPECT_EQ(actual.IdentifierType(), expected.kind);
        EXPECT_EQ(actual.ResultType(), expected.result);
        EXPECT_EQ(actual.ParameterTypes(), expected.parameters);
        EXPECT_FALSE(actual.VariableArgumentCount());
        EXPECT_EQ(actual.FunctionCallback() != nullptr, expected.kind == itFunctionCallBack);
    }
}

// pi, the 64 callbacks; the aggregates come with their node classes.
TEST(BuiltinLibrary, RegistersEveryCallbackInOrder) {
    ExpectEntries(LibraryRegistry(), LibraryOrder().size() - 5);
    EXPECT_EQ(LibraryRegistry().IdentifierAt(0).ValueRecord().FloatValue(), 3.141592653589793);
}

// The shared registry holds the whole library with every category.
// The parser answers unknown names from the library's name list without
// filling the registry; the list must be the registry's.
TEST(SharedRegistry, NameListIsTheRegistrys) {
    const std::vector<std::string_view> names = BuiltinNamesInOrder();
    const TExprBuiltInManager& registry = BuiltinManager();
    ASSERT_EQ(names.size(), static_cast<std::size_t>(registry.IdentifierCount()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const TBuiltInExprIdentifierDef& definition = registry.IdentifierAt(static_cast<int>(i));
        EXPECT_EQ(names[i], definition.Name());
        EXPECT_TRUE(IsBuiltinName(definition.Name(), TBuiltInCategories{definition.Category()}));
        TBuiltInCategories others = TBuiltInCategories::All();
        others.Exclude(definition.Category());
        EXPECT_FALSE(IsBuiltinName(definition.Name(), others)) << definition.Name();
    }
    EXPECT_TRUE(IsBuiltinName("SQRT", TBuiltInCategories{bcMath}));
    EXPECT_TRUE(IsBuiltinName("ifs", TBuiltInCategories{bcBoolean}));
    EXPECT_FALSE(IsBuiltinName("sqr", TBuiltInCategories{bcStrings}));
    EXPECT_FALSE(IsBuiltinName("sqrtx", TBuiltInCategories::All()));
    EXPECT_FALSE(IsBuiltinName("", TBuiltInCategories::All()));
}

TEST(SharedRegistry, HoldsTheWholeLibraryInOrder) {
    ExpectEntries(BuiltinManager(), LibraryOrder().size());
}

struct TVisibilityCase {
    std::string text;
    TBuiltInCategories builtIns;
    std::string outcome;
};

void PrintTo(const TVisibilityCase& visibility, std::ostream* out) {
    *out << '"' << visibility.text << "\" with mask " << visibility.builtIns.Mask() << " -> "
         << visibility.outcome;
}

class SharedRegistryExpression : public testing::TestWithParam<TVisibilityCase> {};

TEST_P(SharedRegistryExpression, SeesOnlyEnabledCategories) {
    EXPECT_EQ(EvalShared(GetParam().text, GetParam().builtIns), GetParam().outcome);
}

// The calculator's view: bcMath and bcBoolean only.
const TBuiltInCategories Calculator{bcMath, bcBoolean};

INSTANTIATE_TEST_SUITE_P(
    CalculatorView, SharedRegistryExpression,
    testing::Values(
        TVisibilityCase{"pi * 2", Calculator, "F:6.283185307179586"},
        TVisibilityCase{"abs(-3)", Calculator, "F:3"},
        TVisibilityCase{"abs(-3) + 1", Calculator, "F:4"},
        TVisibilityCase{"round(2.5) + trunc(-2.7)", Calculator, "I:0"},
        TVisibilityCase{"shl(1, 65)", Calculator, "I:2"},
        TVisibilityCase{"IFF(true, 1, 2)", Calculator, "F:1"},
        TVisibilityCase{"IFI(true, 1.5, 2)", Calculator,
                        "E:Invalid type for argument 2: Expected rtInteger, got rtFloat"},
        TVisibilityCase{"length('abc')", Calculator, "E:Unknown identifier: length"},
        TVisibilityCase{"booltostr(true)", Calculator, "E:Unknown identifier: booltostr"},
        TVisibilityCase{"date", Calculator, "E:Unknown identifier: date"},
        TVisibilityCase{"length('abc')", TBuiltInCategories{bcStrings}, "I:3"},
        TVisibilityCase{"booltostr(true)", TBuiltInCategories{bcConversion}, "S:-1"},
        TVisibilityCase{"extractyear(encodedate(2024, 2, 29))", TBuiltInCategories{bcDateTime},
                        "I:2024"},
        TVisibilityCase{"sqrt(16)", TBuiltInCategories{bcBoolean}, "E:Unknown identifier: sqrt"},
        TVisibilityCase{"cos(0)", TBuiltInCategories{}, "E:Unknown identifier: cos"}));

// pi is a variable: it takes no parentheses.
TEST(SharedRegistry, PiIsAVariable) {
    EXPECT_EQ(EvalShared("pi()", Calculator),
              "E:Badly terminated expression. Found token at position 4 : (");
    EXPECT_EQ(EvalShared("PI", Calculator), "F:3.141592653589793");
}

} // namespace
} // namespace orvex::engine
