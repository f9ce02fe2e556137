#pragma once
// A horizontal curly brace over or under a body slot, with a label slot beyond the brace:
// aeTop puts brace and label above the body, aeBottom below it. The brace spans the wider
// of body and label; the label is set at 0.7 of the body's size (a script in the Math
// style, where the brace spans the body). Slots in Data order: body, label.

#include "Equation.h"
#include "Types.h"

class TEqBrace : public TEqBarred {
 public:
  explicit TEqBrace(TCustomControl* Owner);

  TAlignEA AlignEA() const { return FAlignEA; }
  // Sets the side and lays out; the caret stays in the body.
  void SetAlignEA(TAlignEA Value);
  TEditArea* Body() const { return Slot(0); }
  TEditArea* Label() const { return Slot(1); }

  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  // The middle of the body; in the Math style the axis over its baseline.
  int GetMidLine() const override;
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  // Height of the brace's band: a third of the font size, at least 3 pixels.
  int BraceHeight() const;

  TAlignEA FAlignEA = aeTop;
};
