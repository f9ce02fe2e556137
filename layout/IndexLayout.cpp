// The index column: superscript on top, a strip half the run's size high, subscript. In
// the Math style the scripts are shifted from the baseline of the element before them by
// the font's script constants.

#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Index.h"
#include "model/Symbols.h"

namespace {
TEditArea* Present(TGroupOptions Options, TGroupOption Option, TEditArea* Area) {
  return Options.Contains(Option) ? Area : nullptr;
}
}  // namespace

const TEquation* TEqIndex::Base() const {
  const TEditArea* Run = GetParent();
  if (!Run) return nullptr;
  if (FPlace >= Run->Count() || Run->Item(FPlace) != this) {
    FPlace = 0;
    while (FPlace < Run->Count() && Run->Item(FPlace) != this) ++FPlace;
  }
  const int At = FBeforeBase ? FPlace + 1 : FPlace - 1;
  const TEquation* Found = FPlace < Run->Count() && At >= 0 && At < Run->Count() ? Run->Item(At) : nullptr;
  // Scripts next to scripts take no measure from each other: a left and a right index
  // around nothing would each wait for the other.
  return dynamic_cast<const TEqIndex*>(Found) ? nullptr : Found;
}

namespace {
// The scripts in the Math style: their box and their baselines below the element's top.
struct TMathIndex {
  TMathBox Box;
  int SuperBaseline = 0;
  int SubBaseline = 0;
  // A superscript stands beyond its character base's italic correction, a subscript at
  // the base's advance.
  int SuperLeft = 0;
};

TMathIndex MathIndex(const TEqIndex& Index, const TEquation* Base, TEditArea* Super, TEditArea* Sub) {
  const TMathStyle Style(Index);
  TMathBox BaseBox{0, 0, 0};
  const bool Character = !Base || dynamic_cast<const TEqSimple*>(Base) || dynamic_cast<const TEqExtSymbol*>(Base);
  if (Base) {
    BaseBox.Ascent = Base->GetMidLine() + Style.Axis();
    BaseBox.Descent = Base->Height() - BaseBox.Ascent;
  }
  const TMathScripts Shifts = ScriptShifts(Style, BaseBox, Character, Super, Sub, Index.GetParent()->MathCramped());
  TMathIndex Result;
  Result.Box = Shifts.Reach(Super, Sub);
  if (!Super && !Sub) Result.Box.Ascent = Result.Box.Descent = 0;
  if (Super && Base && !Index.BeforeBase()) {
    Result.SuperLeft = CharacterItalic(*Base);
    Result.Box.Width = qMax(Super->Width() + Result.SuperLeft, Sub ? Sub->Width() : 0);
  }
  Result.Box.Width += Style(TMathConstant::SpaceAfterScript);
  Result.SuperBaseline = Result.Box.Ascent - Shifts.Up;
  Result.SubBaseline = Result.Box.Ascent + Shifts.Down;
  return Result;
}

const TMathIndex& MathLayout(const TEqIndex& Index, const TEquation* Base, TEditArea* Super, TEditArea* Sub) {
  return KeptMathLayout(Index, [&] { return MathIndex(Index, Base, Super, Sub); });
}
}  // namespace

int TEqIndex::CalcHeight() const {
  if (MathFontOf(*this))
    return MathLayout(*this, Base(), Present(FGroupOptions, goIndexTop, FIndexTopArea),
                     Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
        .Box.Height();
  int Result = Font().Size() / 2;
  if (const TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea))
    Result += Top->Height();
  if (const TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
    Result += Bottom->Height();
  return Result;
}

int TEqIndex::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  const TMathIndex& Math = MathLayout(*this, Base(), Present(FGroupOptions, goIndexTop, FIndexTopArea),
                                    Present(FGroupOptions, goIndexBottom, FIndexBottomArea));
  return Math.Box.Ascent - TMathStyle(*this).Axis();
}

void TEqIndex::PlaceMathSlots() {
  TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea);
  TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea);
  const TMathIndex& Math = MathLayout(*this, Base(), Top, Bottom);
  if (Top) Top->SetTop(Math.SuperBaseline - Top->MathBaseline());
  if (Bottom) Bottom->SetTop(Math.SubBaseline - Bottom->MathBaseline());
  // A left index leans its slots against the base that follows it.
  for (TEditArea* Area : {Top, Bottom})
    if (Area) Area->SetLeft(FBeforeBase ? Math.Box.Width - Area->Width() : Area == Top ? Math.SuperLeft : 0);
}

void TEqIndex::RefreshDimensions() {
  // The scripts follow their base, which may have changed without them.
  ForgetLayout();
  TEqParent::RefreshDimensions();
  if (MathFontOf(*this)) PlaceMathSlots();
}

int TEqIndex::CalcWidth() const {
  if (MathFontOf(*this))
    return MathLayout(*this, Base(), Present(FGroupOptions, goIndexTop, FIndexTopArea),
                     Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
        .Box.Width;
  int Result = 0;
  if (const TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea))
    Result = Top->Width();
  if (const TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea))
    Result = qMax(Result, Bottom->Width());
  return Result;
}

void TEqIndex::RefreshSlot(TEditArea* Area) {
  RefreshEA(Area, 1.0, ssScript, Area == FIndexBottomArea);
  Area->SetIndexInParent(EditAreaList()->IndexOf(Area));
}

void TEqIndex::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  TEditArea* Top = Present(FGroupOptions, goIndexTop, FIndexTopArea);
  TEditArea* Bottom = Present(FGroupOptions, goIndexBottom, FIndexBottomArea);
  if (Top) RefreshSlot(Top);
  if (Bottom) RefreshSlot(Bottom);
  if (MathFontOf(*this)) {
    PlaceMathSlots();
    GetParent()->RefreshEquations();
    return;
  }
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
