// The engine on arbitrary text: every built-in category visible, one float
// variable and one callback function of the host. The text is evaluated both
// ways, through the tree and through the compiled program, by two parsers set
// up alike; the two must agree exactly (type, payload, text, error message),
// and evaluating the compiled program again must give the same once more. The
// engine's own errors are the expected outcome of most inputs; anything else
// escaping, or a disagreement, is a finding.
#include "fuzz_support.h"

#include "exprengine/parser.h"
#include "formatting/error.h"
#include "formatting/text.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace orvex::engine;

constexpr std::size_t kMaxInput = 4096;

void SumOfArguments(TExpressionResult& result, const TExprParameterArray& args) {
    double sum = 0;
    for (const TExpressionResult& arg : args)
        sum += ArgToFloat(arg);
    result.SetFloatValue(sum);
}

void SetUp(TExpressionParser& parser) {
    parser.SetBuiltIns(
        TBuiltInCategories{bcMath, bcStrings, bcDateTime, bcBoolean, bcConversion, bcAggregate});
    parser.Identifiers().AddFloatVariable("x", 2.5);
    parser.Identifiers().AddFunction("f", 'F', "F+", &SumOfArguments);
}

// The type and payload, or the text of a string (whose payload means
// nothing), or the error.
std::string Outcome(TExpressionParser& parser) {
    try {
        const TExpressionResult result = parser.Evaluate();
        if (result.ValueType == rtString)
            return "S:" + result.StringValue;
        return std::to_string(result.ValueType) + ":" + std::to_string(result.Payload());
    } catch (const orvex::formatting::Error& error) {
        return std::string("E:") + error.what();
    }
}

// The clock's functions give another value a moment later.
bool ReadsTheClock(const std::string& text) {
    for (const char* name : {"now", "time", "date"}) {
        if (orvex::formatting::LowerCaseAscii(text).find(name) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    const std::string text(orvex::fuzz::AsText(data, size));
    TExpressionParser tree;
    TExpressionParser compiled;
    SetUp(tree);
    SetUp(compiled);
    try {
        tree.SetExpression(text);
        compiled.SetExpression(text);
    } catch (const orvex::formatting::Error&) {
        return 0;
    }
    const std::string expected = Outcome(tree); // the first evaluation walks the tree
    compiled.Compile();
    const std::string actual = Outcome(compiled);
    const std::string again = Outcome(compiled);
    if (!ReadsTheClock(text) && (actual != expected || again != expected)) {
        std::fprintf(stderr,
                     "tree and compiled program disagree on: %s\n  tree:     %s\n"
                     "  compiled: %s\n  again:    %s\n",
                     text.c_str(), expected.c_str(), actual.c_str(), again.c_str());
        std::abort();
    }
    return 0;
}
