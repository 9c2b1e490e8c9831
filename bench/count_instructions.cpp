// A small program for counting the engine's instructions under callgrind:
//
//   valgrind --tool=callgrind --toggle-collect='*MeasuredWork*'
//            orvex_count_instructions <work> <expression>
//
// <work> is one of
//   parse-evaluate  a long-lived parser given the text anew: parse, evaluate,
//                   destroy the tree;
//   parse           the same without the evaluation;
//   parse-compile   parse, then compile (the compiling's cost is the
//                   difference to parse);
//   evaluate        the parsed text evaluated again, as a host does: the
//                   compiled program runs;
//   tree-evaluate   the parsed tree evaluated again through the tree;
//   new-parser      a parser made, set up as the calculator does, used once;
// and, when the benchmarks were built with muparser,
//   mu-set-evaluate muparser given the text anew and evaluated (optimizer on);
//   mu-evaluate     muparser evaluating its parsed text again, optimizer on;
//   mu-evaluate-noopt  the same with muparser's optimizer off.
// <expression> is small, medium, generated (1,000 terms), or one of them
// with "-vars" (the float variables x and y in it; see bench_inputs.h).
// Everything is done once before the measured loop, so that one-time work
// (the built-in registry, the parser's name lookup, compiling) stays outside
// it. The program prints the loop's iteration count; callgrind's total
// divided by it is the cost of one iteration.
#include "bench/bench_inputs.h"

#ifdef ORVEX_HAVE_MUPARSER
#include <muParser.h>
#endif

#include <cstdio>
#include <string>

namespace {

using orvex::engine::TExpressionParser;

// Fewer rounds where one costs millions of instructions: callgrind is slow.
int Iterations(std::string_view expression, std::string_view work) {
    const bool heavy =
        expression.starts_with("generated") &&
        (work.starts_with("parse") || work == "new-parser" || work == "mu-set-evaluate");
    return heavy ? 50 : 1000;
}

// Keeps the compiler from dropping a result nobody reads.
volatile double gSink = 0;

void Consume(const orvex::engine::TExpressionResult& result) {
    gSink = gSink + static_cast<double>(result.Payload() & 1u);
}

void SetUp(TExpressionParser& parser) {
    orvex::bench::UseCalculatorBuiltIns(parser);
    orvex::bench::UseBenchVariables(parser);
}

void ParseEvaluate(TExpressionParser& parser, const std::string& text) {
    parser.SetExpression("");
    parser.SetExpression(text);
    Consume(parser.Evaluate());
}

void NewParser(const std::string& text) {
    TExpressionParser parser;
    SetUp(parser);
    parser.SetExpression(text);
    Consume(parser.Evaluate());
}

enum class TWork {
    ParseEvaluate,
    Parse,
    ParseCompile,
    Evaluate,
    TreeEvaluate,
    NewParser,
    MuSetEvaluate,
    MuEvaluate,
};

// What the muparser side needs; empty without muparser.
struct TMuParser {
#ifdef ORVEX_HAVE_MUPARSER
    mu::Parser parser;
    double x = orvex::bench::kBenchX;
    double y = orvex::bench::kBenchY;
#endif
};

void MuSetEvaluate([[maybe_unused]] TMuParser& mu, [[maybe_unused]] const std::string& text) {
#ifdef ORVEX_HAVE_MUPARSER
    mu.parser.SetExpr(text);
    gSink = gSink + mu.parser.Eval();
#endif
}

void MuEvaluate([[maybe_unused]] TMuParser& mu) {
#ifdef ORVEX_HAVE_MUPARSER
    gSink = gSink + mu.parser.Eval();
#endif
}

// The only function callgrind counts.
[[gnu::noinline]] void MeasuredWork(int iterations, TWork work, TExpressionParser& parser,
                                    TMuParser& mu, const std::string& text) {
    for (int i = 0; i < iterations; ++i) {
        switch (work) {
        case TWork::ParseEvaluate:
            ParseEvaluate(parser, text);
            break;
        case TWork::Parse:
            parser.SetExpression("");
            parser.SetExpression(text);
            break;
        case TWork::ParseCompile:
            parser.SetExpression("");
            parser.SetExpression(text);
            parser.Compile();
            break;
        case TWork::Evaluate:
            Consume(parser.Evaluate());
            break;
        case TWork::TreeEvaluate: {
            orvex::engine::TExpressionResult result;
            parser.Root()->ComputeValue(result);
            Consume(result);
            break;
        }
        case TWork::NewParser:
            NewParser(text);
            break;
        case TWork::MuSetEvaluate:
            MuSetEvaluate(mu, text);
            break;
        case TWork::MuEvaluate:
            MuEvaluate(mu);
            break;
        }
    }
}

TWork WorkNamed(std::string_view name) {
    if (name == "parse-evaluate")
        return TWork::ParseEvaluate;
    if (name == "parse")
        return TWork::Parse;
    if (name == "parse-compile")
        return TWork::ParseCompile;
    if (name == "evaluate")
        return TWork::Evaluate;
    if (name == "tree-evaluate")
        return TWork::TreeEvaluate;
    if (name == "mu-set-evaluate")
        return TWork::MuSetEvaluate;
    if (name == "mu-evaluate" || name == "mu-evaluate-noopt")
        return TWork::MuEvaluate;
    return TWork::NewParser;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s parse-evaluate|parse|parse-compile|evaluate|tree-evaluate|"
                     "new-parser|mu-set-evaluate|mu-evaluate|mu-evaluate-noopt "
                     "small|medium|generated[-vars]\n",
                     argv[0]);
        return 2;
    }
    const std::string_view workName = argv[1];
    const std::string text = orvex::bench::BenchExpression(argv[2]);
    const TWork work = WorkNamed(workName);
    TExpressionParser parser;
    SetUp(parser);
    ParseEvaluate(parser, text);
    NewParser(text);
    parser.Compile();
    TMuParser mu;
#ifdef ORVEX_HAVE_MUPARSER
    mu.parser.DefineVar("x", &mu.x);
    mu.parser.DefineVar("y", &mu.y);
    mu.parser.EnableOptimizer(workName != "mu-evaluate-noopt");
    MuSetEvaluate(mu, text);
#else
    if (work == TWork::MuSetEvaluate || work == TWork::MuEvaluate) {
        std::fprintf(stderr, "built without muparser\n");
        return 3;
    }
#endif
    const int iterations = Iterations(argv[2], workName);
    MeasuredWork(iterations, work, parser, mu, text);
    std::printf("%d\n", iterations);
    return 0;
}
