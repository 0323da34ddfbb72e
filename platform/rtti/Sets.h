#pragma once

#include <cstdint>
#include <initializer_list>

// A set of enumeration values with ordinals 0..63, as the classic set type:
// one bit per ordinal, so a set is also its ordinal value for published
// properties.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Elements) {
    for (E Element : Elements) Include(Element);
  }
  static constexpr TSet FromBits(uint64_t Bits) {
    TSet S;
    S.Bits_ = Bits;
    return S;
  }

  constexpr uint64_t Bits() const { return Bits_; }
  constexpr bool Contains(E Element) const { return (Bits_ & Bit(Element)) != 0; }
  constexpr bool Empty() const { return Bits_ == 0; }
  constexpr TSet& Include(E Element) {
    Bits_ |= Bit(Element);
    return *this;
  }
  constexpr TSet& Exclude(E Element) {
    Bits_ &= ~Bit(Element);
    return *this;
  }

  friend constexpr TSet operator+(TSet A, TSet B) { return FromBits(A.Bits_ | B.Bits_); }
  friend constexpr TSet operator-(TSet A, TSet B) { return FromBits(A.Bits_ & ~B.Bits_); }
  friend constexpr TSet operator*(TSet A, TSet B) { return FromBits(A.Bits_ & B.Bits_); }
  friend constexpr bool operator==(TSet A, TSet B) = default;

 private:
  static constexpr uint64_t Bit(E Element) { return uint64_t{1} << static_cast<unsigned>(Element); }
  uint64_t Bits_ = 0;
};
