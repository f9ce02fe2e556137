// The radical: [degree over the hook] sign, bar over the radicand, the radicand Gap/2 in
// from either end of the bar and Gap/2 below it. In the Math style the font's radical sign
// grows over the radicand's ink by variants and assemblies, the bar on its top, gaps, rule,
// ascender and the degree's kerns and raise from the font's radical constants.

#include <cmath>

#include "layout/Marks.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Radical.h"

namespace {
// The room between the sign and its contents, and at the bottom.
int Pad(int Gap) { return qMax(Gap / 2, 1); }

// A radical in the Math style, places relative to the element's top-left corner.
struct TMathRoot {
  TMathGlyphs Sign;
  int SignLeft = 0, SignOrigin = 0, BarTop = 0, Rule = 0;
  int RadicandLeft = 0, Baseline = 0, Width = 0, Height = 0, Axis = 0;
  QPoint DegreePlace;
};

TMathRoot MathRoot(const TEqRoot& Root) {
  const TMathStyle Style(Root);
  using C = TMathConstant;
  const TMathBox Body = SlotBox(Root.Radicand());
  TMathRoot R;
  R.Axis = Style.Axis();
  R.Rule = qMax(1, Style(C::RadicalRuleThickness));
  int Gap = Style(Root.MathLevel() == mlDisplay ? C::RadicalDisplayStyleVerticalGap : C::RadicalVerticalGap);
  const int Inner = Body.Height() + Gap + R.Rule;
  const quint32 Glyph = Style.Font().Glyph(U'\u221A');
  R.Sign = Glyph ? Style.Font().Stretched(Glyph, Inner, false, Style.Em()) : TMathGlyphs();
  const int SignHeight = static_cast<int>(std::ceil(R.Sign.Ink.height()));
  // A sign taller than needed shares the excess between the gap and below the radicand.
  if (SignHeight > Inner) Gap += (SignHeight - Inner) / 2;
  // Relative to the baseline: the sign's ink top is the bar's top.
  const int Top = -(Body.Ascent + Gap + R.Rule);
  int Ascent = -Top + Style(C::RadicalExtraAscender);
  int Descent = qMax(Body.Descent, Top + qMax(SignHeight, Inner));
  int DegreeWidth = 0;
  int DegreeBaseline = 0;
  if (const TEditArea* Degree = Root.Degree()) {
    const TMathBox D = SlotBox(Degree);
    const int Bottom = Top + qMax(SignHeight, Inner);
    DegreeBaseline = Bottom - static_cast<int>(std::lround(qMax(SignHeight, Inner) *
                                                           Style(C::RadicalDegreeBottomRaisePercent) / 100.0));
    Ascent = qMax(Ascent, D.Ascent - DegreeBaseline);
    DegreeWidth = qMax(0, Style(C::RadicalKernBeforeDegree) + D.Width + Style(C::RadicalKernAfterDegree));
    R.DegreePlace.setX(qMax(0, Style(C::RadicalKernBeforeDegree)));
  }
  R.Baseline = Ascent;
  R.Height = Ascent + Descent;
  R.SignLeft = DegreeWidth;
  R.SignOrigin = Ascent + Top - static_cast<int>(std::floor(R.Sign.Ink.top()));
  R.BarTop = Ascent + Top;
  R.RadicandLeft = R.SignLeft + static_cast<int>(std::ceil(R.Sign.Advance));
  R.Width = R.RadicandLeft + Body.Width;
  if (const TEditArea* Degree = Root.Degree()) R.DegreePlace.setY(Ascent + DegreeBaseline - Degree->MathBaseline());
  return R;
}

const TMathRoot& MathLayout(const TEqRoot& Root) {
  return KeptMathLayout(Root, [&] { return MathRoot(Root); });
}
}  // namespace

int TEqRoot::SignWidth() const {
  return TMarks::RadicalWidth(Font().Size(), Radicand()->Height());
}

int TEqRoot::SignLeft() const {
  // The degree ends over the hook's foot.
  const TEditArea* D = Degree();
  return D ? qMax(0, D->Width() - Font().Size() / 4) : 0;
}

int TEqRoot::DegreeRaise() const {
  // The degree's foot: half way up the sign, or on the hook where that is higher.
  const int SignHeight = qMax(Thickness(), 1) + Pad(Gap()) + Radicand()->Height();
  return qMin(SignHeight - TMarks::RadicalHook(Font().Size(), SignHeight), SignHeight / 2);
}

int TEqRoot::BarTop() const {
  const TEditArea* D = Degree();
  return D ? qMax(0, D->Height() + 1 - DegreeRaise()) : 0;
}

int TEqRoot::RadicandTop() const { return BarTop() + qMax(Thickness(), 1) + Pad(Gap()); }

int TEqRoot::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return RadicandTop() + Radicand()->Height() + 1;
}

int TEqRoot::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return SignLeft() + SignWidth() + Radicand()->Width() + 2 * Pad(Gap());
}

int TEqRoot::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathRoot& R = MathLayout(*this);
    return R.Baseline - R.Axis;
  }
  return RadicandTop() + Radicand()->Height() / 2;
}

void TEqRoot::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  TEditArea* Body = Radicand();
  RefreshEA(Body, 1.0, ssSame, true);
  Body->SetIndexInParent(0);
  if (TEditArea* D = Degree()) {
    // TeX sets the degree in scriptscript style.
    RefreshEA(D, 0.5, ssScriptScript);
    D->SetIndexInParent(1);
  }
  if (MathFontOf(*this)) {
    const TMathRoot& R = MathLayout(*this);
    Body->SetLeft(R.RadicandLeft);
    Body->SetTop(R.Baseline - Body->MathBaseline());
    if (TEditArea* D = Degree()) {
      D->SetLeft(R.DegreePlace.x());
      D->SetTop(R.DegreePlace.y());
    }
    GetParent()->RefreshEquations();
    return;
  }
  // The bar's height depends on the degree, the degree's place on the radicand.
  Body->SetLeft(SignLeft() + SignWidth() + Pad(Gap()));
  Body->SetTop(RadicandTop());
  if (TEditArea* D = Degree()) {
    D->SetLeft(0);
    D->SetTop(BarTop() + DegreeRaise() - 1 - D->Height());
  }
  GetParent()->RefreshEquations();
}

void TEqRoot::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathRoot& R = MathLayout(*this);
    Canvas().GlyphsOut(QPointF(R.SignLeft, R.SignOrigin), R.Sign, MathEm(Font()));
    TMarks(Canvas(), Font().Color, R.Rule).Bar(R.RadicandLeft, Width(), R.BarTop);
    return;
  }
  TMarks Marks(Canvas(), Font().Color, Thickness());
  const int Left = SignLeft();
  const int Bottom = Height() - 2;
  Marks.Radical(QRect(QPoint(Left, BarTop()), QPoint(Left + SignWidth() - 1, Bottom)), Font().Size());
  Marks.Bar(Left + SignWidth(), Width(), BarTop());
}
