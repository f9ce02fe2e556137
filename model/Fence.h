#pragma once
// A fence: one slot between two delimiters of any kinds, either of which may be absent
// (half brackets, intervals with mixed ends, a single bracket), or two or more slots
// parted by a middle delimiter (the bra-ket, a set written {x | x > 0}). The delimiters are the glyphs the bracket pairs draw,
// at the element's own size, centred beside the slots (in the Math style, grown to cover them).

#include "Equation.h"
#include "Types.h"

class TEqFence : public TEqParent {
 public:
  explicit TEqFence(TCustomControl* Owner);

  TFenceKind Kind() const { return FKind; }
  // Sets the delimiters; a middle delimiter adds the second slot. The caret goes to the
  // first slot. Called once, at insertion.
  void SetKind(TFenceKind Value);

  // Every slot, in order; a fence with a middle delimiter takes as many slots as the text
  // gives, at least two.
  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts the slots and places them between the delimiters.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  // The height of the band the glyphs and slots are centred in.
  int CommonHeight() const;
  // Width of a delimiter's glyph, 0 for none.
  int GlyphWidth(TDelimiter Value) const;

  TFenceKind FKind;
};
