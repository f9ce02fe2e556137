#include "Division.h"

#include "model/TextForm.h"

TEqDivision::TEqDivision(TCustomControl* Owner) : TEqBarred(Owner) {
  SetFontScale(0.7);
  BeginUpdate();
  // Both at index 0: the slot made second is the numerator.
  InsertEditArea();
  InsertEditArea();
  EndUpdate();
  RefreshEditArea(0);
}

QString TEqDivision::GetData() const { return SlotsData(); }

void TEqDivision::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }

void TEqDivision::SetSmall(bool Value) {
  FSmall = Value;
  RefreshEditArea(0);
}

TEqSlashDivision::TEqSlashDivision(TCustomControl* Owner) : TEqBarred(Owner) {
  SetFontScale(0.7);
  BeginUpdate();
  InsertEditArea();
  InsertEditArea();
  EndUpdate();
  RefreshEditArea(0);
}

QString TEqSlashDivision::GetData() const { return SlotsData(); }

void TEqSlashDivision::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }
