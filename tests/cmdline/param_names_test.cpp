#include "cmdline/param_names.h"

#include "context_fixture.h"

#include <gtest/gtest.h>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

struct MatchCase {
    int switchStyle;
    const char* word;
    const char* argument;
    bool matches;
    bool attached;
    const char* name;
    const char* value;
};

class MatchParamNameTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchParamNameTest, AcceptsExactlyTheDocumentedForms) {
    const MatchCase& c = GetParam();
    ContextUnderTest run({});
    run.context.SwitchStyle = c.switchStyle;
    TFindParamRec match;
    EXPECT_EQ(MatchParamName(run.context, c.word, c.argument, match), c.matches);
    EXPECT_EQ(match.Attached, c.attached);
    EXPECT_EQ(match.Found, c.matches && !c.attached);
    EXPECT_EQ(match.Name, c.name);
    EXPECT_EQ(match.Value, c.value);
    EXPECT_EQ(match.Index, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MatchParamNameTest,
    ::testing::Values(
        // One-character names take "-" or "/", in either letter case.
        MatchCase{2, "H", "-h", true, false, "-h", ""},
        MatchCase{2, "H", "/h", true, false, "/h", ""},
        MatchCase{2, "H", "-H", true, false, "-H", ""},
        MatchCase{2, "H", "/H", true, false, "/H", ""},
        MatchCase{2, "H", "h", false, false, "", ""},
        MatchCase{2, "H", "--h", false, false, "", ""},
        MatchCase{2, "HELP", "-help", false, false, "", ""},
        // Long names take "--" or "/".
        MatchCase{2, "HELP", "--help", true, false, "--help", ""},
        MatchCase{2, "HELP", "--HELP", true, false, "--HELP", ""},
        MatchCase{2, "HELP", "/help", true, false, "/help", ""},
        MatchCase{2, "HELP", "---help", false, false, "", ""},
        // Bare special characters only with style 1 or 3.
        MatchCase{2, "?", "?", false, false, "", ""},
        MatchCase{2, "?", "-?", true, false, "-?", ""},
        MatchCase{2, "?", "/?", true, false, "/?", ""},
        MatchCase{1, "?", "?", false, false, "", ""}, // "?" is not a special switch character
        MatchCase{1, "!", "!", true, false, "!", ""}, MatchCase{3, "~", "~", true, false, "~", ""},
        MatchCase{0, "~", "~", false, false, "", ""},
        // Attached values with style 2 or 3 only.
        MatchCase{2, "D", "-d:4", true, true, "-d", "4"},
        MatchCase{2, "D", "-d=4", true, true, "-d", "4"},
        MatchCase{2, "D", "/D=4", true, true, "/D", "4"},
        MatchCase{2, "DECIMAL-PLACES", "--decimal-places:4", true, true, "--decimal-places", "4"},
        MatchCase{2, "D", "-d:", true, true, "-d", ""},
        MatchCase{2, "F", "-f:a:b=c", true, true, "-f", "a:b=c"},
        MatchCase{3, "D", "-d:4", true, true, "-d", "4"},
        MatchCase{1, "D", "-d:4", false, false, "", ""},
        MatchCase{0, "D", "-d=4", false, false, "", ""},
        MatchCase{2, "D", "-d4", false, false, "", ""},
        MatchCase{2, "D", "-dx:4", false, false, "", ""}));

TEST(MatchParamName, CutsAnAttachedValueAt999Characters) {
    ContextUnderTest run({});
    run.context.SwitchStyle = 2;
    const std::string value(1500, '7');
    TFindParamRec match;
    ASSERT_TRUE(MatchParamName(run.context, "F", "-f:" + value, match));
    EXPECT_EQ(match.Value, value.substr(0, 999));
}

TEST(MatchParamName, LongNamesTakeASingleDashWhenAllowed) {
    ContextUnderTest run({});
    run.context.LongNamesNeedDoubleDash = false;
    TFindParamRec match;
    EXPECT_TRUE(MatchParamName(run.context, "HELP", "-help", match));
    EXPECT_TRUE(MatchParamName(run.context, "HELP", "--help", match));
    EXPECT_TRUE(MatchParamName(run.context, "HELP", "/help", match));
}

// Every argument some name can match passes the quick test; the search
// relies on it to skip the others.
TEST(CanStartOption, PassesEveryArgumentANameCanMatch) {
    ContextUnderTest run({});
    for (const int style : {0, 1, 2, 3}) {
        run.context.SwitchStyle = style;
        for (const char* argument :
             {"/h", "-h", "--help", "-d:4", "~", "~:1", "+", "?", "h", "1+2", "", "x-", ":"}) {
            bool matchesSomeName = false;
            for (const char* word : {"H", "HELP", "D", "~", "+", "?", "X", "1"}) {
                TFindParamRec match;
                matchesSomeName =
                    MatchParamName(run.context, word, argument, match) || matchesSomeName;
            }
            if (matchesSomeName) {
                EXPECT_TRUE(CanStartOption(run.context, argument)) << style << " " << argument;
            }
        }
        EXPECT_FALSE(CanStartOption(run.context, "1+2"));
        EXPECT_FALSE(CanStartOption(run.context, ""));
        EXPECT_EQ(CanStartOption(run.context, "~"), style == 1 || style == 3);
    }
}

TEST(SplitNameList, SkipsRunsOfDelimiters) {
    EXPECT_EQ(SplitNameList("  DEBUG DEBUG-MODE"),
              (std::vector<std::string>{"DEBUG", "DEBUG-MODE"}));
    EXPECT_EQ(SplitNameList("H,HELP;;? ,??"), (std::vector<std::string>{"H", "HELP", "?", "??"}));
    EXPECT_TRUE(SplitNameList(" ,; ").empty());
}

TEST(AddKnownNames, AppendsNewUpperCaseWordsOnce) {
    std::string known;
    AddKnownNames(known, "H help ? HELP2 H2 ??");
    AddKnownNames(known, "V VERBOSE BUILD HELP2 H2 ??");
    AddKnownNames(known, "  bin BINARY");
    EXPECT_EQ(known, "H HELP ? HELP2 H2 ?? V VERBOSE BUILD BIN BINARY");
    // Whole words only: "H" is known, "HE" is not.
    AddKnownNames(known, "HE");
    EXPECT_EQ(known, "H HELP ? HELP2 H2 ?? V VERBOSE BUILD BIN BINARY HE");
}

TEST(AddKnownNames, KeepsADoubleQuotedRunAsOneWord) {
    std::string known = "A";
    AddKnownNames(known, "\"x y\" b");
    EXPECT_EQ(known, "A X Y B");
}

TEST(ExpandParamForms, ListsPrefixesPerSuffix) {
    ContextUnderTest run({});
    std::string forms;
    ExpandParamForms(run.context, forms, "H HELP", 0);
    EXPECT_EQ(forms, "/H -H /HELP --HELP ");
    ExpandParamForms(run.context, forms, "D", 2);
    EXPECT_EQ(forms, "/D -D /D: -D: /D= -D= ");
    ExpandParamForms(run.context, forms, "~", 1);
    EXPECT_EQ(forms, "~ /~ -~ ");
}

TEST(ExpandParamForms, SkipsAFormTheListAlreadyContains) {
    ContextUnderTest run({});
    std::string forms;
    // "-H " already occurs inside "/-H " (a plain substring test).
    ExpandParamForms(run.context, forms, "-H H", 0);
    EXPECT_EQ(forms, "/-H ---H /H ");
}

struct ExpandCase {
    const char* names;
    int switchStyle;
    const char* forms;
};

class ExpandParamFormsTest : public ::testing::TestWithParam<ExpandCase> {};

// A form is left out when an earlier one ends with it (the list contains it
// followed by a blank), whatever lies before it in that entry, and only then.
TEST_P(ExpandParamFormsTest, LeavesOutExactlyTheFormsTheListContains) {
    const ExpandCase& c = GetParam();
    ContextUnderTest run({});
    std::string forms = "left over";
    ExpandParamForms(run.context, forms, c.names, c.switchStyle);
    EXPECT_EQ(forms, c.forms);
}

INSTANTIATE_TEST_SUITE_P(
    Suffixes, ExpandParamFormsTest,
    ::testing::Values(
        ExpandCase{"NO-X X", 0, "/NO-X --NO-X /X "}, ExpandCase{"A~ ~", 1, "/A~ --A~ /~ -~ "},
        ExpandCase{"~ A~", 1, "~ /~ -~ /A~ --A~ "},
        ExpandCase{"X:Y Y", 2, "/X:Y --X:Y /X:Y: --X:Y: /X:Y= --X:Y= /Y -Y /Y: -Y: /Y= -Y= "},
        ExpandCase{"B AB", 2, "/B -B /B: -B: /B= -B= /AB --AB /AB: --AB: /AB= --AB= "},
        ExpandCase{"H h H", 0, "/H -H /h -h "}, ExpandCase{" ,; ", 0, ""}));

// Many names, so that the forms share buckets: every one is listed once.
TEST(ExpandParamForms, ListsEachFormOfManyNamesOnce) {
    ContextUnderTest run({});
    std::string names;
    std::string expected;
    for (int i = 0; i < 600; ++i) {
        const std::string name = "N" + std::to_string(i);
        names += name + " " + name + " ";
        expected += "/" + name + " --" + name + " ";
    }
    std::string forms;
    ExpandParamForms(run.context, forms, names, 0);
    EXPECT_EQ(forms, expected);
}

} // namespace
} // namespace orvex::cmdline
