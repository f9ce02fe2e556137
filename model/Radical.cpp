#include "Radical.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqRoot::TEqRoot(TCustomControl* Owner) : TEqBarred(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqRoot::SetHasDegree(bool Value) {
  if (!Value || FHasDegree) return;
  FHasDegree = true;
  BeginUpdate();
  PlaceEditAreaIndex(1);
  InsertEditArea();
  EndUpdate();
  Radicand()->SetActive(true);
}

QString TEqRoot::GetData() const { return SlotsData(); }

void TEqRoot::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }

std::vector<TEditArea*> TEqRoot::ReadingOrder() const {
  if (TEditArea* Index = Degree()) return {Index, Radicand()};
  return {Radicand()};
}
