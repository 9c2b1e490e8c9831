#include "frontend/preparation.h"

#include <array>

namespace orvex::frontend {

namespace {

// Longer operators come first so that "<=" is counted once.
constexpr auto kComparisons =
    std::to_array<std::string_view>({"!=", "<>", "<=", ">=", "<", ">", "="});

} // namespace

TComparisonClass CountComparisons(std::string_view text) {
    std::string remaining(text);
    int count = 0;
    for (const std::string_view comparison : kComparisons) {
        for (std::size_t at = remaining.find(comparison); count <= 1 && at != std::string::npos;
             at = remaining.find(comparison)) {
            remaining.erase(at, comparison.size());
            ++count;
        }
        if (count > 1)
            break;
    }
    if (count == 0)
        return TComparisonClass::Arithmetic;
    return count == 1 ? TComparisonClass::SingleComparison : TComparisonClass::TooManyComparisons;
}

} // namespace orvex::frontend
