// Long division: [quotient over the bar] divisor, bracket, bar over the dividend. In the
// Math style the bracket is the font's, grown over the dividend; bar and gaps are the
// font's overbar's, and divisor and dividend stand on the run's baseline.

#include <algorithm>
#include <cmath>

#include "layout/Marks.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/LongDivision.h"

namespace {
int Pad(int Gap) { return qMax(Gap / 2, 1); }

// A long division in the Math style, places relative to the element's top-left corner.
struct TMathLongDivision {
  TMathGlyphs Bracket;
  QPointF BracketOrigin;
  int BarLeft = 0, BarTop = 0, Rule = 0;
  int DividendLeft = 0, Baseline = 0, QuotientTop = 0;
  int Width = 0, Height = 0, Axis = 0;
};

TMathLongDivision MathLongDivision(const TEqLongDivision& Division) {
  const TMathStyle Style(Division);
  using C = TMathConstant;
  const TMathBox Dividend = SlotBox(Division.Dividend());
  const TMathBox Divisor = SlotBox(Division.Divisor());
  TMathLongDivision L;
  L.Axis = Style.Axis();
  L.Rule = qMax(1, Style(C::OverbarRuleThickness));
  const int Gap = Style(C::OverbarVerticalGap);
  // Relative to the baseline first.
  const int BarTop = -(Dividend.Ascent + Gap + L.Rule);
  const char32_t Code = Style.Font().Glyph(U'\u27CC') ? U'\u27CC' : U')';
  int Shift = 0;
  L.Bracket = Style.Delimiter(Code, -BarTop, Dividend.Descent, Shift, TMathStyle::coWhole);
  // The bracket's top meets the bar.
  const double Top = L.Bracket.Empty() ? BarTop : BarTop - L.Bracket.Ink.top();
  const int BracketBottom = static_cast<int>(std::ceil(Top + L.Bracket.Ink.bottom()));
  int Ascent = std::max({Divisor.Ascent, -BarTop + Style(C::OverbarExtraAscender)});
  int QuotientBaseline = 0;
  const TEditArea* Quotient = Division.Quotient();
  if (Quotient) {
    const TMathBox Q = SlotBox(Quotient);
    QuotientBaseline = BarTop - Gap - Q.Descent;
    Ascent = qMax(Ascent, Q.Ascent - QuotientBaseline);
  }
  const int Descent = std::max({Divisor.Descent, Dividend.Descent, BracketBottom});
  L.Baseline = Ascent;
  L.Height = Ascent + Descent;
  L.BracketOrigin = QPointF(Divisor.Width, Ascent + Top);
  L.BarLeft = Divisor.Width + static_cast<int>(std::floor(L.Bracket.Empty() ? 0 : L.Bracket.Ink.left()));
  L.BarTop = Ascent + BarTop;
  L.DividendLeft = Divisor.Width + static_cast<int>(std::ceil(L.Bracket.Advance));
  if (Quotient) L.QuotientTop = Ascent + QuotientBaseline - Quotient->MathBaseline();
  L.Width = L.DividendLeft + qMax(Dividend.Width, Quotient ? Quotient->Width() : 0);
  return L;
}

const TMathLongDivision& MathLayout(const TEqLongDivision& Division) {
  return KeptMathLayout(Division, [&] { return MathLongDivision(Division); });
}
}  // namespace

int TEqLongDivision::BarTop() const {
  const TEditArea* Q = Quotient();
  return Q ? Q->Height() + Pad(Gap()) : 0;
}

int TEqLongDivision::BandTop() const { return BarTop() + qMax(Thickness(), 1) + Pad(Gap()); }

int TEqLongDivision::BandHeight() const { return qMax(Dividend()->Height(), Divisor()->Height()); }

int TEqLongDivision::DividendLeft() const {
  return Divisor()->Width() + TMarks::DivisionBracketWidth(Font().Size()) + Pad(Gap());
}

int TEqLongDivision::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return BandTop() + BandHeight() + 1;
}

int TEqLongDivision::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  const TEditArea* Q = Quotient();
  return DividendLeft() + qMax(Dividend()->Width(), Q ? Q->Width() : 0) + Pad(Gap());
}

int TEqLongDivision::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathLongDivision& L = MathLayout(*this);
    return L.Baseline - L.Axis;
  }
  return BandTop() + BandHeight() / 2;
}

void TEqLongDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), 1.0);
    Slot(I)->SetIndexInParent(I);
  }
  if (MathFontOf(*this)) {
    const TMathLongDivision& L = MathLayout(*this);
    Divisor()->SetLeft(0);
    Divisor()->SetTop(L.Baseline - Divisor()->MathBaseline());
    Dividend()->SetLeft(L.DividendLeft);
    Dividend()->SetTop(L.Baseline - Dividend()->MathBaseline());
    if (TEditArea* Q = Quotient()) {
      Q->SetLeft(L.DividendLeft);
      Q->SetTop(L.QuotientTop);
    }
    GetParent()->RefreshEquations();
    return;
  }
  const int Band = BandHeight();
  Divisor()->SetLeft(0);
  Divisor()->SetTop(BandTop() + (Band - Divisor()->Height()) / 2);
  Dividend()->SetLeft(DividendLeft());
  Dividend()->SetTop(BandTop() + (Band - Dividend()->Height()) / 2);
  if (TEditArea* Q = Quotient()) {
    Q->SetLeft(DividendLeft());
    Q->SetTop(0);
  }
  GetParent()->RefreshEquations();
}

void TEqLongDivision::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathLongDivision& L = MathLayout(*this);
    Canvas().GlyphsOut(L.BracketOrigin, L.Bracket, MathEm(Font()));
    TMarks(Canvas(), Font().Color, L.Rule).Bar(L.BarLeft, Width(), L.BarTop);
    return;
  }
  TMarks Marks(Canvas(), Font().Color, Thickness());
  const int Left = Divisor()->Width();
  Marks.DivisionBracket(QRect(Left, BarTop(), TMarks::DivisionBracketWidth(Font().Size()), Height() - BarTop() - 1));
  Marks.Bar(Left, Width(), BarTop());
}
