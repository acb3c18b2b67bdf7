// A set of the values of a small enumeration as bits: value n is bit n. The dialogs' option and
// button sets and the font styles use it; nothing here knows what the values mean.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace plexon {

template <class Enum>
class TEnumSet {
  public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<Enum> values) {
        for (Enum value : values) bits_ |= Bit(value);
    }
    constexpr bool Contains(Enum value) const { return (bits_ & Bit(value)) != 0; }
    constexpr TEnumSet With(Enum value) const { return FromBits(bits_ | Bit(value)); }
    constexpr TEnumSet Without(Enum value) const { return FromBits(bits_ & ~Bit(value)); }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const TEnumSet&) const = default;

  private:
    static constexpr std::uint32_t Bit(Enum value) { return std::uint32_t(1) << unsigned(value); }
    static constexpr TEnumSet FromBits(std::uint32_t bits) {
        TEnumSet set;
        set.bits_ = bits;
        return set;
    }
    std::uint32_t bits_ = 0;
};

}  // namespace plexon
