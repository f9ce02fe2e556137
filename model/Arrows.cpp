#include "Arrows.h"

TEqArrow::TEqArrow(TCustomControl* Owner) : TEqBarred(Owner) {
  SetFontScale(0.7);
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqArrow::SetKindArrow(TKindArrow Value) {
  FKindArrow = Value;
  Repaint();
}

void TEqArrow::SetAlignEA(TAlignEA Value) {
  FAlignEA = Value;
  RefreshEditArea(0);
}

TEqVector::TEqVector(TCustomControl* Owner) : TEqBarred(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqVector::SetKindArrow(TKindArrow Value) {
  FKindArrow = Value;
  RefreshEditArea(0);
}

void TEqVector::SetAlignEA(TAlignEA Value) {
  FAlignEA = Value;
  RefreshEditArea(0);
}
