#include "cmdline/substring_index.h"

namespace orvex::cmdline {

TSubstringIndex::TSubstringIndex() = default;

void TSubstringIndex::Append(std::string_view text) {
    text_.append(text);
    budget_ += kSearchBudgetPerByte * text.size();
    if (indexed_)
        IndexRest();
}

bool TSubstringIndex::Contains(std::string_view pattern) {
    if (pattern.empty())
        return true;
    budget_ += kSearchBudgetPerByte * pattern.size();
    if (!indexed_) {
        // What a plain search may cost at worst.
        const std::uint64_t cost = static_cast<std::uint64_t>(text_.size()) * pattern.size();
        if (cost <= budget_) {
            budget_ -= cost;
            return text_.find(pattern) != std::string::npos;
        }
        indexed_ = true;
        IndexRest();
    }
    return AutomatonContains(pattern);
}

void TSubstringIndex::IndexRest() {
    if (states_.empty())
        AddState(0, -1); // the root, for the empty text
    for (; indexedLength_ < text_.size(); ++indexedLength_)
        Extend(static_cast<unsigned char>(text_[indexedLength_]));
}

bool TSubstringIndex::AutomatonContains(std::string_view pattern) const {
    std::int32_t state = 0;
    for (char c : pattern) {
        state = Transition(state, static_cast<unsigned char>(c));
        if (state < 0)
            return false;
    }
    return true;
}

std::int32_t TSubstringIndex::AddState(std::int32_t length, std::int32_t link) {
    states_.push_back(TState{length, link, -1});
    return static_cast<std::int32_t>(states_.size() - 1);
}

std::int32_t TSubstringIndex::Transition(std::int32_t state, unsigned char c) const {
    for (std::int32_t edge = State(state).FirstEdge; edge >= 0; edge = Edge(edge).Next)
        if (Edge(edge).Label == c)
            return Edge(edge).Target;
    return -1;
}

void TSubstringIndex::SetTransition(std::int32_t state, unsigned char c, std::int32_t target) {
    TState& from = State(state);
    for (std::int32_t edge = from.FirstEdge; edge >= 0; edge = Edge(edge).Next)
        if (Edge(edge).Label == c) {
            Edge(edge).Target = target;
            return;
        }
    edges_.push_back(TEdge{target, from.FirstEdge, c});
    from.FirstEdge = static_cast<std::int32_t>(edges_.size() - 1);
}

// to is a fresh state without transitions, so the labels need no search.
void TSubstringIndex::CopyTransitions(std::int32_t from, std::int32_t to) {
    for (std::int32_t edge = State(from).FirstEdge; edge >= 0; edge = Edge(edge).Next) {
        const TEdge copy = Edge(edge);
        edges_.push_back(TEdge{copy.Target, State(to).FirstEdge, copy.Label});
        State(to).FirstEdge = static_cast<std::int32_t>(edges_.size() - 1);
    }
}

// The standard online construction: the new state stands for every suffix
// of the text that ends with c; where an existing state would have to stand
// for suffixes of two different lengths, it is split by a clone.
void TSubstringIndex::Extend(unsigned char c) {
    const std::int32_t current = AddState(State(last_).Length + 1, -1);
    std::int32_t p = last_;
    while (p >= 0 && Transition(p, c) < 0) {
        SetTransition(p, c, current);
        p = State(p).Link;
    }
    if (p < 0) {
        State(current).Link = 0;
    } else {
        const std::int32_t q = Transition(p, c);
        if (State(p).Length + 1 == State(q).Length) {
            State(current).Link = q;
        } else {
            const std::int32_t clone = AddState(State(p).Length + 1, State(q).Link);
            CopyTransitions(q, clone);
            while (p >= 0 && Transition(p, c) == q) {
                SetTransition(p, c, clone);
                p = State(p).Link;
            }
            State(q).Link = clone;
            State(current).Link = clone;
        }
    }
    last_ = current;
}

} // namespace orvex::cmdline
