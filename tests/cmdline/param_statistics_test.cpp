#include "cmdline/param_statistics.h"

#include "cmdline/declarations.h"
#include "cmdline/param_names.h"
#include "context_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

// -b claimed, -d:4 attached, the rest unclaimed.
class StatisticsTest : public ::testing::Test {
  protected:
    StatisticsTest() {
        run.context.SwitchStyle = 2;
        DeclareSwitch(run.context, run.context.ParamStatus, "B", kWholeCommandLine, 0);
        std::int32_t decimals = 6;
        DeclareIntParam(run.context, run.context.ParamStatus, "D", kWholeCommandLine, decimals, 2,
                        pfDefaultFromVariable);
    }

    TParamStatisticsRec Compute(bool check, int first, int last) {
        TParamStatisticsRec statistics;
        statistics.Title = "Probe";
        ComputeParamStatistics(run.context, statistics, run.context.ParamStatus,
                               run.context.KnownParamNames, check, first, last);
        return statistics;
    }

    ContextUnderTest run{{"-b", "12", "", "1", "-d:4", "x y", "-q"}};
};

TEST_F(StatisticsTest, ClassifiesEveryArgument) {
    const TParamStatisticsRec s = Compute(true, -1, -1);
    EXPECT_TRUE(s.Computed);
    EXPECT_FALSE(s.Valid);
    EXPECT_FALSE(s.NoKnownOption);
    EXPECT_EQ(s.Title, "Probe");
    EXPECT_EQ(s.First, 0);
    EXPECT_EQ(s.Last, 6);
    EXPECT_EQ(s.TotalCount, 7);
    EXPECT_EQ(s.TotalList, "-b 12 \"\" 1 -d:4 \"x y\" -q ");
    EXPECT_EQ(s.NonEmptyCount, 6);
    EXPECT_EQ(s.NonEmptyList, "-b 12 1 -d:4 \"x y\" -q ");
    // "1" occurs inside "12", so it is not distinct.
    EXPECT_EQ(s.DistinctCount, 6);
    EXPECT_EQ(s.DistinctList, "-b 12 \"\" -d:4 \"x y\" -q ");
    EXPECT_EQ(s.ListedCount, 7);
    EXPECT_EQ(s.ListedList, s.TotalList);
    EXPECT_EQ(s.NotOptionCount, 6);
    EXPECT_EQ(s.NotOptionList, "12 \"\" 1 -d:4 \"x y\" -q ");
    EXPECT_EQ(s.OptionCount, 1);
    EXPECT_EQ(s.OptionList, "-b ");
    EXPECT_EQ(s.AttachedCount, 1);
    EXPECT_EQ(s.AttachedList, "-d:4 ");
    EXPECT_EQ(s.UnclaimedCount, 5);
    EXPECT_EQ(s.UnclaimedList, "12 \"\" 1 \"x y\" -q ");
    EXPECT_EQ(s.ValueCount + s.ErrorCount + s.OutOfRangeCount + s.OtherCount, 0);
    EXPECT_EQ(s.KnownForms, "/B -B /D -D ");
    EXPECT_EQ(s.KnownOptionWords, "-b -d ");
}

TEST_F(StatisticsTest, CountsArgumentsOutsideTheRangeApart) {
    run.context.ParamStatus[6].Status = psOther;
    const TParamStatisticsRec s = Compute(true, 2, 3);
    EXPECT_EQ(s.First, 2);
    EXPECT_EQ(s.Last, 3);
    EXPECT_EQ(s.TotalList, "\"\" 1 ");
    EXPECT_EQ(s.OutOfRangeCount, 5);
    EXPECT_EQ(s.OutOfRangeList, "-b 12 -d:4 \"x y\" -q ");
    EXPECT_EQ(s.OtherList, "-q ");
    EXPECT_EQ(s.KnownOptionWords, "");
    EXPECT_TRUE(s.NoKnownOption);
}

TEST(Statistics, VerdictNeedsEveryArgumentClaimedAndAKnownOption) {
    struct Case {
        std::vector<std::string> arguments;
        bool check;
        bool valid;
        bool noKnownOption;
    };
    const Case cases[] = {
        {{"-b"}, true, true, false},    {{"-b", "1"}, true, false, false},
        {{"1"}, true, false, true},     {{}, true, false, true},
        {{"--x"}, false, false, false}, {{"-b", "-b"}, false, false, false},
    };
    for (const Case& c : cases) {
        ContextUnderTest run(c.arguments);
        DeclareSwitch(run.context, run.context.ParamStatus, "B", kWholeCommandLine, 0);
        TParamStatisticsRec s;
        EXPECT_EQ(ValidateSyntax(run.context, s, run.context.ParamStatus,
                                 run.context.KnownParamNames, c.check, -1, -1),
                  c.valid)
            << c.arguments.size();
        EXPECT_EQ(s.NoKnownOption, c.noKnownOption) << c.arguments.size();
    }
}

TEST(Statistics, DistinctIsASubstringTestIgnoringCase) {
    ContextUnderTest run({"ab", "cd", "b", "AB", "b c", "a b", "a"});
    TParamStatisticsRec s;
    ComputeParamStatistics(run.context, s, run.context.ParamStatus, "", false, -1, -1);
    // "b c" occurs across the entries "ab" and "cd" of the list.
    EXPECT_EQ(s.DistinctList, "ab cd \"a b\" ");
    EXPECT_EQ(s.DistinctCount, 3);
}

// The distinct list as its definition reads: an argument (an empty one as
// two double quotes) is distinct when its upper-case text does not occur in
// the upper-cased list so far.
std::pair<std::string, int> PlainDistinctList(const std::vector<std::string>& arguments) {
    const auto upper = [](std::string text) {
        for (char& c : text)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        return text;
    };
    std::string list;
    int count = 0;
    for (const std::string& argument : arguments) {
        const std::string text = argument.empty() ? "\"\"" : argument;
        if (upper(list).find(upper(text)) != std::string::npos)
            continue;
        const bool quoted = text.find(' ') != std::string::npos;
        list += quoted ? "\"" + text + "\" " : text + " ";
        ++count;
    }
    return {list, count};
}

// Random arguments over a few characters, blanks and quotes among them, and
// enough of them that the index of the distinct list builds its automaton
// part of the way through.
TEST(Statistics, DistinctListMatchesItsPlainDefinition) {
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> character(0, 5);
    std::uniform_int_distribution<int> length(0, 9);
    for (const int count : {5, 60, 3000}) {
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i) {
            static constexpr char kCharacters[] = {'a', 'A', 'b', 'c', ' ', '"'};
            std::string argument;
            for (int n = length(random); n > 0; --n)
                argument += kCharacters[character(random)];
            arguments.push_back(argument);
        }
        ContextUnderTest run(arguments);
        TParamStatisticsRec s;
        ComputeParamStatistics(run.context, s, run.context.ParamStatus, "", false, -1, -1);
        const auto [list, distinct] = PlainDistinctList(arguments);
        ASSERT_EQ(s.DistinctList, list) << count;
        EXPECT_EQ(s.DistinctCount, distinct) << count;
    }
}

TEST(Statistics, ValidateSyntaxComputesTheDefaultRecordOnce) {
    ContextUnderTest run({"-b", "1"});
    DeclareSwitch(run.context, run.context.ParamStatus, "B", kWholeCommandLine, 0);
    TCmdLineContext& context = run.context;
    ValidateSyntax(context, context.CustomSyntax, context.ParamStatus, context.KnownParamNames,
                   true, 1, 1);
    EXPECT_EQ(context.CustomSyntax.Title, "Custom Syntax Validation Record");
    EXPECT_EQ(context.CustomSyntax.TotalList, "1 ");
    EXPECT_TRUE(context.DefaultSyntax.Computed);
    EXPECT_EQ(context.DefaultSyntax.Title, "Default Syntax Validation Record");
    EXPECT_EQ(context.DefaultSyntax.TotalList, "-b 1 ");
    context.ParamStatus[1].Text = "2";
    ValidateSyntax(context, context.CustomSyntax, context.ParamStatus, context.KnownParamNames,
                   true, -1, -1);
    EXPECT_EQ(context.CustomSyntax.TotalList, "-b 2 ");
    EXPECT_EQ(context.DefaultSyntax.TotalList, "-b 1 ");
}

TEST(Statistics, CountsLongCommandLines) {
    std::vector<std::string> many;
    // Long arguments sharing long prefixes: the worst case for a plain
    // search of the distinct list.
    const std::string stem(300, '1');
    for (int i = 0; i < 2000; ++i)
        many.push_back(stem + "+" + std::to_string(i));
    for (int i = 0; i < 50000; ++i)
        many.push_back(i % 2 == 0 ? "1" : "+");
    ContextUnderTest run(std::move(many));
    ValidateSyntax(run.context, run.context.CustomSyntax, run.context.ParamStatus, "", false, -1,
                   -1);
    EXPECT_EQ(run.context.CustomSyntax.TotalCount, 52000);
    EXPECT_EQ(run.context.CustomSyntax.DistinctCount, 2000);
}

// Over the whole command line the default record is the custom one under
// its own title; over part of it, it is computed on its own.
TEST(Statistics, TheDefaultRecordCoversTheWholeCommandLine) {
    for (const int first : {-1, 0, 1}) {
        ContextUnderTest run({"-b", "1", "", "x y"});
        TCmdLineContext& context = run.context;
        DeclareSwitch(context, context.ParamStatus, "B", kWholeCommandLine, 0);
        ValidateSyntax(context, context.CustomSyntax, context.ParamStatus, context.KnownParamNames,
                       true, first, 3);
        TParamStatisticsRec whole;
        ComputeParamStatistics(context, whole, context.ParamStatus, context.KnownParamNames, true,
                               -1, -1);
        const TParamStatisticsRec& d = context.DefaultSyntax;
        EXPECT_EQ(d.Title, "Default Syntax Validation Record");
        EXPECT_EQ(context.CustomSyntax.Title, "Custom Syntax Validation Record");
        EXPECT_TRUE(d.Computed);
        EXPECT_EQ(d.Valid, whole.Valid) << first;
        EXPECT_EQ(d.First, whole.First) << first;
        EXPECT_EQ(d.TotalList, whole.TotalList) << first;
        EXPECT_EQ(d.DistinctList, whole.DistinctList) << first;
        EXPECT_EQ(d.UnclaimedList, whole.UnclaimedList) << first;
        EXPECT_EQ(d.OutOfRangeList, "") << first;
        EXPECT_EQ(d.KnownOptionWords, whole.KnownOptionWords) << first;
        EXPECT_EQ(context.CustomSyntax.OutOfRangeCount, first == 1 ? 1 : 0);
    }
}

TEST(HelpParamHint, NamesTheDeclaredHelpOptions) {
    ContextUnderTest run({});
    TCmdLineContext& context = run.context;
    AddKnownNames(context.KnownParamNames, "  DEBUG DEBUG-MODE H HELP ? HELP2 H2 ?? V VERBOSE "
                                           "BUILD VERSION-ONLY BUILD-ONLY I INFO B BANNER");
    ValidateSyntax(context, context.CustomSyntax, context.ParamStatus, context.KnownParamNames,
                   true, -1, -1);
    EXPECT_EQ(context.HelpParamHint,
              "-H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY --BUILD-ONLY --INFO");
}

TEST(HelpParamHint, GrowsWithoutRepeatingAndSkipsUndeclaredNames) {
    std::string hint;
    BuildHelpParamHint(hint, "X HELP", "h help ? x");
    EXPECT_EQ(hint, "--HELP -X");
    BuildHelpParamHint(hint, "X HELP INFO", "\"info\" x");
    EXPECT_EQ(hint, "--HELP -X --INFO");
}

} // namespace
} // namespace orvex::cmdline
