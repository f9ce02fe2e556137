#pragma once
// A pair of bracket glyphs around one slot. The glyphs are drawn at the element's own
// size, never stretched: a tall slot gets brackets of text height, centred beside it.
// Where no installed font has the ornate parentheses of kbRound, plain ones stand in.

#include "Equation.h"
#include "Types.h"

class TEqBrackets : public TEqParent {
 public:
  explicit TEqBrackets(TCustomControl* Owner);

  TKindBracket KindBracket() const { return FKindBracket; }
  // Sets the kind and both glyphs, then lays out.
  void SetKindBracket(TKindBracket Value);
  char16_t LSymbol() const { return FLSymbol; }
  char16_t RSymbol() const { return FRSymbol; }
  void SetLSymbol(char16_t Value);
  void SetRSymbol(char16_t Value);

  // Extent of the left glyph; both glyphs are placed with it.
  int CalcSymbolWidth() const;
  int CalcSymbolHeight() const;
  // The taller of the glyph and the slot.
  int GetCommonHeight() const;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts the slot and centres it between the glyphs.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  TKindBracket FKindBracket = kbRound;
  char16_t FLSymbol = 0;
  char16_t FRSymbol = 0;
};
