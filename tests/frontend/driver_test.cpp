#include "cmdline/output_streams.h"
#include "frontend/driver.h"
#include "frontend/exit_codes.h"
#include "frontend/help.h"
#include "frontend/messages.h"

#include "fake_console.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>

namespace orvex::frontend {

// Found by the tests' failure messages next to the plan's type.
void PrintTo(const TEvaluationPlan& plan, std::ostream* out) {
    *out << "{banner " << plan.Banner << ", build " << plan.BuildInformation << ", zero "
         << plan.ZeroSubstitution << ", show " << plan.ShowExpression << ", pattern \""
         << plan.NumberPattern.substr(0, 40) << "\", x" << plan.Multiplier << " \""
         << plan.ResultSuffix << "\", radix " << static_cast<int>(plan.Radix) << ", no prefix "
         << plan.NoPrefix << ", ml " << plan.MinLength << ", bs " << plan.BlockSize << "}";
}

namespace {

using testing::FakeConsole;

std::string RawLine(const std::string& path, const std::vector<std::string>& arguments) {
    std::string line = path;
    for (const std::string& argument : arguments)
        line += " " + argument;
    return line;
}

// One in-process run through the driver, keeping the resolved settings.
struct DriverRun {
    explicit DriverRun(std::vector<std::string> arguments, std::string path = "/opt/calc/orvex")
        : context(cmdline::TProcessFacts{arguments, path, RawLine(path, arguments)}, out, err,
                  console) {}

    DriverRun& Run() {
        RunDriver(context, settings);
        return *this;
    }

    cmdline::TStringSink out;
    cmdline::TStringSink err;
    FakeConsole console;
    cmdline::TCmdLineContext context;
    TRunSettings settings;
};

struct ProgramRun {
    int exitCode;
    std::string out;
    std::string err;
    std::string consoleLog;
};

ProgramRun RunWhole(const std::vector<std::string>& arguments,
                    const std::string& path = "/opt/calc/orvex") {
    cmdline::TStringSink out;
    cmdline::TStringSink err;
    FakeConsole console;
    const int exitCode = RunProgram(arguments, path, RawLine(path, arguments), out, err, console);
    return {exitCode, out.Text(), err.Text(), console.log};
}

int CountLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

const std::string kBriefHelpEnd = "For more details, please type: orvex -?  OR  orvex --??\n";
const std::string kExtendedHelpEnd = "    255 - Syntax Help Requested\n";
const std::string kNormalHelpEnd = " orvex \"K\" + 16384  -S -Z\n\n";

// A standard output that refuses every write, as a full device does.
class FullSink final : public cmdline::TTextSink {
  protected:
    std::string Deliver(std::string_view) override { return "No space left on device"; }
};

// --- Exit codes --------------------------------------------------------------

// The extended help states the codes in fixed words: it must list exactly
// the codes the roads set and the reserved ones, and 74 is the page's own.
TEST(ExitCodes, TheHelpListsEveryCodeARoadSets) {
    cmdline::TStringSink help;
    PrintHelp(help, "orvex", true, false);
    std::istringstream lines(help.Text().substr(help.Text().find("EXIT/RETURN CODES:")));
    std::set<int> listed;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t dash = line.find(" - ");
        if (line.starts_with("    ") && dash != std::string::npos && dash <= 7)
            listed.insert(std::stoi(line.substr(0, dash)));
    }
    std::set<int> expected(kRoadExitCodes.begin(), kRoadExitCodes.end());
    for (int code = kFirstReservedExitCode; code <= kLastReservedExitCode; ++code)
        expected.insert(code);
    EXPECT_EQ(listed, expected);
    EXPECT_FALSE(listed.contains(kExitWriteError));
}

// --- Failed writes ---------------------------------------------------------

TEST(Driver, AnyRoadWhoseOutputCannotBeWrittenEndsWithTheWriteErrorCode) {
    const std::vector<std::vector<std::string>> roads = {
        {"1+2"}, {"5 > 3"}, {"5 < 3"}, {"-h"}, {"--??"}, {"255", "--hex"}, {"1/0", "-s"}};
    for (const std::vector<std::string>& arguments : roads) {
        FullSink out;
        cmdline::TStringSink err;
        FakeConsole console;
        const std::string path = "/opt/calc/orvex";
        const int exitCode =
            RunProgram(arguments, path, RawLine(path, arguments), out, err, console);
        SCOPED_TRACE(arguments[0]);
        EXPECT_EQ(exitCode, kExitWriteError);
        EXPECT_TRUE(err.Text().ends_with("orvex: write error: No space left on device\n"))
            << err.Text();
    }
}

TEST(Driver, RoadsThatWriteNothingToStandardOutputKeepTheirExitCode) {
    const std::vector<std::pair<std::vector<std::string>, int>> roads = {
        {{"1/0"}, kExitDivideByZero},
        {{"abc"}, kExitEvaluationError},
        {{"1<2<3"}, kExitTooManyComparisons},
        {{}, kExitMissingParameters},
        {{"--version-only"}, kExitSuccess}};
    for (const auto& [arguments, expected] : roads) {
        FullSink out;
        cmdline::TStringSink err;
        FakeConsole console;
        const std::string path = "/opt/calc/orvex";
        EXPECT_EQ(RunProgram(arguments, path, RawLine(path, arguments), out, err, console),
                  expected);
        EXPECT_EQ(err.Text().find("write error"), std::string::npos);
    }
}

TEST(Driver, AFailedStandardErrorAloneLeavesTheExitCode) {
    cmdline::TStringSink out;
    FullSink err;
    FakeConsole console;
    const std::vector<std::string> arguments{"1/0"};
    EXPECT_EQ(RunProgram(arguments, "/opt/calc/orvex", "orvex 1/0", out, err, console),
              kExitDivideByZero);
    EXPECT_EQ(out.Text(), "");
}

// --- Roads ---------------------------------------------------------------

TEST(Driver, EmptyCommandLineReportsOnStandardErrorOnly) {
    const ProgramRun run = RunWhole({});
    EXPECT_EQ(run.exitCode, kExitMissingParameters);
    EXPECT_EQ(run.out, "");
    const std::string report =
        "Written by The Orvex Developers - https://orvex.dev\n"
        "\n"
        "Invalid or Incomplete Syntax!\n"
        "\n"
        "Execution Path ... /opt/calc\n"
        "You entered ...... /opt/calc/orvex\n"
        "\n"
        "Missing Arithmetic or Boolean expression!\n"
        "Missing Essential Parameters (e.g. -H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY "
        "--BUILD-ONLY --INFO)\n"
        "\n"
        "-----------\n"
        "CMD SYNTAX:\n"
        "-----------\n";
    EXPECT_TRUE(run.err.starts_with("orvex v2.4.0")) << run.err;
    EXPECT_NE(run.err.find(report), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with(kBriefHelpEnd)) << run.err;
    EXPECT_EQ(run.err.find("was compiled on"), std::string::npos);
    EXPECT_EQ(run.consoleLog, "");
}

TEST(Driver, MissingParameterReportKindChoosesTheStandardReport) {
    DriverRun run({});
    run.context.MissingParamReportKind = 1;
    run.Run();
    EXPECT_NE(run.err.Text().find("--INFO) (See Syntax Definition Below)\n\n"), std::string::npos)
        << run.err.Text();
}

struct RoadCase {
    std::vector<std::string> arguments;
    int exitCode;
    const char* road; // "help", "extended", "build", "info", "evaluate"
};

class RoadTest : public ::testing::TestWithParam<RoadCase> {};

// Help wins over everything, then version-only, then info.
TEST_P(RoadTest, TakesTheRoadOfTheStrongestOption) {
    const RoadCase& c = GetParam();
    const ProgramRun run = RunWhole(c.arguments);
    const std::string road = c.road;
    EXPECT_EQ(run.exitCode, c.exitCode);
    if (road == "help" || road == "extended") {
        EXPECT_TRUE(run.out.starts_with("-----------\nCMD SYNTAX:\n")) << run.out;
        EXPECT_TRUE(run.out.ends_with(road == "help" ? kNormalHelpEnd : kExtendedHelpEnd));
        EXPECT_TRUE(run.err.starts_with("orvex v2.4.0")) << run.err;
        EXPECT_EQ(run.err.find("was compiled on") != std::string::npos, road == "extended");
    } else if (road == "build") {
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("orvex v2.4.0.290")) << run.err;
        EXPECT_EQ(CountLines(run.err), 1) << run.err;
    } else if (road == "info") {
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("orvex v2.4.0")) << run.err;
        EXPECT_NE(run.err.find("\n\norvex v2.4.0.290"), std::string::npos) << run.err;
        EXPECT_TRUE(run.err.ends_with("\n\n")) << run.err;
        EXPECT_EQ(CountLines(run.err), 6) << run.err;
    } else {
        EXPECT_EQ(run.out.find("CMD SYNTAX:"), std::string::npos) << run.out;
        EXPECT_EQ(run.err.find("v2.4.0"), std::string::npos) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, RoadTest,
    ::testing::Values(RoadCase{{"-h"}, kExitHelpRequested, "help"},
                      RoadCase{{"/?"}, kExitHelpRequested, "help"},
                      RoadCase{{"1", "--HELP"}, kExitHelpRequested, "help"},
                      RoadCase{{"?"}, kExitEvaluationError, "evaluate"},
                      RoadCase{{"--??"}, kExitHelpRequested, "extended"},
                      RoadCase{{"--h2"}, kExitHelpRequested, "extended"},
                      RoadCase{{"/HELP2"}, kExitHelpRequested, "extended"},
                      RoadCase{{"-h", "-v"}, kExitHelpRequested, "extended"},
                      RoadCase{{"--info", "--version-only", "-h"}, kExitHelpRequested, "help"},
                      RoadCase{{"--info", "--??"}, kExitHelpRequested, "extended"},
                      RoadCase{{"--info", "--version-only"}, kExitSuccess, "build"},
                      RoadCase{{"--build-only", "-b", "1"}, kExitSuccess, "build"},
                      RoadCase{{"-i", "1+1"}, kExitSuccess, "info"},
                      RoadCase{{"/INFO", "-v"}, kExitSuccess, "info"},
                      RoadCase{{"1+1"}, kExitSuccess, "evaluate"}));

TEST(Driver, HelpUsesTheRenamedExecutableName) {
    const ProgramRun run = RunWhole({"-h", "-v"}, "/tmp/tools/calc.exe");
    EXPECT_TRUE(run.err.starts_with("calc v2.4.0")) << run.err;
    EXPECT_NE(run.err.find("\ncalc.exe v2.4.0.290"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\n calc <arithmetic_expression> [options]\n"), std::string::npos);
    EXPECT_EQ(run.out.find("orvex"), std::string::npos);
}

TEST(Driver, BannerAndVerboseShowTheBannerBeforeEvaluating) {
    const ProgramRun banner = RunWhole({"-b", "1"});
    EXPECT_EQ(CountLines(banner.err), 4) << banner.err;
    const ProgramRun verbose = RunWhole({"-v", "1"});
    EXPECT_EQ(CountLines(verbose.err), 6) << verbose.err;
    EXPECT_NE(verbose.err.find("was compiled on"), std::string::npos);
}

TEST(Driver, BannerPermissionOffSuppressesTheEvaluationBanner) {
    DriverRun run({"-b", "1"});
    run.context.BannerAllowed = false;
    run.Run();
    EXPECT_EQ(run.err.Text(), "");
}

TEST(Driver, ABannerOptionAloneTakesTheEvaluationRoadWithAnEmptyExpression) {
    DriverRun run({"-b"});
    run.Run();
    EXPECT_EQ(run.settings.Expression, "");
    EXPECT_EQ(run.out.Text(), "");
    EXPECT_TRUE(run.err.Text().starts_with("orvex v2.4.0"));
    // The engine refuses to evaluate nothing; that is an evaluation error.
    EXPECT_TRUE(run.err.Text().ends_with("Expression Evaluated: \n"
                                         "ERROR!  Cannot evaluate: empty expression\n\n"))
        << run.err.Text();
    EXPECT_EQ(run.context.ExitCode, kExitEvaluationError);
}

TEST(Driver, DebugSwitchesOnErrorDelayAndAudibleError) {
    DriverRun run({"--debug-mode", "1"});
    run.Run();
    EXPECT_TRUE(run.context.ErrorDelay);
    EXPECT_TRUE(run.context.AudibleError);
    EXPECT_EQ(run.settings.Expression, "1");
}

TEST(Driver, FlagSwitchesStoreTheirFoundFlagAndConsumeAValue) {
    DriverRun run({"--error-delay", "5", "--audible-error"});
    run.Run();
    EXPECT_TRUE(run.context.ErrorDelay);
    EXPECT_TRUE(run.context.AudibleError);
    EXPECT_EQ(run.settings.Expression, "");
}

TEST(Driver, ErrorExitBeepsWaitsAndPrintsTheBriefHelpOnStandardError) {
    DriverRun run({"--debug", "1<2=3"});
    run.Run();
    TakeErrorExit(run.context, run.settings, 1, kExitTooManyComparisons,
                  DriverString("orvex.smorethanonecomparison"), true);
    EXPECT_EQ(run.context.ExitCode, kExitTooManyComparisons);
    EXPECT_EQ(run.out.Text(), "");
    const std::string err = run.err.Text();
    EXPECT_TRUE(err.starts_with("orvex v2.4.0")) << err;
    EXPECT_NE(err.find("\nYou entered ...... /opt/calc/orvex --debug 1<2=3\n\n"
                       "More than One Boolean Comparison Attempted (See Syntax Definition Below)"
                       "\n\nPress Any Key to Continue..." +
                       std::string(30, '.') + "\n\n-----------\nCMD SYNTAX:\n"),
              std::string::npos)
        << err;
    EXPECT_TRUE(err.ends_with(kBriefHelpEnd));
    EXPECT_TRUE(run.console.log.starts_with("[beep][capture][sleep 250]")) << run.console.log;
}

TEST(Driver, ErrorExitAfterAnExplicitBannerPrintsNoSecondBanner) {
    DriverRun run({"-b", "-v", "1"});
    run.Run();
    const std::string before = run.err.Text();
    TakeErrorExit(run.context, run.settings, 1, kExitTooManyComparisons, "Bad", true);
    const std::string after = run.err.Text().substr(before.size());
    EXPECT_TRUE(after.starts_with("Invalid or Incomplete Syntax!\n")) << after;
}

// Speed is measured by the benchmarks; this checks long command lines
// complete with the right expression.
TEST(Driver, LongCommandLinesComplete) {
    std::vector<std::string> arguments;
    for (int i = 0; i < 50000; ++i)
        arguments.push_back(i % 2 == 0 ? "1" : "+");
    for (int i = 0; i < 2000; ++i)
        arguments.push_back("+" + std::string(200, '1') + std::to_string(i));
    DriverRun run(arguments);
    run.Run();
    std::string expected;
    for (const std::string& argument : arguments)
        expected += " " + argument;
    EXPECT_EQ(run.settings.Expression, expected.substr(1));
}

// --- The evaluation plan -------------------------------------------------

// The plan of a whole run, resolved again from the records it left: they
// stay as parsed, so the driver resolved the same plan.
TEvaluationPlan PlanOf(const std::vector<std::string>& arguments) {
    DriverRun run(arguments);
    run.Run();
    return ResolvePlan(run.settings.Options, run.settings.Values);
}

struct PlanCase {
    const char* Name;
    std::vector<std::string> Arguments;
    TEvaluationPlan Plan;
};

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, ResolvesWhichOptionWins) {
    const PlanCase& c = GetParam();
    EXPECT_EQ(PlanOf(c.Arguments), c.Plan);
}

constexpr const char* kDefaultPattern = "0.######";

// A plan with the given pattern and the defaults, changed by `change`.
TEvaluationPlan Plan(std::string pattern,
                     const std::function<void(TEvaluationPlan&)>& change = {}) {
    TEvaluationPlan plan;
    plan.NumberPattern = std::move(pattern);
    if (change)
        change(plan);
    return plan;
}

void Percent(TEvaluationPlan& plan) {
    plan.Multiplier = 100;
    plan.ResultSuffix = "%";
}

INSTANTIATE_TEST_SUITE_P(
    Options, PlanTest,
    ::testing::Values(
        PlanCase{"Default", {"1/3"}, Plan(kDefaultPattern)},
        // Decimal places and zero padding.
        PlanCase{"DecimalsWithoutValuePadTwo", {"1/3", "-d"}, Plan("0.00")},
        PlanCase{"DecimalsTakeAnUnreadableValue", {"-d", "2+3"}, Plan("0.00")},
        PlanCase{"DecimalsPad", {"-d", "4", "1/3"}, Plan("0.0000")},
        PlanCase{"NoPaddingCancelsTheImpliedPadding", {"-d:4", "--np", "1/3"}, Plan("0.####")},
        PlanCase{"NoPaddingBeatsUseZeros", {"--no-padding", "-u", "-d=3", "1"}, Plan("0.###")},
        PlanCase{"UseZerosPadsTheDefaultCount", {"-u", "1/3"}, Plan("0.000000")},
        PlanCase{"UseZeroesSpelling", {"/USE-ZEROES", "1/3"}, Plan("0.000000")},
        PlanCase{"NoDecimals", {"-d:0", "7"}, Plan("0.")},
        PlanCase{"DecimalsBeyondTheIntegerRange", {"-d:4294967295", "7"}, Plan("0.")},
        // The format option beats decimal places and padding.
        PlanCase{"FormatWithoutValue", {"1", "-d:3", "-f"}, Plan("#,##0.#")},
        PlanCase{"EmptyFormat", {"-f:", "1"}, Plan("#,##0.#")},
        PlanCase{"FormatValue", {"-f", "0.000", "2"}, Plan("0.000")},
        PlanCase{"FormatBeatsUseZeros", {"-u", "-f", "0.#", "2"}, Plan("0.#")},
        PlanCase{"AttachedFormat", {"--format=#.#E+00", "2"}, Plan("#.#E+00")},
        PlanCase{"Percent", {"-p", "0.5"}, Plan(kDefaultPattern, Percent)},
        // Radix output: the first radix option on the line wins, and -d and
        // -u pad no more (the decimal count still shapes the pattern).
        PlanCase{"FirstRadixWins",
                 {"--hex", "255", "--bin"},
                 Plan(kDefaultPattern, [](auto& p) { p.Radix = TRadix::Hexadecimal; })},
        PlanCase{"FirstOfThreeRadixesWins",
                 {"255", "--oct", "--hex", "--bin"},
                 Plan(kDefaultPattern, [](auto& p) { p.Radix = TRadix::Octal; })},
        PlanCase{"RadixIgnoresPadding",
                 {"--binary", "--octal", "-d", "-u"},
                 Plan("0.##", [](auto& p) { p.Radix = TRadix::Binary; })},
        PlanCase{"RadixKeepsTheDecimalCount",
                 {"--hex", "255", "-d:3", "-u"},
                 Plan("0.###", [](auto& p) { p.Radix = TRadix::Hexadecimal; })},
        PlanCase{"RadixWidthsAndPrefix",
                 {"--ml", "8", "--block-size:4", "--bin", "-n", "5"},
                 Plan(kDefaultPattern,
                      [](auto& p) {
                          p.Radix = TRadix::Binary;
                          p.NoPrefix = true;
                          p.MinLength = 8;
                          p.BlockSize = 4;
                      })},
        PlanCase{"RadixWithPercent",
                 {"--HEXADECIMAL", "-p", "1"},
                 Plan(kDefaultPattern,
                      [](auto& p) {
                          Percent(p);
                          p.Radix = TRadix::Hexadecimal;
                      })},
        // What comes before the result.
        PlanCase{"Banner", {"-b", "1"}, Plan(kDefaultPattern, [](auto& p) { p.Banner = true; })},
        PlanCase{"VerboseShowsTheBannerWithTheBuildLine",
                 {"-v", "1"},
                 Plan(kDefaultPattern,
                      [](auto& p) {
                          p.Banner = true;
                          p.BuildInformation = true;
                      })},
        PlanCase{"ShowAndZero",
                 {"-s", "-z", "1"},
                 Plan(kDefaultPattern,
                      [](auto& p) {
                          p.ZeroSubstitution = true;
                          p.ShowExpression = true;
                      })}),
    [](const auto& info) { return std::string(info.param.Name); });

// The records alone, as a declaration would leave them, without the
// framework's reading of the value.
TEST(EvaluationPlan, ANegativeDecimalCountGivesTheBarePattern) {
    TOptionRecords options;
    options.DecimalPlaces.Found = true;
    options.DecimalPlaces.Index = 0;
    TOptionValues values;
    values.DecimalPlaces = -3;
    EXPECT_EQ(ResolvePlan(options, values).NumberPattern, "0.");
}

TEST(EvaluationPlan, AHugeDecimalCountIsBounded) {
    DriverRun run({"-d:2147483647", "1"});
    run.Run();
    EXPECT_EQ(run.settings.Values.DecimalPlaces, 2147483647);
    EXPECT_EQ(ResolvePlan(run.settings.Options, run.settings.Values).NumberPattern,
              "0." + std::string(1 << 20, '0'));
}

// Resolving the plan changes no record: every option that lost keeps its
// found flag.
TEST(EvaluationPlan, LeavesTheOptionRecordsAsParsed) {
    DriverRun run({"--hex", "-u", "--bin", "--np", "-d:3", "1"});
    run.Run();
    const TOptionRecords& o = run.settings.Options;
    EXPECT_TRUE(o.Hex.Found && o.Bin.Found && o.UseZeros.Found && o.NoPadding.Found &&
                o.DecimalPlaces.Found);
    EXPECT_EQ(run.out.Text(), "0x1\n");
}

struct ExpressionCase {
    std::vector<std::string> arguments;
    std::string expression;
};

class ExpressionTest : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTest, JoinsTheUnclaimedArguments) {
    DriverRun run(GetParam().arguments);
    run.Run();
    EXPECT_EQ(run.settings.Expression, GetParam().expression);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ExpressionTest,
    ::testing::Values(ExpressionCase{{"1/3", "-d"}, "1/3"}, ExpressionCase{{"-d", "2+3"}, ""},
                      ExpressionCase{{"-d:4", "--np", "1/3"}, "1/3"},
                      ExpressionCase{{"-d", "--bin", "5"}, "-d 5"},
                      ExpressionCase{{"-b", "-b", "1"}, "-b 1"},
                      ExpressionCase{{"1", "", "+", "", "2"}, "1  +  2"},
                      ExpressionCase{{"-d4", "1"}, "-d4 1"},
                      ExpressionCase{{"--ml", "8", "--block-size:4", "--bin", "5"}, "5"}));

TEST(EvaluationPlan, KeepsTheOptionRecordsInTheirOwnSlots) {
    DriverRun run({"-s", "-n", "-z", "-p", "-u", "--np", "--bs", "2", "1"});
    run.Run();
    const TOptionRecords& o = run.settings.Options;
    EXPECT_TRUE(o.ShowExpression.Found);
    EXPECT_EQ(o.ShowExpression.Index, 0);
    EXPECT_TRUE(o.NoPrefix.Found);
    EXPECT_EQ(o.NoPrefix.Index, 1);
    EXPECT_TRUE(o.Zero.Found);
    EXPECT_EQ(o.Zero.Index, 2);
    EXPECT_TRUE(o.Percent.Found);
    EXPECT_TRUE(o.UseZeros.Found);
    EXPECT_TRUE(o.NoPadding.Found);
    EXPECT_TRUE(o.BlockSize.Found);
    EXPECT_FALSE(o.Help.Found || o.Verbose.Found || o.Info.Found || o.Format.Found);
    EXPECT_EQ(run.settings.Expression, "1");
}

} // namespace
} // namespace orvex::frontend
