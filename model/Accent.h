#pragma once
// An accent: a slot at the run's size with a mark over it (dots, bar, hat, tilde, arrows,
// harpoons, arcs), primes at its upper right, or a stroke across it (strike, slash). The
// marks over the slot span its width, so they grow with it. In the Math style the marks
// are the math font's accents and primes.

#include "Equation.h"
#include "Types.h"

class TEqAccent : public TEqBarred {
 public:
  explicit TEqAccent(TCustomControl* Owner);

  TKindAccent KindAccent() const { return FKindAccent; }
  // Stores the mark and lays out.
  void SetKindAccent(TKindAccent Value);

  int CalcHeight() const override;
  // The slot's width, or what its content and the primes after it need.
  int CalcWidth() const override;
  // The middle of the slot; in the Math style the axis over its baseline.
  int GetMidLine() const override;
  // Re-fonts the slot and places it under the mark's room.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;
  // The marks reach into the slot's room, over its background.
  void PaintOver() override;

 private:
  // The stretch the slot's elements take, in the element's coordinates (the whole slot
  // when it is empty), and the room of a mark over it or beside it.
  QRect ContentSpan() const;
  QRect MarkRoom() const;
  int SlotTop() const;

  TKindAccent FKindAccent = acBar;
};
