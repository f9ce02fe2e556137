// Brackets: two glyphs of text height with the slot between them, centred vertically. In
// the Math style the glyphs grow (variants, then assemblies) to cover the slot's ink,
// centred on the axis.

#include "layout/BracketGlyphs.h"
#include "layout/MathStyle.h"
#include "model/Brackets.h"
#include "model/EditArea.h"

namespace {
TMathFence MathBrackets(const TEqBrackets& Brackets) {
  const TMathStyle Style(Brackets);
  return Fence(Style, Brackets.LSymbol(), Brackets.RSymbol(), SlotBox(Brackets.Slot(0)));
}

const TMathFence& MathLayout(const TEqBrackets& Brackets) {
  return KeptMathLayout(Brackets, [&] { return MathBrackets(Brackets); });
}
}  // namespace

int TEqBrackets::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  return MathLayout(*this).Box.Ascent - TMathStyle(*this).Axis();
}

// \left...\right, which TeX spaces as an inner atom: a thin space from a letter before it.
TMathAtom TEqBrackets::MathAtom() const { return maInner; }

int TEqBrackets::CalcSymbolWidth() const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), FLSymbol).width();
}

int TEqBrackets::CalcSymbolHeight() const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), FLSymbol).height();
}

int TEqBrackets::GetCommonHeight() const { return qMax(CalcSymbolHeight(), Slot(0)->Height()); }

int TEqBrackets::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Box.Height();
  return GetCommonHeight();
}

int TEqBrackets::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Box.Width;
  return Slot(0)->Width() + 2 * CalcSymbolWidth();
}

void TEqBrackets::RefreshEditArea(int) {
  TEditArea* Contents = Slot(0);
  RefreshEA(Contents, 1.0);
  Contents->SetIndexInParent(0);
  if (MathFontOf(*this)) {
    const TMathFence& F = MathLayout(*this);
    Contents->SetLeft(F.LeftWidth);
    Contents->SetTop(F.Box.Ascent - Contents->MathBaseline());
    GetParent()->RefreshEquations();
    return;
  }
  Contents->SetLeft(CalcSymbolWidth());
  Contents->SetTop((GetCommonHeight() - Contents->Height()) / 2);
  GetParent()->RefreshEquations();
}

void TEqBrackets::Paint() {
  if (MathFontOf(*this)) {
    PaintBackground();
    const TMathFence& F = MathLayout(*this);
    F.Paint(Canvas(), F.Box.Ascent, Slot(0)->Width(), MathEm(Font()));
    return;
  }
  const int SW = CalcSymbolWidth();
  const int CH = GetCommonHeight();
  PaintBackground();
  PaintGlyph(Canvas(), FLSymbol, 0, CH);
  PaintGlyph(Canvas(), FRSymbol, Slot(0)->Width() + SW, CH);
}
