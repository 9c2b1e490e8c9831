// A text that grows at its end and answers "does this occur anywhere in
// you?" in time proportional to the question, whatever the text's length
// (a suffix automaton). The distinct-argument statistics ask this once per
// argument, which with a plain search would cost the square of the command
// line's length.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

class TSubstringIndex {
  public:
    TSubstringIndex();

    void Append(std::string_view text);

    // Whether pattern occurs in the text appended so far; the empty pattern
    // always does.
    bool Contains(std::string_view pattern) const;

  private:
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

    std::vector<TState> states_;
    std::vector<TEdge> edges_;
    std::int32_t last_ = 0;
};

} // namespace orvex::cmdline
