// Whole runs in-process, as the process would do them after start-up: the
// argument table, the option declarations and statistics, the preparation,
// the engine and the printed result.
#include "bench/bench_inputs.h"
#include "cmdline/output_streams.h"

#include "frontend/driver.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

int Run(const std::vector<std::string>& arguments) {
    orvex::cmdline::TStringSink out;
    orvex::cmdline::TStringSink err;
    orvex::platform::TNullConsole console;
    return orvex::frontend::RunProgram(arguments, "/usr/local/bin/orvex", "orvex", out, err,
                                       console);
}

void BM_RunSum(benchmark::State& state) {
    const std::vector<std::string> arguments{"1+2"};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(arguments));
}
BENCHMARK(BM_RunSum);

void BM_RunWithOptions(benchmark::State& state) {
    const std::vector<std::string> arguments{"1871 / 2457", "-p", "-d:3"};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(arguments));
}
BENCHMARK(BM_RunWithOptions);

void BM_RunMedium(benchmark::State& state) {
    const std::vector<std::string> arguments{std::string(orvex::bench::kMediumExpression)};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(arguments));
}
BENCHMARK(BM_RunMedium);

// One argument holding a long flat sum.
void BM_RunLongSum(benchmark::State& state) {
    const std::vector<std::string> arguments{
        orvex::bench::SumOfSize(static_cast<std::size_t>(state.range(0)))};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(arguments));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RunLongSum)
    ->Arg(1 << 10)
    ->Arg(10 << 10)
    ->Arg(120 << 10)
    ->Unit(benchmark::kMillisecond);

// Many one-character arguments ("1 + 1 + ..."): the argument statistics and
// the unclaimed text over a long table.
void BM_RunManyArguments(benchmark::State& state) {
    std::vector<std::string> arguments;
    for (std::int64_t i = 0; i < state.range(0); ++i)
        arguments.emplace_back(i % 2 == 0 ? "1" : "+");
    if (arguments.back() == "+")
        arguments.back() = "1";
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(arguments));
}
BENCHMARK(BM_RunManyArguments)->Arg(1000)->Arg(10000)->Arg(50001)->Unit(benchmark::kMillisecond);

} // namespace
