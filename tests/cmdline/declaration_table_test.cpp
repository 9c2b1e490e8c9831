#include "cmdline/declaration_table.h"

#include "cmdline/declarations.h"
#include "cmdline/param_statistics.h"
#include "context_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

// A table with every kind, shared words ("H2" in two lists), a bare special
// name, a repeated word, a switch that claims every occurrence and flags on
// a kind whose declaration operation takes none.
constexpr TParamDeclaration kTable[] = {
    {"  DEBUG", TParamKind::Switch},
    {"  ERROR-DELAY", TParamKind::FlagSwitch},
    {"H HELP H2", TParamKind::Switch},
    {"V H2 ~", TParamKind::Switch},
    {"B", TParamKind::Switch, 0, pfClaimEveryOccurrence},
    {"  ML", TParamKind::Word, 7},
    {"F FORMAT F", TParamKind::Text, 0, pfFirstValueRequired}, // flags only for Switch and Int
    {"D", TParamKind::Int, 2, pfDefaultFromVariable},
    {"X", TParamKind::Int, -1, pfFirstValueRequired},
};
constexpr std::size_t kEntries = std::size(kTable);

struct TOutcome {
    std::vector<TFindParamRec> records = std::vector<TFindParamRec>(kEntries);
    bool errorDelay = false;
    std::uint16_t minLength = 99;
    std::string format = "stale";
    std::int32_t decimals = 6;
    std::int32_t x = 5;
};

std::vector<TParamBinding> BindingsOf(TOutcome& o) {
    std::vector<TParamBinding> bindings;
    for (TFindParamRec& record : o.records)
        bindings.push_back({&record, {}});
    bindings[1].Variable = &o.errorDelay;
    bindings[5].Variable = &o.minLength;
    bindings[6].Variable = &o.format;
    bindings[7].Variable = &o.decimals;
    bindings[8].Variable = &o.x;
    return bindings;
}

// The same entries declared one by one through the declaration operations.
void DeclareOneByOne(TCmdLineContext& context, TOutcome& o) {
    TParamStatusArray& table = context.ParamStatus;
    auto& r = o.records;
    r[0] = DeclareSwitch(context, table, kTable[0].Names, kWholeCommandLine, 0);
    r[1] = DeclareFlagSwitch(context, table, kTable[1].Names, kWholeCommandLine, o.errorDelay);
    r[2] = DeclareSwitch(context, table, kTable[2].Names, kWholeCommandLine, 0);
    r[3] = DeclareSwitch(context, table, kTable[3].Names, kWholeCommandLine, 0);
    r[4] =
        DeclareSwitch(context, table, kTable[4].Names, kWholeCommandLine, pfClaimEveryOccurrence);
    r[5] = DeclareWordParam(context, table, kTable[5].Names, kWholeCommandLine, o.minLength, 7);
    r[6] = DeclareTextParam(context, table, kTable[6].Names, kWholeCommandLine, o.format);
    r[7] = DeclareIntParam(context, table, kTable[7].Names, kWholeCommandLine, o.decimals, 2,
                           pfDefaultFromVariable);
    r[8] = DeclareIntParam(context, table, kTable[8].Names, kWholeCommandLine, o.x, -1,
                           pfFirstValueRequired);
}

void ExpectSameRecord(const TFindParamRec& a, const TFindParamRec& b, std::size_t entry) {
    EXPECT_EQ(a.Defaulted, b.Defaulted) << entry;
    EXPECT_EQ(a.Found, b.Found) << entry;
    EXPECT_EQ(a.Attached, b.Attached) << entry;
    EXPECT_EQ(a.Index, b.Index) << entry;
    EXPECT_EQ(a.Position, b.Position) << entry;
    EXPECT_EQ(a.Name, b.Name) << entry;
    EXPECT_EQ(a.Value, b.Value) << entry;
    EXPECT_EQ(a.Value2, b.Value2) << entry;
}

// Random command lines from words that match the names in every form, with
// and without attached values, and words that match nothing; every switch
// style. The table must leave the argument table, the records, the
// variables and the known names exactly as the declarations one by one.
TEST(DeclareParams, ClaimsWhatTheDeclarationsOneByOneClaim) {
    static constexpr const char* kWords[] = {"-h",
                                             "/H",
                                             "--help",
                                             "--h2",
                                             "/h2",
                                             "-v",
                                             "~",
                                             "/~",
                                             "-~",
                                             "-b",
                                             "/B",
                                             "--ml",
                                             "/ML:3",
                                             "--ml=0x10",
                                             "-f",
                                             "-F:",
                                             "/f=#.0",
                                             "-d",
                                             "-d:4",
                                             "--d",
                                             "-x",
                                             "-x:",
                                             "1+2",
                                             "4",
                                             "",
                                             "--debug",
                                             "/DEBUG",
                                             "-debug",
                                             "x",
                                             "--error-delay",
                                             "/error-delay:1",
                                             "--format",
                                             "-h:1",
                                             "-:",
                                             "/"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> length(0, 8);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> arguments;
        for (int i = length(random); i > 0; --i)
            arguments.emplace_back(kWords[word(random)]);
        const int style = round % 4;
        const bool doubleDash = round % 8 < 4;

        ContextUnderTest oneByOne(arguments);
        oneByOne.context.SwitchStyle = style;
        oneByOne.context.LongNamesNeedDoubleDash = doubleDash;
        TOutcome expected;
        DeclareOneByOne(oneByOne.context, expected);

        ContextUnderTest inOneGo(arguments);
        inOneGo.context.SwitchStyle = style;
        inOneGo.context.LongNamesNeedDoubleDash = doubleDash;
        TOutcome actual;
        const std::vector<TParamBinding> bindings = BindingsOf(actual);
        DeclareParams(inOneGo.context, inOneGo.context.ParamStatus, kTable, bindings);

        SCOPED_TRACE(::testing::Message() << "round " << round << ": "
                                          << testing::ContextUnderTest::RawLine("", arguments));
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            EXPECT_EQ(inOneGo.context.ParamStatus[i].Status, oneByOne.context.ParamStatus[i].Status)
                << i;
            EXPECT_EQ(inOneGo.context.ParamStatus[i].Marks, oneByOne.context.ParamStatus[i].Marks)
                << i;
        }
        for (std::size_t k = 0; k < kEntries; ++k)
            ExpectSameRecord(actual.records[k], expected.records[k], k);
        EXPECT_EQ(actual.errorDelay, expected.errorDelay);
        EXPECT_EQ(actual.minLength, expected.minLength);
        EXPECT_EQ(actual.format, expected.format);
        EXPECT_EQ(actual.decimals, expected.decimals);
        EXPECT_EQ(actual.x, expected.x);
        EXPECT_EQ(inOneGo.context.NumberDefaulted, oneByOne.context.NumberDefaulted);
        EXPECT_EQ(ResolvedKnownParamNames(inOneGo.context), oneByOne.context.KnownParamNames);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(DeclareParams, AddsItsNamesToTheKnownNamesOnlyWhenTheyAreRead) {
    ContextUnderTest run({"-b"});
    TCmdLineContext& context = run.context;
    DeclareSwitch(context, context.ParamStatus, "Z", kWholeCommandLine, 0);
    std::vector<TFindParamRec> records(kEntries);
    std::vector<TParamBinding> bindings;
    for (TFindParamRec& record : records)
        bindings.push_back({&record, {}});
    DeclareParams(context, context.ParamStatus, kTable, bindings);
    EXPECT_EQ(context.KnownParamNames, "Z");
    // A later declaration one by one keeps the order of declaration.
    DeclareSwitch(context, context.ParamStatus, "Y H", kWholeCommandLine, 0);
    EXPECT_EQ(context.KnownParamNames, "Z DEBUG ERROR-DELAY H HELP H2 V ~ B ML F FORMAT D X Y");
    EXPECT_TRUE(records[4].Found);
}

// The driver's road: the validation waits until the help hint is read, and
// then gives what validating at once gives.
TEST(DeferSyntaxValidation, GivesWhatValidatingAtOnceGives) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"-h", "1", "--ml", "-b"}}) {
        ContextUnderTest eager(arguments);
        TOutcome one;
        DeclareOneByOne(eager.context, one);
        ValidateSyntax(eager.context, eager.context.CustomSyntax, eager.context.ParamStatus,
                       eager.context.KnownParamNames, true, -1, -1);

        ContextUnderTest lazy(arguments);
        TOutcome other;
        const std::vector<TParamBinding> bindings = BindingsOf(other);
        DeclareParams(lazy.context, lazy.context.ParamStatus, kTable, bindings);
        // Nothing was asked for yet: reading finds nothing to carry out.
        EXPECT_EQ(ReadHelpParamHint(lazy.context), "");
        EXPECT_FALSE(lazy.context.CustomSyntax.Computed);
        DeferSyntaxValidation(lazy.context, true, -1, -1);
        EXPECT_FALSE(lazy.context.CustomSyntax.Computed);
        EXPECT_EQ(lazy.context.HelpParamHint, "");
        EXPECT_EQ(ReadHelpParamHint(lazy.context), eager.context.HelpParamHint);
        EXPECT_EQ(lazy.context.HelpParamHint, "-H --HELP --H2");
        for (const auto record :
             {&TCmdLineContext::CustomSyntax, &TCmdLineContext::DefaultSyntax}) {
            const TParamStatisticsRec& a = lazy.context.*record;
            const TParamStatisticsRec& b = eager.context.*record;
            EXPECT_TRUE(a.Computed);
            EXPECT_EQ(a.Valid, b.Valid);
            EXPECT_EQ(a.NoKnownOption, b.NoKnownOption);
            EXPECT_EQ(a.TotalList, b.TotalList);
            EXPECT_EQ(a.OptionList, b.OptionList);
            EXPECT_EQ(a.KnownForms, b.KnownForms);
            EXPECT_EQ(a.KnownOptionWords, b.KnownOptionWords);
            EXPECT_EQ(a.Title, b.Title);
        }
        // Read twice, computed once: the hint does not grow.
        EXPECT_EQ(ReadHelpParamHint(lazy.context), eager.context.HelpParamHint);
    }
}

// More entries than the search keeps on the stack.
constexpr TParamDeclaration kLongTable[] = {
    {"  N0", TParamKind::Switch},  {"  N1", TParamKind::Switch},  {"  N2", TParamKind::Switch},
    {"  N3", TParamKind::Switch},  {"  N4", TParamKind::Switch},  {"  N5", TParamKind::Switch},
    {"  N6", TParamKind::Switch},  {"  N7", TParamKind::Switch},  {"  N8", TParamKind::Switch},
    {"  N9", TParamKind::Switch},  {"  N10", TParamKind::Switch}, {"  N11", TParamKind::Switch},
    {"  N12", TParamKind::Switch}, {"  N13", TParamKind::Switch}, {"  N14", TParamKind::Switch},
    {"  N15", TParamKind::Switch}, {"  N16", TParamKind::Switch}, {"  N17", TParamKind::Switch},
    {"  N18", TParamKind::Switch}, {"  N19", TParamKind::Switch}, {"  N20", TParamKind::Switch},
    {"  N21", TParamKind::Switch}, {"  N22", TParamKind::Switch}, {"  N23", TParamKind::Switch},
    {"  N24", TParamKind::Switch}, {"  N25", TParamKind::Switch}, {"  N26", TParamKind::Switch},
    {"  N27", TParamKind::Switch}, {"  N28", TParamKind::Switch}, {"  N29", TParamKind::Switch},
    {"  N30", TParamKind::Switch}, {"  N31", TParamKind::Switch}, {"  N32", TParamKind::Switch},
    {"  N33", TParamKind::Switch}};

TEST(DeclareParams, HandlesALongTable) {
    const std::vector<std::string> arguments{"--n33", "--n0", "/N17:x", "1", "--n33", "-n5"};
    ContextUnderTest oneByOne(arguments);
    oneByOne.context.SwitchStyle = 2;
    ContextUnderTest inOneGo(arguments);
    inOneGo.context.SwitchStyle = 2;
    std::vector<TFindParamRec> records(std::size(kLongTable));
    std::vector<TParamBinding> bindings;
    for (TFindParamRec& record : records)
        bindings.push_back({&record, {}});
    DeclareParams(inOneGo.context, inOneGo.context.ParamStatus, kLongTable, bindings);
    for (std::size_t k = 0; k < std::size(kLongTable); ++k)
        ExpectSameRecord(records[k],
                         DeclareSwitch(oneByOne.context, oneByOne.context.ParamStatus,
                                       kLongTable[k].Names, kWholeCommandLine, 0),
                         k);
    for (std::size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(inOneGo.context.ParamStatus[i].Status, oneByOne.context.ParamStatus[i].Status)
            << i;
    EXPECT_TRUE(records[33].Found);
    EXPECT_TRUE(records[17].Attached);
}

TEST(TParamDeclaration, SplitsItsNamesWhenCompiled) {
    static constexpr TParamDeclaration kEntry{" ,H;HELP,, ?  ", TParamKind::Switch};
    static_assert(kEntry.WordCount == 3);
    const TNameWords words = kEntry.NameWords();
    EXPECT_EQ(std::vector<std::string_view>(words.begin(), words.end()),
              (std::vector<std::string_view>{"H", "HELP", "?"}));
    static_assert(kEntry.NameWords().Words[2] == "?");
}

} // namespace
} // namespace orvex::cmdline
