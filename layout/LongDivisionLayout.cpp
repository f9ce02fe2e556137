// Long division: [quotient over the bar] divisor, bracket, bar over the dividend.

#include "layout/Marks.h"
#include "model/EditArea.h"
#include "model/LongDivision.h"

namespace {
int Pad(int Gap) { return qMax(Gap / 2, 1); }
}  // namespace

int TEqLongDivision::BarTop() const {
  const TEditArea* Q = Quotient();
  return Q ? Q->Height() + Pad(Gap()) : 0;
}

int TEqLongDivision::BandTop() const { return BarTop() + qMax(Thickness(), 1) + Pad(Gap()); }

int TEqLongDivision::BandHeight() const { return qMax(Dividend()->Height(), Divisor()->Height()); }

int TEqLongDivision::DividendLeft() const {
  return Divisor()->Width() + TMarks::DivisionBracketWidth(Font().Size()) + Pad(Gap());
}

int TEqLongDivision::CalcHeight() const { return BandTop() + BandHeight() + 1; }

int TEqLongDivision::CalcWidth() const {
  const TEditArea* Q = Quotient();
  return DividendLeft() + qMax(Dividend()->Width(), Q ? Q->Width() : 0) + Pad(Gap());
}

int TEqLongDivision::GetMidLine() const { return BandTop() + BandHeight() / 2; }

void TEqLongDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), 1.0);
    Slot(I)->SetIndexInParent(I);
  }
  const int Band = BandHeight();
  Divisor()->SetLeft(0);
  Divisor()->SetTop(BandTop() + (Band - Divisor()->Height()) / 2);
  Dividend()->SetLeft(DividendLeft());
  Dividend()->SetTop(BandTop() + (Band - Dividend()->Height()) / 2);
  if (TEditArea* Q = Quotient()) {
    Q->SetLeft(DividendLeft());
    Q->SetTop(0);
  }
  GetParent()->RefreshEquations();
}

void TEqLongDivision::Paint() {
  PaintBackground();
  TMarks Marks(Canvas(), Font().Color, Thickness());
  const int Left = Divisor()->Width();
  Marks.DivisionBracket(QRect(Left, BarTop(), TMarks::DivisionBracketWidth(Font().Size()), Height() - BarTop() - 1));
  Marks.Bar(Left, Width(), BarTop());
}
