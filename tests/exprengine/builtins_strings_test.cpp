#include "builtins_test_support.h"

#include "exprengine/builtin_library.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace orvex::engine {
namespace {

using test::B;
using test::Call;
using test::Eval;
using test::F;
using test::I;
using test::S;
using test::TCallCase;
using test::TOutcomeCase;

constexpr std::int64_t MaxInt = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinInt = std::numeric_limits<std::int64_t>::min();

class StringCall : public testing::TestWithParam<TCallCase> {};

TEST_P(StringCall, GivesValue) {
    EXPECT_EQ(Call(GetParam().name, GetParam().args), GetParam().outcome);
}

// Positions below 1 count as 1, lengths stop at the end of the text, and
// nothing outside the text is ever read, whatever the numbers.
INSTANTIATE_TEST_SUITE_P(
    CopyRanges, StringCall,
    testing::Values(TCallCase{"copy", {S("abcdef"), I(2), I(3)}, "S:bcd"},
                    TCallCase{"copy", {S("abcdef"), I(1), I(6)}, "S:abcdef"},
                    TCallCase{"copy", {S("abcdef"), I(5), I(100)}, "S:ef"},
                    TCallCase{"copy", {S("abcdef"), I(6), I(1)}, "S:f"},
                    TCallCase{"copy", {S("abcdef"), I(7), I(1)}, "S:"},
                    TCallCase{"copy", {S("abcdef"), I(0), I(2)}, "S:ab"},
                    TCallCase{"copy", {S("abcdef"), I(-5), I(2)}, "S:ab"},
                    TCallCase{"copy", {S("abcdef"), I(2), I(0)}, "S:"},
                    TCallCase{"copy", {S("abcdef"), I(2), I(-1)}, "S:"},
                    TCallCase{"copy", {S("abcdef"), I(MaxInt), I(MaxInt)}, "S:"},
                    TCallCase{"copy", {S("abcdef"), I(3), I(MaxInt)}, "S:cdef"},
                    TCallCase{"copy", {S("abcdef"), I(MinInt), I(3)}, "S:abc"},
                    TCallCase{"copy", {S(""), I(1), I(1)}, "S:"}));

// delete removes exactly the bytes copy would return.
INSTANTIATE_TEST_SUITE_P(
    DeleteRanges, StringCall,
    testing::Values(TCallCase{"delete", {S("abcdef"), I(2), I(3)}, "S:aef"},
                    TCallCase{"delete", {S("abcdef"), I(5), I(100)}, "S:abcd"},
                    TCallCase{"delete", {S("abcdef"), I(7), I(1)}, "S:abcdef"},
                    TCallCase{"delete", {S("abcdef"), I(0), I(2)}, "S:cdef"},
                    TCallCase{"delete", {S("abcdef"), I(2), I(0)}, "S:abcdef"},
                    TCallCase{"delete", {S("abcdef"), I(2), I(-3)}, "S:abcdef"},
                    TCallCase{"delete", {S("abcdef"), I(MaxInt), I(MaxInt)}, "S:abcdef"},
                    TCallCase{"delete", {S("abcdef"), I(1), I(MaxInt)}, "S:"},
                    TCallCase{"delete", {S("abcdef"), I(MinInt), I(1)}, "S:bcdef"}));

INSTANTIATE_TEST_SUITE_P(Search, StringCall,
                         testing::Values(TCallCase{"pos", {S("b"), S("abcb")}, "I:2"},
                                         TCallCase{"pos", {S("abc"), S("abc")}, "I:1"},
                                         TCallCase{"pos", {S("x"), S("abc")}, "I:0"},
                                         TCallCase{"pos", {S("abcd"), S("abc")}, "I:0"},
                                         TCallCase{"pos", {S("B"), S("abc")}, "I:0"},
                                         TCallCase{"pos", {S(""), S("abc")}, "I:0"},
                                         // Partial matches that overlap the match.
                                         TCallCase{"pos", {S("aab"), S("aaab")}, "I:2"},
                                         TCallCase{"pos", {S("abab"), S("abaabab")}, "I:4"},
                                         TCallCase{"pos", {S("aabaab"), S("aabaaabaab")}, "I:5"},
                                         TCallCase{"length", {S("abc")}, "I:3"},
                                         TCallCase{"length", {S("")}, "I:0"},
                                         TCallCase{"length", {S("\xC3\xA4")}, "I:2"}));

// Only A-Z and a-z change; the neighbours in the code table and bytes above
// 127 stay as they are.
INSTANTIATE_TEST_SUITE_P(
    LetterCase, StringCall,
    testing::Values(TCallCase{"lowercase", {S("@AZ[ Mixed")}, "S:@az[ mixed"},
                    TCallCase{"uppercase", {S("`az{ Mixed")}, "S:`AZ{ MIXED"},
                    TCallCase{"uppercase", {S("\xC3\xA4x")}, "S:\xC3\xA4X"},
                    TCallCase{"comparetext", {S("abc"), S("ABC")}, "I:0"},
                    TCallCase{"comparetext", {S("abc"), S("abd")}, "I:-1"},
                    TCallCase{"comparetext", {S("a"), S("c")}, "I:-2"},
                    TCallCase{"comparetext", {S("b"), S("A")}, "I:1"},
                    TCallCase{"comparetext", {S("ab"), S("abc")}, "I:-1"},
                    TCallCase{"comparetext", {S("abcd"), S("abc")}, "I:1"},
                    TCallCase{"comparetext", {S(""), S("")}, "I:0"},
                    // Folding goes to upper case: "[" (91) lies after "A" (65).
                    TCallCase{"comparetext", {S("["), S("a")}, "I:26"},
                    // Bytes compare as unsigned values.
                    TCallCase{"comparetext", {S("\xC3"), S("a")}, "I:130"}));

INSTANTIATE_TEST_SUITE_P(
    Replace, StringCall,
    testing::Values(
        TCallCase{"stringreplace", {S("aXbXc"), S("X"), S("-"), B(false), B(false)}, "S:a-bXc"},
        TCallCase{"stringreplace", {S("aXbXc"), S("X"), S("-"), B(true), B(false)}, "S:a-b-c"},
        TCallCase{"stringreplace", {S("aXbxc"), S("x"), S("-"), B(true), B(false)}, "S:aXb-c"},
        TCallCase{"stringreplace", {S("aXbxc"), S("x"), S("-"), B(true), B(true)}, "S:a-b-c"},
        TCallCase{"stringreplace", {S("ABCabc"), S("b"), S("x"), B(true), B(true)}, "S:AxCaxc"},
        TCallCase{"stringreplace", {S("aaa"), S("aa"), S("b"), B(true), B(false)}, "S:ba"},
        TCallCase{"stringreplace", {S("aa"), S("a"), S("aa"), B(true), B(false)}, "S:aaaa"},
        TCallCase{"stringreplace", {S("abcabc"), S("b"), S(""), B(true), B(false)}, "S:acac"},
        TCallCase{"stringreplace", {S("abc"), S(""), S("x"), B(true), B(true)}, "S:abc"},
        TCallCase{"stringreplace", {S("abc"), S("abcd"), S("x"), B(true), B(true)}, "S:abc"},
        TCallCase{"stringreplace", {S("abababa"), S("aba"), S("x"), B(true), B(false)}, "S:xbx"},
        TCallCase{"stringreplace", {S("AbAbA"), S("aba"), S("-"), B(true), B(true)}, "S:-bA"},
        TCallCase{"stringreplace", {S("aaaa"), S("aa"), S("b"), B(true), B(false)}, "S:bb"}));

// levels nested calls that each turn every "a" into sixteen: 16^levels bytes.
std::string NestedReplacements(int levels) {
    std::string text = "'a'";
    for (int i = 0; i < levels; ++i)
        text = "stringreplace(" + text + ", 'a', 'aaaaaaaaaaaaaaaa', true, false)";
    return text;
}

// A few hundred characters of nested replacements used to ask for more
// memory and time than the machine had. The result may reach the limit, not
// pass it, and the error comes at the first call that would.
TEST(StringLimits, ReplacementStopsAtTheTextLimit) {
    static_assert(kMaxReplacedTextLength == std::int64_t{1} << 24);
    EXPECT_EQ(Eval("length(" + NestedReplacements(6) + ")"), "I:16777216");
    const std::string tooLong = "E:Text too long (more than 16777216 characters)";
    EXPECT_EQ(Eval("length(" + NestedReplacements(7) + ")"), tooLong);
    EXPECT_EQ(Eval("length(" + NestedReplacements(100) + ")"), tooLong);
    EXPECT_EQ(
        Eval("length(stringreplace('ab', 'b', 'c', true, false) + " + NestedReplacements(6) + ")"),
        "I:16777218");
}

// A long pattern of one repeated byte against a long text of the same byte
// fails only at its last byte, at every start. Searching afresh from each
// start took hours for the texts nested calls build in a few hundred
// characters; the search must never step back in the text.
TEST(StringLimits, SearchesStayLinearOnRepetitiveTexts) {
    const std::string text(std::size_t{1} << 20, 'a');
    const std::string run(std::size_t{1} << 18, 'a');
    EXPECT_EQ(Call("pos", {S(run + "b"), S(text)}), "I:0");
    EXPECT_EQ(Call("pos", {S("b" + run), S(text)}), "I:0");
    EXPECT_EQ(Call("pos", {S(run), S(text + "b")}), "I:1");
    EXPECT_EQ(Call("pos", {S(run + "b"), S(text + "b")}), "I:786433");
    EXPECT_EQ(Call("stringreplace", {S(text), S(run + "b"), S("x"), B(true), B(true)}),
              "S:" + text);
}

// A nested call may pass any type: a non-text where a text belongs reads as
// empty, a float where an integer belongs counts at its whole value.
INSTANTIATE_TEST_SUITE_P(
    ArgumentTypes, StringCall,
    testing::Values(TCallCase{"length", {I(12345)}, "I:0"}, TCallCase{"uppercase", {F(1.5)}, "S:"},
                    TCallCase{"copy", {S("abcdef"), F(2.9), F(2.5)}, "S:bc"},
                    TCallCase{"stringreplace", {S("aXa"), S("x"), S("-"), I(1), I(2)}, "S:a-a"},
                    TCallCase{
                        "copy", {S("abc"), F(1e300), I(1)}, "E:Invalid floating point operation"}));

class StringExpression : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(StringExpression, EvaluatesThroughTheParser) {
    EXPECT_EQ(Eval(GetParam().text), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, StringExpression,
    testing::Values(TOutcomeCase{"length('abc')", "I:3"}, TOutcomeCase{"1 + length('ab')", "I:3"},
                    TOutcomeCase{"uppercase(copy('abc', 2, 5))", "S:BC"},
                    TOutcomeCase{"delete('abcdef', 0, 2) + '!'", "S:cdef!"},
                    TOutcomeCase{"pos('c', lowercase('ABC'))", "I:3"},
                    TOutcomeCase{"comparetext('Abc', 'aBC') = 0", "B:true"},
                    TOutcomeCase{"copy('abc', 1.5, 2)",
                                 "E:Invalid type for argument 2: Expected rtInteger, got rtFloat"},
                    TOutcomeCase{
                        "length(5)",
                        "E:Invalid type for argument 1: Expected rtString, got rtInteger"}));

} // namespace
} // namespace orvex::engine
