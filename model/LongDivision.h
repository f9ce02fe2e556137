#pragma once
// Long division: the divisor (slot 1) at the left, a bracket, and the dividend (slot 0)
// under a bar that starts at the bracket; with a quotient (slot 2) over the bar, aligned
// with the dividend. Every part keeps the run's size.

#include "Equation.h"

class TEqLongDivision : public TEqBarred {
 public:
  explicit TEqLongDivision(TCustomControl* Owner);

  TEditArea* Dividend() const { return Slot(0); }
  TEditArea* Divisor() const { return Slot(1); }
  TEditArea* Quotient() const { return FHasQuotient ? Slot(2) : nullptr; }
  bool HasQuotient() const { return FHasQuotient; }
  // Adds the quotient slot (called once, on a new element); the caret stays in the dividend.
  void SetHasQuotient(bool Value);

  // Divisor, dividend, quotient: left to right, then above.
  std::vector<TEditArea*> ReadingOrder() const override;
  // Dividend, divisor, then the quotient when there is one.
  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  // The middle of the band that holds divisor and dividend; in the Math style the axis
  // over their common baseline.
  int GetMidLine() const override;
  // Re-fonts and places the slots; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  int BarTop() const;
  // The band under the bar that holds the divisor and the dividend, centred in it.
  int BandTop() const;
  int BandHeight() const;
  int DividendLeft() const;

  bool FHasQuotient = false;
};
