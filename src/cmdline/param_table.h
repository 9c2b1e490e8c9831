// The argument table: one entry per command-line argument with the claim
// status the option declarations gave it, and the record one declaration
// returns.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex::cmdline {

// Claim statuses. The value 1 is not used.
inline constexpr std::int32_t psUnclaimed = 0;
inline constexpr std::int32_t psOption = 2;   // matched an option name
inline constexpr std::int32_t psValue = 3;    // taken as the value of the option before it
inline constexpr std::int32_t psAttached = 4; // option with its value attached (-d:4)
inline constexpr std::int32_t psError = 5;    // value missing, or value slot already claimed
inline constexpr std::int32_t psOther = 6;    // counted by the statistics; never assigned

struct TParamStatusRec {
    std::int32_t Status = psUnclaimed;
    // Diagnostic marks, nothing reads them: [0] claimed as an option,
    // [1] holds or carries a value, [2] value attached, [3] only ever cleared.
    std::array<std::uint8_t, 4> Marks{};
    std::string Text; // the argument exactly as the platform delivered it
};

using TParamStatusArray = std::vector<TParamStatusRec>;

struct TFindParamRec {
    bool Defaulted = false; // number declarations: missing, unreadable or equal to its fallback
    bool Found = false;
    bool Attached = false;      // value given with ":" or "="
    std::int32_t Index = -1;    // 0-based argument index
    std::int32_t Position = -1; // Index + 1
    std::string Name;           // argument as typed; the part before ":"/"=" when attached
    std::string Value;
    std::string Value2;
};

// Declaration flags.
inline constexpr int pfBothValuesRequired = 1;
inline constexpr int pfFirstValueRequired = 2;
inline constexpr int pfClaimEveryOccurrence = 4;
inline constexpr int pfDefaultFromVariable = 8; // integer declarations only

// Where a declaration searches: with D = 0 from index P (negative means 0)
// to the last argument, with D = 1 from index 0 to index P (-1 meaning the
// last argument).
struct TSearchRange {
    std::int32_t P = -1;
    std::int32_t D = 0;
};
inline constexpr TSearchRange kWholeCommandLine{-1, 0};

} // namespace orvex::cmdline
