// What every template shares: its size step and its background; and, for the templates
// drawn with bars (fraction, arrow, vector), Gap and Thickness, the bar and the heads.

#include "layout/Marks.h"
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

void TEqBarred::PaintBar(int Y) { TMarks(Canvas(), Font().Color, FThickness).Bar(0, Width(), Y); }

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
  // Each half: a quarter turn from the end onto the shoulder line, a straight run, and a
  // quarter turn into the tip; a turn is as wide as the band is high, or a quarter of the
  // width. Controls at 0.55 of a turn make it round.
  const int R = qMin(Height, W / 4);
  const auto Turn = [](QPoint From, QPoint To, bool VerticalFirst) {
    const QPoint D = To - From;
    const QPoint C1 = From + (VerticalFirst ? QPoint(0, D.y() * 55 / 100) : QPoint(D.x() * 55 / 100, 0));
    const QPoint C2 = To - (VerticalFirst ? QPoint(D.x() * 55 / 100, 0) : QPoint(0, D.y() * 55 / 100));
    return std::vector<QPoint>{C1, C2, To};
  };
  const auto Straight = [](QPoint To) { return std::vector<QPoint>{To, To, To}; };
  std::vector<QPoint> Points{{0, Ends}};
  for (const auto& Curve : {Turn({0, Ends}, {R, Shoulder}, true), Straight({Mid - R, Shoulder}),
                            Turn({Mid - R, Shoulder}, {Mid, Tip}, false), Turn({Mid, Tip}, {Mid + R, Shoulder}, true),
                            Straight({W - R, Shoulder}), Turn({W - R, Shoulder}, {W, Ends}, false)})
    Points.insert(Points.end(), Curve.begin(), Curve.end());
  C.PolyBezier(Points);
}
