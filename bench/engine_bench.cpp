// The engine alone: parsing and evaluating a text, and evaluating it again,
// on a short, a medium and a long expression, each also with variables.
#include "bench/bench_inputs.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using orvex::engine::TExpressionParser;

constexpr const char* kInputs[] = {"small",      "medium",      "generated",
                                   "small-vars", "medium-vars", "generated-vars"};

std::string ExpressionFor(std::int64_t kind) {
    return orvex::bench::BenchExpression(kInputs[kind]);
}

void SetLabel(benchmark::State& state) {
    state.SetLabel(kInputs[state.range(0)]);
}

void SetUp(TExpressionParser& parser) {
    orvex::bench::UseCalculatorBuiltIns(parser);
    orvex::bench::UseBenchVariables(parser);
}

// A long-lived parser given the text anew each time: scan, parse, check,
// evaluate, and destroy the previous tree.
void BM_ParseEvaluate(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    TExpressionParser parser;
    SetUp(parser);
    for (auto _ : state) {
        parser.SetExpression("");
        parser.SetExpression(text);
        benchmark::DoNotOptimize(parser.Evaluate());
    }
    SetLabel(state);
}
BENCHMARK(BM_ParseEvaluate)->DenseRange(0, 5);

// The text parsed once, evaluated again and again: from the second time on
// the compiled program runs.
void BM_Evaluate(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    TExpressionParser parser;
    SetUp(parser);
    parser.SetExpression(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Evaluate());
    SetLabel(state);
}
BENCHMARK(BM_Evaluate)->DenseRange(0, 5);

// What the calculator does once per run: a new parser with its built-ins,
// one text, one evaluation.
void BM_NewParser(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    for (auto _ : state) {
        TExpressionParser parser;
        SetUp(parser);
        parser.SetExpression(text);
        benchmark::DoNotOptimize(parser.Evaluate());
    }
    SetLabel(state);
}
BENCHMARK(BM_NewParser)->DenseRange(0, 5);

} // namespace
