#pragma once
// An upper and/or lower index standing alone in a run, after its base: a column with the
// superscript at the top, an empty strip half the run's font size high, then the
// subscript, both left-aligned and set at 0.7 of the run's size. Centred on the run's
// mid-line, a superscript alone rises above it and a subscript alone hangs below it.
// A left index stands before its base instead, its slots right-aligned against it.

#include "Equation.h"
#include "Types.h"

class TEqIndex : public TEqParent {
 public:
  explicit TEqIndex(TCustomControl* Owner);

  TGroupOptions GroupOptions() const { return FGroupOptions; }
  // Adds the index slots (only goIndexTop and goIndexBottom count); called once.
  void SetGroupOptions(TGroupOptions Value);
  // Whether the element is a left index; set before its slots are added.
  bool BeforeBase() const { return FBeforeBase; }
  void SetBeforeBase(bool Value) { FBeforeBase = Value; }
  TEditArea* IndexTopArea() const { return FIndexTopArea; }
  TEditArea* IndexBottomArea() const { return FIndexBottomArea; }

  // Lower index, then upper index, as present.
  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  // In the Math style the axis of the run; else the half height.
  int GetMidLine() const override;
  // Size; in the Math style the slots also move with the base.
  void RefreshDimensions() override;
  // Re-fonts and places both slots; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;
  // Right scripts are spaced as their base; left ones as ordinary, against it.
  TMathAtom MathAtom() const override { return FBeforeBase ? maOrd : maScript; }

 protected:
  void Paint() override;

 private:
  // Re-fonts a slot and renumbers it.
  void RefreshSlot(TEditArea* Area);
  // Places the slots on the shifts the Math style gives them from the base.
  void PlaceMathSlots();
  // The element the index stands after in its run (before, for a left index), or nullptr.
  const TEquation* Base() const;
  // Where Base last found the element in its run, tried first.
  mutable int FPlace = 0;

  TGroupOptions FGroupOptions;
  bool FBeforeBase = false;
  TEditArea* FIndexTopArea = nullptr;
  TEditArea* FIndexBottomArea = nullptr;
};
