#include "Index.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqIndex::TEqIndex(TCustomControl* Owner) : TEqParent(Owner) { SetFontScale(0.7); }

void TEqIndex::SetGroupOptions(TGroupOptions Value) {
  FGroupOptions = Value;
  BeginUpdate();
  // Both slots go in at index 0: the lower one, made last, comes first.
  if (Value.Contains(goIndexTop)) {
    InsertEditArea();
    FIndexTopArea = Slot(EditAreaIndex());
  }
  if (Value.Contains(goIndexBottom)) {
    InsertEditArea();
    FIndexBottomArea = Slot(EditAreaIndex());
  }
  EndUpdate();
}

QString TEqIndex::GetData() const {
  QString Text;
  if (FGroupOptions.Contains(goIndexBottom)) Text += EditAreaItem(FIndexBottomArea);
  if (FGroupOptions.Contains(goIndexTop)) Text += EditAreaItem(FIndexTopArea);
  return Text;
}

void TEqIndex::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }
