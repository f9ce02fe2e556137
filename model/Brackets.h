#pragma once
// A pair of bracket glyphs around one slot.

#include "model/Equation.h"
#include "model/Types.h"

class TEqBrackets : public TEqParent {
 public:
  explicit TEqBrackets(QWidget* Owner);

  TKindBracket KindBracket() const { return FKindBracket; }
  // Sets the kind and both glyphs, then lays out.
  void SetKindBracket(TKindBracket Value);
  char16_t LSymbol() const { return FLSymbol; }
  char16_t RSymbol() const { return FRSymbol; }
  void SetLSymbol(char16_t Value);
  void SetRSymbol(char16_t Value);

 private:
  TKindBracket FKindBracket = kbRound;
  char16_t FLSymbol = 0;
  char16_t FRSymbol = 0;
};
