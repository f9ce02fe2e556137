#include "Fence.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqFence::TEqFence(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqFence::SetKind(TFenceKind Value) {
  FKind = Value;
  if (Value.Middle != dlNone && EditAreaCount() == 1) {
    PlaceEditAreaIndex(1);
    InsertEditArea();
    Slot(0)->SetActive(true);
  }
  RefreshEditArea(0);
}

QString TEqFence::GetData() const { return SlotsData(); }

void TEqFence::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }
