// Brackets: two glyphs of text height with the slot between them, centred vertically.

#include <QFontMetrics>

#include "model/Brackets.h"
#include "model/EditArea.h"

namespace {
// Few fonts have the ornate parentheses; where no font (fallbacks included) has them,
// plain parentheses are measured and drawn in their place instead of missing-glyph boxes.
char16_t ShownGlyph(char16_t Code, const QFont& Font) {
  if (Code != u'\uFD3E' && Code != u'\uFD3F') return Code;
  if (QFontMetrics(Font).inFont(QChar(Code))) return Code;
  return Code == u'\uFD3E' ? u'(' : u')';
}
}  // namespace

int TEqBrackets::CalcSymbolWidth() const {
  SetCanvasFont();
  return Canvas().TextExtentW(ShownGlyph(FLSymbol, Font())).width();
}

int TEqBrackets::CalcSymbolHeight() const {
  SetCanvasFont();
  return Canvas().TextExtentW(ShownGlyph(FLSymbol, Font())).height();
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
  const int Y = (GetCommonHeight() - CalcSymbolHeight()) / 2;
  PaintBackground();
  TCanvas& C = Canvas();
  C.TextOutW(0, Y, ShownGlyph(FLSymbol, Font()));
  C.TextOutW(Slot(0)->Width() + SW, Y, ShownGlyph(FRSymbol, Font()));
}
