#include "docgen/man_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orvex::docgen::TExampleOutput;

std::string Page(orvex::docgen::TExampleRunner run = {}) {
    std::ostringstream out;
    orvex::docgen::WriteManPage(out, {"2.4.0", "2026-01-31", "Does sums", std::move(run)});
    return out.str();
}

TEST(ManPageTest, HasTheUsualSectionsInOrder) {
    const std::string page = Page();
    std::size_t last = 0;
    for (const char* heading :
         {".TH ORVEX 1 \"2026-01-31\" \"Orvex 2.4.0\"", ".SH NAME\norvex \\- Does sums\n",
          ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH EXIT STATUS", ".SH EXAMPLES",
          ".SH NOTES", ".SS The expression language", ".SH PORTABILITY"}) {
        const std::size_t at = page.find(heading);
        ASSERT_NE(at, std::string::npos) << heading;
        EXPECT_GT(at, last == 0 ? 0 : last) << heading;
        last = at;
    }
}

// The help's own lines, with minus signs escaped for roff and the examples
// as POSIX shell commands.
TEST(ManPageTest, TakesItsTextFromTheHelp) {
    const std::string page = Page();
    for (const char* text : {
             ".B \\-\\-hex, \\-\\-hexadecimal\nDisplay calculation result as a hexadecimal number.",
             ".B \\-\\-debug\\-mode\nEnable debug mode",
             "$ orvex 16384 \\-\\-bin \\-\\-block\\-size=2\n",
             "$ orvex \\(aq(5+7*12) \\- (44\\-2*3)\\(aq \\-S\n",
             "$ orvex \\(aq$A + &17 + 25\\(aq\n",
             "orvex <logical/boolean_expression> [\\-b] [\\-s]\n",
             ".B \\-2 (254 on POSIX systems)\nBoolean Comparison is FALSE",
             ".B \\-1 (255 on POSIX systems)\nBoolean Comparison is TRUE",
             ".B 74\nStandard Output Could Not Be Written",
             ".B 255\nSyntax Help Requested",
             "\\(bu 2\n/NP supersedes /U if both options are provided.",
             "Modulus ............................ MOD, %%",
         })
        EXPECT_NE(page.find(text), std::string::npos) << text;
}

// Notes that hold only at the Windows command prompt are not on the page,
// and neither is the help's request for itself, whose output is the help.
TEST(ManPageTest, LeavesOutWhatIsFalseInAPosixShell) {
    const std::string page = Page();
    for (const char* text : {
             "with no parameters will display this help message",
             "MUST be surrounded by quotation marks",
             "needs to be doubled",
             "should be enclosed in double quotes",
             "processed incorrectly by the operating system",
             "only displayed when Help Syntax",
             "$ orvex \\-h\n",
             "$ orvex 2 * 4",
         })
        EXPECT_EQ(page.find(text), std::string::npos) << text;
}

// Each example shows what its runner returned: the lines as they are (an
// empty one kept visible to roff), then the exit status unless it is 0.
TEST(ManPageTest, ShowsWhatEachExamplePrints) {
    std::vector<std::string> commands;
    const std::string page = Page([&](const std::string& command) {
        commands.push_back(command);
        if (command == "orvex 1102 / 81")
            return TExampleOutput{"13.6\n", 0};
        if (command == "orvex '512 <= 100'")
            return TExampleOutput{"FALSE\n", 254};
        if (command == "orvex 4294967295 --hex")
            return TExampleOutput{"-1 'x'\n\nend\n", 80};
        return TExampleOutput{"ok\n", 0};
    });
    EXPECT_NE(page.find("$ orvex 1102 / 81\n13.6\n.sp\n"), std::string::npos);
    EXPECT_NE(page.find("$ orvex \\(aq512 <= 100\\(aq\nFALSE\n\\fI[exit status 254]\\fP\n"),
              std::string::npos);
    EXPECT_NE(page.find("$ orvex 4294967295 \\-\\-hex\n\\-1 \\(aqx\\(aq\n\\&\nend\n"
                        "\\fI[exit status 80]\\fP\n"),
              std::string::npos);
    EXPECT_EQ(page.find("[exit status 0]"), std::string::npos);
    // Every example of the help but -h, and the language notes' own.
    EXPECT_GE(commands.size(), 60U);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "orvex 'round(2.5)'"), 1);
}

} // namespace
