// What every template shares: its size step and its background; and, for the templates
// drawn with bars (fraction, arrow, vector), Gap and Thickness, the bar and the heads.

#include "model/Equation.h"

#include <vector>

void TEqParent::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
  // The drawing follows the slots, which may have moved inside an unchanged size.
  Repaint();
}

void TEqParent::PaintBackground() {
  SetCanvasFont();
  Canvas().Rectangle(0, 0, Width(), Height());
}

void TEqBarred::RefreshMetrics() {
  const int FS = Font().Size();
  FGap = FS / 5;
  FThickness = FS / 10;
}

void TEqBarred::RefreshDimensions() {
  RefreshMetrics();
  TEqParent::RefreshDimensions();
}

namespace {
void UseLinePen(TCanvas& C, QColor Color) {
  C.Pen.Color = Color;
  C.Pen.Style = psSolid;
  C.Pen.Width = 1;
}
}  // namespace

void TEqBarred::PaintBar(int Y) {
  TCanvas& C = Canvas();
  UseLinePen(C, Font().Color);
  // Solid, so that a thick single bar never looks like an outlined double one; below 10
  // points Thickness is 0 and the bar still shows as one pixel.
  C.Brush.SetColor(Font().Color);
  C.Rectangle(0, Y, Width(), Y + qMax(FThickness, 1));
  C.Brush.SetColor(BkColor());
}

void TEqBarred::PaintHeads(TKindArrow Kind, int Y) {
  constexpr int Length = 15;
  TCanvas& C = Canvas();
  UseLinePen(C, Font().Color);
  const int Open = FGap / 2;
  const int Lower = Y + FThickness / 2;
  // One stroke from above the bar into the tip, one from the tip back out below it.
  auto Head = [&](int Tip, int Tail) {
    C.MoveTo(Tail, Y - Open);
    C.LineTo(Tip, Y);
    C.MoveTo(Tip, Lower);
    C.LineTo(Tail, Lower + Open);
  };
  if (Kind.Contains(kaRight)) Head(Width(), Width() - Length);
  if (Kind.Contains(kaLeft)) Head(0, Length);
}

void TEqBarred::PaintBrace(int Y, int Height, bool Up) {
  TCanvas& C = Canvas();
  UseLinePen(C, Font().Color);
  C.Pen.Width = qMax(FThickness, 1);
  const int W = Width();
  const int Mid = W / 2;
  const int Ends = Up ? Y + Height : Y;
  const int Tip = Up ? Y : Y + Height;
  const int Shoulder = Y + Height / 2;
  // Each half: a quarter turn from the end onto the shoulder line, then a quarter turn
  // into the tip; the turns are as wide as the band is high, or a quarter of the width.
  const int R = qMin(Height, W / 4);
  const auto Line = [](QPoint From, QPoint To) { return std::vector<QPoint>{From, From, To, To}; };
  std::vector<QPoint> Points{{0, Ends}, {0, Shoulder}, {0, Shoulder}, {R, Shoulder}};
  const auto Append = [&Points](const std::vector<QPoint>& Curve) {
    Points.insert(Points.end(), Curve.begin() + 1, Curve.end());
  };
  Append(Line({R, Shoulder}, {Mid - R, Shoulder}));
  Append({{Mid - R, Shoulder}, {Mid, Shoulder}, {Mid, Shoulder}, {Mid, Tip}});
  Append({{Mid, Tip}, {Mid, Shoulder}, {Mid, Shoulder}, {Mid + R, Shoulder}});
  Append(Line({Mid + R, Shoulder}, {W - R, Shoulder}));
  Append({{W - R, Shoulder}, {W, Shoulder}, {W, Shoulder}, {W, Ends}});
  C.PolyBezier(Points);
}
