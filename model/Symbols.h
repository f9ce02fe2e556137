#pragma once
// The two leaf elements: one plain character (any Unicode code point, so a letter outside
// the 16-bit range is one element), and one special symbol given by its UTF-16 code unit.
// Both are drawn in the element's own font; in the Math style from the math font, letters
// in mathematical italic (upright in operator names).

#include "Equation.h"

class TEqSimple : public TEquation {
 public:
  using TEquation::TEquation;

  char32_t Character() const { return FCharacter; }
  void SetCharacter(char32_t Value);
  // The character as text: one or two UTF-16 code units.
  QString Text() const { return QString::fromUcs4(&FCharacter, 1); }

  // The character itself; "(", ")", codes up to 32 and code points that are not
  // characters (lone surrogates) as #code, so that they survive the round trip through
  // the text form.
  QString GetData() const override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  void RefreshDimensions() override;
  // Set by the run: a letter of an operator name is upright and the name one operator.
  TMathName MathName() const { return FMathName; }
  void SetMathName(TMathName Value) { FMathName = Value; }
  // Set by the run: how many apostrophes from this one on the Math style draws as one
  // prime glyph (up to four); 0 for one the apostrophe before it draws.
  int MathPrimes() const { return FMathPrimes; }
  void SetMathPrimes(int Value) { FMathPrimes = Value; }

 protected:
  void Paint() override;

 private:
  char32_t FCharacter = 0;
  TMathName FMathName = mnNone;
  int FMathPrimes = 1;
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
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  void RefreshDimensions() override;

 protected:
  void Paint() override;

 private:
  char16_t FSymbolCode = 0;
};
