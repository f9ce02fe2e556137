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

void TEqFence::SetData(const QString& Text) {
  const TExprArray Items = GetExprData(Text);
  const int Parts = static_cast<int>(Items.size());
  if (FKind.Middle != dlNone && Parts > EditAreaCount()) {
    TReadScope Reading(GetParent()->Editor());
    // Each part beyond the second counts as one element read.
    Reading.CountElements(Parts - EditAreaCount());
    BeginUpdate();
    while (EditAreaCount() < Parts) {
      PlaceEditAreaIndex(EditAreaCount());
      InsertEditArea();
    }
    EndUpdate();
  }
  SlotsSetData(Items);
}
