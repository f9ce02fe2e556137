#pragma once
// The strokes the templates draw around their slots: bars, the radical sign, the bracket
// of a long division, slanted strokes and the marks of accents. Every size follows the
// font size and the bar thickness of the element that draws them, so that how they look
// is decided here, once, for every kind that uses them.

#include <QColor>
#include <QPolygonF>
#include <QRect>

#include "../model/Types.h"

class TCanvas;

class TMarks {
 public:
  // Draws on Canvas in Color; Thickness is the element's bar thickness (FS div 10).
  TMarks(TCanvas& Canvas, QColor Color, int Thickness);

  // Joined strokes through Points, Width pixels wide (the thickness, at least one pixel,
  // when Width is 0).
  void Stroke(const QPolygonF& Points, double Width = 0);
  // A solid bar from X1 to X2 (exclusive), Thickness high (at least one pixel), its top at Y.
  void Bar(int X1, int X2, int Y);

  // The radical sign in front of a radicand Height high: its width, and how far above
  // the sign's bottom its hook reaches (a degree stands on top of the hook).
  static int RadicalWidth(int FontSize, int Height);
  static int RadicalHook(int FontSize, int Height);
  // The sign in Box: the hook at the bottom left, the long stroke rising to the top right
  // corner, where the bar over the radicand begins.
  void Radical(const QRect& Box, int FontSize);

  // The bracket of a long division: a curve bulging to the right across Box's height.
  static int DivisionBracketWidth(int FontSize);
  void DivisionBracket(const QRect& Box);

  // The room a mark needs above its slot (marks over it), right of it (primes), or none
  // (strokes across it).
  static int AccentHeight(TKindAccent Kind, int FontSize);
  static int AccentWidth(TKindAccent Kind, int FontSize);
  // The mark in Box: the strip above the slot, the strip right of it, or the slot itself.
  void Accent(TKindAccent Kind, const QRect& Box, int FontSize);

 private:
  void Dots(int Count, const QRect& Box, int FontSize);
  void Arrow(bool Right, bool Left, bool Harpoon, const QRect& Box, int FontSize);
  void Arc(bool Up, const QRect& Box);
  void Primes(int Count, bool Back, const QRect& Box, int FontSize);

  TCanvas& FCanvas;
  QColor FColor;
  int FThickness;
};
