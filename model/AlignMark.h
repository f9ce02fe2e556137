#pragma once
// The alignment mark: an empty element the editor's lines are aligned at. The n-th mark of
// every line stands at one x (TZelkEquation::LineAlignment tells how). It is as narrow as
// a stroke, invisible in pictures, and shown as a faint tick while editing; the caret, the
// mouse and the selection take it as any other element. Data: AlignMark().

#include "Equation.h"

class TEqAlignMark : public TEquation {
 public:
  using TEquation::TEquation;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  void RefreshDimensions() override;

 protected:
  void Paint() override;
};
