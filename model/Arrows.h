#pragma once
// A horizontal arrow with a label slot above or below it (TEqArrow), and a slot with a
// bar, double bar or arrow drawn over or under it (TEqVector).

#include "model/Equation.h"
#include "model/Types.h"

class TEqArrow : public TEqParent {
 public:
  explicit TEqArrow(QWidget* Owner);

  TKindArrow KindArrow() const { return FKindArrow; }
  // Stores the heads and repaints.
  void SetKindArrow(TKindArrow Value);
  TAlignEA AlignEA() const { return FAlignEA; }
  // Stores the label side and lays out.
  void SetAlignEA(TAlignEA Value);

 private:
  TKindArrow FKindArrow;
  TAlignEA FAlignEA = aeTop;
};

class TEqVector : public TEqParent {
 public:
  explicit TEqVector(QWidget* Owner);

  TKindArrow KindArrow() const { return FKindArrow; }
  // Stores the heads and the second bar, then lays out.
  void SetKindArrow(TKindArrow Value);
  TAlignEA AlignEA() const { return FAlignEA; }
  // Stores the side of the bar and lays out.
  void SetAlignEA(TAlignEA Value);

 private:
  TKindArrow FKindArrow;
  TAlignEA FAlignEA = aeTop;
};
