#include "Division.h"

#include "model/TextForm.h"

void TEqFractionParts::MakeParts() {
  SetFontScale(0.7);
  BeginUpdate();
  // Both at index 0: the slot made second is the numerator.
  InsertEditArea();
  InsertEditArea();
  EndUpdate();
}

QString TEqFractionParts::GetData() const { return SlotsData(); }

void TEqFractionParts::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }

TEqDivision::TEqDivision(TCustomControl* Owner) : TEqFractionParts(Owner) {
  MakeParts();
  RefreshEditArea(0);
}

void TEqDivision::SetSmall(bool Value) {
  FSmall = Value;
  RefreshEditArea(0);
}

void TEqDivision::SetContinued(TContinued Value) {
  FContinued = Value;
  RefreshEditArea(0);
}

TEqSlashDivision::TEqSlashDivision(TCustomControl* Owner) : TEqFractionParts(Owner) {
  MakeParts();
  RefreshEditArea(0);
}
