#include "formatting/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orvex::formatting {
namespace {

using namespace std::string_view_literals;

TEST(AsciiCase, FoldsTheLettersAndNoOtherByte) {
    struct Case {
        std::string_view text, upper, lower;
    };
    // The neighbours of the letter ranges ("@[`{") differ from letters by
    // the case bit alone; bytes above 127 are letters in some 8-bit
    // character sets but never fold here.
    const Case cases[] = {
        {""sv, ""sv, ""sv},
        {"SqRt 2"sv, "SQRT 2"sv, "sqrt 2"sv},
        {"@AZ[`az{"sv, "@AZ[`AZ{"sv, "@az[`az{"sv},
        {"\xC4\xE4\xFF\x80\xB5"sv, "\xC4\xE4\xFF\x80\xB5"sv, "\xC4\xE4\xFF\x80\xB5"sv},
        {"a\0b\x1F\x7F"sv, "A\0B\x1F\x7F"sv, "a\0b\x1F\x7F"sv},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpperCaseAscii(c.text), c.upper) << c.text;
        EXPECT_EQ(LowerCaseAscii(c.text), c.lower) << c.text;
    }
}

TEST(AsciiCase, ComparesWithoutCase) {
    struct Case {
        std::string_view a, b;
        bool equal, aStartsWithB;
    };
    const Case cases[] = {
        {"", "", true, true},
        {"SqRt", "sqrt", true, true},
        {"sqrt", "sqr", false, true},
        {"sqr", "sqrt", false, false},
        {"am/pm", "AM/PM", true, true},
        {"[", "{", false, false},
        {"@", "`", false, false},
        {"\xC4rger", "\xE4RGER", false, false},
        {"\xC4rger", "\xC4RGER", true, true},
        {"abc", "", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EqualsIgnoreAsciiCase(c.a, c.b), c.equal) << c.a << " = " << c.b;
        EXPECT_EQ(EqualsIgnoreAsciiCase(c.b, c.a), c.equal) << c.b << " = " << c.a;
        EXPECT_EQ(StartsWithIgnoreAsciiCase(c.a, c.b), c.aStartsWithB) << c.a << " ^ " << c.b;
    }
}

TEST(Trimming, DropsTheBlanksOfEachSetAtBothEnds) {
    struct Case {
        std::string_view text, blanks, control;
    };
    // TrimBlanks drops blanks and tabs; TrimControl every byte below 33,
    // but neither DEL nor a byte above 127 (which a signed char would put
    // below 33).
    const Case cases[] = {
        {""sv, ""sv, ""sv},
        {"   "sv, ""sv, ""sv},
        {" \t \t"sv, ""sv, ""sv},
        {"\t1 2 "sv, "1 2"sv, "1 2"sv},
        {"\n 7 \r"sv, "\n 7 \r"sv, "7"sv},
        {"\x01\x1F\0x\0"sv, "\x01\x1F\0x\0"sv, "x"sv},
        {"\x7F x \x7F"sv, "\x7F x \x7F"sv, "\x7F x \x7F"sv},
        {"\xA0x\xFF"sv, "\xA0x\xFF"sv, "\xA0x\xFF"sv},
        {" \xC2\xA0 "sv, "\xC2\xA0"sv, "\xC2\xA0"sv},
    };
    for (const Case& c : cases) {
        const std::string quoted = "\"" + std::string(c.text) + "\"";
        EXPECT_EQ(TrimBlanks(c.text), c.blanks) << quoted;
        EXPECT_EQ(TrimControl(c.text), c.control) << quoted;
        std::string inPlace(c.text);
        TrimControlInPlace(inPlace);
        EXPECT_EQ(inPlace, c.control) << quoted;
        // A view of the same bytes, not a copy.
        const std::string_view kept = TrimBlanks(c.text);
        EXPECT_TRUE(kept.empty() || (kept.data() >= c.text.data() &&
                                     kept.data() + kept.size() <= c.text.data() + c.text.size()));
    }
}

TEST(Trimming, TrimsOneEndOnlyAndInPlaceWithoutReallocating) {
    EXPECT_EQ(TrimStart("  a  ", IsSpaceOrTab), "a  ");
    EXPECT_EQ(TrimEnd("  a  ", IsSpaceOrTab), "  a");
    EXPECT_EQ(TrimStart("\t\n", IsControlOrSpace), "");
    std::string text(100, ' ');
    text.replace(40, 5, "value");
    const char* const storage = text.data();
    TrimControlInPlace(text);
    EXPECT_EQ(text, "value");
    EXPECT_EQ(text.data(), storage);
}

// The bytes a walk passes outside quoted text.
std::string Unquoted(std::string_view pattern) {
    std::string seen;
    ForEachUnquoted(pattern, [&](std::size_t at) { seen += pattern[at]; });
    return seen;
}

TEST(PatternWalk, PassesQuotedTextBy) {
    struct Case {
        std::string_view pattern, unquoted;
    };
    const Case cases[] = {
        {"", ""},
        {"0.00", "0.00"},
        {"a'b'c", "ac"},
        {"a\"b'c\"d", "ad"},       // the other quote is an ordinary byte inside
        {"a'b\"c'd\"e\"f", "adf"}, // one kind after the other
        {"''x\"\"y", "xy"},        // empty quoted text
        {"a'bc", "a"},             // an unclosed quote runs to the end
        {"x\"", "x"},
        {"'", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Unquoted(c.pattern), c.unquoted) << c.pattern;
}

TEST(PatternWalk, ReadsQuotedRuns) {
    struct Case {
        std::string_view pattern;
        std::size_t at;
        std::string_view text;
        std::size_t next;
    };
    const Case cases[] = {
        {"a'bc'd", 1, "bc", 5}, {"'abc", 0, "abc", 4}, {"''", 0, "", 2},
        {"'\"'", 0, "\"", 3},   {"x\"", 1, "", 2},     {"\"a'b\"'", 0, "a'b", 5},
    };
    for (const Case& c : cases) {
        const TQuotedRun run = QuotedRunAt(c.pattern, c.at);
        EXPECT_EQ(run.Text, c.text) << c.pattern;
        EXPECT_EQ(run.Next, c.next) << c.pattern;
    }
}

TEST(PatternWalk, FindsTheFirstUnquotedMatchFromAPosition) {
    const auto find = [](std::string_view pattern, char wanted, std::size_t from) {
        return FindUnquoted(
            pattern, [&](std::size_t at) { return pattern[at] == wanted; }, from);
    };
    constexpr auto none = std::string_view::npos;
    EXPECT_EQ(find("0';'0;#", ';', 0), 5u);
    EXPECT_EQ(find("0;0;#", ';', 2), 3u);
    EXPECT_EQ(find("'E+'0", 'E', 0), none);
    EXPECT_EQ(find("\"abc", 'a', 0), none);
    EXPECT_EQ(find("", ';', 0), none);
    // Stops at the first match: later positions are not visited.
    std::size_t visited = 0;
    const auto countUntilSecond = [&](std::size_t at) {
        ++visited;
        return at == 1;
    };
    EXPECT_EQ(FindUnquoted("a;b;c", countUntilSecond), 1u);
    EXPECT_EQ(visited, 2u);
}

} // namespace
} // namespace orvex::formatting
