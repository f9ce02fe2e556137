// The alignment mark: a stroke's width, as high as a letter, so that the mouse can find it
// and the caret has a place on either side; drawn only while editing marks show.

#include <cmath>

#include "layout/MathStyle.h"
#include "model/AlignMark.h"

namespace {
// Ascent and descent of the mark in the Math style, in ems: a strut's.
constexpr double MarkAscent = 0.72;
constexpr double MarkDescent = 0.22;
}  // namespace

int TEqAlignMark::CalcHeight() const {
  if (!MathFontOf(*this)) return qMax(1, Font().Size() * 4 / 5);
  const double Em = MathEm(Font());
  return qMax(1, static_cast<int>(std::lround((MarkAscent + MarkDescent) * Em)));
}

int TEqAlignMark::CalcWidth() const { return qMax(1, Font().Size() / 10); }

int TEqAlignMark::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  const TMathStyle Style(*this);
  return static_cast<int>(std::lround(MarkAscent * Style.Em())) - Style.Axis();
}

void TEqAlignMark::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqAlignMark::Paint() {
  if (!Host() || !Host()->PaintingMarks()) return;
  TCanvas& C = Canvas();
  C.Brush.SetStyle(bsClear);
  C.Pen.Style = psSolid;
  C.Pen.Width = 0;
  C.Pen.Color = QColor(150, 170, 220);
  const int X = (Width() - 1) / 2;
  C.MoveTo(X, 0);
  C.LineTo(X, Height());
}
