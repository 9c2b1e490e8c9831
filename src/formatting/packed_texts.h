// Constant tables of texts that hold no pointers.
//
// In a position-independent program every pointer in a constant table is
// fixed up by the dynamic loader at each start, and the loader's packed
// relocations cost by the size of the table that holds the pointers, not by
// their number: the help table alone, 145 lines of 48 bytes, cost every run
// some 5,000 instructions before main. A packed table keeps its texts in one
// character array and each record's text as an offset into it, so the table
// is read-only data the loader never touches. Records come back by value,
// with their text in place.
//
//   constexpr auto kRows = PackTexts<&TRow::Name>([] { return std::to_array<TRow>({...}); });
//   constexpr auto kWords = PackTexts([] { return std::to_array<std::string_view>({...}); });
//   for (const TRow row : kRows) ...
//
// The table is written as a lambda so that its size and its texts' total
// length are constants while it is packed; the unpacked table exists only
// during compilation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace orvex::formatting {

// A table's records, handed out by value in order.
template <typename TTable, typename TValue> class TPackedIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = TValue;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = TValue;

    constexpr TPackedIterator() = default;
    constexpr TPackedIterator(const TTable* table, std::size_t index)
        : table_(table), index_(index) {}

    constexpr TValue operator*() const { return (*table_)[index_]; }
    constexpr TPackedIterator& operator++() {
        ++index_;
        return *this;
    }
    constexpr TPackedIterator operator++(int) {
        TPackedIterator before = *this;
        ++index_;
        return before;
    }
    constexpr bool operator==(const TPackedIterator& other) const { return index_ == other.index_; }

  private:
    const TTable* table_ = nullptr;
    std::size_t index_ = 0;
};

// Count texts in Chars characters.
template <std::size_t Count, std::size_t Chars> class TTextPool {
  public:
    using const_iterator = TPackedIterator<TTextPool, std::string_view>;

    consteval explicit TTextPool(const std::array<std::string_view, Count>& texts) {
        std::size_t at = 0;
        for (std::size_t i = 0; i < Count; ++i) {
            starts_[i] = static_cast<std::uint32_t>(at);
            for (const char c : texts[i])
                chars_[at++] = c;
        }
        starts_[Count] = static_cast<std::uint32_t>(at);
    }

    static constexpr std::size_t size() { return Count; }
    constexpr std::string_view operator[](std::size_t index) const {
        return {chars_.data() + starts_[index], starts_[index + 1] - starts_[index]};
    }
    constexpr const_iterator begin() const { return {this, 0}; }
    constexpr const_iterator end() const { return {this, Count}; }

  private:
    std::array<char, Chars> chars_{};
    std::array<std::uint32_t, Count + 1> starts_{};
};

// Count records whose member Text is kept in a text pool.
template <typename TRecord, std::size_t Count, std::size_t Chars, std::string_view TRecord::*Text>
class TPackedTable {
  public:
    using const_iterator = TPackedIterator<TPackedTable, TRecord>;

    consteval TPackedTable(const std::array<TRecord, Count>& records,
                           const std::array<std::string_view, Count>& texts)
        : texts_(texts) {
        for (std::size_t i = 0; i < Count; ++i) {
            records_[i] = records[i];
            records_[i].*Text = {};
        }
    }

    static constexpr std::size_t size() { return Count; }
    constexpr TRecord operator[](std::size_t index) const {
        TRecord record = records_[index];
        record.*Text = texts_[index];
        return record;
    }
    constexpr const_iterator begin() const { return {this, 0}; }
    constexpr const_iterator end() const { return {this, Count}; }

  private:
    std::array<TRecord, Count> records_{};
    TTextPool<Count, Chars> texts_;
};

template <std::size_t Count>
consteval std::size_t TotalLength(const std::array<std::string_view, Count>& texts) {
    std::size_t total = 0;
    for (const std::string_view text : texts)
        total += text.size();
    return total;
}

template <typename TMake> consteval auto PackTexts(TMake) {
    constexpr auto texts = TMake{}();
    return TTextPool<texts.size(), TotalLength(texts)>(texts);
}

template <auto Text, typename TMake> consteval auto PackTexts(TMake) {
    constexpr auto records = TMake{}();
    using TRecord = typename decltype(records)::value_type;
    constexpr std::size_t count = records.size();
    constexpr std::array<std::string_view, count> texts = [&] {
        std::array<std::string_view, count> all{};
        for (std::size_t i = 0; i < count; ++i)
            all[i] = records[i].*Text;
        return all;
    }();
    return TPackedTable<TRecord, count, TotalLength(texts), Text>(records, texts);
}

} // namespace orvex::formatting
