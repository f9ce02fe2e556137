#pragma once
// Big operators: a sign drawn one to three times, an operand slot to its right and
// optional limit slots (centred above and below) or index slots (right, high and low).
// The six classes differ only in their sign.

#include "model/Equation.h"
#include "model/Types.h"

class TEqGroupOp : public TEqParent {
 public:
  explicit TEqGroupOp(QWidget* Owner);

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

 private:
  TGroupOptions FGroupOptions;
  bool FRing = false;
  int FSize = 1;
  char16_t FSymbol = 0;
  TEditArea* FLimitTopArea = nullptr;
  TEditArea* FLimitBottomArea = nullptr;
  TEditArea* FIndexTopArea = nullptr;
  TEditArea* FIndexBottomArea = nullptr;
};

// Integral sign, U+222B.
class TEqIntegral : public TEqGroupOp {
 public:
  explicit TEqIntegral(QWidget* Owner);
};
// N-ary summation, U+2211.
class TEqSumma : public TEqGroupOp {
 public:
  explicit TEqSumma(QWidget* Owner);
};
// N-ary product, U+220F.
class TEqMultiply : public TEqGroupOp {
 public:
  explicit TEqMultiply(QWidget* Owner);
};
// Intersection, U+2229.
class TEqIntersection : public TEqGroupOp {
 public:
  explicit TEqIntersection(QWidget* Owner);
};
// Union, drawn as the capital letter U.
class TEqJoin : public TEqGroupOp {
 public:
  explicit TEqJoin(QWidget* Owner);
};
// Coproduct, drawn as the Cyrillic capital TSE, U+0426.
class TEqCoMult : public TEqGroupOp {
 public:
  explicit TEqCoMult(QWidget* Owner);
};
