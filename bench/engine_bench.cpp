// The engine alone: parsing and evaluating a text, and evaluating a tree
// again, on a short, a medium and a long expression.
#include "bench/bench_inputs.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using orvex::engine::TExpressionParser;

std::string ExpressionFor(std::int64_t kind) {
    switch (kind) {
    case 0:
        return std::string(orvex::bench::kSmallExpression);
    case 1:
        return std::string(orvex::bench::kMediumExpression);
    default:
        return orvex::bench::GeneratedExpression(1000);
    }
}

void SetLabel(benchmark::State& state) {
    static constexpr const char* kLabels[] = {"1+2*3", "medium", "1000 terms"};
    state.SetLabel(kLabels[state.range(0)]);
}

// A long-lived parser given the text anew each time: scan, parse, check,
// evaluate, and destroy the previous tree.
void BM_ParseEvaluate(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    TExpressionParser parser;
    orvex::bench::UseCalculatorBuiltIns(parser);
    for (auto _ : state) {
        parser.SetExpression("");
        parser.SetExpression(text);
        benchmark::DoNotOptimize(parser.Evaluate());
    }
    SetLabel(state);
}
BENCHMARK(BM_ParseEvaluate)->DenseRange(0, 2);

// The tree built once, evaluated again and again.
void BM_Evaluate(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    TExpressionParser parser;
    orvex::bench::UseCalculatorBuiltIns(parser);
    parser.SetExpression(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Evaluate());
    SetLabel(state);
}
BENCHMARK(BM_Evaluate)->DenseRange(0, 2);

// What the calculator does once per run: a new parser with its built-ins,
// one text, one evaluation.
void BM_NewParser(benchmark::State& state) {
    const std::string text = ExpressionFor(state.range(0));
    for (auto _ : state) {
        TExpressionParser parser;
        orvex::bench::UseCalculatorBuiltIns(parser);
        parser.SetExpression(text);
        benchmark::DoNotOptimize(parser.Evaluate());
    }
    SetLabel(state);
}
BENCHMARK(BM_NewParser)->DenseRange(0, 2);

} // namespace
