// Brackets: two glyphs of text height with the slot between them, centred vertically.

#include "layout/BracketGlyphs.h"
#include "model/Brackets.h"
#include "model/EditArea.h"

int TEqBrackets::CalcSymbolWidth() const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), FLSymbol).width();
}

int TEqBrackets::CalcSymbolHeight() const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), FLSymbol).height();
}

int TEqBrackets::GetCommonHeight() const { return qMax(CalcSymbolHeight(), Slot(0)->Height()); }

int TEqBrackets::CalcHeight() const { return GetCommonHeight(); }

int TEqBrackets::CalcWidth() const { return Slot(0)->Width() + 2 * CalcSymbolWidth(); }

void TEqBrackets::RefreshEditArea(int) {
  TEditArea* Contents = Slot(0);
  RefreshEA(Contents, 1.0);
  Contents->SetIndexInParent(0);
  Contents->SetLeft(CalcSymbolWidth());
  Contents->SetTop((GetCommonHeight() - Contents->Height()) / 2);
  GetParent()->RefreshEquations();
}

void TEqBrackets::Paint() {
  const int SW = CalcSymbolWidth();
  const int CH = GetCommonHeight();
  PaintBackground();
  PaintGlyph(Canvas(), FLSymbol, 0, CH);
  PaintGlyph(Canvas(), FRSymbol, Slot(0)->Width() + SW, CH);
}
