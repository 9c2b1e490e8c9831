#include "docgen/completion_scripts.h"
#include "docgen/option_forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using orvex::docgen::OptionForms;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Generated(void (*write)(std::ostream&, const std::vector<std::string>&)) {
    std::ostringstream out;
    write(out, OptionForms());
    return out.str();
}

// The calculator's option names, one-character and long, as its help and
// manual describe them.
struct TOptionCase {
    std::string_view Name;
    bool OneCharacter;
};

constexpr TOptionCase kOptions[] = {
    {"debug", false},
    {"debug-mode", false},
    {"error-delay", false},
    {"audible-error", false},
    {"h", true},
    {"help", false},
    {"?", true},
    {"help2", false},
    {"h2", false},
    {"??", false},
    {"v", true},
    {"verbose", false},
    {"build", false},
    {"version-only", false},
    {"build-only", false},
    {"i", true},
    {"info", false},
    {"b", true},
    {"banner", false},
    {"s", true},
    {"show-expression", false},
    {"n", true},
    {"no-prefix", false},
    {"z", true},
    {"zero", false},
    {"p", true},
    {"percent", false},
    {"u", true},
    {"use-zeros", false},
    {"use-zeroes", false},
    {"np", false},
    {"no-padding", false},
    {"bin", false},
    {"binary", false},
    {"oct", false},
    {"octal", false},
    {"hex", false},
    {"hexadecimal", false},
    {"ml", false},
    {"min-length", false},
    {"bs", false},
    {"block-size", false},
    {"f", true},
    {"format", false},
    {"d", true},
    {"decimal-places", false},
};

TEST(OptionFormsTest, EveryOptionNameIsThereWithItsPrefixes) {
    const std::vector<std::string> forms = OptionForms();
    const auto has = [&](const std::string& form) {
        return std::find(forms.begin(), forms.end(), form) != forms.end();
    };
    for (const TOptionCase& option : kOptions) {
        const std::string name(option.Name);
        EXPECT_TRUE(has("/" + name)) << name;
        EXPECT_EQ(has("-" + name), option.OneCharacter) << name;
        EXPECT_EQ(has("--" + name), !option.OneCharacter) << name;
    }
    EXPECT_EQ(forms.size(), 2 * std::size(kOptions));
}

// The scripts in the source tree are what the generator writes now: after
// a change to the options, `cmake --build <dir> --target update_completions`.
TEST(CompletionScriptsTest, MatchTheDeclaredOptions) {
    const std::string dir = ORVEX_COMPLETIONS_DIR;
    EXPECT_EQ(ReadFile(dir + "/orvex.bash"), Generated(&orvex::docgen::WriteBashCompletion));
    EXPECT_EQ(ReadFile(dir + "/orvex.ps1"), Generated(&orvex::docgen::WritePowerShellCompletion));
    EXPECT_EQ(ReadFile(dir + "/_orvex"), Generated(&orvex::docgen::WriteZshCompletion));
    EXPECT_EQ(ReadFile(dir + "/orvex.fish"), Generated(&orvex::docgen::WriteFishCompletion));
}

TEST(CompletionScriptsTest, ListEveryFormQuoted) {
    for (const auto write :
         {&orvex::docgen::WriteBashCompletion, &orvex::docgen::WritePowerShellCompletion,
          &orvex::docgen::WriteZshCompletion, &orvex::docgen::WriteFishCompletion}) {
        const std::string script = Generated(write);
        for (const std::string& form : OptionForms())
            EXPECT_NE(script.find("'" + form + "'"), std::string::npos) << form;
    }
}

} // namespace
