#include "Scripted.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqScripted::TEqScripted(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();  // the base
}

TScriptPlace TEqScripted::Place() const {
  return FGroupOptions.Contains(goIndexTop) || FGroupOptions.Contains(goIndexBottom) ? spIndices : spLimits;
}

void TEqScripted::SetScripts(TGroupOptions Options, bool Operator) {
  FGroupOptions = Options;
  FOperator = Operator;
  BeginUpdate();
  // Both go in at index 1: the bottom one, made last, stands before the top one.
  PlaceEditAreaIndex(1);
  if (Options.Contains(goLimitTop) || Options.Contains(goIndexTop)) {
    InsertEditArea();
    FTopArea = Slot(EditAreaIndex());
  }
  PlaceEditAreaIndex(1);
  if (Options.Contains(goLimitBottom) || Options.Contains(goIndexBottom)) {
    InsertEditArea();
    FBottomArea = Slot(EditAreaIndex());
  }
  EndUpdate();
  Base()->SetActive(true);
}

QString TEqScripted::GetData() const { return SlotsData(); }

void TEqScripted::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }
