#pragma once
// A horizontal arrow with a label slot above or below it (TEqArrow), and a slot with a
// bar, double bar or arrow drawn over or under it (TEqVector).
//
// AlignEA names the side of the slot: aeTop puts the slot above the line (an arrow
// labelled from above, an underline), aeBottom below it (an arrow labelled from below, an
// overline). Arrow heads are two strokes 15 pixels long whatever the width.

#include "Equation.h"
#include "Types.h"

// The label is set at 0.7 of the run's size and centred over an arrow twice its width.
class TEqArrow : public TEqBarred {
 public:
  explicit TEqArrow(TCustomControl* Owner);

  TKindArrow KindArrow() const { return FKindArrow; }
  // Stores the heads and repaints.
  void SetKindArrow(TKindArrow Value);
  TAlignEA AlignEA() const { return FAlignEA; }
  // Stores the label side and lays out.
  void SetAlignEA(TAlignEA Value);

  int CalcHeight() const override;
  int CalcWidth() const override;
  // The shaft.
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts the label and centres it over the shaft.
  void RefreshEditArea(int Index) override;
  // Top of the shaft.
  int GetLineY() const;

 protected:
  void Paint() override;

 private:
  TKindArrow FKindArrow;
  TAlignEA FAlignEA = aeTop;
};

// The slot keeps the run's size; the element is as wide as the slot. kaDouble draws a
// second bar below the first, kaRight and kaLeft draw heads.
class TEqVector : public TEqBarred {
 public:
  explicit TEqVector(TCustomControl* Owner);

  TKindArrow KindArrow() const { return FKindArrow; }
  // Stores the heads and the second bar, then lays out.
  void SetKindArrow(TKindArrow Value);
  TAlignEA AlignEA() const { return FAlignEA; }
  // Stores the side of the bar and lays out.
  void SetAlignEA(TAlignEA Value);

  int CalcHeight() const override;
  int CalcWidth() const override;
  // The middle of the slot.
  int GetMidLine() const override;
  // Re-fonts the slot and places it above or below the bar.
  void RefreshEditArea(int Index) override;
  // Top of the (first) bar.
  int GetLineY() const;

 protected:
  void Paint() override;

 private:
  TKindArrow FKindArrow;
  TAlignEA FAlignEA = aeTop;
};
