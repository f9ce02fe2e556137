#pragma once
// A fraction: numerator (slot 0) over denominator (slot 1), both set at 0.7 of the run's
// size (a small fraction: 0.7 of that) and centred over each other, Gap pixels apart. The
// bar runs in that gap across the wider of the two; its top edge is the element's
// mid-line.

#include "Equation.h"

// What both fractions share: a numerator (slot 0) and a denominator (slot 1) at 0.7 of the
// run's size, written as their two slots.
class TEqFractionParts : public TEqBarred {
 public:
  using TEqBarred::TEqBarred;

  TEditArea* Numerator() const { return Slot(0); }
  TEditArea* Denominator() const { return Slot(1); }

  QString GetData() const override;
  void SetData(const QString& Text) override;

 protected:
  // Makes the two parts; a constructor calls it, then lays out.
  void MakeParts();
};

class TEqDivision : public TEqFractionParts {
 public:
  explicit TEqDivision(TCustomControl* Owner);

  bool Small() const { return FSmall; }
  // Sets the size of both parts and lays out.
  void SetSmall(bool Value);
  TContinued Continued() const { return FContinued; }
  // Makes it a continued fraction (or not) and lays out.
  void SetContinued(TContinued Value);

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts and measures both slots, then stacks and centres them; nothing while updates
  // are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  bool FSmall = false;
  TContinued FContinued = cfNone;
};

// A fraction written on one line with a slanted stroke: the numerator raised at the left,
// the denominator lowered at the right, both at 0.7 of the run's size.
class TEqSlashDivision : public TEqFractionParts {
 public:
  explicit TEqSlashDivision(TCustomControl* Owner);

  int CalcHeight() const override;
  int CalcWidth() const override;
  // Half the height; in the Math style the axis over the run's baseline.
  int GetMidLine() const override;
  // Re-fonts and places both parts; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  // Width of the stroke's column between the parts.
  int SlashWidth() const;
  // Top of the denominator: the parts overlap by a third of the numerator's height.
  int DenominatorTop() const;
};
