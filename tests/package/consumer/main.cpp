// A host as doc/engine.md describes one: a parser with built-ins, variables
// and a pure function of its own; one text compiled and evaluated over
// several records; an aggregate over the same records; an error caught.
#include "exprengine/parser.h"
#include "formatting/error.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using orvex::engine::TExpressionResult;
using orvex::engine::TExprParameterArray;

void Twice(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(2 * orvex::engine::ArgToFloat(args[0]));
}

struct Record {
    double x;
    const char* name;
};

int Check(bool ok, const char* what) {
    std::printf("%s %s\n", what, ok ? "ok" : "WRONG");
    return ok ? 0 : 1;
}

} // namespace

int main() {
    using namespace orvex::engine;
    TExpressionParser parser;
    parser.SetBuiltIns(TBuiltInCategories{bcMath, bcBoolean, bcStrings, bcAggregate});
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 0.0);
    TExprIdentifierDef& name = parser.Identifiers().AddVariable("name", rtString, "");
    parser.Identifiers().AddFunction("Twice", 'F', "F", &Twice).SetPure(true);

    const Record records[] = {{0.0, "a"}, {1.5, "bb"}, {-4.0, "ccc"}, {100.0, "dddd"}};
    int failures = 0;

    parser.SetExpression("Twice(x) + sqrt(x * x) + length(name)");
    parser.Compile();
    for (const Record& record : records) {
        x.ValueRecord().SetFloatValue(record.x);
        name.ValueRecord().StringValue = record.name;
        const TExpressionResult result = parser.Evaluate();
        const double expected = 2 * record.x + std::fabs(record.x) +
                                static_cast<double>(std::string(record.name).size());
        failures +=
            Check(result.ValueType == rtFloat && result.FloatValue() == expected, record.name);
    }

    parser.SetExpression("sum(x) / count");
    parser.Root()->ResetAggregate();
    for (const Record& record : records) {
        x.ValueRecord().SetFloatValue(record.x);
        parser.Root()->AccumulateAggregate();
    }
    failures += Check(parser.Evaluate().FloatValue() == 97.5 / 4, "average");

    try {
        parser.SetExpression("x / 0.0");
        parser.Evaluate();
        failures += Check(false, "error");
    } catch (const orvex::formatting::Error& error) {
        failures += Check(std::string(error.what()) == "rtFloat division by zero", "error");
    }
    if (failures == 0)
        std::printf("every check ok\n");
    return failures == 0 ? 0 : 1;
}
