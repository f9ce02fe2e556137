#pragma once
// A fraction: numerator (slot 0) over denominator (slot 1).

#include "model/Equation.h"

class TEqDivision : public TEqParent {
 public:
  explicit TEqDivision(QWidget* Owner);

  TEditArea* Numerator() const { return Slot(0); }
  TEditArea* Denominator() const { return Slot(1); }

  QString GetData() const override;
  void SetData(const QString& Text) override;
};
