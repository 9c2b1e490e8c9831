// The calculator's option declarations followed by the full syntax
// validation (both statistics records, the accepted forms, the help hint)
// over the program's own command line, which the calculator itself only
// carries out when something reads it. bench/command_lines.sh runs it on the
// big command lines for the time and memory of the statistics. Prints the
// counts of the custom record.
#include "cmdline/declaration_table.h"
#include "cmdline/param_statistics.h"
#include "frontend/options.h"

#include "bench/bench_inputs.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace orvex;
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    bench::TBenchContext run(arguments);
    cmdline::TCmdLineContext& context = run.context;
    frontend::TRunSettings settings;
    frontend::DeclareOptions(context, settings);
    cmdline::ValidateSyntax(context, context.CustomSyntax, context.ParamStatus,
                            cmdline::ResolvedKnownParamNames(context), true, -1, -1);
    const cmdline::TParamStatisticsRec& s = context.CustomSyntax;
    std::printf("total %u, distinct %u, unclaimed %u, default record total %u\n",
                unsigned{s.TotalCount}, unsigned{s.DistinctCount}, unsigned{s.UnclaimedCount},
                unsigned{context.DefaultSyntax.TotalCount});
    return 0;
}
