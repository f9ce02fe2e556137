#pragma once
// Big operators: a sign drawn one to three times, an operand slot to its right and
// optional limit slots (centred above and below) or index slots (right, high and low).
// The six classes differ only in their sign.
//
// Geometry: the signs and the operand share one band, CommonHeight high, whose top lies
// TopMargin below the element's top (room for an upper limit, or for the upper half of an
// upper index). Limits are centred over the sign column, CommonWidth wide; indices stand
// right of the signs, the lower one straddling the band's bottom edge. Limit and index
// slots are set at 0.8 of the operator's size, the operand at its full size. The sign is
// never stretched: a tall operand gets a sign of text height, centred in the band.

#include <QPoint>
#include <QSize>

#include "Equation.h"
#include "Types.h"

class TEqGroupOp : public TEqParent {
 public:
  explicit TEqGroupOp(TCustomControl* Owner);

  TGroupOptions GroupOptions() const { return FGroupOptions; }
  // Adds the slots the options ask for; called once, on a template with only its operand.
  void SetGroupOptions(TGroupOptions Value);
  bool Ring() const { return FRing; }
  void SetRing(bool Value);
  int Size() const { return FSize; }
  // Takes 1..3 only; repaints in either case.
  void SetSize(int Value);
  char16_t Symbol() const { return FSymbol; }
  void SetSymbol(char16_t Value);

  TEditArea* LimitTopArea() const { return FLimitTopArea; }
  TEditArea* LimitBottomArea() const { return FLimitBottomArea; }
  TEditArea* IndexTopArea() const { return FIndexTopArea; }
  TEditArea* IndexBottomArea() const { return FIndexBottomArea; }

  // Operand, then lower limit, upper limit, lower index, upper index as present.
  QString GetData() const override;
  void SetData(const QString& Text) override;

  // Width of the sign row (Size cells, each followed by one pixel) and height of a sign's
  // cell, at least a line of the operator's font.
  int CalcSymbolWidth() const;
  int CalcSymbolHeight() const;
  // Height of the band that holds the signs and the operand.
  int GetCommonHeight() const;
  // Distance from the element's top to the band.
  int GetTopMargin() const;
  // Width of the column left of the operand: signs, limits and indices.
  int GetCommonWidth() const;

  // Lower limit, upper limit, lower index, upper index, then the operand.
  std::vector<TEditArea*> ReadingOrder() const override;
  int CalcHeight() const override;
  int CalcWidth() const override;
  // The middle of the band, so that neighbours line up with the operand.
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts every slot and places it; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  // Width and height of the cell of one copy of the sign: its advance and line height,
  // widened where the glyph's ink overhangs them (the integral sign of many serif fonts
  // reaches left of its origin, past its advance and below its descent), so that no copy
  // is clipped or painted over.
  QSize SymbolExtent() const;
  // Where in its cell the glyph's line box is drawn, to keep its ink inside.
  QPoint SymbolShift() const;
  // The ink of the sign relative to the top-left corner of its line box; kept until the
  // font or the sign changes.
  QRect SymbolInk() const;
  // The slot of Option when the options hold it, else none.
  TEditArea* OptionArea(TGroupOption Option) const;
  // Re-fonts a slot at Factor of the operator's size and renumbers it.
  void RefreshSlot(TEditArea* Area, double Factor);
  // The operator laid out in the Math style: computed, and as kept since its last layout.
  struct TMathOperator;
  TMathOperator MathOperator() const;
  const TMathOperator& KeptOperator() const;

  TGroupOptions FGroupOptions;
  bool FRing = false;
  int FSize = 1;
  char16_t FSymbol = 0;
  TEditArea* FLimitTopArea = nullptr;
  TEditArea* FLimitBottomArea = nullptr;
  TEditArea* FIndexTopArea = nullptr;
  TEditArea* FIndexBottomArea = nullptr;
  mutable QFont FInkFont;
  mutable char16_t FInkSymbol = 0;
  mutable QRect FInk;
  mutable bool FInkKnown = false;
};

// Integral sign, U+222B.
class TEqIntegral : public TEqGroupOp {
 public:
  explicit TEqIntegral(TCustomControl* Owner);
};
// N-ary summation, U+2211.
class TEqSumma : public TEqGroupOp {
 public:
  explicit TEqSumma(TCustomControl* Owner);
};
// N-ary product, U+220F.
class TEqMultiply : public TEqGroupOp {
 public:
  explicit TEqMultiply(TCustomControl* Owner);
};
// Intersection, U+2229.
class TEqIntersection : public TEqGroupOp {
 public:
  explicit TEqIntersection(TCustomControl* Owner);
};
// Union, drawn as the capital letter U.
class TEqJoin : public TEqGroupOp {
 public:
  explicit TEqJoin(TCustomControl* Owner);
};
// Coproduct, drawn as the Cyrillic capital TSE, U+0426.
class TEqCoMult : public TEqGroupOp {
 public:
  explicit TEqCoMult(TCustomControl* Owner);
};
