// What every template shares: its size step and its background; and, for the templates
// drawn with bars (fraction, arrow, vector), Gap and Thickness, the bar and the heads.

#include "layout/Marks.h"
#include "model/Equation.h"

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
