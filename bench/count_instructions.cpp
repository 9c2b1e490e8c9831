// A small program for counting the engine's instructions under callgrind:
//
//   valgrind --tool=callgrind --toggle-collect='*MeasuredWork*'
//            orvex_count_instructions <work> <expression>
//
// <work> is parse-evaluate (a long-lived parser given the text anew: parse,
// evaluate, destroy the tree), evaluate (the parsed tree evaluated again) or
// new-parser (a parser made, set up as the calculator does, used once).
// <expression> is small, medium or generated (1,000 terms). Everything is
// done once before the measured loop, so that one-time work (the built-in
// registry, the parser's name lookup) stays outside it. The program prints
// the loop's iteration count; callgrind's total divided by it is the cost of
// one iteration.
#include "bench/bench_inputs.h"

#include <cstdio>
#include <string>

namespace {

using orvex::engine::TExpressionParser;

constexpr int kIterations = 1000;

// Keeps the compiler from dropping a result nobody reads.
volatile double gSink = 0;

void Consume(const orvex::engine::TExpressionResult& result) {
    gSink = gSink + static_cast<double>(result.Payload() & 1u);
}

void ParseEvaluate(TExpressionParser& parser, const std::string& text) {
    parser.SetExpression("");
    parser.SetExpression(text);
    Consume(parser.Evaluate());
}

void NewParser(const std::string& text) {
    TExpressionParser parser;
    orvex::bench::UseCalculatorBuiltIns(parser);
    parser.SetExpression(text);
    Consume(parser.Evaluate());
}

enum class TWork { ParseEvaluate, Evaluate, NewParser };

// The only function callgrind counts.
[[gnu::noinline]] void MeasuredWork(TWork work, TExpressionParser& parser,
                                    const std::string& text) {
    for (int i = 0; i < kIterations; ++i) {
        switch (work) {
        case TWork::ParseEvaluate:
            ParseEvaluate(parser, text);
            break;
        case TWork::Evaluate:
            Consume(parser.Evaluate());
            break;
        case TWork::NewParser:
            NewParser(text);
            break;
        }
    }
}

std::string ExpressionNamed(std::string_view name) {
    if (name == "small")
        return std::string(orvex::bench::kSmallExpression);
    if (name == "medium")
        return std::string(orvex::bench::kMediumExpression);
    return orvex::bench::GeneratedExpression(1000);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s parse-evaluate|evaluate|new-parser small|medium|generated\n",
                     argv[0]);
        return 2;
    }
    const std::string text = ExpressionNamed(argv[2]);
    TExpressionParser parser;
    orvex::bench::UseCalculatorBuiltIns(parser);
    ParseEvaluate(parser, text);
    NewParser(text);
    const std::string_view work = argv[1];
    MeasuredWork(work == "parse-evaluate" ? TWork::ParseEvaluate
                 : work == "evaluate"     ? TWork::Evaluate
                                          : TWork::NewParser,
                 parser, text);
    std::printf("%d\n", kIterations);
    return 0;
}
