#pragma once
// A fraction: numerator (slot 0) over denominator (slot 1), both set at 0.7 of the run's
// size and centred over each other, Gap pixels apart. The bar runs in that gap across the
// wider of the two; its top edge is the element's mid-line.

#include "model/Equation.h"

class TEqDivision : public TEqBarred {
 public:
  explicit TEqDivision(TCustomControl* Owner);

  TEditArea* Numerator() const { return Slot(0); }
  TEditArea* Denominator() const { return Slot(1); }

  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts and measures both slots, then stacks and centres them; nothing while updates
  // are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;
};
