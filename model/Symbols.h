#pragma once
// The two leaf elements: one plain character, and one special symbol given by its
// UTF-16 code unit. Both are drawn in the element's own font.

#include "model/Equation.h"

class TEqSimple : public TEquation {
 public:
  using TEquation::TEquation;

  QChar Character() const { return FCharacter; }
  void SetCharacter(QChar Value);

  // The character itself; "(", ")" and codes up to 32 as #code, so that they survive
  // the round trip through the text form.
  QString GetData() const override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  void RefreshDimensions() override;

 protected:
  void Paint() override;

 private:
  QChar FCharacter;
};

class TEqExtSymbol : public TEquation {
 public:
  using TEquation::TEquation;

  char16_t SymbolCode() const { return FSymbolCode; }
  void SetSymbolCode(char16_t Value);

  // The code in decimal.
  QString GetData() const override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  void RefreshDimensions() override;

 protected:
  void Paint() override;

 private:
  char16_t FSymbolCode = 0;
};
