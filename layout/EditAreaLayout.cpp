// The edit-area run: elements packed from the left, each after a caret-wide gap, all on
// one mid-line at the area's half height.

#include <cstdlib>

#include "editor/EACursor.h"
#include "editor/ZelkEquation.h"
#include "layout/FontLevels.h"
#include "model/EditArea.h"
#include "model/Equation.h"

int TEditArea::CalcHeight() const {
  // The caret's height as the coming RefreshCursor sets it, so that an area whose font
  // has just changed is not sized for the old caret.
  int Result = Font().Size();
  for (int I = 0; I < Count(); ++I) {
    const TEquation* Element = Item(I);
    const int H = Element->CalcHeight();
    const int M = Element->GetMidLine();
    // The element's mid-line sits on the area's half height, so it needs its height plus
    // twice the distance of its mid-line from its centre.
    const int Need = H + std::abs(H - 2 * M) + 5;
    if (Need > Result) Result = Need;
  }
  return Result;
}

int TEditArea::CalcWidth(int N) const {
  int Result = 0;
  for (int I = 0; I < N && I < Count(); ++I) Result += Item(I)->CalcWidth() + TEACursor::CaretWidth;
  return Result;
}

void TEditArea::RefreshDimensions() {
  LayoutChanged();
  if (Deferred()) {
    FCaret->RefreshVisible();
    return;
  }
  // The elements take the area's font and their sizes first: measuring the area before
  // would size it for new elements' unset mid-lines and for an old font.
  RefreshElements();
  SetHeight(CalcHeight() + 2);
  if (GetIsEmpty()) {
    SetWidth(Font().Size());
  } else {
    SetWidth(CalcWidth(Count()) + Font().Size() / 3);
    PlaceEquations();
  }
  RefreshCursor();
}

void TEditArea::RefreshEquations() {
  LayoutChanged();
  if (FEditor && FEditor->LayoutMode() != TZelkEquation::lmEach) return;
  RefreshElements();
  PlaceEquations();
}

void TEditArea::RefreshElements() {
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    Element->SetFont(Font());
    Element->SetBkColor(BkColor());
    Element->RefreshDimensions();
  }
}

void TEditArea::PlaceEquations() {
  const int Gap = TEACursor::CaretWidth;
  // X is CalcWidth(I): an element measured right after its refresh has the width that
  // refresh stored.
  int X = 0;
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    Element->SetLeft(X + Gap);
    Element->SetTop(RoundHalfEven(Height() / 2.0L - Element->GetMidLine()));
    X += Element->Width() + Gap;
  }
}

bool TEditArea::Deferred() const {
  return FEditor && FEditor->LayoutMode() == TZelkEquation::lmDeferred;
}

void TEditArea::RefreshCursor() {
  if (Deferred()) {
    // The caret is placed by the pass that ends the read: a line laid out earlier (for a
    // receiver that looked) must not count as unchanged then.
    LayoutChanged();
    FCaret->RefreshVisible();
    return;
  }
  FCaret->SetFont(Font());
  FCaret->RefreshDimensions();
  FCaret->SetTop(RoundHalfEven((Height() - FCaret->Height()) / 2.0L));
  FCaret->SetLeft(CalcWidth(FEquationIndex));
}

void TEditArea::SetBkColor(QColor Value) {
  if (Value != BkColor()) {
    TZelkGraphic::SetBkColor(Value);
    LayoutChanged();
  } else if (Deferred()) {
    // The pass that ends the read hands the colour to the new elements.
    return;
  }
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    if (Element->BkColor() == Value) continue;
    Element->SetBkColor(Value);
    Element->RefreshDimensions();
  }
}

void TEditArea::LayoutChanged() {
  for (TEditArea* Area = this; Area;) {
    Area->FLaidOut = false;
    Area->FDataKnown = false;
    auto* Holder = dynamic_cast<TEquation*>(Area->FOwner);
    if (!Holder && Area->FEditor) Area->FEditor->DataChanged();
    Area = Holder ? Holder->GetParent() : nullptr;
  }
}

void TEditArea::Paint() {
  TCanvas& C = Canvas();
  const bool Framed =
      FEditor && FEditor->isEnabled() && (FActive || GetIsEmpty()) && Host()->PaintingMarks();
  C.Pen.Style = Framed ? psDot : psClear;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
}
