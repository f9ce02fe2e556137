// The fraction: numerator over denominator, Gap apart, both centred; the bar between. In
// the Math style the bar lies on the axis, the parts shifted and kept clear of it as the
// font's fraction constants say.

#include <cmath>

#include "layout/MathStyle.h"
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
};

TMathFraction MathFraction(const TEqDivision& Fraction) {
  const TMathStyle Style(*MathFontOf(Fraction), Fraction.Font());
  // \tfrac is a fraction in text style wherever it stands.
  const bool Display = Fraction.MathLevel() == mlDisplay && !Fraction.Small();
  using C = TMathConstant;
  const TMathBox Top = SlotBox(Fraction.Numerator());
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
  // \nulldelimiterspace, 1.2 pt of a 20-pt formula.
  F.Pad = static_cast<int>(std::lround(0.06 * Style.Em()));
  F.Width = qMax(Top.Width, Bottom.Width) + 2 * F.Pad;
  F.NumeratorBaseline = Top.Ascent;
  F.Baseline = F.NumeratorBaseline + static_cast<int>(std::lround(Up));
  F.DenominatorBaseline = F.Baseline + static_cast<int>(std::lround(Down));
  F.Height = F.DenominatorBaseline + Bottom.Descent;
  F.BarTop = F.Baseline - F.Axis - F.Thickness / 2;
  return F;
}
}  // namespace

int TEqDivision::CalcHeight() const {
  if (MathFontOf(*this)) return MathFraction(*this).Height;
  return Numerator()->Height() + Gap() + Denominator()->Height();
}

int TEqDivision::CalcWidth() const {
  if (MathFontOf(*this)) return MathFraction(*this).Width;
  return qMax(Numerator()->Width(), Denominator()->Width());
}

int TEqDivision::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathFraction F = MathFraction(*this);
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
  // A small fraction's parts are a size step further down.
  const double Factor = FSmall ? 0.7 : 1.0;
  if (MathFontOf(*this)) {
    RefreshEA(Top, Factor, FSmall ? ssScript : ssFraction);
    RefreshEA(Bottom, Factor, FSmall ? ssScript : ssFraction, true);
    const TMathFraction F = MathFraction(*this);
    Top->SetTop(F.NumeratorBaseline - Top->MathBaseline());
    Bottom->SetTop(F.DenominatorBaseline - Bottom->MathBaseline());
    Top->SetLeft((F.Width - Top->Width()) / 2);
    Bottom->SetLeft((F.Width - Bottom->Width()) / 2);
    GetParent()->RefreshEquations();
    return;
  }
  RefreshEA(Top, Factor);
  Top->SetTop(0);
  RefreshEA(Bottom, Factor);
  Bottom->SetTop(Top->Height() + Gap());
  // Centred only once both are measured, so either may be the wider one.
  const int Width = CalcWidth();
  Top->SetLeft((Width - Top->Width()) / 2);
  Bottom->SetLeft((Width - Bottom->Width()) / 2);
  GetParent()->RefreshEquations();
}

void TEqDivision::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathFraction F = MathFraction(*this);
    TCanvas& C = Canvas();
    C.Brush.SetColor(Font().Color);
    C.Rectangle(F.Pad, F.BarTop, F.Width - F.Pad, F.BarTop + F.Thickness);
    C.Brush.SetColor(BkColor());
    return;
  }
  PaintBar(GetMidLine());
}
