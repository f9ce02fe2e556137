#include "LongDivision.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqLongDivision::TEqLongDivision(TCustomControl* Owner) : TEqBarred(Owner) {
  BeginUpdate();
  // Both at index 0: the slot made second is the dividend, which takes the caret.
  InsertEditArea();
  InsertEditArea();
  EndUpdate();
  RefreshEditArea(0);
}

void TEqLongDivision::SetHasQuotient(bool Value) {
  if (!Value || FHasQuotient) return;
  FHasQuotient = true;
  BeginUpdate();
  PlaceEditAreaIndex(2);
  InsertEditArea();
  EndUpdate();
  Dividend()->SetActive(true);
}

QString TEqLongDivision::GetData() const { return SlotsData(); }

void TEqLongDivision::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }

std::vector<TEditArea*> TEqLongDivision::ReadingOrder() const {
  std::vector<TEditArea*> Order{Divisor(), Dividend()};
  if (TEditArea* Above = Quotient()) Order.push_back(Above);
  return Order;
}
