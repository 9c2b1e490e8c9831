#include "formatting/packed_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace orvex::formatting {
namespace {

using namespace std::string_view_literals;

struct TRow {
    int Number = 0;
    std::string_view Name;
    bool Flag = false;
};

constexpr auto MakeRows() {
    // Empty texts first, between and last, a text with a NUL in it, and
    // neighbours that share letters: each must come back whole and alone.
    return std::to_array<TRow>({
        {1, "", true},
        {2, "alpha", false},
        {3, "", false},
        {4, "al\0pha"sv, true},
        {5, "alphabet", false},
        {6, "", true},
    });
}

constexpr auto kRows = PackTexts<&TRow::Name>([] { return MakeRows(); });

TEST(PackedTexts, RecordsComeBackAsWritten) {
    const auto source = MakeRows();
    ASSERT_EQ(kRows.size(), source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const TRow row = kRows[i];
        EXPECT_EQ(row.Number, source[i].Number) << i;
        EXPECT_EQ(row.Name, source[i].Name) << i;
        EXPECT_EQ(row.Flag, source[i].Flag) << i;
    }
}

TEST(PackedTexts, IteratesInOrder) {
    std::vector<int> numbers;
    std::vector<std::string_view> names;
    for (const TRow row : kRows) {
        numbers.push_back(row.Number);
        names.push_back(row.Name);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(names, (std::vector<std::string_view>{"", "alpha", "", "al\0pha"sv, "alphabet", ""}));
}

constexpr auto kWords = PackTexts([] {
    return std::to_array<std::string_view>({"or", "", "xor"});
});

TEST(PackedTexts, PlainListsWorkWithTheAlgorithms) {
    EXPECT_EQ(std::vector<std::string_view>(kWords.begin(), kWords.end()),
              (std::vector<std::string_view>{"or", "", "xor"}));
    EXPECT_TRUE(std::any_of(kWords.begin(), kWords.end(), [](auto w) { return w == "xor"; }));
    EXPECT_FALSE(std::any_of(kWords.begin(), kWords.end(), [](auto w) { return w == "o"; }));
}

// Packed tables are usable during compilation, as the help table's checks
// need, and an empty table packs too.
static_assert(kRows[4].Name == "alphabet");
static_assert(kWords[2] == "xor" && kWords[1].empty());
static_assert(PackTexts([] { return std::array<std::string_view, 0>{}; }).size() == 0);

} // namespace
} // namespace orvex::formatting
