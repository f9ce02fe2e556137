#pragma once
// Words inside a formula, as TeX's \text sets them: one slot whose characters are text. In
// the Math style they stand upright in the font's text letters, without math spacing
// between them, a space as the font's word space, and the whole is an ordinary atom as
// wide and as high as the slot. In the Classic style the slot is laid out as any other.

#include "Equation.h"

class TEqText : public TEqParent {
 public:
  explicit TEqText(TCustomControl* Owner);

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  // Marks the slot as text, re-fonts it and places it at the element's origin.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;
};
