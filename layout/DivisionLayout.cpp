// The fraction: numerator over denominator, Gap apart, both centred; the bar between. In
// the Math style the bar lies on the axis, the parts shifted and kept clear of it as the
// font's fraction constants say.

#include <cmath>

#include "layout/MathStyle.h"
#include "model/Binomial.h"
#include "model/Division.h"
#include "model/EditArea.h"

namespace {
// A fraction in the Math style: baselines of the parts below the element's top, the bar.
struct TMathFraction {
  int Width = 0;
  int Pad = 0;
  int NumeratorBaseline = 0;
  int Baseline = 0;
  int DenominatorBaseline = 0;
  int Height = 0;
  int BarTop = 0;
  int Thickness = 0;
  int Axis = 0;
  TContinued Continued = cfNone;
  // amsmath takes a continued fraction's right null delimiter back, so that continued
  // fractions in one another end flush.
  int RightPad() const { return Continued == cfNone ? Pad : 0; }
  // Where a part of Width goes across the fraction.
  int PartLeft(int PartWidth, bool Numerator) const {
    if (Numerator && Continued == cfLeft) return Pad;
    if (Numerator && Continued == cfRight) return Width - RightPad() - PartWidth;
    return (Pad + Width - RightPad() - PartWidth) / 2;
  }
};

TMathFraction MathFraction(const TEqDivision& Fraction) {
  const TMathStyle Style(Fraction);
  // \tfrac is a fraction in text style wherever it stands, \cfrac one in display style.
  const bool Display = (Fraction.MathLevel() == mlDisplay && !Fraction.Small()) || Fraction.Continued() != cfNone;
  using C = TMathConstant;
  TMathBox Top = SlotBox(Fraction.Numerator());
  if (Fraction.Continued() != cfNone) {
    // amsmath's \cfrac puts a strut in its numerator: 0.7 and 0.3 of a 1.2 em line.
    Top.Ascent = qMax(Top.Ascent, static_cast<int>(std::lround(0.84 * Style.Em())));
    Top.Descent = qMax(Top.Descent, static_cast<int>(std::lround(0.36 * Style.Em())));
  }
  const TMathBox Bottom = SlotBox(Fraction.Denominator());
  TMathFraction F;
  F.Thickness = Style.RuleThickness();
  F.Axis = Style.Axis();
  // The shifts and gaps in the font's own units, rounded once: rounding each term had set
  // the parts a pixel or two further apart than TeX.
  const TMathFont& Font = Style.Font();
  const double Em = Style.Em();
  const double Axis = Font.Constant(C::AxisHeight, Em);
  const double HalfBar = Font.Constant(C::FractionRuleThickness, Em) / 2;
  const double Up = qMax(Font.Constant(Display ? C::FractionNumeratorDisplayStyleShiftUp : C::FractionNumeratorShiftUp, Em),
                         Axis + HalfBar + Font.Constant(Display ? C::FractionNumDisplayStyleGapMin : C::FractionNumeratorGapMin, Em) +
                             Top.Descent);
  const double Down =
      qMax(Font.Constant(Display ? C::FractionDenominatorDisplayStyleShiftDown : C::FractionDenominatorShiftDown, Em),
           Font.Constant(Display ? C::FractionDenomDisplayStyleGapMin : C::FractionDenominatorGapMin, Em) + Bottom.Ascent -
               Axis + HalfBar);
  // The null delimiters TeX puts on either side keep neighbours off the bar's ends:
  // \nulldelimiterspace, 1.2 pt. A binomial's brackets stand in their place, right beside
  // the stack.
  if (!dynamic_cast<const TEqBinomial*>(&Fraction)) F.Pad = Style.Points(1.2);
  F.Continued = Fraction.Continued();
  F.Width = qMax(Top.Width, Bottom.Width) + F.Pad + F.RightPad();
  F.NumeratorBaseline = Top.Ascent;
  F.Baseline = F.NumeratorBaseline + static_cast<int>(std::lround(Up));
  F.DenominatorBaseline = F.Baseline + static_cast<int>(std::lround(Down));
  F.Height = F.DenominatorBaseline + Bottom.Descent;
  F.BarTop = F.Baseline - F.Axis - F.Thickness / 2;
  return F;
}

const TMathFraction& MathLayout(const TEqDivision& Fraction) {
  return KeptMathLayout(Fraction, [&] { return MathFraction(Fraction); });
}
}  // namespace

int TEqDivision::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return Numerator()->Height() + Gap() + Denominator()->Height();
}

int TEqDivision::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return qMax(Numerator()->Width(), Denominator()->Width());
}

int TEqDivision::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathFraction& F = MathLayout(*this);
    return F.Baseline - F.Axis;
  }
  return Numerator()->Height() + Gap() / 2;
}

// LaTeX's \frac braces the fraction, which makes it ordinary.
TMathAtom TEqDivision::MathAtom() const { return maOrd; }

void TEqDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  TEditArea* Top = Numerator();
  TEditArea* Bottom = Denominator();
  // A small fraction's parts are a size step further down; a continued fraction's are
  // in text style, as those of amsmath's display-style \genfrac, a \frac in them small.
  const double Factor = FSmall ? 0.7 : 1.0;
  if (MathFontOf(*this)) {
    const TSlotStyle Style = FContinued != cfNone ? ssText : FSmall ? ssScript : ssFraction;
    RefreshEA(Top, Factor, Style);
    RefreshEA(Bottom, Factor, Style, true);
    const TMathFraction& F = MathLayout(*this);
    Top->SetTop(F.NumeratorBaseline - Top->MathBaseline());
    Bottom->SetTop(F.DenominatorBaseline - Bottom->MathBaseline());
    Top->SetLeft(F.PartLeft(Top->Width(), true));
    Bottom->SetLeft(F.PartLeft(Bottom->Width(), false));
    GetParent()->RefreshEquations();
    return;
  }
  RefreshEA(Top, Factor);
  Top->SetTop(0);
  RefreshEA(Bottom, Factor);
  Bottom->SetTop(Top->Height() + Gap());
  // Centred only once both are measured, so either may be the wider one.
  const int Width = CalcWidth();
  Top->SetLeft(FContinued == cfLeft ? 0 : FContinued == cfRight ? Width - Top->Width() : (Width - Top->Width()) / 2);
  Bottom->SetLeft((Width - Bottom->Width()) / 2);
  GetParent()->RefreshEquations();
}

void TEqDivision::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathFraction& F = MathLayout(*this);
    TCanvas& C = Canvas();
    C.Brush.SetColor(Font().Color);
    C.Rectangle(F.Pad, F.BarTop, F.Width - F.RightPad(), F.BarTop + F.Thickness);
    C.Brush.SetColor(BkColor());
    return;
  }
  PaintBar(GetMidLine());
}
