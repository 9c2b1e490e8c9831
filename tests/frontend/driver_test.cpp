#include "cmdline/output_streams.h"
#include "frontend/driver.h"
#include "frontend/messages.h"

#include "fake_console.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvex::frontend {
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

// --- Failed writes ---------------------------------------------------------

TEST(Driver, AnyRoadWhoseOutputCannotBeWrittenEndsWithExitCode74) {
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
        EXPECT_EQ(exitCode, 74);
        EXPECT_TRUE(err.Text().ends_with("orvex: write error: No space left on device\n"))
            << err.Text();
    }
}

TEST(Driver, RoadsThatWriteNothingToStandardOutputKeepTheirExitCode) {
    const std::vector<std::pair<std::vector<std::string>, int>> roads = {
        {{"1/0"}, 81}, {{"abc"}, 80}, {{"1<2<3"}, 83}, {{}, 64}, {{"--version-only"}, 0}};
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
    EXPECT_EQ(RunProgram(arguments, "/opt/calc/orvex", "orvex 1/0", out, err, console), 81);
    EXPECT_EQ(out.Text(), "");
}

// --- Roads ---------------------------------------------------------------

TEST(Driver, EmptyCommandLineReportsOnStandardErrorOnly) {
    const ProgramRun run = RunWhole({});
    EXPECT_EQ(run.exitCode, 64);
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
    ::testing::Values(RoadCase{{"-h"}, 255, "help"}, RoadCase{{"/?"}, 255, "help"},
                      RoadCase{{"1", "--HELP"}, 255, "help"}, RoadCase{{"?"}, 80, "evaluate"},
                      RoadCase{{"--??"}, 255, "extended"}, RoadCase{{"--h2"}, 255, "extended"},
                      RoadCase{{"/HELP2"}, 255, "extended"},
                      RoadCase{{"-h", "-v"}, 255, "extended"},
                      RoadCase{{"--info", "--version-only", "-h"}, 255, "help"},
                      RoadCase{{"--info", "--??"}, 255, "extended"},
                      RoadCase{{"--info", "--version-only"}, 0, "build"},
                      RoadCase{{"--build-only", "-b", "1"}, 0, "build"},
                      RoadCase{{"-i", "1+1"}, 0, "info"}, RoadCase{{"/INFO", "-v"}, 0, "info"},
                      RoadCase{{"1+1"}, 0, "evaluate"}));

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
    EXPECT_EQ(run.context.ExitCode, 80);
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
    TakeErrorExit(run.context, run.settings, 1, 83, DriverString("orvex.smorethanonecomparison"),
                  true);
    EXPECT_EQ(run.context.ExitCode, 83);
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
    TakeErrorExit(run.context, run.settings, 1, 83, "Bad", true);
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

// --- Resolved settings -----------------------------------------------------

struct SettingsCase {
    std::vector<std::string> arguments;
    std::string pattern;
    std::string expression;
    std::int32_t multiplier = 1;
    std::string suffix;
};

SettingsCase Expect(std::vector<std::string> arguments, std::string pattern, std::string expression,
                    std::int32_t multiplier = 1, std::string suffix = "") {
    return {std::move(arguments), std::move(pattern), std::move(expression), multiplier,
            std::move(suffix)};
}

class ResolvedSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ResolvedSettingsTest, BuildsPatternMultiplierAndExpression) {
    const SettingsCase& c = GetParam();
    DriverRun run(c.arguments);
    run.Run();
    EXPECT_EQ(run.settings.NumberPattern, c.pattern);
    EXPECT_EQ(run.settings.Expression, c.expression);
    EXPECT_EQ(run.settings.Multiplier, c.multiplier);
    EXPECT_EQ(run.settings.ResultSuffix, c.suffix);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ResolvedSettingsTest,
    ::testing::Values(
        Expect({"1/3"}, "0.######", "1/3"), Expect({"1/3", "-d"}, "0.00", "1/3"),
        Expect({"-d", "2+3"}, "0.00", ""), Expect({"-d", "4", "1/3"}, "0.0000", "1/3"),
        Expect({"-d:4", "--np", "1/3"}, "0.####", "1/3"),
        Expect({"--no-padding", "-u", "-d=3", "1"}, "0.###", "1"),
        Expect({"-u", "1/3"}, "0.000000", "1/3"), Expect({"/USE-ZEROES", "1/3"}, "0.000000", "1/3"),
        Expect({"-d:0", "7"}, "0.", "7"), Expect({"-d:4294967295", "7"}, "0.", "7"),
        Expect({"1", "-d:3", "-f"}, "#,##0.#", "1"), Expect({"-f:", "1"}, "#,##0.#", "1"),
        Expect({"-f", "0.000", "2"}, "0.000", "2"),
        Expect({"--format=#.#E+00", "2"}, "#.#E+00", "2"),
        Expect({"-p", "0.5"}, "0.######", "0.5", 100, "%"),
        Expect({"--hex", "255", "-d:3", "-u"}, "0.###", "255"),
        Expect({"-d", "--bin", "5"}, "0.##", "-d 5"), Expect({"-b", "-b", "1"}, "0.######", "-b 1"),
        Expect({"1", "", "+", "", "2"}, "0.######", "1  +  2"),
        Expect({"-d4", "1"}, "0.######", "-d4 1")));

TEST(ResolvedSettings, AHugeDecimalCountIsBounded) {
    DriverRun run({"-d:2147483647", "1"});
    run.Run();
    EXPECT_EQ(run.settings.DecimalPlaces, 2147483647);
    EXPECT_EQ(run.settings.NumberPattern, "0." + std::string(1 << 20, '0'));
}

struct RadixCase {
    std::vector<std::string> arguments;
    bool bin, oct, hex;
};

class RadixTest : public ::testing::TestWithParam<RadixCase> {};

TEST_P(RadixTest, TheFirstRadixOptionOnTheLineWins) {
    const RadixCase& c = GetParam();
    DriverRun run(c.arguments);
    run.Run();
    const TOptionRecords& o = run.settings.Options;
    EXPECT_EQ(o.Bin.Found, c.bin);
    EXPECT_EQ(o.Oct.Found, c.oct);
    EXPECT_EQ(o.Hex.Found, c.hex);
    if (c.bin || c.oct || c.hex) {
        EXPECT_FALSE(o.DecimalPlaces.Found);
        EXPECT_FALSE(o.UseZeros.Found);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Radix, RadixTest,
    ::testing::Values(RadixCase{{"--hex", "255", "--bin"}, false, false, true},
                      RadixCase{{"255", "--oct", "--hex", "--bin"}, false, true, false},
                      RadixCase{{"--binary", "--octal", "-d", "-u"}, true, false, false},
                      RadixCase{{"--HEXADECIMAL", "1"}, false, false, true},
                      RadixCase{{"-d", "-u", "1"}, false, false, false}));

TEST(ResolvedSettings, TakesTheRadixWidths) {
    DriverRun run({"--ml", "8", "--block-size:4", "--bin", "5"});
    run.Run();
    EXPECT_EQ(run.settings.MinLength, 8);
    EXPECT_EQ(run.settings.BlockSize, 4);
    EXPECT_EQ(run.settings.Expression, "5");
}

TEST(ResolvedSettings, KeepsTheOptionRecordsInTheirOwnSlots) {
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
    EXPECT_FALSE(o.UseZeros.Found);
    EXPECT_TRUE(o.NoPadding.Found);
    EXPECT_TRUE(o.BlockSize.Found);
    EXPECT_FALSE(o.Help.Found || o.Verbose.Found || o.Info.Found || o.Format.Found);
    EXPECT_EQ(run.settings.Expression, "1");
}

} // namespace
} // namespace orvex::frontend
