// The radical: [degree over the hook] sign, bar over the radicand, the radicand Gap/2 in
// from either end of the bar and Gap/2 below it.

#include "layout/Marks.h"
#include "model/EditArea.h"
#include "model/Radical.h"

namespace {
// The room between the sign and its contents, and at the bottom.
int Pad(int Gap) { return qMax(Gap / 2, 1); }
}  // namespace

int TEqRoot::SignWidth() const {
  return TMarks::RadicalWidth(Font().Size(), Radicand()->Height());
}

int TEqRoot::SignLeft() const {
  // The degree ends over the hook's foot.
  const TEditArea* D = Degree();
  return D ? qMax(0, D->Width() - Font().Size() / 4) : 0;
}

int TEqRoot::DegreeRaise() const {
  // The degree's foot: half way up the sign, or on the hook where that is higher.
  const int SignHeight = qMax(Thickness(), 1) + Pad(Gap()) + Radicand()->Height();
  return qMin(SignHeight - TMarks::RadicalHook(Font().Size(), SignHeight), SignHeight / 2);
}

int TEqRoot::BarTop() const {
  const TEditArea* D = Degree();
  return D ? qMax(0, D->Height() + 1 - DegreeRaise()) : 0;
}

int TEqRoot::RadicandTop() const { return BarTop() + qMax(Thickness(), 1) + Pad(Gap()); }

int TEqRoot::CalcHeight() const { return RadicandTop() + Radicand()->Height() + 1; }

int TEqRoot::CalcWidth() const {
  return SignLeft() + SignWidth() + Radicand()->Width() + 2 * Pad(Gap());
}

int TEqRoot::GetMidLine() const { return RadicandTop() + Radicand()->Height() / 2; }

void TEqRoot::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  TEditArea* Body = Radicand();
  RefreshEA(Body, 1.0);
  Body->SetIndexInParent(0);
  if (TEditArea* D = Degree()) {
    RefreshEA(D, 0.5);
    D->SetIndexInParent(1);
  }
  // The bar's height depends on the degree, the degree's place on the radicand.
  Body->SetLeft(SignLeft() + SignWidth() + Pad(Gap()));
  Body->SetTop(RadicandTop());
  if (TEditArea* D = Degree()) {
    D->SetLeft(0);
    D->SetTop(BarTop() + DegreeRaise() - 1 - D->Height());
  }
  GetParent()->RefreshEquations();
}

void TEqRoot::Paint() {
  PaintBackground();
  TMarks Marks(Canvas(), Font().Color, Thickness());
  const int Left = SignLeft();
  const int Bottom = Height() - 2;
  Marks.Radical(QRect(QPoint(Left, BarTop()), QPoint(Left + SignWidth() - 1, Bottom)), Font().Size());
  Marks.Bar(Left + SignWidth(), Width(), BarTop());
}
