#pragma once
// A set of up to eight enumeration members stored in one byte: member n is bit n.

#include <cstdint>
#include <initializer_list>

template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Members) {
    for (E Member : Members) FBits |= Bit(Member);
  }
  static constexpr TSet FromBits(std::uint8_t Bits) {
    TSet Result;
    Result.FBits = Bits;
    return Result;
  }

  constexpr bool Contains(E Member) const { return (FBits & Bit(Member)) != 0; }
  constexpr bool IsEmpty() const { return FBits == 0; }
  constexpr std::uint8_t Bits() const { return FBits; }

  friend constexpr bool operator==(TSet A, TSet B) { return A.FBits == B.FBits; }

 private:
  static constexpr std::uint8_t Bit(E Member) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(Member));
  }
  std::uint8_t FBits = 0;
};
