// A scripted base: the scripts around the base as the shared script placement puts them.
// In the Math style limits stand over and under the base by the font's limit gaps (an
// over- or underset is a limit in TeX as well), indices beside it by its script shifts,
// and the name of an operator is upright.

#include "layout/MathStyle.h"
#include "layout/ScriptPlacement.h"
#include "model/EditArea.h"
#include "model/Scripted.h"

namespace {
QSize SizeOf(const TEditArea* Area) { return QSize(Area->Width(), Area->Height()); }

// Every place relative to the element's top-left corner.
struct TMathScripted {
  TMathBox Box;
  QPoint Base, Top, Bottom;
};

TMathScripted MathLimits(const TMathStyle& Style, const TEditArea* Base, const TEditArea* Top,
                         const TEditArea* Bottom) {
  const TMathBox B = SlotBox(Base);
  // Script baselines relative to the base's.
  int TopShift = 0, BottomShift = 0;
  int Ascent = B.Ascent, Descent = B.Descent, Width = B.Width;
  if (Top) {
    const TMathBox T = SlotBox(Top);
    TopShift = B.Ascent + LimitShift(Style, T, true);
    Ascent = TopShift + T.Ascent;
    Width = qMax(Width, T.Width);
  }
  if (Bottom) {
    const TMathBox D = SlotBox(Bottom);
    BottomShift = B.Descent + LimitShift(Style, D, false);
    Descent = BottomShift + D.Descent;
    Width = qMax(Width, D.Width);
  }
  TMathScripted S;
  S.Box = {Width, Ascent, Descent};
  S.Base = QPoint((Width - B.Width) / 2, Ascent - B.Ascent);
  if (Top) S.Top = QPoint((Width - Top->Width()) / 2, Ascent - TopShift - Top->MathBaseline());
  if (Bottom) S.Bottom = QPoint((Width - Bottom->Width()) / 2, Ascent + BottomShift - Bottom->MathBaseline());
  return S;
}

TMathScripted MathIndices(const TMathStyle& Style, const TEditArea* Base, const TEditArea* Top,
                          const TEditArea* Bottom, bool Cramped) {
  const TMathBox B = SlotBox(Base);
  const TMathScripts Shifts = ScriptShifts(Style, B, false, Top, Bottom, Cramped);
  const TMathBox Reach = Shifts.Reach(Top, Bottom);
  const int Ascent = qMax(B.Ascent, Reach.Ascent);
  TMathScripted S;
  S.Box = {B.Width + Reach.Width + Style(TMathConstant::SpaceAfterScript), Ascent, qMax(B.Descent, Reach.Descent)};
  S.Base = QPoint(0, Ascent - B.Ascent);
  if (Top) S.Top = QPoint(B.Width, Ascent - Shifts.Up - Top->MathBaseline());
  if (Bottom) S.Bottom = QPoint(B.Width, Ascent + Shifts.Down - Bottom->MathBaseline());
  return S;
}

TMathScripted MathScripted(const TEqScripted& Node) {
  const TMathStyle Style(Node);
  return Node.Place() == spLimits ? MathLimits(Style, Node.Base(), Node.TopArea(), Node.BottomArea())
                                  : MathIndices(Style, Node.Base(), Node.TopArea(), Node.BottomArea(),
                                                Node.GetParent()->MathCramped());
}

const TMathScripted& MathLayout(const TEqScripted& Node) {
  return KeptMathLayout(Node, [&] { return MathScripted(Node); });
}
}  // namespace

TScriptFrame TEqScripted::Frame() const {
  const QSize Top = FTopArea ? SizeOf(FTopArea) : QSize();
  const QSize Bottom = FBottomArea ? SizeOf(FBottomArea) : QSize();
  return PlaceScripts(Place(), SizeOf(Base()), FTopArea ? &Top : nullptr, FBottomArea ? &Bottom : nullptr);
}

int TEqScripted::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Box.Height();
  return Frame().Size.height();
}

int TEqScripted::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Box.Width;
  return Frame().Size.width();
}

int TEqScripted::GetMidLine() const {
  if (MathFontOf(*this)) return MathLayout(*this).Box.Ascent - TMathStyle(*this).Axis();
  return Frame().MidLine;
}

// An operator is spaced as one; a stack as what it stacks on, when that is one element
// (a relation with a word over it stays a relation).
TMathAtom TEqScripted::MathAtom() const {
  if (FOperator) return maOp;
  return Base()->Count() == 1 ? Base()->Item(0)->MathAtom() : maOrd;
}

void TEqScripted::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  const double ScriptFactor = FOperator ? 0.8 : 0.7;
  Base()->SetMathUpright(FOperator);
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), I == 0 ? 1.0 : ScriptFactor, ssSame, Slot(I) == FBottomArea);
    Slot(I)->SetIndexInParent(I);
  }
  QPoint BasePlace, TopPlace, BottomPlace;
  if (MathFontOf(*this)) {
    const TMathScripted& S = MathLayout(*this);
    BasePlace = S.Base;
    TopPlace = S.Top;
    BottomPlace = S.Bottom;
  } else {
    const TScriptFrame F = Frame();
    BasePlace = F.Base;
    TopPlace = F.Top;
    BottomPlace = F.Bottom;
  }
  Base()->SetLeft(BasePlace.x());
  Base()->SetTop(BasePlace.y());
  if (FTopArea) {
    FTopArea->SetLeft(TopPlace.x());
    FTopArea->SetTop(TopPlace.y());
  }
  if (FBottomArea) {
    FBottomArea->SetLeft(BottomPlace.x());
    FBottomArea->SetTop(BottomPlace.y());
  }
  GetParent()->RefreshEquations();
}

void TEqScripted::Paint() { PaintBackground(); }
