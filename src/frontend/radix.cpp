#include "frontend/radix.h"

#include "formatting/error.h"
#include "frontend/messages.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace orvex::frontend {

namespace {

struct TRadixDescription {
    int Radix;
    int BitsPerDigit;
    std::string_view Prefix;
    std::uint16_t MinimumLengthLow, MinimumLengthHigh;
    std::uint16_t BlockSizeLow, BlockSizeHigh;
};

constexpr TRadixDescription kRadixes[] = {
    {2, 1, "%", 2, 64, 2, 8},
    {8, 3, "&", 1, 8, 2, 8},
    {16, 4, "0x", 1, 64, 2, 8},
};

// Every value is written as this many digits before leading zeros go.
constexpr std::size_t kDigitCount = 64;

constexpr std::string_view kDigitCharacters = "0123456789ABCDEF";

const TRadixDescription& DescriptionOf(int radix) {
    for (const TRadixDescription& description : kRadixes)
        if (description.Radix == radix)
            return description;
    throw formatting::Error(OrvexString("orvex.sunsupportedradix"));
}

// A block size of 0 means "no blocks" and survives clamping.
std::uint16_t ClampBlockSize(std::uint16_t value, const TRadixDescription& radix) {
    if (value == 0)
        return 0;
    return std::clamp(value, radix.BlockSizeLow, radix.BlockSizeHigh);
}

// An optional sign followed by decimal digits, within the 32-bit range.
std::optional<std::int32_t> ReadInteger32(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    std::uint32_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    constexpr std::uint32_t largestNegative = 0x80000000u;
    if (magnitude > (negative ? largestNegative : largestNegative - 1))
        return std::nullopt;
    // Negation in unsigned arithmetic: the bits are the two's complement.
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

// All 64 digits of the 32 bits, most significant first.
std::string AllDigits(std::uint32_t bits, const TRadixDescription& radix) {
    std::string digits(kDigitCount, '0');
    const std::uint32_t mask = static_cast<std::uint32_t>(radix.Radix - 1);
    for (auto position = digits.rbegin(); bits != 0; ++position) {
        *position = kDigitCharacters[bits & mask];
        bits >>= radix.BitsPerDigit;
    }
    return digits;
}

// Inserts a blank in front of every full block of `blockSize` digits counted
// from the right, never in front of the first digit.
std::string Grouped(std::string_view digits, std::uint16_t blockSize) {
    if (blockSize == 0)
        return std::string(digits);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / blockSize);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t digitsToTheRight = digits.size() - i;
        if (i > 0 && digitsToTheRight % blockSize == 0)
            grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

std::string ToRadix(std::string_view decimalText, int radix, std::uint16_t minimumLength,
                    std::uint16_t blockSize, bool noPrefix) {
    const TRadixDescription& description = DescriptionOf(radix);
    const std::size_t keptMinimum =
        std::clamp(minimumLength, description.MinimumLengthLow, description.MinimumLengthHigh);
    const std::uint16_t block = ClampBlockSize(blockSize, description);

    const std::optional<std::int32_t> value = ReadInteger32(decimalText);
    if (!value)
        throw formatting::EConvertError(OrvexString("orvex.sinvalidradixinteger"), {decimalText});

    const std::string digits = AllDigits(static_cast<std::uint32_t>(*value), description);
    const std::size_t firstSignificant = std::min(digits.find_first_not_of('0'), kDigitCount - 1);
    const std::size_t kept = std::max(keptMinimum, kDigitCount - firstSignificant);

    std::string text = noPrefix ? std::string() : std::string(description.Prefix);
    return text + Grouped(std::string_view(digits).substr(kDigitCount - kept), block);
}

} // namespace orvex::frontend
