#include "docgen/option_forms.h"
#include "docgen/posix_examples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orvex::docgen::PosixCommand;
using orvex::docgen::WindowsArguments;

TEST(WindowsArgumentsTest, SplitAtBlanksAndDropTheQuotes) {
    const struct {
        const char* Line;
        std::vector<std::string> Arguments;
    } cases[] = {
        {"2 * 4  -b", {"2", "*", "4", "-b"}},
        {"1052.7 * 345.5 --format \"0.0000\"", {"1052.7", "*", "345.5", "--format", "0.0000"}},
        {"\"(2 * 4 + 6) <= ( 5 * 3 / 2)\"", {"(2 * 4 + 6) <= ( 5 * 3 / 2)"}},
        {"$A + \"&17\" + 25", {"$A", "+", "&17", "+", "25"}},
        {"--f \"\"", {"--f", ""}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowsArguments(c.Line), c.Arguments) << c.Line;
}

// Expression words become one word, quoted only when a shell would act on
// one of their characters; options and their values stay words of their own.
TEST(PosixCommandTest, QuotesWhatAShellWouldTouch) {
    const std::vector<std::string> forms = orvex::docgen::OptionForms();
    const struct {
        const char* Windows;
        const char* Posix;
    } cases[] = {
        {"1102 / 81", "orvex 1102 / 81"},
        {"-1102 div 81", "orvex -1102 div 81"},
        {"1871 / 2457  -P -D:3", "orvex 1871 / 2457 -P -D:3"},
        {"2 * 4  -b", "orvex '2 * 4' -b"},
        {"(5+7*12) - (44-2*3)  -S", "orvex '(5+7*12) - (44-2*3)' -S"},
        {"$A + \"&17\" + 25", "orvex '$A + &17 + 25'"},
        {"%1010 * $A + 30  --hex", "orvex '%1010 * $A + 30' --hex"},
        {"1052.7 * 345.5 --format \"0.0000\"", "orvex '1052.7 * 345.5' --format 0.0000"},
        {"2 --format \"#,##0\" + 3", "orvex 2 --format '#,##0' + 3"},
        {"\"&277\" --Hex", "orvex '&277' --Hex"},
        {"16384 --bin --block-size=2", "orvex 16384 --bin --block-size=2"},
        {"2 * 4 -d:3", "orvex '2 * 4' -d:3"},
        {"2 --h2 -?", "orvex 2 --h2 '-?'"},
        {"\"it's\"", "orvex 'it'\\''s'"},
        {"~1 !2", "orvex '~1 !2'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PosixCommand("orvex", WindowsArguments(c.Windows), forms), c.Posix) << c.Windows;
}

} // namespace
