// The slanted fraction: numerator up left, a stroke rising across the element's height,
// denominator down right. In the Math style the numerator is raised as a superscript and
// the denominator lowered as a subscript, and the font's slash grows over both.

#include <algorithm>
#include <cmath>

#include "layout/Marks.h"
#include "layout/MathStyle.h"
#include "model/Division.h"
#include "model/EditArea.h"

namespace {
// A slanted fraction in the Math style, places relative to the element's top-left corner.
struct TMathSlash {
  TMathGlyphs Slash;
  QPointF SlashOrigin;
  int NumeratorTop = 0, DenominatorLeft = 0, DenominatorTop = 0;
  int Width = 0, Height = 0, Baseline = 0, Axis = 0;
};

TMathSlash MathSlash(const TEqSlashDivision& Fraction) {
  const TMathStyle Style(Fraction);
  const TMathBox Top = SlotBox(Fraction.Numerator());
  const TMathBox Bottom = SlotBox(Fraction.Denominator());
  TMathSlash S;
  S.Axis = Style.Axis();
  const int Up = ScriptShifts(Style, {}, true, Fraction.Numerator(), nullptr, false).Up;
  const int Down = ScriptShifts(Style, {}, true, nullptr, Fraction.Denominator(), false).Down;
  // Relative to the baseline first.
  const int Above = qMax(Up + Top.Ascent, Bottom.Ascent - Down);
  const int Below = qMax(Down + Bottom.Descent, Top.Descent - Up);
  int Shift = 0;
  S.Slash = Style.Delimiter(U'/', Above, Below, Shift);
  const TMathBox Slash = GlyphBox(S.Slash);
  const int Ascent = std::max({Above, Slash.Ascent - Shift});
  const int Descent = std::max({Below, Slash.Descent + Shift});
  S.Baseline = Ascent;
  S.Height = Ascent + Descent;
  S.NumeratorTop = Ascent - Up - Top.Ascent;
  S.SlashOrigin = QPointF(Top.Width, Ascent + Shift);
  S.DenominatorLeft = Top.Width + Slash.Width;
  S.DenominatorTop = Ascent + Down - Bottom.Ascent;
  S.Width = S.DenominatorLeft + Bottom.Width;
  return S;
}

const TMathSlash& MathLayout(const TEqSlashDivision& Fraction) {
  return KeptMathLayout(Fraction, [&] { return MathSlash(Fraction); });
}
}  // namespace

int TEqSlashDivision::SlashWidth() const { return qMax(Font().Size() * 2 / 5, 4); }

int TEqSlashDivision::DenominatorTop() const { return Numerator()->Height() * 2 / 3; }

int TEqSlashDivision::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return qMax(Numerator()->Height(), DenominatorTop() + Denominator()->Height());
}

int TEqSlashDivision::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return Numerator()->Width() + SlashWidth() + Denominator()->Width();
}

int TEqSlashDivision::GetMidLine() const {
  if (!MathFontOf(*this)) return TEqFractionParts::GetMidLine();
  const TMathSlash& S = MathLayout(*this);
  return S.Baseline - S.Axis;
}

void TEqSlashDivision::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  RefreshMetrics();
  RefreshEA(Numerator(), 1.0);
  Numerator()->SetIndexInParent(0);
  RefreshEA(Denominator(), 1.0);
  Denominator()->SetIndexInParent(1);
  if (MathFontOf(*this)) {
    const TMathSlash& S = MathLayout(*this);
    Numerator()->SetLeft(0);
    Numerator()->SetTop(S.NumeratorTop);
    Denominator()->SetLeft(S.DenominatorLeft);
    Denominator()->SetTop(S.DenominatorTop);
    GetParent()->RefreshEquations();
    return;
  }
  Numerator()->SetLeft(0);
  Numerator()->SetTop(0);
  Denominator()->SetLeft(Numerator()->Width() + SlashWidth());
  Denominator()->SetTop(DenominatorTop());
  GetParent()->RefreshEquations();
}

void TEqSlashDivision::Paint() {
  PaintBackground();
  if (MathFontOf(*this)) {
    const TMathSlash& S = MathLayout(*this);
    Canvas().GlyphsOut(S.SlashOrigin, S.Slash, MathEm(Font()));
    return;
  }
  const int Left = Numerator()->Width();
  TMarks Marks(Canvas(), Font().Color, Thickness());
  Marks.Stroke({QPoint(Left + 1, Height() - 2), QPoint(Left + SlashWidth() - 1, 1)});
}
