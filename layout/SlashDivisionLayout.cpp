// The slanted fraction: numerator up left, a stroke rising across the element's height,
// denominator down right.

#include "layout/Marks.h"
#include "model/Division.h"
#include "model/EditArea.h"

int TEqSlashDivision::SlashWidth() const { return qMax(Font().Size() * 2 / 5, 4); }

int TEqSlashDivision::DenominatorTop() const { return Numerator()->Height() * 2 / 3; }

int TEqSlashDivision::CalcHeight() const {
  return qMax(Numerator()->Height(), DenominatorTop() + Denominator()->Height());
}

int TEqSlashDivision::CalcWidth() const {
  return Numerator()->Width() + SlashWidth() + Denominator()->Width();
}

void TEqSlashDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  RefreshEA(Numerator(), 1.0);
  Numerator()->SetIndexInParent(0);
  Numerator()->SetLeft(0);
  Numerator()->SetTop(0);
  RefreshEA(Denominator(), 1.0);
  Denominator()->SetIndexInParent(1);
  Denominator()->SetLeft(Numerator()->Width() + SlashWidth());
  Denominator()->SetTop(DenominatorTop());
  GetParent()->RefreshEquations();
}

void TEqSlashDivision::Paint() {
  PaintBackground();
  const int Left = Numerator()->Width();
  TMarks Marks(Canvas(), Font().Color, Thickness());
  Marks.Stroke({QPoint(Left + 1, Height() - 2), QPoint(Left + SlashWidth() - 1, 1)});
}
