// Brace: label, gap, brace, gap, body from the top (aeTop) or the other way round.

#include "model/Brace.h"
#include "model/EditArea.h"

int TEqBrace::BraceHeight() const { return qMax(Font().Size() / 3, 3); }

int TEqBrace::CalcHeight() const {
  return Body()->Height() + Label()->Height() + BraceHeight() + 2 * Gap();
}

int TEqBrace::CalcWidth() const { return qMax(Body()->Width(), Label()->Width()); }

int TEqBrace::GetMidLine() const {
  const int Above = FAlignEA == aeTop ? Label()->Height() + BraceHeight() + 2 * Gap() : 0;
  return Above + Body()->Height() / 2;
}

void TEqBrace::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  RefreshEA(Body(), 1.0);
  Body()->SetIndexInParent(0);
  RefreshEA(Label(), 0.7);
  Label()->SetIndexInParent(1);
  const int W = CalcWidth();
  Body()->SetLeft((W - Body()->Width()) / 2);
  Label()->SetLeft((W - Label()->Width()) / 2);
  const int Band = BraceHeight() + 2 * Gap();
  if (FAlignEA == aeTop) {
    Label()->SetTop(0);
    Body()->SetTop(Label()->Height() + Band);
  } else {
    Body()->SetTop(0);
    Label()->SetTop(Body()->Height() + Band);
  }
  GetParent()->RefreshEquations();
}

void TEqBrace::Paint() {
  PaintBackground();
  const int Y = (FAlignEA == aeTop ? Label()->Height() : Body()->Height()) + Gap();
  PaintBrace(Y, BraceHeight(), FAlignEA == aeTop);
}
