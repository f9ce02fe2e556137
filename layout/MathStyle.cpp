#include "MathStyle.h"

#include <QPainter>
#include <climits>
#include <cmath>

#include "layout/FontLevels.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "platform/Canvas.h"
#include "platform/CustomControl.h"

namespace {
int Whole(double Value) { return static_cast<int>(std::lround(Value)); }

// The mathematical italic counterpart of a letter, or the code itself.
char32_t MathItalic(char32_t Code) {
  if (Code == U'h') return U'\u210E';
  if (Code >= U'a' && Code <= U'z') return U'\U0001D44E' + (Code - U'a');
  if (Code >= U'A' && Code <= U'Z') return U'\U0001D434' + (Code - U'A');
  if (Code >= U'\u03B1' && Code <= U'\u03C9') return U'\U0001D6FC' + (Code - U'\u03B1');
  // The variant forms: epsilon, theta, kappa, phi, rho and pi symbols.
  switch (Code) {
    case U'\u03F5': return U'\U0001D716';
    case U'\u03D1': return U'\U0001D717';
    case U'\u03F0': return U'\U0001D718';
    case U'\u03D5': return U'\U0001D719';
    case U'\u03F1': return U'\U0001D71A';
    case U'\u03D6': return U'\U0001D71B';
    default: break;
  }
  if (Code == U'-') return U'\u2212';
  if (Code == U'*') return U'\u2217';
  return Code;
}

// TeX's table of spaces: 1 thin, 2 medium, 3 thick; negative ones are left out in
// scripts.
constexpr int Spaces[8][8] = {
    {0, 1, -2, -3, 0, 0, 0, -1},     // Ord
    {1, 1, 0, -3, 0, 0, 0, -1},      // Op
    {-2, -2, 0, 0, -2, 0, 0, -2},    // Bin
    {-3, -3, 0, 0, -3, 0, 0, -3},    // Rel
    {0, 0, 0, 0, 0, 0, 0, 0},        // Open
    {0, 1, -2, -3, 0, 0, 0, -1},     // Close
    {-1, -1, 0, -1, -1, -1, -1, -1}, // Punct
    {-1, 1, -2, -3, -1, 0, -1, -1},  // Inner
};
constexpr double SpaceMu[] = {0, 3, 4, 5};

// TeX's \delimiterfactor 901 and \delimitershortfall, 5 pt.
constexpr double DelimiterFactor = 0.901;
constexpr double DelimiterShortfall = 5;
}  // namespace

const TMathFont* MathFontOf(const TCustomControl& Node) {
  return Node.Host() ? Node.Canvas().Math() : nullptr;
}

double MathEm(const TFont& Font) {
  if (Font.pointSizeF() > 0) return Font.pointSizeF() * 96.0 / 72.0;
  return Font.pixelSize() > 0 ? Font.pixelSize() : 1.0;
}

TMathStyle::TMathStyle(const TMathFont& Font, const TFont& NodeFont, double LayoutScale)
    : FFont(Font), FEm(MathEm(NodeFont)), FLayoutScale(LayoutScale),
      FAxis(Whole(Font.Constant(TMathConstant::AxisHeight, FEm))) {}

TMathStyle::TMathStyle(const TCustomControl& Node)
    : TMathStyle(*MathFontOf(Node), Node.Font(), Node.Canvas().LayoutScale()) {}

int TMathStyle::operator()(TMathConstant Which) const { return Whole(FFont.Constant(Which, FEm)); }

int TMathStyle::RuleThickness() const {
  return qMax(1, (*this)(TMathConstant::FractionRuleThickness));
}

int TMathStyle::Mu(double Count) const { return Whole(FEm * Count / 18.0); }

int TMathStyle::Points(double Count) const { return Whole(Count * 96.0 / 72.27 * FLayoutScale); }

quint32 TMathStyle::Character(char32_t Code, bool Upright) const {
  const bool Letter = (Code >= U'a' && Code <= U'z') || (Code >= U'A' && Code <= U'Z');
  const quint32 Glyph = FFont.Glyph(Upright && Letter ? Code : MathItalic(Code));
  return Glyph ? Glyph : FFont.Glyph(Code);
}

int TMathStyle::Space(TMathAtom Left, TMathAtom Right, TMathLevel Level) const {
  const int Kind = Spaces[Left][Right];
  if (Kind < 0 && Level >= mlScript) return 0;
  return Mu(SpaceMu[std::abs(Kind)]);
}

TMathGlyphs TMathStyle::Delimiter(char32_t Code, int Above, int Below, int& Shift, TCover Cover, double AtLeast) const {
  Shift = 0;
  const quint32 Glyph = FFont.Glyph(Code);
  if (!Glyph) return TMathGlyphs();
  const int Half = qMax(Above - FAxis, Below + FAxis);
  // One pixel more for a whole cover, so that rounding the placement never leaves ink out.
  const double Size = Cover == coWhole ? 2.0 * (Half + 1)
                                       : qMax(2.0 * Half * DelimiterFactor, 2.0 * Half - Points(DelimiterShortfall));
  TMathGlyphs Run = FFont.Stretched(Glyph, qMax(Size, AtLeast), false, FEm);
  Shift = Whole(-FAxis - Run.Ink.center().y());
  return Run;
}

TMathGlyphs TMathStyle::Horizontal(char32_t Code, int Width) const {
  const quint32 Glyph = FFont.Glyph(Code);
  return Glyph ? FFont.Stretched(Glyph, Width, true, FEm) : TMathGlyphs();
}

TMathBox GlyphBox(const TMathGlyphs& Run) {
  if (Run.Empty()) return {};
  return {static_cast<int>(std::ceil(Run.Advance)), static_cast<int>(std::ceil(-Run.Ink.top())),
          static_cast<int>(std::ceil(Run.Ink.bottom()))};
}

TMathBox SlotBox(const TEditArea* Area) {
  return {Area->Width(), Area->MathBaseline(), Area->Height() - Area->MathBaseline()};
}

TMathSpan RunSpan(const TEditArea* Area) {
  const int Count = Area->Count();
  if (Count == 0) return {0, Area->Width()};
  const TEquation* Last = Area->Item(Count - 1);
  return {Area->Item(0)->Left(), Last->Left() + Last->Width()};
}

TMathLevel SlotLevel(TMathLevel Level, TSlotStyle Style) {
  switch (Style) {
    case ssSame: return Level;
    case ssText: return qMax(Level, mlText);
    case ssFraction: return Level == mlScriptScript ? Level : static_cast<TMathLevel>(Level + 1);
    case ssScript: return Level <= mlText ? mlScript : mlScriptScript;
    case ssScriptScript: return mlScriptScript;
  }
  return Level;
}

int SlotSize(int Size, TMathLevel From, TMathLevel To, const TMathFont& Font) {
  auto Percent = [&](TMathLevel Level) {
    if (Level == mlScript) return Font.Constant(TMathConstant::ScriptPercentScaleDown, 1);
    if (Level == mlScriptScript) return Font.Constant(TMathConstant::ScriptScriptPercentScaleDown, 1);
    return 100.0;
  };
  const double From100 = Percent(From);
  if (From == To || From100 <= 0) return Size;
  return qMax(1, ScaledSize(Size, Percent(To) / From100));
}

TMathAtom CharacterAtom(char32_t Code) {
  switch (Code) {
    case U'+': case U'-': case U'*': case U'\u2212': case U'\u00B1': case U'\u2213':
    case U'\u00D7': case U'\u00F7': case U'\u00B7': case U'\u22C5': case U'\u2217':
    case U'\u2218': case U'\u2219': case U'\u2229': case U'\u222A': case U'\u2295':
    case U'\u2296': case U'\u2297': case U'\u2227': case U'\u2228': case U'\u2216': case U'\u2299':
      return maBin;
    case U'=': case U'<': case U'>': case U':': case U'\u2264': case U'\u2265': case U'\u2260':
    case U'\u2248': case U'\u2261': case U'\u223C': case U'\u2243': case U'\u2245': case U'\u221D':
    case U'\u2192': case U'\u2190': case U'\u2194': case U'\u21D2': case U'\u21D0': case U'\u21D4':
    case U'\u2208': case U'\u2209': case U'\u220B': case U'\u2282': case U'\u2283': case U'\u2286':
    case U'\u2287': case U'\u226A': case U'\u226B': case U'\u22A5': case U'\u2225': case U'\u21A6':
    case U'\u2A7D': case U'\u2A7E': case U'\u27F5': case U'\u27F6': case U'\u27F7': case U'\u27F8':
    case U'\u27F9': case U'\u27FA': case U'\u27FC': case U'\u227A': case U'\u227B': case U'\u227C':
    case U'\u227D': case U'\u22B2': case U'\u22B3': case U'\u2191': case U'\u2193': case U'\u2195':
    case U'\u21D1': case U'\u21D3': case U'\u21D5': case U'\u2234': case U'\u2235': case U'\u2284':
    case U'\u2285': case U'\u2288': case U'\u2289': case U'\u228A': case U'\u228B': case U'\u2223':
    case U'\u2224': case U'\u2226': case U'\u22A2': case U'\u22A3': case U'\u22A8': case U'\u2262':
    case U'\u2241': case U'\u2270': case U'\u2271':
      return maRel;
    case U'(': case U'[': case U'{': case U'\u27E8': case U'\u230A': case U'\u2308':
      return maOpen;
    case U')': case U']': case U'}': case U'\u27E9': case U'\u230B': case U'\u2309': case U'!':
      return maClose;
    case U',': case U';':
      return maPunct;
    // \ldots and \cdots are \mathinner, spaced from their neighbours.
    case U'\u2026': case U'\u22EF':
      return maInner;
    case U'\u2211': case U'\u220F': case U'\u222B': case U'\u2210': case U'\u22C2': case U'\u22C3':
      return maOp;
    default:
      return maOrd;
  }
}

char32_t MathDelimiter(char32_t Code) {
  switch (Code) {
    case U'\uFD3E': return U'(';
    case U'\uFD3F': return U')';
    case U'\u2039': case U'\u2329': return U'\u27E8';
    case U'\u203A': case U'\u232A': return U'\u27E9';
    case U'\u2502': return U'|';
    case U'\u2551': return U'\u2016';
    default: return Code;
  }
}

TMathFence Fence(const TMathStyle& Style, char32_t Left, char32_t Right, const TMathBox& Content, double AtLeast) {
  TMathFence F;
  F.Box = Content;
  auto Side = [&](char32_t Code, TMathGlyphs& Run, int& Shift, int& Width) {
    if (!Code) return;
    Run = Style.Delimiter(MathDelimiter(Code), Content.Ascent, Content.Descent, Shift, TMathStyle::coTex, AtLeast);
    if (Run.Empty()) return;
    Width = static_cast<int>(std::ceil(Run.Advance));
    F.Box.Ascent = qMax(F.Box.Ascent, static_cast<int>(std::ceil(-(Run.Ink.top() + Shift))));
    F.Box.Descent = qMax(F.Box.Descent, static_cast<int>(std::ceil(Run.Ink.bottom() + Shift)));
  };
  Side(Left, F.Left, F.LeftShift, F.LeftWidth);
  Side(Right, F.Right, F.RightShift, F.RightWidth);
  F.Box.Width = F.LeftWidth + Content.Width + F.RightWidth;
  return F;
}

void TMathFence::Paint(TCanvas& Canvas, int Baseline, int ContentWidth, double Em) const {
  Canvas.GlyphsOut(QPointF(0, Baseline + LeftShift), Left, Em);
  Canvas.GlyphsOut(QPointF(LeftWidth + ContentWidth, Baseline + RightShift), Right, Em);
}

TMathScripts ScriptShifts(const TMathStyle& Style, const TMathBox& Base, bool BaseIsCharacter,
                          const TEditArea* Super, const TEditArea* Sub, bool Cramped) {
  using C = TMathConstant;
  TMathScripts Shifts;
  if (Super) {
    const TMathBox Box = SlotBox(Super);
    Shifts.Up = qMax(Style(Cramped ? C::SuperscriptShiftUpCramped : C::SuperscriptShiftUp),
                     Box.Descent + Style(C::SuperscriptBottomMin));
    if (!BaseIsCharacter) Shifts.Up = qMax(Shifts.Up, Base.Ascent - Style(C::SuperscriptBaselineDropMax));
  }
  if (Sub) {
    const TMathBox Box = SlotBox(Sub);
    Shifts.Down = qMax(Style(C::SubscriptShiftDown), Box.Ascent - Style(C::SubscriptTopMax));
    if (!BaseIsCharacter) Shifts.Down = qMax(Shifts.Down, Base.Descent + Style(C::SubscriptBaselineDropMin));
  }
  if (Super && Sub) {
    // Both: the subscript moves down until the gap between them is wide enough.
    const int Gap = (Shifts.Up - SlotBox(Super).Descent) - (SlotBox(Sub).Ascent - Shifts.Down);
    const int Wanted = Style(C::SubSuperscriptGapMin);
    if (Gap < Wanted) Shifts.Down += Wanted - Gap;
  }
  return Shifts;
}

TMathBox TMathScripts::Reach(const TEditArea* Super, const TEditArea* Sub) const {
  TMathBox Box{0, INT_MIN, INT_MIN};
  if (Super) {
    Box = {Super->Width(), Up + Super->MathBaseline(), Super->Height() - Super->MathBaseline() - Up};
  }
  if (Sub) {
    Box.Width = qMax(Box.Width, Sub->Width());
    Box.Ascent = qMax(Box.Ascent, Sub->MathBaseline() - Down);
    Box.Descent = qMax(Box.Descent, Down + Sub->Height() - Sub->MathBaseline());
  }
  return Box;
}

int LimitShift(const TMathStyle& Style, const TMathBox& Limit, bool Over) {
  using C = TMathConstant;
  if (Over) return qMax(Style(C::UpperLimitBaselineRiseMin), Style(C::UpperLimitGapMin) + Limit.Descent);
  return qMax(Style(C::LowerLimitBaselineDropMin), Style(C::LowerLimitGapMin) + Limit.Ascent);
}

TMathMark TMathMark::Arrow(const TMathStyle& Style, TKindArrow Kind, int Width) {
  const char32_t Code = ArrowCode(Kind);
  if (!Code || !Style.Font().Glyph(Code)) return Bar(Style, Style.RuleThickness(), Kind.Contains(kaDouble), Width);
  return Glyph(Style, Code, Width);
}

TMathMark TMathMark::ArrowFill(const TMathStyle& Style, TKindArrow Kind, double Advance) {
  const char32_t Code = ArrowCode(Kind);
  const quint32 Glyph = Code ? Style.Font().Glyph(Code) : 0;
  if (!Glyph) return Arrow(Style, Kind, static_cast<int>(std::lround(Advance)));
  TMathMark Mark;
  const TMathFont& Font = Style.Font();
  const double Bearings = Font.Advance(Glyph, Style.Em()) - Font.Ink(Glyph, Style.Em()).width();
  Mark.FGlyphs = Font.Filled(Glyph, Advance - Bearings, Style.Em());
  Mark.FHeight = static_cast<int>(std::ceil(Mark.FGlyphs.Ink.height()));
  Mark.FWidth = static_cast<int>(std::ceil(qMax(Advance, Mark.FGlyphs.Ink.width()) - 1e-6));
  return Mark;
}

char32_t TMathMark::ArrowCode(TKindArrow Kind) {
  const bool Right = Kind.Contains(kaRight);
  const bool Left = Kind.Contains(kaLeft);
  const bool Double = Kind.Contains(kaDouble);
  if (!Right && !Left) return 0;
  return Right && Left ? (Double ? U'\u21D4' : U'\u2194')
         : Right       ? (Double ? U'\u21D2' : U'\u2192')
                       : (Double ? U'\u21D0' : U'\u2190');
}

TMathMark TMathMark::SlotArrow(const TMathStyle& Style, TKindArrow Kind, int Width, bool Over) {
  const bool Right = Kind.Contains(kaRight);
  const bool Left = Kind.Contains(kaLeft);
  if (Kind.Contains(kaDouble) || (!Right && !Left)) return Arrow(Style, Kind, Width);
  const char32_t Code = Right && Left ? (Over ? U'\u20E1' : 0)
                        : Right       ? (Over ? U'\u20D7' : U'\u20EF')
                                      : (Over ? U'\u20D6' : U'\u20EE');
  if (!Code || !Style.Font().Glyph(Code)) return Arrow(Style, Kind, Width);
  TMathMark Mark = Glyph(Style, Code, Width);
  Mark.FAccent = !Mark.FGlyphs.Empty();
  return Mark;
}

TMathMark TMathMark::Glyph(const TMathStyle& Style, char32_t Code, int Width) {
  TMathMark Mark;
  Mark.FGlyphs = Style.Horizontal(Code, Width);
  if (Mark.FGlyphs.Empty()) return Bar(Style, Style.RuleThickness(), false, Width);
  Mark.FHeight = static_cast<int>(std::ceil(Mark.FGlyphs.Ink.height()));
  Mark.FWidth = qMax(Width, static_cast<int>(std::ceil(Mark.FGlyphs.Ink.width())));
  return Mark;
}

TMathMark TMathMark::Bar(const TMathStyle& Style, int Thickness, bool Double, int Width) {
  TMathMark Mark;
  Mark.FRule = qMax(1, Thickness);
  Mark.FRules = Double ? 2 : 1;
  Mark.FGap = Double ? qMax(1, Style(TMathConstant::OverbarVerticalGap) / 2) : 0;
  Mark.FHeight = Mark.FRules * Mark.FRule + Mark.FGap;
  Mark.FWidth = Width;
  return Mark;
}

void TMathMark::Paint(TCanvas& Canvas, int X, int Top, QColor Color, double Em) const {
  if (!FGlyphs.Empty()) {
    // The ink is stretched over the mark's width, centred where the glyph is wider.
    const double Left = X + (FWidth - FGlyphs.Ink.width()) / 2 - FGlyphs.Ink.left();
    Canvas.GlyphsOut(QPointF(Left, Top - FGlyphs.Ink.top()), FGlyphs, Em);
    return;
  }
  Canvas.Pen.Style = psClear;
  Canvas.Brush.SetColor(Color);
  for (int I = 0; I < FRules; ++I) {
    const int Y = Top + I * (FRule + FGap);
    Canvas.Rectangle(X, Y, X + FWidth, Y + FRule);
  }
}
