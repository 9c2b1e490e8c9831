// Number patterns: the calculator's default decimals, grouping, scientific
// form and a long run of decimals.
#include "formatting/format_settings.h"
#include "formatting/number_pattern.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct TPatternCase {
    const char* Pattern;
    double Value;
};

const TPatternCase kCases[] = {
    {"0.######", 3.0},
    {"0.######", 1871.0 / 2457.0},
    {"#,##0.00", -1234567.891},
    {"0.00E+00", 6.02214076e23},
    {"\"Total: \"#,##0.0;(#,##0.0);\"nil\"", -42.25},
};

void BM_FormatWithPattern(benchmark::State& state) {
    const TPatternCase& c = kCases[state.range(0)];
    const orvex::formatting::TFormatSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            orvex::formatting::FormatWithPattern(c.Pattern, c.Value, settings));
    state.SetLabel(c.Pattern);
}
BENCHMARK(BM_FormatWithPattern)->DenseRange(0, std::size(kCases) - 1);

// -d:n builds "0." and n zeros; beyond the 15 significant digits it only pads.
void BM_FormatManyDecimals(benchmark::State& state) {
    const std::string pattern = "0." + std::string(static_cast<std::size_t>(state.range(0)), '0');
    const orvex::formatting::TFormatSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            orvex::formatting::FormatWithPattern(pattern, 1.0 / 3.0, settings));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FormatManyDecimals)->Arg(1000)->Arg(100000);

void BM_GeneralText(benchmark::State& state) {
    const orvex::formatting::TFormatSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvex::formatting::GeneralText(1871.0 / 2457.0, settings));
}
BENCHMARK(BM_GeneralText);

} // namespace
