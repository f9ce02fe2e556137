// The binomial coefficient: the fraction's stack without its bar, the bracket pair's
// round brackets around it. In the Math style the brackets grow to cover the stack,
// centred on the axis, and are at least as tall as TeX sets them at the level.

#include "layout/BracketGlyphs.h"
#include "layout/MathStyle.h"
#include "model/Binomial.h"
#include "model/EditArea.h"

struct TEqBinomial::TPlacement {
  // The stack's offset in the element, and the whole element.
  int StackLeft = 0;
  int StackTop = 0;
  int Width = 0;
  int Height = 0;
  int MidLine = 0;
  // The Math style's brackets; empty in the Classic style.
  TMathFence Fence;
};

TEqBinomial::TPlacement TEqBinomial::Placement() const {
  TPlacement P;
  const int StackWidth = TEqDivision::CalcWidth();
  const int StackHeight = TEqDivision::CalcHeight();
  const int StackMid = TEqDivision::GetMidLine();
  const char16_t Open = DelimiterGlyph(OpeningDelimiter(kbRound));
  const char16_t Close = DelimiterGlyph(ClosingDelimiter(kbRound));
  if (MathFontOf(*this)) {
    const TMathStyle Style(*this);
    // The fraction's mid-line is its axis: the stack's baseline lies Axis below it.
    const int Baseline = StackMid + Style.Axis();
    // TeX sizes a generalised fraction's delimiters by the style alone (\\delim1 and
    // \\delim2, 2.39 and 1.01 em); they still cover a stack taller than that.
    const double AtLeast = (MathLevel() == mlDisplay && !Small() ? 2.39 : 1.01) * Style.Em();
    P.Fence = Fence(Style, MathDelimiter(Open), MathDelimiter(Close), {StackWidth, Baseline, StackHeight - Baseline}, AtLeast);
    P.StackLeft = P.Fence.LeftWidth;
    P.StackTop = P.Fence.Box.Ascent - Baseline;
    P.Width = P.Fence.Box.Width;
    P.Height = P.Fence.Box.Height();
    P.MidLine = P.Fence.Box.Ascent - Style.Axis();
    return P;
  }
  SetCanvasFont();
  const QSize Glyph = GlyphExtent(Canvas(), Open);
  P.Height = qMax(StackHeight, Glyph.height());
  P.StackTop = (P.Height - StackHeight) / 2;
  P.StackLeft = Glyph.width();
  P.Width = StackWidth + 2 * Glyph.width();
  P.MidLine = P.StackTop + StackMid;
  return P;
}

int TEqBinomial::CalcHeight() const { return Placement().Height; }

int TEqBinomial::CalcWidth() const { return Placement().Width; }

int TEqBinomial::GetMidLine() const { return Placement().MidLine; }

void TEqBinomial::RefreshEditArea(int Index) {
  if (UpdateCount() > 0) return;
  // The fraction's layout has the run around it laid out again, which may come back here.
  if (FRefreshing) {
    TEqDivision::RefreshEditArea(Index);
    return;
  }
  FRefreshing = true;
  TEqDivision::RefreshEditArea(Index);
  FRefreshing = false;
  const TPlacement P = Placement();
  const int StackWidth = TEqDivision::CalcWidth();
  // Centred as the fraction centres them, in the stack between the brackets.
  for (TEditArea* Part : {Numerator(), Denominator()}) {
    Part->SetLeft(P.StackLeft + (StackWidth - Part->Width()) / 2);
    Part->SetTop(Part->Top() + P.StackTop);
  }
}

void TEqBinomial::Paint() {
  PaintBackground();
  const TPlacement P = Placement();
  const int StackWidth = TEqDivision::CalcWidth();
  if (MathFontOf(*this)) {
    P.Fence.Paint(Canvas(), P.Fence.Box.Ascent, StackWidth, MathEm(Font()));
    return;
  }
  PaintGlyph(Canvas(), DelimiterGlyph(OpeningDelimiter(kbRound)), 0, P.Height);
  PaintGlyph(Canvas(), DelimiterGlyph(ClosingDelimiter(kbRound)), P.StackLeft + StackWidth, P.Height);
}
