// A text that grows at its end and answers "does this occur anywhere in
// you?". The distinct-argument statistics ask this once per argument, which
// with plain searches alone could cost the square of the command line's
// length. Plain searches answer as long as their total work stays within a
// fixed multiple of the input seen so far; beyond that a suffix automaton,
// built once, answers in time proportional to the question. So the usual
// short command line never pays for building the automaton, and no command
// line pays more than a linear amount.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

class TSubstringIndex {
  public:
    TSubstringIndex();

    void Append(std::string_view text);

    // Whether pattern occurs in the text appended so far; the empty pattern
    // always does.
    bool Contains(std::string_view pattern);

    // Whether the automaton answers the questions by now.
    bool Indexed() const { return indexed_; }

  private:
    // Plain searches may look at this many characters per character of text
    // and patterns seen.
    static constexpr std::uint64_t kSearchBudgetPerByte = 16;

    void IndexRest();
    bool AutomatonContains(std::string_view pattern) const;

    struct TState {
        std::int32_t Length;    // longest text this state stands for
        std::int32_t Link;      // state of its longest suffix of another class; -1 at the root
        std::int32_t FirstEdge; // -1 when it has no transitions
    };
    struct TEdge {
        std::int32_t Target;
        std::int32_t Next;
        unsigned char Label;
    };

    void Extend(unsigned char c);
    std::int32_t AddState(std::int32_t length, std::int32_t link);
    std::int32_t Transition(std::int32_t state, unsigned char c) const;
    void SetTransition(std::int32_t state, unsigned char c, std::int32_t target);
    void CopyTransitions(std::int32_t from, std::int32_t to);

    TState& State(std::int32_t index) { return states_[static_cast<std::size_t>(index)]; }
    const TState& State(std::int32_t index) const {
        return states_[static_cast<std::size_t>(index)];
    }
    TEdge& Edge(std::int32_t index) { return edges_[static_cast<std::size_t>(index)]; }
    const TEdge& Edge(std::int32_t index) const { return edges_[static_cast<std::size_t>(index)]; }

    std::string text_;
    std::uint64_t budget_ = 0;
    bool indexed_ = false;
    std::size_t indexedLength_ = 0; // how much of text_ the automaton holds
    std::vector<TState> states_;
    std::vector<TEdge> edges_;
    std::int32_t last_ = 0;
};

} // namespace orvex::cmdline
