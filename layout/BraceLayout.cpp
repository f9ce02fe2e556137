// Brace: label, gap, brace, gap, body from the top (aeTop) or the other way round. In the
// Math style the brace is the font's, stretched over the body's content, the stretch
// stack gap between them, and the label is set as a script.

#include <algorithm>

#include "layout/MathStyle.h"
#include "model/Brace.h"
#include "model/EditArea.h"

namespace {
// A brace in the Math style, places relative to the element's top-left corner.
struct TMathBrace {
  TMathMark Mark;
  int Width = 0, Height = 0, Baseline = 0, Axis = 0;
  int MarkLeft = 0, MarkTop = 0;
  QPoint Body{}, Label{};
};

TMathBrace MathBrace(const TEqBrace& Brace) {
  const TMathStyle Style(Brace);
  using C = TMathConstant;
  const TMathBox Body = SlotBox(Brace.Body());
  const TMathBox Label = SlotBox(Brace.Label());
  const TMathSpan Span = RunSpan(Brace.Body());
  const bool Over = Brace.AlignEA() == aeTop;
  TMathBrace B{TMathMark::Glyph(Style, Over ? U'\u23DE' : U'\u23DF', Span.Width())};
  B.Axis = Style.Axis();
  const int Mark = B.Mark.Height();
  // Relative to the body's baseline first. The label is a limit of the brace, as TeX sets
  // the script of an operator with limits.
  int MarkTop, LabelBaseline;
  if (Over) {
    MarkTop = -(Body.Ascent + Style(C::StretchStackGapBelowMin) + Mark);
    LabelBaseline = MarkTop - LimitShift(Style, Label, true);
  } else {
    MarkTop = Body.Descent + Style(C::StretchStackGapAboveMin);
    LabelBaseline = MarkTop + Mark + LimitShift(Style, Label, false);
  }
  const int Ascent = std::max({Body.Ascent, -MarkTop, Label.Ascent - LabelBaseline});
  const int Descent = std::max({Body.Descent, MarkTop + Mark, LabelBaseline + Label.Descent});
  // Across: brace and label centred on the body's content, which starts at 0.
  const int Middle = (Span.Left + Span.Right) / 2;
  const int MarkLeft = Middle - B.Mark.Width() / 2;
  const int LabelLeft = Middle - Label.Width / 2;
  const int Left = std::min({0, MarkLeft, LabelLeft});
  B.Width = std::max({Body.Width, MarkLeft + B.Mark.Width(), LabelLeft + Label.Width}) - Left;
  B.Baseline = Ascent;
  B.Height = Ascent + Descent;
  B.MarkLeft = MarkLeft - Left;
  B.MarkTop = Ascent + MarkTop;
  B.Body = QPoint(-Left, Ascent - Body.Ascent);
  B.Label = QPoint(LabelLeft - Left, Ascent + LabelBaseline - Label.Ascent);
  return B;
}

const TMathBrace& MathLayout(const TEqBrace& Brace) {
  return KeptMathLayout(Brace, [&] { return MathBrace(Brace); });
}
}  // namespace

int TEqBrace::BraceHeight() const { return qMax(Font().Size() / 3, 3); }

int TEqBrace::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return Body()->Height() + Label()->Height() + BraceHeight() + 2 * Gap();
}

int TEqBrace::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return qMax(Body()->Width(), Label()->Width());
}

int TEqBrace::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathBrace& B = MathLayout(*this);
    return B.Baseline - B.Axis;
  }
  const int Above = FAlignEA == aeTop ? Label()->Height() + BraceHeight() + 2 * Gap() : 0;
  return Above + Body()->Height() / 2;
}

void TEqBrace::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  RefreshEA(Body(), 1.0);
  Body()->SetIndexInParent(0);
  RefreshEA(Label(), 0.7, ssScript);
  Label()->SetIndexInParent(1);
  if (MathFontOf(*this)) {
    const TMathBrace& B = MathLayout(*this);
    Body()->SetLeft(B.Body.x());
    Body()->SetTop(B.Body.y());
    Label()->SetLeft(B.Label.x());
    Label()->SetTop(B.Label.y());
    GetParent()->RefreshEquations();
    return;
  }
  const int W = CalcWidth();
  Body()->SetLeft((W - Body()->Width()) / 2);
  Label()->SetLeft((W - Label()->Width()) / 2);
  const int Band = BraceHeight() + 2 * Gap();
  if (FAlignEA == aeTop) {
    Label()->SetTop(0);
    Body()->SetTop(Label()->Height() + Band);
  } else {
    Body()->SetTop(0);
    Label()->SetTop(Body()->Height() + Band);
  }
  GetParent()->RefreshEquations();
}

void TEqBrace::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathBrace& B = MathLayout(*this);
    B.Mark.Paint(Canvas(), B.MarkLeft, B.MarkTop, Font().Color, MathEm(Font()));
    return;
  }
  const int Y = (FAlignEA == aeTop ? Label()->Height() : Body()->Height()) + Gap();
  PaintBrace(Y, BraceHeight(), FAlignEA == aeTop);
}
