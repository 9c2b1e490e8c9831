#include "cmdline/substring_index.h"

#include "formatting/text.h"

#include <algorithm>

namespace orvex::cmdline {
namespace {

constexpr std::int32_t kNone = -1;
constexpr std::int32_t kRoot = 0;

} // namespace

TSubstringIndex::TSubstringIndex(std::vector<std::string_view> patterns, bool ignoreCase)
    : patterns_(std::move(patterns)), ignoreCase_(ignoreCase) {}

unsigned char TSubstringIndex::Fold(char c) const {
    return static_cast<unsigned char>(ignoreCase_ ? formatting::AsciiUpper(c) : c);
}

void TSubstringIndex::Append(std::string_view text) {
    if (indexed_) {
        Feed(text);
        return;
    }
    budget_ += kSearchBudgetPerByte * text.size();
    for (const char c : text)
        text_.push_back(static_cast<char>(Fold(c)));
}

bool TSubstringIndex::Contains(std::size_t pattern) {
    const std::string_view text = patterns_[pattern];
    if (text.empty())
        return true;
    if (!indexed_) {
        budget_ += kSearchBudgetPerByte * text.size();
        // What a plain search may cost at worst.
        const std::uint64_t cost = static_cast<std::uint64_t>(text_.size()) * text.size();
        if (cost <= budget_) {
            budget_ -= cost;
            return PlainContains(text);
        }
        BuildAutomaton();
    }
    return nodes_[static_cast<std::size_t>(patternNode_[pattern])].Seen != 0;
}

bool TSubstringIndex::PlainContains(std::string_view pattern) {
    folded_.clear();
    for (const char c : pattern)
        folded_.push_back(static_cast<char>(Fold(c)));
    return text_.find(folded_) != std::string::npos;
}

// The text seen so far runs through the new automaton once, then goes: from
// now on every piece of text is fed as it comes.
void TSubstringIndex::BuildAutomaton() {
    indexed_ = true;
    BuildTrie();
    LinkFailures();
    nodes_[kRoot].Seen = 1;
    Feed(text_);
    std::string().swap(text_);
    std::string().swap(folded_);
}

// Level by level: a node stands for the patterns that share its string,
// kept as a run of the pattern order. Sorting a node's run by the next
// character splits it into the runs of its children, which become the next
// level's nodes in label order. Every level looks at each pattern that
// reaches it once, so the work is about the patterns' total length.
void TSubstringIndex::BuildTrie() {
    struct TRun {
        std::uint32_t Begin;
        std::uint32_t End;
    };
    std::size_t bytes = 2;
    for (const std::string_view pattern : patterns_)
        bytes += pattern.size();
    nodes_.reserve(bytes);
    nodes_.push_back(TNode{0, kRoot, 0, 0});
    patternNode_.assign(patterns_.size(), kRoot);
    std::vector<std::uint32_t> order(patterns_.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::vector<TRun> level{{0, static_cast<std::uint32_t>(order.size())}};
    std::vector<TRun> nextLevel;
    // A run's patterns with their next characters, read once for the sort.
    struct TKey {
        int Next;
        std::uint32_t Pattern;
    };
    std::vector<TKey> keys;
    std::int32_t node = kRoot;
    for (std::size_t depth = 0; !level.empty(); ++depth) {
        // The character after the node's string; -1 for a pattern that ends
        // at the node.
        const auto next = [&](std::uint32_t pattern) {
            const std::string_view text = patterns_[pattern];
            return depth < text.size() ? static_cast<int>(Fold(text[depth])) : -1;
        };
        nextLevel.clear();
        for (const TRun run : level) {
            nodes_[static_cast<std::size_t>(node)].FirstChild =
                static_cast<std::int32_t>(nodes_.size());
            if (run.End - run.Begin == 1) {
                // Below the shared prefixes most runs hold one pattern.
                const int c = next(order[run.Begin]);
                if (c < 0) {
                    patternNode_[order[run.Begin]] = node;
                } else {
                    nextLevel.push_back(run);
                    nodes_.push_back(TNode{0, kRoot, static_cast<unsigned char>(c), 0});
                }
                ++node;
                continue;
            }
            keys.clear();
            for (std::uint32_t at = run.Begin; at < run.End; ++at)
                keys.push_back({next(order[at]), order[at]});
            std::sort(keys.begin(), keys.end(),
                      [](const TKey& a, const TKey& b) { return a.Next < b.Next; });
            std::size_t at = 0;
            for (; at < keys.size() && keys[at].Next < 0; ++at)
                patternNode_[keys[at].Pattern] = node;
            while (at < keys.size()) {
                const int c = keys[at].Next;
                const auto childBegin = static_cast<std::uint32_t>(run.Begin + at);
                for (; at < keys.size() && keys[at].Next == c; ++at)
                    order[run.Begin + at] = keys[at].Pattern;
                nextLevel.push_back({childBegin, static_cast<std::uint32_t>(run.Begin + at)});
                nodes_.push_back(TNode{0, kRoot, static_cast<unsigned char>(c), 0});
            }
            ++node;
        }
        level.swap(nextLevel);
    }
    // Closes the children of the last node.
    nodes_.push_back(TNode{static_cast<std::int32_t>(nodes_.size()), kRoot, 0, 1});
    BuildDirectTable();
}

// The root and the nodes of single characters, which the failure links lead
// back to most often, find their children in a table instead of a search.
void TSubstringIndex::BuildDirectTable() {
    directNodes_ = static_cast<std::size_t>(nodes_[kRoot + 1].FirstChild);
    direct_.assign(directNodes_ * 256, kNone);
    for (std::size_t node = 0; node < directNodes_; ++node)
        for (auto child = nodes_[node].FirstChild; child < nodes_[node + 1].FirstChild; ++child)
            direct_[node * 256 + nodes_[static_cast<std::size_t>(child)].Label] = child;
}

std::int32_t TSubstringIndex::Child(std::int32_t node, unsigned char c) const {
    const auto at = static_cast<std::size_t>(node);
    if (at < directNodes_)
        return direct_[at * 256 + c];
    auto low = static_cast<std::size_t>(nodes_[at].FirstChild);
    auto high = static_cast<std::size_t>(nodes_[at + 1].FirstChild);
    while (high - low > 4) {
        const std::size_t middle = low + (high - low) / 2;
        if (nodes_[middle].Label < c)
            low = middle + 1;
        else
            high = middle + 1;
    }
    for (; low < high; ++low)
        if (nodes_[low].Label == c)
            return static_cast<std::int32_t>(low);
    return kNone;
}

// In node order, which is breadth first, so that the failure link of a
// node's parent is known: the failure of a node is the longest proper
// suffix of its string that is a node too. The root's children, single
// characters, fail to the root.
void TSubstringIndex::LinkFailures() {
    const std::size_t count = nodes_.size() - 1;
    for (std::size_t node = 1; node < count; ++node) {
        const std::int32_t parentFailure = nodes_[node].Failure;
        for (auto child = nodes_[node].FirstChild; child < nodes_[node + 1].FirstChild; ++child) {
            const unsigned char c = nodes_[static_cast<std::size_t>(child)].Label;
            std::int32_t fallback = parentFailure;
            std::int32_t target = Child(fallback, c);
            while (target == kNone && fallback != kRoot) {
                fallback = nodes_[static_cast<std::size_t>(fallback)].Failure;
                target = Child(fallback, c);
            }
            nodes_[static_cast<std::size_t>(child)].Failure = target == kNone ? kRoot : target;
        }
    }
}

// Marks every node whose string ends where the text has got to. A node's
// failure chain holds the suffixes of its string; the walk stops at the
// first marked node, whose own chain was marked when it was.
void TSubstringIndex::Feed(std::string_view text) {
    for (const char c : text) {
        const unsigned char label = Fold(c);
        std::int32_t next = Child(state_, label);
        while (next == kNone && state_ != kRoot) {
            state_ = nodes_[static_cast<std::size_t>(state_)].Failure;
            next = Child(state_, label);
        }
        if (next != kNone)
            state_ = next;
        for (std::int32_t node = state_; nodes_[static_cast<std::size_t>(node)].Seen == 0;
             node = nodes_[static_cast<std::size_t>(node)].Failure)
            nodes_[static_cast<std::size_t>(node)].Seen = 1;
    }
}

} // namespace orvex::cmdline
