// orvex.exe as a Windows user runs it: text that leaves the program is
// UTF-8 whatever the code page, whether it came from the command line or
// from the system locale, and a standard output that cannot be written ends
// the run with exit code 74 and the system's reason.
#include "frontend/exit_codes.h"
#include "subprocess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::e2e {
namespace {

using testsupport::OutputTarget;
using testsupport::ProcessResult;
using testsupport::RunOptions;

std::string Binary() {
    const std::u8string path =
        std::filesystem::absolute(ORVEX_E2E_BINARY).make_preferred().u8string();
    return std::string(path.begin(), path.end());
}

ProcessResult RunOrvex(std::vector<std::string> arguments, const RunOptions& options = {}) {
    const std::string binary = Binary();
    arguments.insert(arguments.begin(), binary);
    return testsupport::RunProcess(binary, arguments, options);
}

// True when text is well-formed UTF-8: no stray continuation bytes, no cut
// sequences, no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || at + length > text.size())
            return false;
        char32_t codePoint = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

TEST(Utf8Check, TellsWellFormedTextFromBroken) {
    EXPECT_TRUE(IsUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsUtf8("caf\xE9"));          // Latin-1
    EXPECT_FALSE(IsUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
}

// Text typed on the command line comes back byte for byte in UTF-8, from
// the BMP and beyond it (a surrogate pair in UTF-16).
TEST(WindowsOutput, ArgumentsArriveAsUtf8) {
    struct Row {
        std::string expression, output;
    } const rows[] = {
        {"1+2", "3\r\n"},
        {"'caf\xC3\xA9'", "caf\xC3\xA9\r\n"},
        {"'\xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80'",
         "\xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        const ProcessResult run = RunOrvex({row.expression});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.standardOutput, row.output);
        EXPECT_EQ(run.standardError, "");
    }
}

// The syntax-error report shows the process's own command line, which
// must be the same UTF-8 as the arguments, not the ANSI code page's bytes.
TEST(WindowsOutput, RawCommandLineIsUtf8) {
    const ProcessResult run = RunOrvex({"'\xC3\xA9t\xC3\xA9' < 2 = 3"});
    EXPECT_EQ(run.exitCode, frontend::kExitTooManyComparisons);
    EXPECT_TRUE(IsUtf8(run.standardError));
    EXPECT_NE(run.standardError.find("You entered ...... "), std::string::npos);
    EXPECT_NE(run.standardError.find("\"'\xC3\xA9t\xC3\xA9' < 2 = 3\"\r\n"), std::string::npos)
        << run.standardError;
}

// In a French system locale the banner's build date carries a French month
// name, in UTF-8 like everything else. Under Wine the child inherits this
// program's system locale, which the LC_ALL of its start picks; that run
// names the locale in ORVEX_TEST_SYSTEM_LOCALE.
TEST(WindowsOutput, FrenchBannerIsUtf8) {
    const char* const locale = std::getenv("ORVEX_TEST_SYSTEM_LOCALE");
    if (locale == nullptr || std::string_view(locale) != "fr-FR")
        GTEST_SKIP() << "runs in a French system locale only";
    RunOptions options;
    options.localeEnvironment = std::vector<std::string>{"LC_ALL=fr_FR.UTF-8"};
    const ProcessResult run = RunOrvex({"-b", "1"}, options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "1\r\n");
    const std::string banner = run.standardError.substr(0, run.standardError.find('\r'));
    EXPECT_TRUE(IsUtf8(run.standardError)) << banner;
    static constexpr std::string_view months[] = {"janv.",
                                                  "f\xC3\xA9vr.",
                                                  "mars",
                                                  "avr.",
                                                  "mai",
                                                  "juin",
                                                  "juil.",
                                                  "ao\xC3\xBBt",
                                                  "sept.",
                                                  "oct.",
                                                  "nov.",
                                                  "d\xC3\xA9"
                                                  "c."};
    bool french = false;
    for (std::string_view month : months)
        french = french || banner.find(" " + std::string(month) + " ") != std::string::npos;
    EXPECT_TRUE(french) << banner;
}

// Output that cannot be written is a failure, whatever the run had to say:
// a result, a verdict that would exit with -1, or a help text of many
// blocks. Standard error names the system's reason on one line.
TEST(WindowsOutput, FailedWritesExitWith74) {
    const std::vector<std::string> runs[] = {{"1+2"}, {"1 < 2"}, {"--??"}};
    for (const OutputTarget target : {OutputTarget::Closed, OutputTarget::BrokenPipe}) {
        for (const std::vector<std::string>& arguments : runs) {
            SCOPED_TRACE(arguments[0] + (target == OutputTarget::Closed ? " closed" : " broken"));
            RunOptions options;
            options.standardOutput = target;
            const ProcessResult run = RunOrvex(arguments, options);
            EXPECT_EQ(run.exitCode, frontend::kExitWriteError);
            EXPECT_FALSE(run.terminatedBySignal);
            const std::string& error = run.standardError;
            constexpr std::string_view prefix = "orvex: write error: ";
            const std::size_t at = error.rfind(prefix);
            ASSERT_NE(at, std::string::npos) << error;
            const std::string reason = error.substr(at + prefix.size());
            ASSERT_GE(reason.size(), 3u) << error;
            EXPECT_EQ(reason.find_first_of("\r\n"), reason.size() - 2) << error;
            EXPECT_TRUE(reason.ends_with("\r\n")) << error;
            EXPECT_TRUE(IsUtf8(reason));
        }
    }
}

} // namespace
} // namespace orvex::e2e
