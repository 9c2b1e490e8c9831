// The option framework on big command lines: the calculator's declarations
// and the full syntax validation, in-process, on the three command lines of
// bench/command_lines.sh; and the declarations alone on `1+2`.
#include "bench/bench_inputs.h"

#include "cmdline/declaration_table.h"
#include "cmdline/param_statistics.h"
#include "frontend/options.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orvex;

void DeclareAndValidate(benchmark::State& state, const std::vector<std::string>& arguments) {
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<bench::TBenchContext>(arguments);
        state.ResumeTiming();
        frontend::TRunSettings settings;
        frontend::DeclareOptions(run->context, settings);
        cmdline::ValidateSyntax(run->context, run->context.CustomSyntax, run->context.ParamStatus,
                                cmdline::ResolvedKnownParamNames(run->context), true, -1, -1);
        benchmark::DoNotOptimize(run->context.CustomSyntax.DistinctCount);
        state.PauseTiming();
        run.reset();
        state.ResumeTiming();
    }
}

void BM_ValidateDistinctLetters(benchmark::State& state) {
    DeclareAndValidate(state, bench::RandomLetterArguments(40000, 41));
}
BENCHMARK(BM_ValidateDistinctLetters)->Unit(benchmark::kMillisecond);

void BM_ValidateShortWords(benchmark::State& state) {
    DeclareAndValidate(state, bench::LetterNumberArguments(100000));
}
BENCHMARK(BM_ValidateShortWords)->Unit(benchmark::kMillisecond);

void BM_ValidateSumArguments(benchmark::State& state) {
    DeclareAndValidate(state, bench::SumArguments(60001));
}
BENCHMARK(BM_ValidateSumArguments)->Unit(benchmark::kMillisecond);

void BM_DeclareOptions(benchmark::State& state) {
    bench::TBenchContext run({"1+2"});
    for (auto _ : state) {
        run.context.ParamStatus[0].Status = cmdline::psUnclaimed;
        frontend::TRunSettings settings;
        frontend::DeclareOptions(run.context, settings);
        benchmark::DoNotOptimize(settings.Options.DecimalPlaces.Found);
    }
}
BENCHMARK(BM_DeclareOptions);

} // namespace
