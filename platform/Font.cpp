#include "Font.h"

#include <cmath>

int TFont::Size() const {
  const int Points = pointSize();
  if (Points > 0) return Points;
  const int Pixels = pixelSize();
  return Pixels > 0 ? static_cast<int>(std::lround(Pixels * 72.0 / 96.0)) : 1;
}

void TFont::SetSize(int Value) {
  const int Points = Value < 1 ? 1 : Value;
  // Setting a size drops the font's cached glyph data even when it is the same size.
  if (pointSizeF() != Points) setPointSize(Points);
}
