#include "cmdline/substring_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvex::cmdline {
namespace {

TEST(SubstringIndex, AnswersLikeAPlainSearchWhileGrowing) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> letter(0, 2);
    std::uniform_int_distribution<int> length(0, 6);
    TSubstringIndex index;
    std::string text;
    for (int round = 0; round < 400; ++round) {
        std::string piece;
        for (int i = length(random); i > 0; --i)
            piece += static_cast<char>('a' + letter(random));
        index.Append(piece);
        text += piece;
        for (int probe = 0; probe < 20; ++probe) {
            std::string pattern;
            for (int i = length(random) + 1; i > 0; --i)
                pattern += static_cast<char>('a' + letter(random));
            ASSERT_EQ(index.Contains(pattern), text.find(pattern) != std::string::npos)
                << '"' << pattern << "\" in \"" << text << '"';
        }
    }
    // The questions cost far more than the text by now: the automaton took
    // over on the way.
    EXPECT_TRUE(index.Indexed());
}

// A long text asked a few short questions is searched directly; many
// questions make the index build its automaton, with the same answers.
TEST(SubstringIndex, BuildsItsAutomatonOnlyWhenSearchesWouldCostTooMuch) {
    TSubstringIndex index;
    const std::string text = std::string(100000, 'a') + "b";
    index.Append(text);
    EXPECT_TRUE(index.Contains("ab"));
    EXPECT_FALSE(index.Contains("ba"));
    EXPECT_FALSE(index.Indexed());
    for (int i = 0; i < 100 && !index.Indexed(); ++i)
        EXPECT_FALSE(index.Contains(std::string(50, 'a') + "c"));
    EXPECT_TRUE(index.Indexed());
    EXPECT_TRUE(index.Contains(std::string(1000, 'a') + "b"));
    EXPECT_FALSE(index.Contains(std::string(100001, 'a')));
    index.Append("c");
    EXPECT_TRUE(index.Contains("abc"));
}

TEST(SubstringIndex, HandlesEveryByteValue) {
    TSubstringIndex index;
    std::string text;
    for (int c = 255; c >= 0; --c)
        text += static_cast<char>(c);
    index.Append(text);
    EXPECT_TRUE(index.Contains(text));
    EXPECT_TRUE(index.Contains(std::string("\x01\x00", 2)));
    EXPECT_FALSE(index.Contains(std::string("\x00\x01", 2)));
    EXPECT_TRUE(index.Contains(""));
}

} // namespace
} // namespace orvex::cmdline
