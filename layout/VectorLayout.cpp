// The bar, double bar or arrow over or under a slot; the slot keeps the run's size. In
// the Math style the bars take the font's overbar and underbar constants and the arrows
// are the font's, stretched across the slot.

#include "layout/MathStyle.h"
#include "model/Arrows.h"
#include "model/EditArea.h"

namespace {
struct TMathVector {
  TMathMark Mark;
  int Width = 0, Baseline = 0, Height = 0, MarkTop = 0, SlotTop = 0, Axis = 0;
};

TMathVector MathVector(const TEqVector& Vector) {
  const TMathStyle Style(Vector);
  using C = TMathConstant;
  const TMathBox Box = SlotBox(Vector.Slot(0));
  const TKindArrow Kind = Vector.KindArrow();
  // The slot below the line (aeBottom) has its mark over it.
  const bool Over = Vector.AlignEA() == aeBottom;
  const bool Heads = Kind.Contains(kaRight) || Kind.Contains(kaLeft);
  TMathVector V{Heads ? TMathMark::SlotArrow(Style, Kind, Box.Width, Over)
                      : TMathMark::Bar(Style, Style(Over ? C::OverbarRuleThickness : C::UnderbarRuleThickness),
                                       Kind.Contains(kaDouble), Box.Width)};
  V.Axis = Style.Axis();
  int Ascent = Box.Ascent;
  int Descent = Box.Descent;
  int MarkTop;
  if (Over && V.Mark.Accent()) {
    // A combining arrow is an accent: its baseline raised by what of the slot stands
    // above the font's accent base height.
    MarkTop = -qMax(0, Box.Ascent - Style(C::AccentBaseHeight)) + V.Mark.InkTop();
    Ascent = qMax(Box.Ascent, -MarkTop);
  } else if (Over) {
    MarkTop = -(Box.Ascent + Style(C::OverbarVerticalGap) + V.Mark.Height());
    Ascent = -MarkTop + Style(C::OverbarExtraAscender);
  } else {
    MarkTop = Box.Descent + Style(C::UnderbarVerticalGap);
    Descent = MarkTop + V.Mark.Height() + Style(C::UnderbarExtraDescender);
  }
  V.Width = qMax(Box.Width, V.Mark.Width());
  V.Baseline = Ascent;
  V.Height = Ascent + Descent;
  V.MarkTop = Ascent + MarkTop;
  V.SlotTop = Ascent - Box.Ascent;
  return V;
}

const TMathVector& MathLayout(const TEqVector& Vector) {
  return KeptMathLayout(Vector, [&] { return MathVector(Vector); });
}
}  // namespace

int TEqVector::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return Slot(0)->Height() + Gap() + 7;
}

int TEqVector::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return Slot(0)->Width();
}

int TEqVector::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathVector& V = MathLayout(*this);
    return V.Baseline - V.Axis;
  }
  const int Middle = Slot(0)->Height() / 2;
  return FAlignEA == aeTop ? Middle : Middle + Gap() + 4;
}

int TEqVector::GetLineY() const {
  if (MathFontOf(*this)) return MathLayout(*this).MarkTop;
  const bool Double = FKindArrow.Contains(kaDouble);
  if (FAlignEA == aeTop) return Double ? Slot(0)->Height() : Slot(0)->Height() + Gap() / 2;
  return Double ? 1 : 3;
}

void TEqVector::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Body = Slot(0);
  // What lies under a mark is cramped.
  RefreshEA(Body, 1.0, ssSame, FAlignEA == aeBottom);
  Body->SetIndexInParent(0);
  if (MathFontOf(*this)) {
    const TMathVector& V = MathLayout(*this);
    Body->SetLeft((V.Width - Body->Width()) / 2);
    Body->SetTop(V.SlotTop);
    GetParent()->RefreshEquations();
    return;
  }
  Body->SetLeft(0);
  Body->SetTop(FAlignEA == aeTop ? 0 : Gap() + 4);
  GetParent()->RefreshEquations();
}

void TEqVector::Paint() {
  if (MathFontOf(*this)) {
    PaintBackground();
    const TMathVector& V = MathLayout(*this);
    V.Mark.Paint(Canvas(), (V.Width - V.Mark.Width()) / 2, V.MarkTop, Font().Color, MathEm(Font()));
    return;
  }
  const int Y = GetLineY();
  PaintBackground();
  PaintBar(Y);
  PaintHeads(FKindArrow, Y);
  if (FKindArrow.Contains(kaDouble)) PaintBar(Y + Gap());
}
