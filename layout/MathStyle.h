#pragma once
// The Math typesetting style as the layout of every element kind uses it: the numbers of
// the math font at a node's size in whole pixels, the glyphs letters and signs take, the
// spacing between atoms, the size of a slot at its level, and the glyphs and bars that
// stretch to their content. A kind's layout asks for numbers and glyphs here and keeps its
// own arrangement.

#include <any>
#include <cmath>

#include "../model/Equation.h"
#include "../model/Types.h"
#include "../platform/Font.h"
#include "../platform/MathFont.h"

class TCanvas;
class TEditArea;
class TCustomControl;
class TEquation;

// A box on a baseline: ascent above it, descent below it (either may be negative).
struct TMathBox {
  int Width = 0;
  int Ascent = 0;
  int Descent = 0;
  int Height() const { return Ascent + Descent; }
};

// The math font a node lays out with; nullptr in the Classic style.
const TMathFont* MathFontOf(const TCustomControl& Node);

// A kind's Math layout (its box, where its parts go, what it paints), computed by Compute
// once when the element is laid out and read from then on by its sizes, its axis and its
// painting, until the element's font size changes or it is forgotten.
template <class TCompute>
const auto& KeptMathLayout(const TEquation& Element, TCompute&& Compute) {
  using TLayout = decltype(Compute());
  TEquation::TKeptLayout& Kept = Element.KeptLayout();
  if (Kept.FontSize == Element.Font().Size())
    if (const auto* Layout = std::any_cast<TLayout>(&Kept.Layout)) return *Layout;
  Kept.FontSize = Element.Font().Size();
  return Kept.Layout.template emplace<TLayout>(Compute());
}

class TMathStyle {
 public:
  TMathStyle(const TMathFont& Font, const TFont& NodeFont, double LayoutScale = 1);
  // The style of a node of the Math style, at its size.
  explicit TMathStyle(const TCustomControl& Node);

  const TMathFont& Font() const { return FFont; }
  double Em() const { return FEm; }
  // A constant in whole pixels.
  int operator()(TMathConstant Which) const;
  int Axis() const { return FAxis; }
  int RuleThickness() const;
  // A length in eighteenths of the em.
  int Mu(double Count) const;
  // A length TeX gives in points (1/72.27 in), whatever the size: \arraycolsep,
  // \nulldelimiterspace, \delimitershortfall.
  int Points(double Count) const;

  // The glyph a character of the run takes: Latin and lower-case Greek letters in
  // mathematical italic (unless Upright), the hyphen as a minus; 0 when the font lacks it.
  quint32 Character(char32_t Code, bool Upright = false) const;
  // TeX's space between two adjacent atoms at a level.
  int Space(TMathAtom Left, TMathAtom Right, TMathLevel Level) const;

  // A vertical delimiter around content reaching Above and Below the baseline, centred on
  // the axis; Shift is where its origin goes relative to the baseline. As TeX sizes
  // \left and \right, it covers at least 90.1 % of twice the content's larger reach from the
  // axis and comes at most a quarter em short of it; Whole covers all of it.
  // AtLeast is a size it reaches whatever it covers.
  enum TCover { coTex, coWhole };
  TMathGlyphs Delimiter(char32_t Code, int Above, int Below, int& Shift, TCover Cover = coTex, double AtLeast = 0) const;
  // A glyph stretched horizontally to cover Width.
  TMathGlyphs Horizontal(char32_t Code, int Width) const;

 private:
  const TMathFont& FFont;
  double FEm;
  double FLayoutScale;
  int FAxis;
};

// Pixels per em of a node font.
double MathEm(const TFont& Font);
// The box of glyphs: advance and ink above and below the baseline.
TMathBox GlyphBox(const TMathGlyphs& Run);
// A laid-out slot's box: its baseline lies at its MathBaseline.
TMathBox SlotBox(const TEditArea* Area);
// Where a laid-out slot's elements begin and end, in the slot (the whole slot when it is
// empty): what a mark over or under the slot covers, without the caret's room at its ends.
struct TMathSpan {
  int Left = 0;
  int Right = 0;
  int Width() const { return Right - Left; }
};
TMathSpan RunSpan(const TEditArea* Area);
// The level and the font size of a slot set in Style under a template at Level and Size.
TMathLevel SlotLevel(TMathLevel Level, TSlotStyle Style);
int SlotSize(int Size, TMathLevel From, TMathLevel To, const TMathFont& Font);
// The TeX class of a character standing alone in a run.
TMathAtom CharacterAtom(char32_t Code);
// The code a character or symbol element shows; 0 for a template.
char32_t CharacterCode(const TEquation& Element);
// The italic correction of a one-character element in pixels: 0 for other elements, an
// operator name's letters and primes. TeX adds it after the character when another
// character follows (TakesItalic) and puts a superscript, not a subscript, beyond it.
int CharacterItalic(const TEquation& Element);
bool TakesItalic(const TEquation& Element);

// Delimiters stretched around content (a code of 0 is no delimiter), each centred on the
// axis and covering the content's ink. Box is the whole: left delimiter, content, right.
struct TMathFence {
  TMathGlyphs Left, Right;
  int LeftShift = 0, RightShift = 0;
  int LeftWidth = 0, RightWidth = 0;
  TMathBox Box;
  // Draws both delimiters around content ContentWidth wide, the baseline at Baseline.
  void Paint(TCanvas& Canvas, int Baseline, int ContentWidth, double Em) const;
};
TMathFence Fence(const TMathStyle& Style, char32_t Left, char32_t Right, const TMathBox& Content, double AtLeast = 0);
// The math font's code for a bracket glyph the Classic style draws (its ornate
// parentheses, single and double box bars, angle quotes).
char32_t MathDelimiter(char32_t Code);

// The shifts of a superscript's baseline up and a subscript's baseline down from the
// baseline of their base (either script may be missing); a base that is a character
// keeps them at the font's own shifts; a superscript of a cramped run rises less.
struct TMathScripts {
  int Up = 0;
  int Down = 0;
  // What the scripts set at these shifts reach above and below their base's baseline
  // (INT_MIN where there is no script), and the wider one's width.
  TMathBox Reach(const TEditArea* Super, const TEditArea* Sub) const;
};
TMathScripts ScriptShifts(const TMathStyle& Style, const TMathBox& Base, bool BaseIsCharacter,
                          const TEditArea* Super, const TEditArea* Sub, bool Cramped);

// How far the baseline of a limit stands above the top (Over) or below the bottom of what
// it limits: the font's limit gap clear of the limit's box, at least its baseline rise or
// drop.
int LimitShift(const TMathStyle& Style, const TMathBox& Limit, bool Over);

// A horizontal mark over or under content: a stretched glyph (arrows, braces) or one or
// two rules (bars).
class TMathMark {
 public:
  // Heads: arrow heads at the right and/or left; no heads and Double: two bars.
  static TMathMark Arrow(const TMathStyle& Style, TKindArrow Kind, int Width);
  // The arrow marking a slot over or under it (\overrightarrow, \underleftarrow): the
  // font's combining arrow, with its smaller head, where it has one.
  static TMathMark SlotArrow(const TMathStyle& Style, TKindArrow Kind, int Width, bool Over);
  static TMathMark Bar(const TMathStyle& Style, int Thickness, bool Double, int Width);
  // The arrow of a labelled arrow, as wide as Advance: grown from the font's arrow as
  // amsmath grows \xrightarrow, its ink between the side bearings of its ends.
  static TMathMark ArrowFill(const TMathStyle& Style, TKindArrow Kind, double Advance);
  // The font's arrow for Kind (→, ⇔, ...); 0 for a kind without heads.
  static char32_t ArrowCode(TKindArrow Kind);
  // The font's glyph for Code stretched to Width; a rule where the font lacks it.
  static TMathMark Glyph(const TMathStyle& Style, char32_t Code, int Width);

  int Height() const { return FHeight; }
  int Width() const { return FWidth; }
  // Whether the mark is a combining glyph, which TeX sets as an accent.
  bool Accent() const { return FAccent; }
  // Where the ink's top stands from the glyph's baseline (negative: above it).
  int InkTop() const { return FGlyphs.Empty() ? 0 : static_cast<int>(std::lround(FGlyphs.Ink.top())); }
  // Draws the mark with its top-left corner at (X, Top).
  void Paint(TCanvas& Canvas, int X, int Top, QColor Color, double Em) const;

 private:
  TMathGlyphs FGlyphs;
  int FRule = 0;
  int FGap = 0;
  int FRules = 0;
  int FHeight = 0;
  int FWidth = 0;
  bool FAccent = false;
};
