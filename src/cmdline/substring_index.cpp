#include "cmdline/substring_index.h"

namespace orvex::cmdline {
namespace {

constexpr std::int32_t kNone = -1;
constexpr std::int32_t kRoot = 0;

} // namespace

TSubstringIndex::TSubstringIndex(std::vector<std::string_view> patterns, bool ignoreCase)
    : patterns_(std::move(patterns)), ignoreCase_(ignoreCase) {}

unsigned char TSubstringIndex::Fold(char c) const {
    if (ignoreCase_ && c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    return static_cast<unsigned char>(c);
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
    return seen_[static_cast<std::size_t>(patternNode_[pattern])] != 0;
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
    rootChildren_.fill(kNone);
    firstChild_.push_back(kNone);
    nextSibling_.push_back(kNone);
    label_.push_back(0);
    // At most one node per pattern byte: reserved at once, so that no
    // doubling of the arrays leaves half of them unused.
    std::size_t bytes = 1;
    for (const std::string_view pattern : patterns_)
        bytes += pattern.size();
    firstChild_.reserve(bytes);
    nextSibling_.reserve(bytes);
    label_.reserve(bytes);
    patternNode_.reserve(patterns_.size());
    for (const std::string_view pattern : patterns_)
        patternNode_.push_back(Insert(pattern));
    LinkFailures();
    seen_.assign(firstChild_.size(), 0);
    seen_[kRoot] = 1;
    Feed(text_);
    std::string().swap(text_);
    std::string().swap(folded_);
}

std::int32_t TSubstringIndex::Insert(std::string_view pattern) {
    std::int32_t node = kRoot;
    for (const char c : pattern) {
        const unsigned char label = Fold(c);
        const std::int32_t child = Child(node, label);
        node = child != kNone ? child : AddChild(node, label);
    }
    return node;
}

std::int32_t TSubstringIndex::Child(std::int32_t node, unsigned char c) const {
    if (node == kRoot)
        return rootChildren_[c];
    for (std::int32_t child = firstChild_[static_cast<std::size_t>(node)]; child != kNone;
         child = nextSibling_[static_cast<std::size_t>(child)])
        if (label_[static_cast<std::size_t>(child)] == c)
            return child;
    return kNone;
}

std::int32_t TSubstringIndex::AddChild(std::int32_t node, unsigned char c) {
    const auto child = static_cast<std::int32_t>(firstChild_.size());
    firstChild_.push_back(kNone);
    label_.push_back(c);
    if (node == kRoot) {
        nextSibling_.push_back(kNone);
        rootChildren_[c] = child;
    } else {
        nextSibling_.push_back(firstChild_[static_cast<std::size_t>(node)]);
        firstChild_[static_cast<std::size_t>(node)] = child;
    }
    return child;
}

// Breadth first, so that the failure link of a node's parent is known: the
// failure of a node is the longest proper suffix of its string that is a
// node too.
void TSubstringIndex::LinkFailures() {
    failure_.assign(firstChild_.size(), kRoot);
    std::vector<std::int32_t> queue;
    queue.reserve(firstChild_.size());
    for (const std::int32_t child : rootChildren_)
        if (child != kNone)
            queue.push_back(child);
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::int32_t node = queue[next];
        for (std::int32_t child = firstChild_[static_cast<std::size_t>(node)]; child != kNone;
             child = nextSibling_[static_cast<std::size_t>(child)]) {
            const unsigned char c = label_[static_cast<std::size_t>(child)];
            std::int32_t fallback = failure_[static_cast<std::size_t>(node)];
            while (fallback != kRoot && Child(fallback, c) == kNone)
                fallback = failure_[static_cast<std::size_t>(fallback)];
            const std::int32_t target = Child(fallback, c);
            failure_[static_cast<std::size_t>(child)] = target == kNone ? kRoot : target;
            queue.push_back(child);
        }
    }
}

// Marks every node whose string ends where the text has got to. A node's
// failure chain holds the suffixes of its string; the walk stops at the
// first marked node, whose own chain was marked when it was.
void TSubstringIndex::Feed(std::string_view text) {
    for (const char c : text) {
        const unsigned char label = Fold(c);
        while (state_ != kRoot && Child(state_, label) == kNone)
            state_ = failure_[static_cast<std::size_t>(state_)];
        const std::int32_t next = Child(state_, label);
        if (next != kNone)
            state_ = next;
        for (std::int32_t node = state_; seen_[static_cast<std::size_t>(node)] == 0;
             node = failure_[static_cast<std::size_t>(node)])
            seen_[static_cast<std::size_t>(node)] = 1;
    }
}

} // namespace orvex::cmdline
