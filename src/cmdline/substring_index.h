// A text that grows at its end and answers, for patterns fixed in advance,
// "does this pattern occur anywhere in you by now?". The distinct-argument
// statistics ask this once per argument, about the argument itself, which
// with plain searches alone could cost the square of the command line's
// length.
//
// Plain searches answer as long as their total work stays within a fixed
// multiple of the input seen so far. Beyond that the index builds, once, an
// Aho-Corasick automaton over all the patterns and runs the text through it:
// every pattern met on the way is marked, so that a question becomes a look
// at one mark, and each later piece of text costs its own length. The usual
// short command line never pays for the automaton; no command line pays more
// than a linear amount of time, and the automaton needs one node per pattern
// byte at most.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

class TSubstringIndex {
  public:
    // The patterns must outlive the index. With ignoreCase, ASCII letters of
    // the text and of the patterns compare without case.
    TSubstringIndex(std::vector<std::string_view> patterns, bool ignoreCase);

    void Append(std::string_view text);

    // Whether the pattern with this number occurs in the text appended so
    // far; the empty pattern always does.
    bool Contains(std::size_t pattern);

    // Whether the automaton answers the questions by now.
    bool Indexed() const { return indexed_; }

  private:
    // Plain searches may look at this many characters per character of text
    // and patterns seen.
    static constexpr std::uint64_t kSearchBudgetPerByte = 16;

    unsigned char Fold(char c) const;
    bool PlainContains(std::string_view pattern);
    void BuildAutomaton();
    void BuildTrie();
    void BuildDirectTable();
    void LinkFailures();
    void Feed(std::string_view text);
    std::int32_t Child(std::int32_t node, unsigned char c) const;

    std::vector<std::string_view> patterns_;
    bool ignoreCase_;
    std::string text_; // folded; given up once the automaton answers
    std::string folded_;
    std::uint64_t budget_ = 0;
    bool indexed_ = false;

    // The automaton: a trie of the patterns with its nodes numbered level by
    // level, so that the children of a node are consecutive nodes, sorted by
    // their labels: those of node n are FirstChild of n up to FirstChild of
    // n + 1 (a last node without a label closes the list). Each node has its
    // failure link and the mark that the text has contained its string; one
    // record per node keeps what a step of the text reads together.
    struct TNode {
        std::int32_t FirstChild;
        std::int32_t Failure;
        unsigned char Label;
        unsigned char Seen;
    };
    std::vector<TNode> nodes_;
    // The children of the first directNodes_ nodes by label, kNone for none.
    std::vector<std::int32_t> direct_;
    std::size_t directNodes_ = 0;
    std::vector<std::int32_t> patternNode_;
    std::int32_t state_ = 0;
};

} // namespace orvex::cmdline
