// The fraction: numerator over denominator, Gap apart, both centred; the bar between.

#include "model/Division.h"
#include "model/EditArea.h"

int TEqDivision::CalcHeight() const {
  return Numerator()->Height() + Gap() + Denominator()->Height();
}

int TEqDivision::CalcWidth() const {
  return qMax(Numerator()->Width(), Denominator()->Width());
}

int TEqDivision::GetMidLine() const { return Numerator()->Height() + Gap() / 2; }

void TEqDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  TEditArea* Top = Numerator();
  TEditArea* Bottom = Denominator();
  const double Factor = FSmall ? 0.7 : 1.0;
  RefreshEA(Top, Factor);
  Top->SetTop(0);
  RefreshEA(Bottom, Factor);
  Bottom->SetTop(Top->Height() + Gap());
  // Centred only once both are measured, so either may be the wider one.
  const int Width = CalcWidth();
  Top->SetLeft((Width - Top->Width()) / 2);
  Bottom->SetLeft((Width - Bottom->Width()) / 2);
  GetParent()->RefreshEquations();
}

void TEqDivision::Paint() {
  PaintBackground();
  PaintBar(GetMidLine());
}
