// The engine on arbitrary text: every built-in category visible, one float
// variable and one callback function of the host, the tree evaluated twice
// (the second time re-evaluates the same tree). The engine's own errors are
// the expected outcome of most inputs; anything else escaping is a finding.
#include "fuzz_support.h"

#include "exprengine/parser.h"
#include "formatting/error.h"

namespace {

using namespace orvex::engine;

constexpr std::size_t kMaxInput = 4096;

void SumOfArguments(TExpressionResult& result, const TExprParameterArray& args) {
    double sum = 0;
    for (const TExpressionResult& arg : args)
        sum += ArgToFloat(arg);
    result.SetFloatValue(sum);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    TExpressionParser parser;
    parser.SetBuiltIns(
        TBuiltInCategories{bcMath, bcStrings, bcDateTime, bcBoolean, bcConversion, bcAggregate});
    parser.Identifiers().AddFloatVariable("x", 2.5);
    parser.Identifiers().AddFunction("f", 'F', "F+", &SumOfArguments);
    try {
        parser.SetExpression(orvex::fuzz::AsText(data, size));
        parser.Evaluate();
        parser.Evaluate();
    } catch (const orvex::formatting::Error&) {
    }
    return 0;
}
