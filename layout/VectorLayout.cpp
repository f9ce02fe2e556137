// The bar, double bar or arrow over or under a slot; the slot keeps the run's size.

#include "model/Arrows.h"
#include "model/EditArea.h"

int TEqVector::CalcHeight() const { return Slot(0)->Height() + Gap() + 7; }

int TEqVector::CalcWidth() const { return Slot(0)->Width(); }

int TEqVector::GetMidLine() const {
  const int Middle = Slot(0)->Height() / 2;
  return FAlignEA == aeTop ? Middle : Middle + Gap() + 4;
}

int TEqVector::GetLineY() const {
  const bool Double = FKindArrow.Contains(kaDouble);
  if (FAlignEA == aeTop) return Double ? Slot(0)->Height() : Slot(0)->Height() + Gap() / 2;
  return Double ? 1 : 3;
}

void TEqVector::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Body = Slot(0);
  RefreshEA(Body, 1.0);
  Body->SetIndexInParent(0);
  Body->SetLeft(0);
  Body->SetTop(FAlignEA == aeTop ? 0 : Gap() + 4);
  GetParent()->RefreshEquations();
}

void TEqVector::Paint() {
  const int Y = GetLineY();
  PaintBackground();
  PaintBar(Y);
  PaintHeads(FKindArrow, Y);
  if (FKindArrow.Contains(kaDouble)) PaintBar(Y + Gap());
}
