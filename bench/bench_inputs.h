// The inputs the benchmarks and the instruction counter share, so that their
// figures describe the same work.
#pragma once

#include "cmdline/output_streams.h"
#include "cmdline/cmdline_context.h"
#include "exprengine/builtin_category.h"
#include "exprengine/parser.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::bench {

inline constexpr std::string_view kSmallExpression = "1+2*3";
inline constexpr std::string_view kMediumExpression =
    "(5+7*12)-(44-2*3)+sin(205.75)*sqrt(10000)^0.5";

// The way a host uses the engine: the same shapes with variables, which no
// optimizer can fold away. Both are floats; see UseBenchVariables.
inline constexpr std::string_view kSmallVariableExpression = "x+2*y";
inline constexpr std::string_view kMediumVariableExpression =
    "(5+7*x)-(44-2*y)+sin(205.75)*sqrt(10000)^0.5";
inline constexpr double kBenchX = 1.5;
inline constexpr double kBenchY = 2.5;

// terms integer operands joined by the four operators in turn, so that the
// chain mixes both precedence levels: "1+2*3-4/5+6*...". Every divisor is
// nonzero and the value is a float. With variables, every tenth operand is
// x or y in turn.
inline std::string GeneratedExpression(int terms, bool withVariables = false) {
    static constexpr char kOperators[] = {'+', '*', '-', '/'};
    std::string text = "1";
    for (int i = 1; i < terms; ++i) {
        text += kOperators[i % 4];
        if (withVariables && i % 10 == 0)
            text += i % 20 == 0 ? 'x' : 'y';
        else
            text += std::to_string(i % 97 + 1);
    }
    return text;
}

// The six inputs by name: small, medium, generated (1,000 terms) and the same
// with "-vars".
inline std::string BenchExpression(std::string_view name) {
    if (name == "small")
        return std::string(kSmallExpression);
    if (name == "medium")
        return std::string(kMediumExpression);
    if (name == "small-vars")
        return std::string(kSmallVariableExpression);
    if (name == "medium-vars")
        return std::string(kMediumVariableExpression);
    return GeneratedExpression(1000, name == "generated-vars");
}

// A flat sum "1+2+3+..." of at least the given number of bytes.
inline std::string SumOfSize(std::size_t bytes) {
    std::string text = "1";
    for (int term = 2; text.size() < bytes; ++term) {
        text += '+';
        text += std::to_string(term % 1000);
    }
    return text;
}

// The three big command lines of bench/command_lines.sh, generated the same
// way: count arguments of `length` letters from a fixed multiplicative
// congruential sequence (all different for 40,000 of 41 letters) ...
inline std::vector<std::string> RandomLetterArguments(int count, int length) {
    std::vector<std::string> arguments;
    std::int64_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        std::string word;
        for (int j = 0; j < length; ++j) {
            seed = seed * 16807 % 2147483647;
            word += static_cast<char>('a' + seed / 8192 % 26);
        }
        arguments.push_back(std::move(word));
    }
    return arguments;
}

// ... the numbers 0 to count - 1 in base 26, written with the letters a to z
// ...
inline std::vector<std::string> LetterNumberArguments(int count) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        std::string word;
        int n = i;
        do {
            word.insert(word.begin(), static_cast<char>('a' + n % 26));
            n /= 26;
        } while (n > 0);
        arguments.push_back(std::move(word));
    }
    return arguments;
}

// ... and a sum of `terms` terms, one argument per term and per "+".
inline std::vector<std::string> SumArguments(int terms) {
    std::vector<std::string> arguments{"1"};
    for (int i = 2; i <= terms; ++i) {
        arguments.emplace_back("+");
        arguments.push_back(std::to_string(i % 1000));
    }
    return arguments;
}

// A parser set up as the calculator sets up its own: the math and boolean
// built-ins visible.
inline void UseCalculatorBuiltIns(engine::TExpressionParser& parser) {
    parser.SetBuiltIns(engine::TBuiltInCategories{engine::bcMath, engine::bcBoolean});
}

// The float variables x and y of the variable-bearing inputs.
inline void UseBenchVariables(engine::TExpressionParser& parser) {
    parser.Identifiers().AddFloatVariable("x", kBenchX);
    parser.Identifiers().AddFloatVariable("y", kBenchY);
}

// A framework context for the calculator's options over the given
// arguments, its output captured and its console silent: the state of a run
// just before the driver declares its options.
struct TBenchContext {
    explicit TBenchContext(const std::vector<std::string>& arguments)
        : context(cmdline::TProcessFacts{arguments, "orvex", "orvex"}, out, err, console) {
        context.SwitchStyle = 2;
    }
    cmdline::TStringSink out;
    cmdline::TStringSink err;
    platform::TNullConsole console;
    cmdline::TCmdLineContext context;
};

} // namespace orvex::bench
