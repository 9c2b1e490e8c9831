// A set over a small enumeration, kept as a bit mask: the type sets of the
// type checks and the set of visible built-in categories.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace orvex::engine {

template <typename E, int Count> class TEnumSet {
    static_assert(Count > 0 && Count <= 32, "the mask holds at most 32 members");

  public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members) {
        for (E member : members)
            Include(member);
    }

    // Bits of members outside the enumeration are dropped.
    static constexpr TEnumSet FromMask(std::uint32_t mask) {
        TEnumSet set;
        set.mask_ = mask & AllBits();
        return set;
    }
    static constexpr TEnumSet All() { return FromMask(AllBits()); }

    constexpr bool Contains(E member) const { return (mask_ & Bit(member)) != 0; }
    constexpr void Include(E member) { mask_ |= Bit(member); }
    constexpr void Exclude(E member) { mask_ &= ~Bit(member); }
    constexpr bool Empty() const { return mask_ == 0; }
    constexpr std::uint32_t Mask() const { return mask_; }

    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

  private:
    static constexpr std::uint32_t AllBits() {
        return Count == 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << Count) - 1;
    }
    static constexpr std::uint32_t Bit(E member) {
        const auto index = static_cast<unsigned>(member);
        return index < static_cast<unsigned>(Count) ? std::uint32_t{1} << index : 0;
    }

    std::uint32_t mask_ = 0;
};

} // namespace orvex::engine
