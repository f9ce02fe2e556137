// Shapes of the strokes and marks; see Marks.h.

#include "layout/Marks.h"

#include <cmath>
#include <numbers>

#include "platform/Canvas.h"

namespace {
bool IsPrime(TKindAccent Kind) {
  return Kind == acPrime || Kind == acPrimeTwo || Kind == acPrimeThree || Kind == acBackPrime;
}

bool IsAcross(TKindAccent Kind) { return Kind == acStrike || Kind == acSlash; }

// Points of a curve: X and Y of each step S in 0..1.
template <typename F>
QPolygonF Curve(F&& At, int Steps = 24) {
  QPolygonF Points;
  for (int I = 0; I <= Steps; ++I) Points << At(static_cast<double>(I) / Steps);
  return Points;
}
}  // namespace

TMarks::TMarks(TCanvas& Canvas, QColor Color, int Thickness)
    : FCanvas(Canvas), FColor(Color), FThickness(qMax(Thickness, 1)) {}

void TMarks::Stroke(const QPolygonF& Points, double Width) {
  FCanvas.Pen.Color = FColor;
  FCanvas.Pen.Style = psSolid;
  FCanvas.Pen.Width = static_cast<int>(std::lround(Width > 0 ? Width : FThickness));
  FCanvas.Polyline(Points);
  FCanvas.Pen.Width = 1;
}

void TMarks::Bar(int X1, int X2, int Y) {
  FCanvas.Pen.Color = FColor;
  FCanvas.Pen.Style = psSolid;
  FCanvas.Pen.Width = 1;
  // Solid, so that a thick single bar never looks like an outlined double one; below 10
  // points the thickness is 0 and the bar still shows as one pixel.
  const QColor Old = FCanvas.Brush.Color();
  FCanvas.Brush.SetColor(FColor);
  FCanvas.Rectangle(X1, Y, X2, Y + FThickness);
  FCanvas.Brush.SetColor(Old);
}

int TMarks::RadicalWidth(int FontSize, int Height) {
  // Taller radicands get a less steep stroke.
  return FontSize / 4 + qMax(FontSize / 3, Height / 6) + 1;
}

int TMarks::RadicalHook(int FontSize, int Height) {
  return qMin(Height / 2, FontSize * 9 / 20);
}

void TMarks::Radical(const QRect& Box, int FontSize) {
  const double Bottom = Box.bottom();
  const double HookTop = Bottom - RadicalHook(FontSize, Box.height());
  const double X = Box.left();
  const QPointF Tick(X, HookTop + FontSize / 10.0);
  const QPointF Top(X + FontSize / 8.0, HookTop);
  const QPointF Foot(X + FontSize / 4.0, Bottom);
  const QPointF End(Box.right() + 1, Box.top() + FThickness / 2.0);
  Stroke({Tick, Top}, qMax(1.0, FThickness / 2.0));
  Stroke({Top, Foot}, FThickness + 0.5);
  Stroke({Foot, End}, qMax(1.0, FThickness * 0.6));
}

int TMarks::DivisionBracketWidth(int FontSize) { return qMax(FontSize / 3, 4); }

void TMarks::DivisionBracket(const QRect& Box) {
  const double Bulge = Box.width() * 0.7;
  Stroke(Curve([&](double S) {
    return QPointF(Box.left() + 1 + Bulge * std::sin(std::numbers::pi * S), Box.top() + S * Box.height());
  }));
}

int TMarks::AccentHeight(TKindAccent Kind, int FontSize) {
  if (IsAcross(Kind) || IsPrime(Kind)) return 0;
  if (Kind == acDot || Kind == acDotTwo || Kind == acDotThree || Kind == acBar)
    return qMax(FontSize / 4, 3);
  return qMax(FontSize * 2 / 5, 5);
}

int TMarks::AccentWidth(TKindAccent Kind, int FontSize) {
  const int Cell = qMax(FontSize / 4, 3);
  switch (Kind) {
    case acPrime: case acBackPrime: return Cell;
    case acPrimeTwo: return 2 * Cell;
    case acPrimeThree: return 3 * Cell;
    default: return 0;
  }
}

void TMarks::Accent(TKindAccent Kind, const QRect& Box, int FontSize) {
  const int Inset = Box.width() / 10;
  const QRectF Inner(Box.left() + Inset, Box.top() + 1, Box.width() - 2 * Inset, Box.height() - 2);
  switch (Kind) {
    case acStrike:
      Bar(Box.left(), Box.right() + 1, Box.center().y() - FThickness / 2);
      return;
    case acSlash: Stroke({QPointF(Box.left() + 1, Box.bottom() - 1), QPointF(Box.right(), Box.top() + 1)}); return;
    case acPrime: Primes(1, false, Box, FontSize); return;
    case acPrimeTwo: Primes(2, false, Box, FontSize); return;
    case acPrimeThree: Primes(3, false, Box, FontSize); return;
    case acBackPrime: Primes(1, true, Box, FontSize); return;
    case acDot: Dots(1, Box, FontSize); return;
    case acDotTwo: Dots(2, Box, FontSize); return;
    case acDotThree: Dots(3, Box, FontSize); return;
    case acBar: Bar(Box.left() + Inset, Box.right() + 1 - Inset, Box.center().y()); return;
    case acHat:
      Stroke({Inner.bottomLeft(), QPointF(Inner.center().x(), Inner.top()), Inner.bottomRight()},
             qMax(1.0, FThickness * 0.7));
      return;
    case acTilde:
      Stroke(Curve([&](double S) {
               return QPointF(Inner.left() + S * Inner.width(),
                              Inner.center().y() - Inner.height() / 3 * std::sin(2 * std::numbers::pi * S));
             }),
             qMax(1.0, FThickness * 0.7));
      return;
    case acArrowRight: Arrow(true, false, false, Box, FontSize); return;
    case acArrowLeft: Arrow(false, true, false, Box, FontSize); return;
    case acArrowRightLeft: Arrow(true, true, false, Box, FontSize); return;
    case acHarpoonRight: Arrow(true, false, true, Box, FontSize); return;
    case acHarpoonLeft: Arrow(false, true, true, Box, FontSize); return;
    case acArcUp: Arc(true, Inner.toAlignedRect()); return;
    case acArcDown: Arc(false, Inner.toAlignedRect()); return;
  }
}

void TMarks::Dots(int Count, const QRect& Box, int FontSize) {
  const int D = qMax(FontSize / 6, 2);
  const int Step = 2 * D;
  const int Left = Box.center().x() - (Count * Step - (Step - D)) / 2;
  const int Top = Box.center().y() - D / 2;
  FCanvas.Pen.Style = psClear;
  const QColor Old = FCanvas.Brush.Color();
  FCanvas.Brush.SetColor(FColor);
  for (int I = 0; I < Count; ++I) FCanvas.Ellipse(Left + I * Step, Top, Left + I * Step + D + 1, Top + D + 1);
  FCanvas.Brush.SetColor(Old);
}

void TMarks::Arrow(bool Right, bool Left, bool Harpoon, const QRect& Box, int FontSize) {
  const double Y = Box.center().y();
  const double X1 = Box.left() + 1;
  const double X2 = Box.right();
  const double Head = qMin(FontSize / 3.0, Box.width() / 2.5);
  const double Width = qMax(1.0, FThickness * 0.7);
  Stroke({QPointF(X1, Y), QPointF(X2, Y)}, Width);
  // A harpoon keeps only the barb above the shaft.
  const auto Tip = [&](double X, double Back) {
    if (Harpoon) {
      Stroke({QPointF(X + Back, Y - Head / 2), QPointF(X, Y)}, Width);
    } else {
      Stroke({QPointF(X + Back, Y - Head / 2), QPointF(X, Y), QPointF(X + Back, Y + Head / 2)}, Width);
    }
  };
  if (Right) Tip(X2, -Head);
  if (Left) Tip(X1, Head);
}

void TMarks::Arc(bool Up, const QRect& Box) {
  Stroke(Curve([&](double S) {
           const double Lift = std::sin(std::numbers::pi * S) * Box.height();
           return QPointF(Box.left() + S * Box.width(), Up ? Box.bottom() - Lift : Box.top() + Lift);
         }),
         qMax(1.0, FThickness * 0.7));
}

void TMarks::Primes(int Count, bool Back, const QRect& Box, int FontSize) {
  const double Cell = static_cast<double>(Box.width()) / Count;
  const double Length = FontSize * 0.35;
  for (int I = 0; I < Count; ++I) {
    const double X = Box.left() + I * Cell;
    const QPointF High(X + Cell * (Back ? 0.3 : 0.8), Box.top() + 1);
    const QPointF Low(X + Cell * (Back ? 0.8 : 0.3), Box.top() + 1 + Length);
    Stroke({High, Low}, qMax(1.0, FThickness * 0.8));
  }
}
