#pragma once
// Size levels: a child font size is the parent's size times a factor, the product formed
// in extended precision and rounded to the nearest integer, ties to even. So with the
// double nearest 0.7, 20 -> 14 -> 10 -> 7 and 25 -> 17.

#include <cmath>

inline int RoundHalfEven(long double Value) { return static_cast<int>(std::nearbyint(Value)); }

inline int ScaledSize(int Size, double Factor) {
  return RoundHalfEven(static_cast<long double>(Size) * Factor);
}

inline int ScaledSize(int Size, double Factor, double Extra) {
  return RoundHalfEven(static_cast<long double>(Size) * Factor * Extra);
}
