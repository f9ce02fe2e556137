// Text: the element is its slot. What makes the slot's characters text (upright glyphs,
// no math spacing, the word space) is the run's own layout, which the slot's text mark
// selects; the element only places the slot and carries its box into the line.

#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Text.h"

int TEqText::CalcHeight() const { return Slot(0)->Height(); }

int TEqText::CalcWidth() const { return Slot(0)->Width(); }

int TEqText::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  return Slot(0)->MathBaseline() - TMathStyle(*this).Axis();
}

void TEqText::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  TEditArea* Body = Slot(0);
  Body->SetMathText(true);
  // Math inside text starts in the text style, as TeX's does.
  RefreshEA(Body, 1.0, ssText);
  Body->SetIndexInParent(0);
  Body->SetLeft(0);
  Body->SetTop(0);
  GetParent()->RefreshEquations();
}

void TEqText::Paint() { PaintBackground(); }
