#include "Brace.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqBrace::TEqBrace(TCustomControl* Owner) : TEqBarred(Owner) {
  BeginUpdate();
  InsertEditArea();  // the body
  PlaceEditAreaIndex(1);
  InsertEditArea();  // the label
  EndUpdate();
  Body()->SetActive(true);
}

void TEqBrace::SetAlignEA(TAlignEA Value) {
  FAlignEA = Value;
  RefreshEditArea(0);
}

QString TEqBrace::GetData() const { return SlotsData(); }

void TEqBrace::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }
