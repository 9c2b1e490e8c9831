#include "cmdline/substring_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace orvex::cmdline {
namespace {

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Random pieces of text and random questions over a small alphabet (so that
// most questions have both answers), in both case modes, compared with a
// plain search of the whole text after every piece.
TEST(SubstringIndex, AnswersLikeAPlainSearchWhileGrowing) {
    for (const bool ignoreCase : {false, true}) {
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> letter(0, 3);
        std::uniform_int_distribution<int> length(0, 6);
        const auto randomText = [&](int size) {
            static constexpr char kLetters[] = {'a', 'b', 'B', ' '};
            std::string text;
            for (int i = 0; i < size; ++i)
                text += kLetters[letter(random)];
            return text;
        };
        constexpr int kRounds = 400;
        constexpr int kProbes = 20;
        std::vector<std::string> probes;
        for (int i = 0; i < kRounds * kProbes; ++i)
            probes.push_back(randomText(length(random) + (i % 7 == 0 ? 0 : 1)));
        TSubstringIndex index({probes.begin(), probes.end()}, ignoreCase);
        std::string text;
        for (int round = 0; round < kRounds; ++round) {
            const std::string piece = randomText(length(random));
            index.Append(piece);
            text += piece;
            for (int probe = round * kProbes; probe < (round + 1) * kProbes; ++probe) {
                const std::string& pattern = probes[static_cast<std::size_t>(probe)];
                const bool expected =
                    ignoreCase ? UpperCase(text).find(UpperCase(pattern)) != std::string::npos
                               : text.find(pattern) != std::string::npos;
                ASSERT_EQ(index.Contains(static_cast<std::size_t>(probe)), expected)
                    << ignoreCase << " \"" << pattern << "\" in \"" << text << '"';
            }
        }
        // The questions cost far more than the text by now: the automaton took
        // over on the way.
        EXPECT_TRUE(index.Indexed());
    }
}

// count copies of c, then tail. Appended rather than written as
// std::string(count, c) + tail, about which optimised GCC 12 builds warn
// falsely (array bounds).
std::string RunThen(std::size_t count, char c, std::string_view tail) {
    std::string text(count, c);
    text.append(tail);
    return text;
}

// A long text asked a few short questions is searched directly; many
// questions make the index build its automaton, with the same answers.
TEST(SubstringIndex, BuildsItsAutomatonOnlyWhenSearchesWouldCostTooMuch) {
    const std::string missing = RunThen(50, 'a', "c");
    const std::string longRun = RunThen(1000, 'a', "b");
    const std::string tooLong(100001, 'a');
    std::vector<std::string_view> patterns{"ab", "ba"};
    for (int i = 0; i < 100; ++i)
        patterns.push_back(missing);
    patterns.insert(patterns.end(), {longRun, tooLong, "abc", "cA"});
    TSubstringIndex index(patterns, false);
    index.Append(RunThen(100000, 'a', "b"));
    EXPECT_TRUE(index.Contains(0));
    EXPECT_FALSE(index.Contains(1));
    EXPECT_FALSE(index.Indexed());
    for (std::size_t i = 2; i < 102 && !index.Indexed(); ++i)
        EXPECT_FALSE(index.Contains(i));
    EXPECT_TRUE(index.Indexed());
    EXPECT_TRUE(index.Contains(0));
    EXPECT_FALSE(index.Contains(1));
    EXPECT_TRUE(index.Contains(102));
    EXPECT_FALSE(index.Contains(103));
    EXPECT_FALSE(index.Contains(104));
    index.Append("ca");
    EXPECT_TRUE(index.Contains(104));
    EXPECT_FALSE(index.Contains(105)); // case counts
}

TEST(SubstringIndex, HandlesEveryByteValue) {
    std::string text;
    for (int c = 255; c >= 0; --c)
        text += static_cast<char>(c);
    const std::string present("\x01\x00", 2);
    const std::string absent("\x00\x01", 2);
    const std::string endsInNul("\x05\x00", 2); // a NUL byte is a character like any other
    for (const bool ignoreCase : {false, true}) {
        TSubstringIndex index({text, present, absent, "", endsInNul}, ignoreCase);
        index.Append(text);
        EXPECT_TRUE(index.Contains(0));
        EXPECT_TRUE(index.Contains(1));
        EXPECT_FALSE(index.Contains(2));
        EXPECT_TRUE(index.Contains(3));
        EXPECT_FALSE(index.Contains(4));
    }
}

} // namespace
} // namespace orvex::cmdline
