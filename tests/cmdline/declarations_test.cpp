#include "cmdline/declarations.h"

#include "cmdline/find_param.h"
#include "cmdline/unclaimed_params.h"
#include "context_fixture.h"

#include <gtest/gtest.h>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

std::vector<std::int32_t> Statuses(const TParamStatusArray& table) {
    std::vector<std::int32_t> statuses;
    for (const TParamStatusRec& argument : table)
        statuses.push_back(argument.Status);
    return statuses;
}

std::string Unclaimed(const TParamStatusArray& table) {
    std::string text;
    GetUnclaimedParams(text, table, -1, -1);
    return text;
}

// The calculator's decimal-places option: absent keeps the variable, a
// missing or unreadable value gives 2.
struct DecimalsCase {
    std::vector<std::string> arguments;
    std::int32_t decimals;
    bool found;
    bool attached;
    std::vector<std::int32_t> statuses;
    std::string unclaimed;
};

class DecimalPlacesTest : public ::testing::TestWithParam<DecimalsCase> {};

TEST_P(DecimalPlacesTest, ClaimsTheOptionAndItsValue) {
    const DecimalsCase& c = GetParam();
    ContextUnderTest run(c.arguments);
    run.context.SwitchStyle = 2;
    std::int32_t decimals = 6;
    const TFindParamRec found =
        DeclareIntParam(run.context, run.context.ParamStatus, "D DECIMAL-PLACES", kWholeCommandLine,
                        decimals, 2, pfDefaultFromVariable);
    EXPECT_EQ(decimals, c.decimals);
    EXPECT_EQ(found.Found, c.found);
    EXPECT_EQ(found.Attached, c.attached);
    EXPECT_EQ(found.Value, std::to_string(c.decimals));
    EXPECT_EQ(Statuses(run.context.ParamStatus), c.statuses);
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), c.unclaimed);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecimalPlacesTest,
    ::testing::Values(
        DecimalsCase{{"1/3"}, 6, false, false, {psUnclaimed}, "1/3"},
        DecimalsCase{{"-d:4", "1/3"}, 4, true, true, {psAttached, psUnclaimed}, "1/3"},
        DecimalsCase{{"-d=4", "1/3"}, 4, true, true, {psAttached, psUnclaimed}, "1/3"},
        DecimalsCase{{"--decimal-places:4", "9"}, 4, true, true, {psAttached, psUnclaimed}, "9"},
        DecimalsCase{{"/D=4", "9"}, 4, true, true, {psAttached, psUnclaimed}, "9"},
        DecimalsCase{{"-d:", "9"}, 2, true, true, {psAttached, psUnclaimed}, "9"},
        DecimalsCase{{"-d4", "9"}, 6, false, false, {psUnclaimed, psUnclaimed}, "-d4 9"},
        DecimalsCase{{"-d", "4"}, 4, true, false, {psOption, psValue}, ""},
        DecimalsCase{{"-d", "2+3"}, 2, true, false, {psOption, psValue}, ""},
        DecimalsCase{{"1/3", "-d"}, 2, true, false, {psUnclaimed, psOption}, "1/3"},
        DecimalsCase{{"-d", "0"}, 0, true, false, {psOption, psValue}, ""},
        DecimalsCase{{"-d:9", "-d:3"}, 9, true, true, {psAttached, psUnclaimed}, "-d:3"}));

TEST(DeclareSwitch, ClaimsTheFirstOccurrenceOnly) {
    ContextUnderTest run({"-b", "1", "/B"});
    const TFindParamRec banner =
        DeclareSwitch(run.context, run.context.ParamStatus, "B BANNER", kWholeCommandLine, 0);
    EXPECT_TRUE(banner.Found);
    EXPECT_EQ(banner.Index, 0);
    EXPECT_EQ(banner.Position, 1);
    EXPECT_EQ(banner.Name, "-b");
    EXPECT_EQ(Statuses(run.context.ParamStatus),
              (std::vector<std::int32_t>{psOption, psUnclaimed, psUnclaimed}));
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), "1 /B");
}

TEST(DeclareSwitch, ClaimsEveryOccurrenceOnRequest) {
    ContextUnderTest run({"-b", "1", "/B"});
    const TFindParamRec banner = DeclareSwitch(run.context, run.context.ParamStatus, "B",
                                               kWholeCommandLine, pfClaimEveryOccurrence);
    EXPECT_EQ(banner.Index, 2);
    EXPECT_EQ(banner.Name, "/B");
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), "1");
}

TEST(DeclareSwitch, SearchesOnlyTheGivenRange) {
    ContextUnderTest run({"-b", "1", "-b"});
    EXPECT_EQ(DeclareSwitch(run.context, run.context.ParamStatus, "B", {1, 0}, 0).Index, 2);
    ContextUnderTest back({"1", "-b", "-b"});
    EXPECT_FALSE(DeclareSwitch(back.context, back.context.ParamStatus, "B", {0, 1}, 0).Found);
    EXPECT_EQ(DeclareSwitch(back.context, back.context.ParamStatus, "B", {-1, 1}, 0).Index, 1);
}

TEST(DeclareSwitch, OneArgumentCanServeTwoDeclarations) {
    ContextUnderTest run({"--??"});
    TParamStatusArray& table = run.context.ParamStatus;
    const TFindParamRec help =
        DeclareSwitch(run.context, table, "H HELP ? HELP2 H2 ??", kWholeCommandLine, 0);
    const TFindParamRec verbose =
        DeclareSwitch(run.context, table, "V VERBOSE BUILD HELP2 H2 ??", kWholeCommandLine, 0);
    EXPECT_TRUE(help.Found);
    EXPECT_TRUE(verbose.Found);
    EXPECT_EQ(run.context.KnownParamNames, "H HELP ? HELP2 H2 ?? V VERBOSE BUILD");
}

TEST(DeclareSwitch, FindsNothingOnAnEmptyCommandLine) {
    ContextUnderTest run({});
    const TFindParamRec help =
        DeclareSwitch(run.context, run.context.ParamStatus, "H HELP", kWholeCommandLine, 0);
    EXPECT_FALSE(help.Found);
    EXPECT_EQ(help.Index, -1);
    EXPECT_EQ(help.Position, -1);
    EXPECT_EQ(run.context.KnownParamNames, "H HELP");
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), "");
}

TEST(DeclareFlagSwitch, ConsumesTheFollowingArgumentAsItsValue) {
    ContextUnderTest run({"--error-delay", "5", "-b"});
    bool errorDelay = false;
    const TFindParamRec found = DeclareFlagSwitch(run.context, run.context.ParamStatus,
                                                  "  ERROR-DELAY", kWholeCommandLine, errorDelay);
    EXPECT_TRUE(errorDelay);
    EXPECT_EQ(found.Value, "5");
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), "-b");
}

TEST(DeclareFlagSwitch, ALaterOptionTakesBackItsValueArgument) {
    ContextUnderTest run({"--error-delay", "-b"});
    TParamStatusArray& table = run.context.ParamStatus;
    bool errorDelay = false;
    const TFindParamRec delay =
        DeclareFlagSwitch(run.context, table, "ERROR-DELAY", kWholeCommandLine, errorDelay);
    EXPECT_EQ(table[1].Status, psValue);
    const TFindParamRec banner = DeclareSwitch(run.context, table, "B", kWholeCommandLine, 0);
    EXPECT_TRUE(banner.Found);
    EXPECT_EQ(table[1].Status, psOption);
    EXPECT_EQ(delay.Value, "-b");
}

TEST(DeclareTextParam, ValueSlotHeldByAnEarlierOptionIsAnError) {
    ContextUnderTest run({"-f", "-b", "7"});
    TParamStatusArray& table = run.context.ParamStatus;
    DeclareSwitch(run.context, table, "B BANNER", kWholeCommandLine, 0);
    std::string pattern = "stale";
    const TFindParamRec format =
        DeclareTextParam(run.context, table, "F FORMAT", kWholeCommandLine, pattern);
    EXPECT_TRUE(format.Found);
    EXPECT_EQ(format.Value, "-b");
    EXPECT_EQ(pattern, "-b");
    EXPECT_EQ(Statuses(table), (std::vector<std::int32_t>{psError, psOption, psUnclaimed}));
    EXPECT_EQ(Unclaimed(table), "-f 7");
}

TEST(DeclareTextParam, AbsentOptionEmptiesTheVariable) {
    ContextUnderTest run({"7"});
    std::string pattern = "stale";
    EXPECT_FALSE(DeclareTextParam(run.context, run.context.ParamStatus, "F FORMAT",
                                  kWholeCommandLine, pattern)
                     .Found);
    EXPECT_EQ(pattern, "");
}

TEST(DeclareWordParam, KeepsTheLow16BitsAndReportsDefaults) {
    struct Case {
        std::vector<std::string> arguments;
        std::uint16_t value;
        bool defaulted;
    };
    const Case cases[] = {
        {{"--ml", "8"}, 8, false}, {{"--ml:70000"}, 4464, false},     {{"--ml", "abc"}, 0, true},
        {{"--ml", "0"}, 0, true},  {{"--min-length=$10"}, 16, false}, {{}, 0, true},
    };
    for (const Case& c : cases) {
        ContextUnderTest run(c.arguments);
        run.context.SwitchStyle = 2;
        std::uint16_t minLength = 99;
        const TFindParamRec found =
            DeclareWordParam(run.context, run.context.ParamStatus, "  ML MIN-LENGTH",
                             kWholeCommandLine, minLength, 0);
        EXPECT_EQ(minLength, c.value) << c.arguments.size();
        EXPECT_EQ(found.Value, std::to_string(c.value));
        EXPECT_EQ(found.Defaulted, c.defaulted);
    }
}

TEST(FindParam, RequiredValuesMissingMakeTheOptionAnError) {
    struct Case {
        std::vector<std::string> arguments;
        int valueCount;
        int flags;
        bool found;
        std::int32_t status;
        std::uint8_t mark0;
    };
    const Case cases[] = {
        {{"-x"}, 1, pfFirstValueRequired, false, psError, 1},
        {{"-x", ""}, 1, pfFirstValueRequired, false, psError, 1},
        {{"-x", "a"}, 1, pfFirstValueRequired, true, psOption, 1},
        {{"-x", "a"}, 2, pfBothValuesRequired, false, psError, 0},
        {{"-x", "a", ""}, 2, pfBothValuesRequired, false, psError, 0},
        {{"-x", "a"}, 2, 0, true, psOption, 1},
    };
    for (const Case& c : cases) {
        ContextUnderTest run(c.arguments);
        TFindParamRec found;
        FindParam(run.context, found, run.context.ParamStatus, "X", -1, -1, c.valueCount, c.flags,
                  "d1", "d2");
        const TParamStatusRec& option = run.context.ParamStatus[0];
        EXPECT_EQ(found.Found, c.found) << c.arguments.size() << " " << c.flags;
        EXPECT_EQ(option.Status, c.status) << c.arguments.size() << " " << c.flags;
        EXPECT_EQ(option.Marks[0], c.mark0) << c.arguments.size() << " " << c.flags;
    }
}

TEST(FindParam, TakesTwoFollowingValues) {
    ContextUnderTest run({"-x", "a", "b", "c"});
    TFindParamRec found;
    FindParam(run.context, found, run.context.ParamStatus, "X", -1, -1, 2, 0, "", "");
    EXPECT_EQ(found.Value, "a");
    EXPECT_EQ(found.Value2, "b");
    EXPECT_EQ(Statuses(run.context.ParamStatus),
              (std::vector<std::int32_t>{psOption, psValue, psValue, psUnclaimed}));
    EXPECT_EQ(run.context.ParamStatus[1].Marks[1], 1);
}

TEST(FindParam, KeepsTheDefaultsWhenNothingMatches) {
    ContextUnderTest run({"1"});
    TFindParamRec found;
    FindParam(run.context, found, run.context.ParamStatus, "X", -1, -1, 2, 0, "d1", "d2");
    EXPECT_EQ(found.Value, "d1");
    EXPECT_EQ(found.Value2, "d2");
}

TEST(FindParam, AnEmptyRequiredAttachedValueTriesTheFollowingArgument) {
    ContextUnderTest run({"-x:", "v"});
    run.context.SwitchStyle = 2;
    TFindParamRec found;
    FindParam(run.context, found, run.context.ParamStatus, "X", -1, -1, 1, pfFirstValueRequired, "",
              "");
    EXPECT_TRUE(found.Found);
    EXPECT_TRUE(found.Attached);
    EXPECT_EQ(found.Name, "-x");
    EXPECT_EQ(found.Value, "v");
    EXPECT_EQ(Statuses(run.context.ParamStatus), (std::vector<std::int32_t>{psError, psValue}));
    EXPECT_EQ(run.context.ParamStatus[0].Marks, (std::array<std::uint8_t, 4>{1, 0, 1, 0}));
}

TEST(FindParam, MarksAnAttachedValue) {
    ContextUnderTest run({"-x:1"});
    run.context.SwitchStyle = 2;
    run.context.ParamStatus[0].Marks[3] = 9;
    TFindParamRec found;
    FindParam(run.context, found, run.context.ParamStatus, "X", -1, -1, 1, 0, "", "");
    EXPECT_EQ(run.context.ParamStatus[0].Marks, (std::array<std::uint8_t, 4>{1, 1, 1, 0}));
}

TEST(GetUnclaimedParams, JoinsWithBlanksAndTrimsTheEnds) {
    ContextUnderTest run({"-b", " 1", "", "+ 2", "\t"});
    DeclareSwitch(run.context, run.context.ParamStatus, "B", kWholeCommandLine, 0);
    EXPECT_EQ(Unclaimed(run.context.ParamStatus), "1  + 2");
    std::string part;
    GetUnclaimedParams(part, run.context.ParamStatus, 3, 3);
    EXPECT_EQ(part, "+ 2");
    GetUnclaimedParams(part, run.context.ParamStatus, 2, 99);
    EXPECT_EQ(part, "+ 2");
}

} // namespace
} // namespace orvex::cmdline
