// The accent: the mark's room above the slot (or right of it for primes), the slot
// below it at the run's size. In the Math style the marks are the font's accents, the
// wide ones stretched over the content, set on the accent base height and centred on the
// base's accent attachment; primes are the font's, set as a superscript.

#include <cmath>

#include "editor/EACursor.h"
#include "layout/Marks.h"
#include "layout/MathStyle.h"
#include "model/Accent.h"
#include "model/EditArea.h"
#include "model/Symbols.h"

namespace {
// The font's character for a mark; 0 for the strokes across the content.
char32_t AccentCode(TKindAccent Kind) {
  switch (Kind) {
    case acDot: return U'\u0307';
    case acDotTwo: return U'\u0308';
    case acDotThree: return U'\u20DB';
    case acBar: return U'\u0305';
    case acHat: return U'\u0302';
    case acTilde: return U'\u0303';
    case acArrowRight: return U'\u20D7';
    case acArrowLeft: return U'\u20D6';
    case acArrowRightLeft: return U'\u20E1';
    case acHarpoonRight: return U'\u20D1';
    case acHarpoonLeft: return U'\u20D0';
    case acArcUp: return U'\u0311';
    case acArcDown: return U'\u0306';
    case acPrime: return U'\u2032';
    case acPrimeTwo: return U'\u2033';
    case acPrimeThree: return U'\u2034';
    case acBackPrime: return U'\u2035';
    case acStrike: case acSlash: return 0;
  }
  return 0;
}

// Dots keep their size; the others grow with the content.
bool Stretchy(TKindAccent Kind) { return Kind != acDot && Kind != acDotTwo && Kind != acDotThree; }

// The glyph of a slot that holds one character, else 0, with the em it is set at.
quint32 SoleGlyph(const TEditArea* Area, double& Em) {
  if (Area->Count() != 1) return 0;
  const TEquation* Element = Area->Item(0);
  char32_t Code = 0;
  if (const auto* Simple = dynamic_cast<const TEqSimple*>(Element)) Code = Simple->Character();
  if (const auto* Symbol = dynamic_cast<const TEqExtSymbol*>(Element)) Code = Symbol->SymbolCode();
  if (!Code) return 0;
  const TMathStyle Style(*Element);
  Em = Style.Em();
  return Style.Character(Code, Area->MathUpright());
}

// An accent in the Math style, places relative to the element's top-left corner.
struct TMathAccent {
  TMathGlyphs Mark;
  double MarkEm = 0;
  QPointF Origin;
  // Where strokes go instead: across the content, or a mark the font lacks in the
  // Classic style's room for it.
  QRect Room;
  int Width = 0, Height = 0, Baseline = 0, SlotLeft = 0, Axis = 0;
};

TMathAccent MathAccent(const TEqAccent& Accent) {
  const TMathStyle Style(Accent);
  const TEditArea* Body = Accent.Slot(0);
  const TMathBox Box = SlotBox(Body);
  const TMathSpan Span = RunSpan(Body);
  const TKindAccent Kind = Accent.KindAccent();
  const int FS = Accent.Font().Size();
  const bool Beside = TMarks::AccentWidth(Kind, FS) > 0;
  const quint32 Glyph = Style.Font().Glyph(AccentCode(Kind));
  TMathAccent A;
  A.Axis = Style.Axis();
  A.MarkEm = Style.Em();
  // Relative to the slot's left edge and baseline first.
  QRectF Extent(0, -Box.Ascent, Box.Width, Box.Height());
  if (!Glyph) {
    const int Above = TMarks::AccentHeight(Kind, FS);
    A.Room = Beside  ? QRect(Span.Right, -Box.Ascent, TMarks::AccentWidth(Kind, FS), FS / 2)
             : Above ? QRect(Span.Left, -Box.Ascent - Above, Span.Width(), Above)
                     : QRect(Span.Left, -Box.Ascent, Span.Width(), Box.Height());
    Extent |= A.Room;
  } else if (Beside) {
    // Primes a font draws raised (their ink above the axis) stay at the run's size where
    // they are; primes drawn on the baseline are raised as a superscript at script size.
    double Raise = 0;
    if (Style.Font().Ink(Glyph, A.MarkEm).bottom() > -A.Axis) {
      A.MarkEm *= Style.Font().Constant(TMathConstant::ScriptPercentScaleDown, 1) / 100.0;
      Raise = Style(TMathConstant::SuperscriptShiftUp);
    }
    A.Mark = Style.Font().Single(Glyph, A.MarkEm);
    A.Origin = QPointF(Span.Right, -Raise);
  } else {
    double BaseEm = 0;
    const quint32 Base = SoleGlyph(Body, BaseEm);
    // Over one character a mark keeps its own size, as TeX's \hat does beside \widehat.
    const bool Stretch = Stretchy(Kind) && !Base;
    A.Mark = Stretch ? Style.Font().Fitting(Glyph, Span.Width(), A.MarkEm) : Style.Font().Single(Glyph, A.MarkEm);
    const double Attachment = Base ? Span.Left + Style.Font().TopAccentAttachment(Base, BaseEm)
                                   : (Span.Left + Span.Right) / 2.0;
    // A stretched mark is centred by its ink, a single one by its own attachment.
    const double Own = Stretch ? A.Mark.Ink.center().x() : Style.Font().TopAccentAttachment(Glyph, A.MarkEm);
    // Over a base lower than the accent base height the mark sits as over one that high.
    A.Origin = QPointF(Attachment - Own, -qMax(0, Box.Ascent - Style(TMathConstant::AccentBaseHeight)));
  }
  if (!A.Mark.Empty()) {
    Extent |= A.Mark.Ink.translated(A.Origin);
    Extent.setRight(qMax(Extent.right(), A.Origin.x() + A.Mark.Advance));
  }
  A.SlotLeft = static_cast<int>(std::ceil(-Extent.left()));
  A.Baseline = static_cast<int>(std::ceil(-Extent.top()));
  A.Width = A.SlotLeft + static_cast<int>(std::ceil(Extent.right()));
  A.Height = A.Baseline + Box.Descent;
  A.Origin += QPointF(A.SlotLeft, A.Baseline);
  A.Room.translate(A.SlotLeft, A.Baseline);
  return A;
}

const TMathAccent& MathLayout(const TEqAccent& Accent) {
  return KeptMathLayout(Accent, [&] { return MathAccent(Accent); });
}
}  // namespace

int TEqAccent::SlotTop() const {
  if (MathFontOf(*this)) return MathLayout(*this).Baseline - Slot(0)->MathBaseline();
  // The slot's line box has room above its letters: the mark reaches into it.
  const int Above = TMarks::AccentHeight(FKindAccent, Font().Size());
  return Above - qMin(Font().Size() / 5, Above / 2);
}

int TEqAccent::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return SlotTop() + Slot(0)->Height();
}

int TEqAccent::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  const int Beside = TMarks::AccentWidth(FKindAccent, Font().Size());
  const TEditArea* Body = Slot(0);
  if (Beside == 0) return Body->Width();
  // Primes follow the content closely, into the slot's own room at its end if need be.
  const QRect Span = ContentSpan();
  return qMax(Body->Width(), Span.left() + Span.width() + Beside);
}

int TEqAccent::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathAccent& A = MathLayout(*this);
    return A.Baseline - A.Axis;
  }
  return SlotTop() + Slot(0)->Height() / 2;
}

void TEqAccent::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Body = Slot(0);
  RefreshEA(Body, 1.0, ssSame, true);
  Body->SetIndexInParent(0);
  Body->SetLeft(MathFontOf(*this) ? MathLayout(*this).SlotLeft : 0);
  Body->SetTop(SlotTop());
  GetParent()->RefreshEquations();
}

QRect TEqAccent::ContentSpan() const {
  const TEditArea* Body = Slot(0);
  const QRect Whole(Body->Left(), Body->Top(), Body->Width(), Body->Height());
  if (Body->Count() == 0) return Whole;
  // Each element follows a caret-wide gap; the last ends where the run's width ends.
  const int Left = TEACursor::CaretWidth;
  const int Right = Body->CalcWidth(Body->Count());
  return QRect(Body->Left() + Left, Whole.top(), Right - Left, Whole.height());
}

QRect TEqAccent::MarkRoom() const {
  const int FS = Font().Size();
  const QRect Span = ContentSpan();
  if (const int Beside = TMarks::AccentWidth(FKindAccent, FS))
    return QRect(Span.left() + Span.width(), Span.top(), Beside, FS / 2);
  if (const int Above = TMarks::AccentHeight(FKindAccent, FS)) return QRect(Span.left(), 0, Span.width(), Above);
  // Across the content, clear of the slot's top and bottom margins.
  return Span.adjusted(0, Span.height() / 5, 0, -Span.height() / 5);
}

void TEqAccent::Paint() { PaintBackground(); }

void TEqAccent::PaintOver() {
  if (MathFontOf(*this)) {
    const TMathAccent& A = MathLayout(*this);
    if (!A.Mark.Empty()) {
      SetCanvasFont();
      Canvas().GlyphsOut(A.Origin, A.Mark, A.MarkEm);
      return;
    }
    // Strokes take the font's rule.
    const TMathStyle Style(*this);
    TMarks(Canvas(), Font().Color, Style.RuleThickness()).Accent(FKindAccent, A.Room, Font().Size());
    return;
  }
  TMarks(Canvas(), Font().Color, Thickness()).Accent(FKindAccent, MarkRoom(), Font().Size());
}
