// Expression preparation: the rewrite of the user's spellings, the zero
// substitution and the comparison count, on texts of growing size. The
// per-byte figure should stay flat as the size grows.
#include "bench/bench_inputs.h"

#include "formatting/format_settings.h"
#include "frontend/preparation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A mixed text of the given size: operators in several spellings, words and
// numbers, so that most rewrite rows find something to do.
std::string MixedText(std::size_t bytes) {
    static constexpr std::string_view kPieces[] = {"2*-3",   " MOD 7",  "+sqrt(16)", "**2",
                                                   " div 5", "-(1--2)", " <> ",      "0x1F"};
    std::string text;
    for (std::size_t i = 0; text.size() < bytes; ++i)
        text += kPieces[i % std::size(kPieces)];
    return text;
}

// The commonest case: a short expression typed in one argument.
void BM_NormaliseShort(benchmark::State& state) {
    const std::string text = "1+2";
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::frontend::Normalise(text, true));
}
BENCHMARK(BM_NormaliseShort);

void BM_NormaliseSum(benchmark::State& state) {
    const std::string text = orvex::bench::SumOfSize(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::frontend::Normalise(text, true));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_NormaliseSum)->Arg(1 << 10)->Arg(10 << 10)->Arg(100 << 10);

void BM_NormaliseMixed(benchmark::State& state) {
    const std::string text = MixedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::frontend::Normalise(text, true));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_NormaliseMixed)->Arg(1 << 10)->Arg(10 << 10)->Arg(100 << 10);

void BM_ZeroSubstitute(benchmark::State& state) {
    const std::string text = orvex::bench::SumOfSize(static_cast<std::size_t>(state.range(0)));
    const orvex::formatting::TFormatSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::frontend::ZeroSubstitute(text, settings));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ZeroSubstitute)->Arg(1 << 10)->Arg(100 << 10);

void BM_CountComparisons(benchmark::State& state) {
    const std::string text = orvex::bench::SumOfSize(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::frontend::CountComparisons(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CountComparisons)->Arg(100 << 10);

} // namespace
