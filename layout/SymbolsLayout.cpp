// One character or one symbol, measured and drawn in the element's own font; in the Math
// style, the math font's glyph on the run's baseline (the element's font where the math
// font has none).

#include <QFontMetrics>

#include "layout/MathStyle.h"
#include "model/Symbols.h"

namespace {
// A character as the Math style shows it.
struct TMathShown {
  TMathGlyphs Run;
  TMathBox Box;
  int Axis = 0;
};

TMathShown MathShown(const TEquation& Element, char32_t Code) {
  const TMathStyle Style(*MathFontOf(Element), Element.Font());
  TMathShown Shown{Style.Character(Code), {}, Style.Axis()};
  if (!Shown.Run.Empty()) {
    Shown.Box = GlyphBox(Shown.Run);
    Shown.Box.Width += static_cast<int>(std::lround(Style.Font().ItalicCorrection(Shown.Run.Glyphs[0], Style.Em())));
    Shown.Box.Ascent = qMax(0, Shown.Box.Ascent);
    Shown.Box.Descent = qMax(0, Shown.Box.Descent);
    // A blank still has a height the caret and the mouse can find.
    if (Shown.Box.Height() == 0) Shown.Box.Ascent = qMax(1, Style.Axis());
    return Shown;
  }
  const QFontMetrics Metrics(Element.Font());
  const QString Text = QString::fromUcs4(&Code, 1);
  Element.SetCanvasFont();
  Shown.Box = {Element.Canvas().TextWidth(Text), Metrics.ascent(), Metrics.descent()};
  return Shown;
}

void PaintMath(const TEquation& Element, char32_t Code) {
  const TMathShown Shown = MathShown(Element, Code);
  Element.SetCanvasFont();
  TCanvas& C = Element.Canvas();
  if (!Shown.Run.Empty()) {
    C.GlyphsOut(QPointF(0, Shown.Box.Ascent), Shown.Run, MathEm(Element.Font()));
    return;
  }
  C.TextOut(0, Shown.Box.Ascent - QFontMetrics(Element.Font()).ascent(), QString::fromUcs4(&Code, 1));
}
}  // namespace

int TEqSimple::CalcHeight() const {
  if (MathFontOf(*this)) return MathShown(*this, FCharacter).Box.Height();
  SetCanvasFont();
  return Canvas().TextHeight(Text());
}

int TEqSimple::CalcWidth() const {
  if (MathFontOf(*this)) return MathShown(*this, FCharacter).Box.Width;
  SetCanvasFont();
  return Canvas().TextWidth(Text());
}

int TEqSimple::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  const TMathShown Shown = MathShown(*this, FCharacter);
  return Shown.Box.Ascent - Shown.Axis;
}

TMathAtom TEqSimple::MathAtom() const { return CharacterAtom(FCharacter); }

void TEqSimple::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqSimple::Paint() {
  if (MathFontOf(*this)) return PaintMath(*this, FCharacter);
  SetCanvasFont();
  Canvas().TextOut(0, 0, Text());
}

int TEqExtSymbol::CalcHeight() const {
  if (MathFontOf(*this)) return MathShown(*this, FSymbolCode).Box.Height();
  SetCanvasFont();
  return Canvas().TextExtentW(FSymbolCode).height();
}

int TEqExtSymbol::CalcWidth() const {
  if (MathFontOf(*this)) return MathShown(*this, FSymbolCode).Box.Width;
  SetCanvasFont();
  return Canvas().TextExtentW(FSymbolCode).width();
}

int TEqExtSymbol::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  const TMathShown Shown = MathShown(*this, FSymbolCode);
  return Shown.Box.Ascent - Shown.Axis;
}

TMathAtom TEqExtSymbol::MathAtom() const { return CharacterAtom(FSymbolCode); }

void TEqExtSymbol::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqExtSymbol::Paint() {
  if (MathFontOf(*this)) return PaintMath(*this, FSymbolCode);
  SetCanvasFont();
  Canvas().TextOutW(0, 0, FSymbolCode);
}
