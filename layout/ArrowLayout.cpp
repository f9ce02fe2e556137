// The labelled arrow: a shaft twice as wide as its label, heads at either end, the label
// centred above or below the shaft.

#include "model/Arrows.h"
#include "model/EditArea.h"

int TEqArrow::CalcHeight() const { return Slot(0)->Height() + Gap() + 7; }

int TEqArrow::CalcWidth() const { return 2 * Slot(0)->Width(); }

int TEqArrow::GetMidLine() const { return FAlignEA == aeTop ? Slot(0)->Height() + 3 : 3; }

int TEqArrow::GetLineY() const {
  return FAlignEA == aeTop ? Slot(0)->Height() + Gap() / 2 : 3;
}

void TEqArrow::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Label = Slot(0);
  RefreshEA(Label, 1.0);
  Label->SetIndexInParent(0);
  Label->SetLeft((CalcWidth() - Label->Width()) / 2);
  Label->SetTop(FAlignEA == aeTop ? 0 : Gap() + 4);
  GetParent()->RefreshEquations();
}

void TEqArrow::Paint() {
  const int Y = GetLineY();
  PaintBackground();
  PaintBar(Y);
  PaintHeads(FKindArrow, Y);
}
