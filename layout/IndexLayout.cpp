// The index column: superscript on top, a strip half the run's size high, subscript.

#include "model/EditArea.h"
#include "model/Index.h"

namespace {
TEditArea* Present(TGroupOptions Options, TGroupOption Option, TEditArea* Area) {
  return Options.Contains(Option) ? Area : nullptr;
}
}  // namespace

int TEqIndex::CalcHeight() const {
  int Result = Font().Size() / 2;
  if (const TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea))
    Result += Top->Height();
  if (const TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
    Result += Bottom->Height();
  return Result;
}

int TEqIndex::CalcWidth() const {
  int Result = 0;
  if (const TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea))
    Result = Top->Width();
  if (const TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
    Result = qMax(Result, Bottom->Width());
  return Result;
}

void TEqIndex::RefreshSlot(TEditArea* Area) {
  RefreshEA(Area, 1.0);
  Area->SetIndexInParent(EditAreaList()->IndexOf(Area));
}

void TEqIndex::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea);
  TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea);
  if (Top) RefreshSlot(Top);
  if (Bottom) RefreshSlot(Bottom);
  // A left index leans its slots against the base that follows it.
  const auto Left = [this](const TEditArea* Area) { return FBeforeBase ? CalcWidth() - Area->Width() : 0; };
  if (Top) {
    Top->SetTop(0);
    Top->SetLeft(Left(Top));
  }
  if (Bottom) {
    Bottom->SetTop(Font().Size() / 2 + (Top ? Top->Height() : 0));
    Bottom->SetLeft(Left(Bottom));
  }
  GetParent()->RefreshEquations();
}

void TEqIndex::Paint() { PaintBackground(); }
