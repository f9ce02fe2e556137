#pragma once
// A binomial coefficient: the upper part (slot 0) over the lower part (slot 1), stacked as
// a fraction stacks them but without its bar, between round brackets. The brackets are
// those of the bracket pair: of text height beside the stack in the Classic style, grown
// to cover it in the Math style. A small one sets its parts a size step further down.

#include "Division.h"

class TEqBinomial : public TEqDivision {
 public:
  explicit TEqBinomial(TCustomControl* Owner);

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  // Stacks the parts as the fraction does, then moves the stack in between the brackets.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  struct TPlacement;
  // Where the stack and the brackets go.
  TPlacement Placement() const;

  // The fraction's layout may lay this element out again from within (through the run
  // around it): only the outermost pass moves the stack down between the brackets.
  bool FRefreshing = false;
};
