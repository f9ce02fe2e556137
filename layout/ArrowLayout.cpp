// The labelled arrow: a shaft twice as wide as its label, heads at either end, the label
// centred above or below the shaft. In the Math style the font's arrow stretches under or
// over the label (set as a script), on the axis, the stretch stack gaps between them.

#include <cmath>

#include "layout/MathStyle.h"
#include "model/Arrows.h"
#include "model/EditArea.h"

namespace {
// Room beyond the label on the arrow, and the shortest arrow, in ems.
constexpr double ArrowOverhang = 0.5;
constexpr double ArrowMinimum = 1.0;

struct TMathArrow {
  TMathMark Mark;
  int Width = 0, Baseline = 0, Height = 0, MarkTop = 0, LabelTop = 0, Axis = 0;
};

// The width amsmath's \xrightarrow takes: its label with 5 and 9 mu of the label's style
// on either side, or the bar and the arrow overlapping by 14 mu, whichever is wider.
double ArrowBox(const TMathStyle& Style, char32_t Head, char32_t Bar, int Label, double LabelEm) {
  const TMathFont& Font = Style.Font();
  const double Natural = Font.Advance(Font.Glyph(Bar), Style.Em()) + Font.Advance(Font.Glyph(Head), Style.Em()) -
                         14 * Style.Em() / 18;
  return qMax(Label + 14 * LabelEm / 18, Natural);
}

TMathArrow MathArrow(const TEqArrow& Arrow) {
  const TMathStyle Style(Arrow);
  const TEditArea* Label = Arrow.Slot(0);
  const TMathBox Box = SlotBox(Label);
  const TKindArrow Kind = Arrow.KindArrow();
  const char32_t Head = TMathMark::ArrowCode(Kind);
  TMathArrow A;
  if (Head && Style.Font().Glyph(Head)) {
    const char32_t Bar = Kind.Contains(kaDouble) ? U'=' : U'\u2212';
    A.Mark = TMathMark::ArrowFill(Style, Kind, ArrowBox(Style, Head, Bar, Box.Width, MathEm(Label->Font())));
  } else {
    A.Mark = TMathMark::Arrow(Style, Kind,
                              qMax(Box.Width + static_cast<int>(std::lround(ArrowOverhang * Style.Em())),
                                   static_cast<int>(std::lround(ArrowMinimum * Style.Em()))));
  }
  A.Axis = Style.Axis();
  // Relative to the baseline first.
  const int MarkTop = -A.Axis - A.Mark.Height() / 2;
  int LabelBaseline;
  if (Arrow.AlignEA() == aeTop)
    LabelBaseline = MarkTop - Style(TMathConstant::StretchStackGapAboveMin) - Box.Descent;
  else
    LabelBaseline = MarkTop + A.Mark.Height() + Style(TMathConstant::StretchStackGapBelowMin) + Box.Ascent;
  const int Ascent = qMax(-MarkTop, Box.Ascent - LabelBaseline);
  const int Descent = qMax(MarkTop + A.Mark.Height(), LabelBaseline + Box.Descent);
  A.Width = qMax(A.Mark.Width(), Box.Width);
  A.Baseline = Ascent;
  A.Height = Ascent + Descent;
  A.MarkTop = Ascent + MarkTop;
  A.LabelTop = Ascent + LabelBaseline - Box.Ascent;
  return A;
}

const TMathArrow& MathLayout(const TEqArrow& Arrow) {
  return KeptMathLayout(Arrow, [&] { return MathArrow(Arrow); });
}
}  // namespace

int TEqArrow::CalcHeight() const {
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  return Slot(0)->Height() + Gap() + 7;
}

int TEqArrow::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  return 2 * Slot(0)->Width();
}

int TEqArrow::GetMidLine() const {
  if (MathFontOf(*this)) {
    const TMathArrow& A = MathLayout(*this);
    return A.Baseline - A.Axis;
  }
  return FAlignEA == aeTop ? Slot(0)->Height() + 3 : 3;
}

TMathAtom TEqArrow::MathAtom() const { return maRel; }

int TEqArrow::GetLineY() const {
  if (MathFontOf(*this)) return MathLayout(*this).MarkTop;
  return FAlignEA == aeTop ? Slot(0)->Height() + Gap() / 2 : 3;
}

void TEqArrow::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Label = Slot(0);
  RefreshEA(Label, 1.0, ssScript);
  Label->SetIndexInParent(0);
  if (MathFontOf(*this)) {
    const TMathArrow& A = MathLayout(*this);
    Label->SetLeft((A.Width - Label->Width()) / 2);
    Label->SetTop(A.LabelTop);
    GetParent()->RefreshEquations();
    return;
  }
  Label->SetLeft((CalcWidth() - Label->Width()) / 2);
  Label->SetTop(FAlignEA == aeTop ? 0 : Gap() + 4);
  GetParent()->RefreshEquations();
}

void TEqArrow::Paint() {
  if (MathFontOf(*this)) {
    PaintBackground();
    const TMathArrow& A = MathLayout(*this);
    A.Mark.Paint(Canvas(), (A.Width - A.Mark.Width()) / 2, A.MarkTop, Font().Color, MathEm(Font()));
    return;
  }
  const int Y = GetLineY();
  PaintBackground();
  PaintBar(Y);
  PaintHeads(FKindArrow, Y);
}
