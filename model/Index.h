#pragma once
// An upper and/or lower index standing alone in a run, after its base.

#include "model/Equation.h"
#include "model/Types.h"

class TEqIndex : public TEqParent {
 public:
  explicit TEqIndex(QWidget* Owner);

  TGroupOptions GroupOptions() const { return FGroupOptions; }
  // Adds the index slots (only goIndexTop and goIndexBottom count); called once.
  void SetGroupOptions(TGroupOptions Value);
  TEditArea* IndexTopArea() const { return FIndexTopArea; }
  TEditArea* IndexBottomArea() const { return FIndexBottomArea; }

  // Lower index, then upper index, as present.
  QString GetData() const override;
  void SetData(const QString& Text) override;

 private:
  TGroupOptions FGroupOptions;
  TEditArea* FIndexTopArea = nullptr;
  TEditArea* FIndexBottomArea = nullptr;
};
