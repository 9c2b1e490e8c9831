#include "cmdline/syntax_error.h"

#include "context_fixture.h"

#include <gtest/gtest.h>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

const std::string kReportHead = "Invalid or Incomplete Syntax!\n"
                                "\n"
                                "Execution Path ... /opt/calc\n"
                                "You entered ...... /opt/calc/orvex 1 < 2\n"
                                "\n";

const std::string kThirtyDots(30, '.');

TEST(ShowSyntaxError, WritesTheReportWithThePointerToTheSyntax) {
    struct Case {
        std::string message;
        std::string expected;
    };
    const Case cases[] = {
        {"Bad thing", "Bad thing (See Syntax Definition Below)\n\n"},
        {"Bad thing ", "Bad thing (See Syntax Definition Below)\n\n"},
        {"", " (See Syntax Definition Below)\n\n"},
        {"Two\nlines", "Two\nlines (See Syntax Definition Below)\n\n"},
    };
    for (const Case& c : cases) {
        ContextUnderTest run({"1", "<", "2"});
        ShowSyntaxError(run.context, c.message, false, false);
        EXPECT_EQ(run.err.Text(), kReportHead + c.expected);
        EXPECT_EQ(run.out.Text(), "");
        EXPECT_EQ(run.console.log, "");
    }
}

TEST(ShowSyntaxErrorRec, WritesTheMessageUnchanged) {
    ContextUnderTest run({"1", "<", "2"});
    ShowSyntaxErrorRec(run.context, run.context.CustomSyntax, "Missing\nThings", false, false);
    EXPECT_EQ(run.err.Text(), kReportHead + "Missing\nThings\n\n");
}

TEST(ShowSyntaxError, SendsTheStandardOutputStreamToStandardErrorAfterwards) {
    ContextUnderTest run({"1", "<", "2"});
    run.context.StdOutText() << "before\n";
    ShowSyntaxError(run.context, "Bad", false, false);
    run.context.StdOutText() << "help\n";
    EXPECT_EQ(run.out.Text(), "before\n");
    EXPECT_TRUE(run.err.Text().ends_with("Bad (See Syntax Definition Below)\n\nhelp\n"));
}

TEST(ShowSyntaxError, BeepsOnceBeforeTheWait) {
    ContextUnderTest run({"1", "<", "2"});
    ShowSyntaxError(run.context, "Bad", true, true);
    std::string expectedLog = "[beep][capture]";
    for (int i = 0; i < 30; ++i)
        expectedLog += "[sleep 250]";
    expectedLog += "[release]";
    EXPECT_EQ(run.console.log, expectedLog);
    EXPECT_EQ(run.err.Text(), kReportHead + "Bad (See Syntax Definition Below)\n\n" +
                                  "Press Any Key to Continue..." + kThirtyDots + "\n\n");
    EXPECT_EQ(run.out.Text(), "");
}

TEST(ShowSyntaxError, BeepsWithoutWaiting) {
    ContextUnderTest run({"1", "<", "2"});
    ShowSyntaxErrorRec(run.context, run.context.CustomSyntax, "Bad", false, true);
    EXPECT_EQ(run.console.log, "[beep]");
    EXPECT_EQ(run.err.Text(), kReportHead + "Bad\n\n");
}

TEST(WaitForKeyPress, AKeyEndsTheWaitAtTheNextPoll) {
    ContextUnderTest run({}, "/opt/calc/orvex", 3);
    WaitForKeyPress(run.context, 30, "Press Any Key to Continue...");
    EXPECT_EQ(run.out.Text(), "Press Any Key to Continue......\n\n");
    EXPECT_EQ(run.console.log, "[capture][sleep 250][sleep 250][sleep 250][release]");
}

TEST(WaitForKeyPress, AKeyAlreadyPressedPrintsNoDots) {
    ContextUnderTest run({}, "/opt/calc/orvex", 0);
    WaitForKeyPress(run.context, 30, "Wait");
    EXPECT_EQ(run.out.Text(), "Wait\n\n");
    EXPECT_EQ(run.console.log, "[capture][release]");
}

TEST(WaitForKeyPress, WithoutAKeyEndsAfterItsTicks) {
    ContextUnderTest run({});
    WaitForKeyPress(run.context, 4, "Wait");
    EXPECT_EQ(run.out.Text(), "Wait....\n\n");
}

TEST(ShowSyntaxError, QuotesAnExecutableDirectoryWithABlankOrNoName) {
    struct Case {
        std::string path;
        std::string shown;
    };
    const Case cases[] = {
        {"/opt/my calc/orvex", "\"/opt/my calc\""},
        {"/orvex", "\"\""},
        {"orvex", "\"\""},
        {"/opt/calc/bin/orvex", "/opt/calc/bin"},
    };
    for (const Case& c : cases) {
        ContextUnderTest run({}, c.path);
        ShowSyntaxError(run.context, "Bad", false, false);
        EXPECT_NE(run.err.Text().find("\nExecution Path ... " + c.shown + "\n"), std::string::npos)
            << run.err.Text();
    }
}

} // namespace
} // namespace orvex::cmdline
