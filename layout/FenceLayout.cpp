// Fence: left glyph, slot, then a middle glyph and a slot for each further part, right
// glyph, each centred in one band. In the Math style the slots share one baseline and
// every delimiter grows to cover the ink of all of them, centred on the axis, as TeX's
// \middle does.

#include <cmath>

#include "layout/BracketGlyphs.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Fence.h"

namespace {
struct TMathFenced {
  TMathFence Outer;
  TMathGlyphs Middle;
  int MiddleShift = 0;
  int MiddleWidth = 0;  // each
};

TMathFenced MathFenced(const TEqFence& Node) {
  const TMathStyle Style(Node);
  TMathBox Content{0, 0, 0};
  for (int I = 0; I < Node.EditAreaCount(); ++I) {
    const TMathBox Slot = SlotBox(Node.Slot(I));
    Content = {Content.Width + Slot.Width, qMax(Content.Ascent, Slot.Ascent), qMax(Content.Descent, Slot.Descent)};
  }
  TMathFenced Result;
  const TFenceKind Kind = Node.Kind();
  if (Node.EditAreaCount() > 1) {
    if (const char16_t Glyph = DelimiterGlyph(Kind.Middle)) {
      Result.Middle = Style.Delimiter(MathDelimiter(Glyph), Content.Ascent, Content.Descent, Result.MiddleShift);
      // TeX spaces \middle as a closing delimiter after the part before it and an opening
      // one before the next: no room of its own either side.
      if (!Result.Middle.Empty()) Result.MiddleWidth = static_cast<int>(std::ceil(Result.Middle.Advance));
    }
  }
  Content.Width += (Node.EditAreaCount() - 1) * Result.MiddleWidth;
  Result.Outer = Fence(Style, DelimiterGlyph(Kind.Left), DelimiterGlyph(Kind.Right), Content);
  return Result;
}

const TMathFenced& MathLayout(const TEqFence& Node) {
  return KeptMathLayout(Node, [&] { return MathFenced(Node); });
}
}  // namespace

int TEqFence::GlyphWidth(TDelimiter Value) const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), DelimiterGlyph(Value)).width();
}

int TEqFence::CommonHeight() const {
  SetCanvasFont();
  int Result = 0;
  for (TDelimiter D : {FKind.Left, FKind.Middle, FKind.Right})
    Result = qMax(Result, GlyphExtent(Canvas(), DelimiterGlyph(D)).height());
  for (int I = 0; I < EditAreaCount(); ++I) Result = qMax(Result, Slot(I)->Height());
  return Result;
}

int TEqFence::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Outer.Box.Height();
  return CommonHeight();
}

int TEqFence::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Outer.Box.Width;
  int Result = GlyphWidth(FKind.Left) + (EditAreaCount() - 1) * GlyphWidth(FKind.Middle) + GlyphWidth(FKind.Right);
  for (int I = 0; I < EditAreaCount(); ++I) Result += Slot(I)->Width();
  return Result;
}

int TEqFence::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  return MathLayout(*this).Outer.Box.Ascent - TMathStyle(*this).Axis();
}

// Spaced as brackets are: \left...\right is an inner atom.
TMathAtom TEqFence::MathAtom() const { return maInner; }

void TEqFence::RefreshEditArea(int) {
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), 1.0);
    Slot(I)->SetIndexInParent(I);
  }
  if (MathFontOf(*this)) {
    const TMathFenced& M = MathLayout(*this);
    int X = M.Outer.LeftWidth;
    for (int I = 0; I < EditAreaCount(); ++I) {
      TEditArea* Area = Slot(I);
      Area->SetLeft(X);
      Area->SetTop(M.Outer.Box.Ascent - Area->MathBaseline());
      X += Area->Width() + M.MiddleWidth;
    }
    GetParent()->RefreshEquations();
    return;
  }
  const int CH = CommonHeight();
  int X = GlyphWidth(FKind.Left);
  for (int I = 0; I < EditAreaCount(); ++I) {
    TEditArea* Area = Slot(I);
    Area->SetLeft(X);
    Area->SetTop((CH - Area->Height()) / 2);
    X += Area->Width() + GlyphWidth(FKind.Middle);
  }
  GetParent()->RefreshEquations();
}

void TEqFence::Paint() {
  if (MathFontOf(*this)) {
    PaintBackground();
    const TMathFenced& M = MathLayout(*this);
    const int Baseline = M.Outer.Box.Ascent;
    const double Em = MathEm(Font());
    const int Inner = M.Outer.Box.Width - M.Outer.LeftWidth - M.Outer.RightWidth;
    M.Outer.Paint(Canvas(), Baseline, Inner, Em);
    if (!M.Middle.Empty())
      for (int I = 1; I < EditAreaCount(); ++I)
        Canvas().GlyphsOut(QPointF(Slot(I)->Left() - M.MiddleWidth, Baseline + M.MiddleShift), M.Middle, Em);
    return;
  }
  const int CH = CommonHeight();
  PaintBackground();
  TCanvas& C = Canvas();
  int X = 0;
  PaintGlyph(C, DelimiterGlyph(FKind.Left), X, CH);
  X += GlyphWidth(FKind.Left) + Slot(0)->Width();
  for (int I = 1; I < EditAreaCount(); ++I) {
    PaintGlyph(C, DelimiterGlyph(FKind.Middle), X, CH);
    X += GlyphWidth(FKind.Middle) + Slot(I)->Width();
  }
  PaintGlyph(C, DelimiterGlyph(FKind.Right), X, CH);
}
