// Parses one expression with a host variable and a host function and
// evaluates it for several values of the variable.
#include "exprengine/parser.h"

#include <cmath>
#include <cstdio>

namespace {

using orvex::engine::TExpressionResult;
using orvex::engine::TExprParameterArray;

void Twice(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetFloatValue(2 * orvex::engine::ArgToFloat(args[0]));
}

} // namespace

int main() {
    using namespace orvex::engine;
    TExpressionParser parser;
    parser.SetBuiltIns(TBuiltInCategories{bcMath, bcBoolean});
    TExprIdentifierDef& x = parser.Identifiers().AddFloatVariable("x", 0.0);
    parser.Identifiers().AddFunction("Twice", 'F', "F", &Twice);
    parser.SetExpression("Twice(x) + sqrt(x * x)");

    int failures = 0;
    for (const double value : {0.0, 1.5, -4.0, 100.0}) {
        x.ValueRecord().SetFloatValue(value);
        const TExpressionResult result = parser.Evaluate();
        const double expected = 2 * value + std::fabs(value);
        const bool ok = result.ValueType == rtFloat && result.FloatValue() == expected;
        std::printf("x = %g: %g %s\n", value, result.FloatValue(), ok ? "ok" : "WRONG");
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
