#include "docgen/man_page.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Page() {
    std::ostringstream out;
    orvex::docgen::WriteManPage(out, {"2.4.0", "2026-01-31", "Does sums"});
    return out.str();
}

TEST(ManPageTest, HasTheUsualSectionsInOrder) {
    const std::string page = Page();
    std::size_t last = 0;
    for (const char* heading :
         {".TH ORVEX 1 \"2026-01-31\" \"Orvex 2.4.0\"", ".SH NAME\norvex \\- Does sums\n",
          ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH EXIT STATUS", ".SH EXAMPLES",
          ".SH NOTES", ".SH PORTABILITY"}) {
        const std::size_t at = page.find(heading);
        ASSERT_NE(at, std::string::npos) << heading;
        EXPECT_GT(at, last == 0 ? 0 : last) << heading;
        last = at;
    }
}

// The help's own lines, with minus signs escaped for roff.
TEST(ManPageTest, TakesItsTextFromTheHelp) {
    const std::string page = Page();
    for (const char* text : {
             ".B \\-\\-hex, \\-\\-hexadecimal\nDisplay calculation result as a hexadecimal number.",
             ".B \\-\\-debug\\-mode\nEnable debug mode",
             "orvex 16384 \\-\\-bin \\-\\-block\\-size=2\n",
             "orvex <logical/boolean_expression> [\\-b] [\\-s]\n",
             ".B \\-2 (254 on POSIX systems)\nBoolean Comparison is FALSE",
             ".B \\-1 (255 on POSIX systems)\nBoolean Comparison is TRUE",
             ".B 255\nSyntax Help Requested",
             "\\(bu 2\n/NP supersedes /U if both options are provided.",
         })
        EXPECT_NE(page.find(text), std::string::npos) << text;
}

} // namespace
