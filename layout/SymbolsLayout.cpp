// One character or one symbol, measured and drawn in the element's own font; in the Math
// style, the math font's glyph on the run's baseline (the element's font where the math
// font has none).

#include <QFontMetrics>
#include <cmath>
#include <optional>

#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Symbols.h"

namespace {
// A character as the Math style shows it: its glyph (0: drawn in the element's font) at
// Em, Rise above the run's baseline.
struct TMathShown {
  quint32 Glyph = 0;
  TMathBox Box;
  int Axis = 0;
  double Em = 0;
  int Rise = 0;
  // Shown by the element before it (an apostrophe after another).
  bool Joined = false;
};

// An apostrophe is a prime, which TeX sets as a superscript (f' is f^\prime).
bool Prime(char32_t Code) { return Code == U'\'' || (Code >= U'\u2032' && Code <= U'\u2034'); }

TMathShown PrimeShown(const TMathStyle& Style, char32_t Code) {
  const TMathFont& Font = Style.Font();
  const quint32 Glyph = Font.Glyph(Code == U'\'' ? U'\u2032' : Code);
  if (!Glyph) return {};
  const double Em = Style.Em() * Font.Constant(TMathConstant::ScriptPercentScaleDown, 1) / 100.0;
  const int Rise = Style(TMathConstant::SuperscriptShiftUp);
  const QRectF Ink = Font.Ink(Glyph, Em);
  const TMathBox Box{static_cast<int>(std::ceil(Font.Advance(Glyph, Em) - 0.5)),
                     qMax(0, static_cast<int>(std::ceil(Rise - Ink.top()))),
                     qMax(0, static_cast<int>(std::ceil(Ink.bottom() - Rise)))};
  return {Glyph, Box, Style.Axis(), Em, Rise};
}

// The spaces LaTeX's \, and \; are read as, in TeX's widths (mu) where the font's differ:
// the three-per-em space stands for \;, 5 mu, not a third of an em.
int SpaceMu(char32_t Code) {
  static constexpr std::pair<char32_t, int> Spaces[] = {{U'\u2004', 5}, {U'\u2006', 3}};
  for (const auto& [Space, Mu] : Spaces)
    if (Space == Code) return Mu;
  return 0;
}

TMathShown ComputeShown(const TEquation& Element, char32_t Code, bool Name) {
  const TMathStyle Style(Element);
  const TEditArea* Run = Element.GetParent();
  // Text keeps its characters as they are: an apostrophe, a hyphen, an upright letter.
  const bool Text = Run && Run->MathText();
  if (Prime(Code) && !Text) {
    // TeX sets f''' with the triple prime: a run of apostrophes is one glyph, drawn by
    // the first of them.
    static constexpr char32_t Primes[] = {U'\u2032', U'\u2033', U'\u2034', U'\u2057'};
    const auto* Letter = dynamic_cast<const TEqSimple*>(&Element);
    const int Count = Code == U'\'' && Letter ? Letter->MathPrimes() : 1;
    TMathShown Shown = PrimeShown(Style, Code == U'\'' ? Primes[qMax(Count, 1) - 1] : Code);
    // A font without the multiple primes sets each apostrophe on its own.
    if (!Shown.Glyph && Count != 1) {
      Shown = PrimeShown(Style, Code);
    } else if (Count == 0) {
      Shown.Joined = true;
      Shown.Box.Width = 0;
    }
    if (Shown.Glyph) return Shown;
  }
  const quint32 Glyph = Text ? Style.Font().Glyph(Code) : Style.Character(Code, Name || (Run && Run->MathUpright()));
  TMathShown Shown{Glyph, {}, Style.Axis(), Style.Em(), 0};
  if (Shown.Glyph) {
    const TMathFont& Font = Style.Font();
    const QRectF Ink = Font.Ink(Shown.Glyph, Style.Em());
    // The italic correction is the run's to add: TeX adds it only before another character.
    Shown.Box = {static_cast<int>(std::ceil(Font.Advance(Shown.Glyph, Style.Em()) - 0.5)),
                 qMax(0, static_cast<int>(std::ceil(-Ink.top()))), qMax(0, static_cast<int>(std::ceil(Ink.bottom())))};
    // A blank still has a height the caret and the mouse can find.
    if (Shown.Box.Height() == 0) Shown.Box.Ascent = qMax(1, Style.Axis());
    if (const int Mu = Text ? 0 : SpaceMu(Code)) Shown.Box.Width = Style.Mu(Mu);
    return Shown;
  }
  const QFontMetrics Metrics(Element.Font());
  Element.SetCanvasFont();
  Shown.Box = {Element.Canvas().TextWidth(QString::fromUcs4(&Code, 1)), Metrics.ascent(), Metrics.descent()};
  return Shown;
}

const TMathShown& MathShown(const TEquation& Element, char32_t Code, bool Name = false) {
  return KeptMathLayout(Element, [&] { return ComputeShown(Element, Code, Name); });
}

void PaintMath(const TEquation& Element, char32_t Code, bool Name = false) {
  const TMathShown& Shown = MathShown(Element, Code, Name);
  Element.SetCanvasFont();
  TCanvas& C = Element.Canvas();
  if (Shown.Joined) return;
  if (Shown.Glyph) {
    C.GlyphsOut(QPointF(0, Shown.Box.Ascent - Shown.Rise), MathFontOf(Element)->Single(Shown.Glyph, Shown.Em),
                Shown.Em);
    return;
  }
  C.TextOut(0, Shown.Box.Ascent - QFontMetrics(Element.Font()).ascent(), QString::fromUcs4(&Code, 1));
}
}  // namespace

char32_t CharacterCode(const TEquation& Element) {
  if (const auto* Simple = dynamic_cast<const TEqSimple*>(&Element)) return Simple->Character();
  if (const auto* Symbol = dynamic_cast<const TEqExtSymbol*>(&Element)) return Symbol->SymbolCode();
  return 0;
}

namespace {
// The code of a character that has a part in italic correction: none for a template or
// a letter of an operator name.
std::optional<char32_t> ItalicCode(const TEquation& Element) {
  const auto* Simple = dynamic_cast<const TEqSimple*>(&Element);
  if (Simple ? Simple->MathName() != mnNone : !dynamic_cast<const TEqExtSymbol*>(&Element)) return std::nullopt;
  return CharacterCode(Element);
}
}  // namespace

int CharacterItalic(const TEquation& Element) {
  const TMathFont* Font = MathFontOf(Element);
  const std::optional<char32_t> Code = ItalicCode(Element);
  if (!Font || !Code || Prime(*Code)) return 0;
  const TMathShown& Shown = MathShown(Element, *Code);
  return Shown.Glyph ? static_cast<int>(std::lround(Font->ItalicCorrection(Shown.Glyph, Shown.Em))) : 0;
}

bool TakesItalic(const TEquation& Element) {
  const std::optional<char32_t> Code = ItalicCode(Element);
  return Code && !QChar::isSpace(*Code);
}

int TEqSimple::CalcHeight() const {
  if (MathFontOf(*this)) return MathShown(*this, FCharacter, FMathName != mnNone).Box.Height();
  SetCanvasFont();
  return Canvas().TextHeight(Text());
}

int TEqSimple::CalcWidth() const {
  if (MathFontOf(*this)) return MathShown(*this, FCharacter, FMathName != mnNone).Box.Width;
  SetCanvasFont();
  return Canvas().TextWidth(Text());
}

int TEqSimple::GetMidLine() const {
  if (!MathFontOf(*this)) return TEquation::GetMidLine();
  const TMathShown& Shown = MathShown(*this, FCharacter, FMathName != mnNone);
  return Shown.Box.Ascent - Shown.Axis;
}

TMathAtom TEqSimple::MathAtom() const { return FMathName != mnNone ? maOp : CharacterAtom(FCharacter); }

void TEqSimple::RefreshDimensions() {
  // The run may have changed what the letter stands for (upright, an operator's name).
  ForgetLayout();
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqSimple::Paint() {
  if (MathFontOf(*this)) return PaintMath(*this, FCharacter, FMathName != mnNone);
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
  const TMathShown& Shown = MathShown(*this, FSymbolCode);
  return Shown.Box.Ascent - Shown.Axis;
}

TMathAtom TEqExtSymbol::MathAtom() const { return CharacterAtom(FSymbolCode); }

void TEqExtSymbol::RefreshDimensions() {
  ForgetLayout();
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqExtSymbol::Paint() {
  if (MathFontOf(*this)) return PaintMath(*this, FSymbolCode);
  SetCanvasFont();
  Canvas().TextOutW(0, 0, FSymbolCode);
}
