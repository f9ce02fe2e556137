#include "GroupOp.h"

#include "model/EditArea.h"
#include "model/TextForm.h"

TEqGroupOp::TEqGroupOp(TCustomControl* Owner) : TEqParent(Owner) {
  SetSymbol(0);
  PlaceEditAreaIndex(0);
  InsertEditArea();  // the operand
}

void TEqGroupOp::SetGroupOptions(TGroupOptions Value) {
  FGroupOptions = Value;
  BeginUpdate();
  // Every slot goes in at index 1, so a slot made later stands before those made earlier.
  PlaceEditAreaIndex(1);
  const std::pair<TGroupOption, TEditArea**> Slots[] = {{goLimitTop, &FLimitTopArea},
                                                        {goIndexTop, &FIndexTopArea},
                                                        {goLimitBottom, &FLimitBottomArea},
                                                        {goIndexBottom, &FIndexBottomArea}};
  for (const auto& [Option, Reference] : Slots) {
    if (!Value.Contains(Option)) continue;
    InsertEditArea();
    *Reference = Slot(EditAreaIndex());
  }
  EndUpdate();
  RefreshEditArea(0);
}

void TEqGroupOp::SetRing(bool Value) {
  FRing = Value;
  Repaint();
}

void TEqGroupOp::SetSize(int Value) {
  if (Value >= 1 && Value <= 3) FSize = Value;
  ContentChanged();
  Repaint();
}

void TEqGroupOp::SetSymbol(char16_t Value) {
  FSymbol = Value;
  ContentChanged();
  Repaint();
}

QString TEqGroupOp::GetData() const {
  QString Text = EditAreaItem(Slot(0));
  if (FGroupOptions.Contains(goLimitBottom)) Text += EditAreaItem(FLimitBottomArea);
  if (FGroupOptions.Contains(goLimitTop)) Text += EditAreaItem(FLimitTopArea);
  if (FGroupOptions.Contains(goIndexBottom)) Text += EditAreaItem(FIndexBottomArea);
  if (FGroupOptions.Contains(goIndexTop)) Text += EditAreaItem(FIndexTopArea);
  return Text;
}

void TEqGroupOp::SetData(const QString& Text) { SlotsSetData(GetExprData(Text)); }

std::vector<TEditArea*> TEqGroupOp::ReadingOrder() const {
  std::vector<TEditArea*> Order;
  for (TEditArea* Area : {FLimitBottomArea, FLimitTopArea, FIndexBottomArea, FIndexTopArea})
    if (Area) Order.push_back(Area);
  Order.push_back(Slot(0));
  return Order;
}

TEqIntegral::TEqIntegral(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'\u222B'); }
TEqSumma::TEqSumma(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'\u2211'); }
TEqMultiply::TEqMultiply(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'\u220F'); }
TEqIntersection::TEqIntersection(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'\u2229'); }
TEqJoin::TEqJoin(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'U'); }
TEqCoMult::TEqCoMult(TCustomControl* Owner) : TEqGroupOp(Owner) { SetSymbol(u'\u0426'); }
