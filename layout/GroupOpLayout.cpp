// Big operators: the sign column, the band that holds the signs and the operand, limits
// centred over the signs, indices to their right. In the Math style the sign is the
// font's display variant in a line and its text size in smaller levels, centred on the
// axis; limits and indices are placed by the font's limit and script constants and the
// operand follows on the run's baseline.

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/GroupOp.h"

namespace {
// Limits and indices are set at this fraction of the operator's size.
constexpr double LimitFactor = 0.8;
constexpr TGroupOption SlotOrder[] = {goLimitTop, goLimitBottom, goIndexTop, goIndexBottom};
}  // namespace

namespace {
// The single sign the math font has for an operator drawn Size times (with a ring).
char32_t MathSign(char16_t Symbol, int Size, bool Ring) {
  if (Symbol == u'\u222B') {
    static constexpr char32_t Integrals[2][3] = {{U'\u222B', U'\u222C', U'\u222D'},
                                                 {U'\u222E', U'\u222F', U'\u2230'}};
    return Integrals[Ring ? 1 : 0][std::clamp(Size, 1, 3) - 1];
  }
  if (Symbol == u'\u2229') return U'\u22C2';
  if (Symbol == u'U' || Symbol == u'\u222A') return U'\u22C3';
  if (Symbol == u'\u0426') return U'\u2210';
  return Symbol;
}
}  // namespace

// An operator in the Math style, every place relative to the element's top-left corner.
struct TEqGroupOp::TMathOperator {
  TMathGlyphs Sign;
  int Copies = 1;
  int Step = 0;
  int SignLeft = 0;
  int SignOrigin = 0;
  int Baseline = 0;
  int Width = 0;
  int Height = 0;
  int OperandLeft = 0;
  QPoint Places[4];  // top-left of each option's slot, in SlotOrder
};

TEqGroupOp::TMathOperator TEqGroupOp::MathOperator() const {
  const TMathStyle Style(*this);
  const TMathFont& Math = Style.Font();
  using C = TMathConstant;
  TMathOperator Op;
  quint32 Glyph = Math.Glyph(MathSign(FSymbol, FSize, FRing));
  const bool Joined = Glyph && MathSign(FSymbol, FSize, FRing) != FSymbol;
  if (!Joined) Glyph = Math.Glyph(FSymbol);
  Op.Copies = Joined ? 1 : FSize;
  Op.Sign = Math.Single(Glyph, Style.Em());
  // In display, the smallest variant of at least the font's display height, as TeX takes.
  if (MathLevel() == mlDisplay)
    Op.Sign = Math.Stretched(Glyph, Style(C::DisplayOperatorMinHeight), false, Style.Em());
  // The sign is centred on the axis.
  const int Shift = static_cast<int>(std::lround(-Style.Axis() - Op.Sign.Ink.center().y()));
  const TMathBox Box = GlyphBox(Op.Sign);
  Op.Step = Box.Width;
  const TMathBox Sign{Box.Width * Op.Copies, Box.Ascent - Shift, Box.Descent + Shift};
  const int Italic = Op.Sign.Empty() ? 0 : static_cast<int>(std::lround(Math.ItalicCorrection(Op.Sign.Glyphs[0], Style.Em())));
  TEditArea* LimitTop = OptionArea(goLimitTop);
  TEditArea* LimitBottom = OptionArea(goLimitBottom);
  TEditArea* IndexTop = OptionArea(goIndexTop);
  TEditArea* IndexBottom = OptionArea(goIndexBottom);
  // Baselines relative to the operator's baseline, and lefts relative to the column.
  int Above = Sign.Ascent;
  int Below = Sign.Descent;
  // Room for the limits, moved apart by the slant.
  int Column = Sign.Width;
  for (TEditArea* Area : {LimitTop, LimitBottom})
    if (Area) Column = qMax(Column, Area->Width() + Italic);
  int Rel[4] = {0, 0, 0, 0};
  if (LimitTop) {
    const TMathBox Limit = SlotBox(LimitTop);
    Rel[0] = -(Sign.Ascent + LimitShift(Style, Limit, true));
    Above = qMax(Above, -Rel[0] + Limit.Ascent);
  }
  if (LimitBottom) {
    const TMathBox Limit = SlotBox(LimitBottom);
    Rel[1] = Sign.Descent + LimitShift(Style, Limit, false);
    Below = qMax(Below, Rel[1] + Limit.Descent);
  }
  const TMathScripts Shifts = ScriptShifts(Style, Sign, false, IndexTop, IndexBottom, GetParent()->MathCramped());
  const TMathBox Reach = Shifts.Reach(IndexTop, IndexBottom);
  Above = qMax(Above, Reach.Ascent);
  Below = qMax(Below, Reach.Descent);
  Rel[2] = -Shifts.Up;
  Rel[3] = Shifts.Down;
  // The subscript is moved left by the slant, under the sign's foot, as TeX places it.
  int Indices = 0;
  if (IndexTop) Indices = IndexTop->Width();
  if (IndexBottom) Indices = qMax(Indices, IndexBottom->Width() - Italic);
  if (IndexTop || IndexBottom) Indices += Style(C::SpaceAfterScript);
  const TEditArea* Operand = Slot(0);
  Above = qMax(Above, Operand->MathBaseline());
  Below = qMax(Below, Operand->Height() - Operand->MathBaseline());
  Op.Baseline = Above;
  Op.Height = Above + Below;
  Op.SignLeft = (Column - Sign.Width) / 2;
  Op.SignOrigin = Op.Baseline + Shift;
  // Spaced from the operand as from what it begins with (nothing before an opening).
  const TMathAtom First = Operand->Count() ? Operand->Item(0)->MathAtom() : maOrd;
  Op.OperandLeft = Column + Indices + Style.Space(maOp, First == maBin || First == maScript ? maOrd : First, MathLevel());
  Op.Width = Op.OperandLeft + Operand->Width();
  // An integral's slant moves the upper limit right and the lower one left.
  auto Place = [&](int Index, const TEditArea* Area, int Left) {
    if (Area) Op.Places[Index] = QPoint(Left, Op.Baseline + Rel[Index] - Area->MathBaseline());
  };
  if (LimitTop) Place(0, LimitTop, (Column - LimitTop->Width() + Italic) / 2);
  if (LimitBottom) Place(1, LimitBottom, (Column - LimitBottom->Width() - Italic) / 2);
  const int IndexLeft = LimitTop || LimitBottom ? Column : Op.SignLeft + Sign.Width;
  Place(2, IndexTop, IndexLeft);
  Place(3, IndexBottom, IndexLeft - Italic);
  return Op;
}

TEditArea* TEqGroupOp::OptionArea(TGroupOption Option) const {
  if (!FGroupOptions.Contains(Option)) return nullptr;
  switch (Option) {
    case goLimitTop: return FLimitTopArea;
    case goLimitBottom: return FLimitBottomArea;
    case goIndexTop: return FIndexTopArea;
    case goIndexBottom: return FIndexBottomArea;
  }
  return nullptr;
}

QRect TEqGroupOp::SymbolInk() const {
  const QFont& Current = Font();
  if (!FInkKnown || FInkSymbol != FSymbol || !(FInkFont == Current)) {
    const QFontMetrics Metrics(Current);
    FInk = Metrics.boundingRect(QChar(FSymbol)).translated(0, Metrics.ascent());
    FInkFont = Current;
    FInkSymbol = FSymbol;
    FInkKnown = true;
  }
  return FInk;
}

QSize TEqGroupOp::SymbolExtent() const {
  SetCanvasFont();
  const QSize Extent = Canvas().TextExtentW(FSymbol);
  const QRect Ink = SymbolInk();
  const QPoint Shift = SymbolShift();
  return QSize(qMax(Extent.width(), Ink.right() + 1) + Shift.x(),
               qMax(Extent.height(), Ink.bottom() + 1) + Shift.y());
}

QPoint TEqGroupOp::SymbolShift() const {
  const QRect Ink = SymbolInk();
  return QPoint(qMax(0, -Ink.left()), qMax(0, -Ink.top()));
}

int TEqGroupOp::CalcSymbolWidth() const { return FSize * (SymbolExtent().width() + 1); }

int TEqGroupOp::CalcSymbolHeight() const { return SymbolExtent().height(); }

int TEqGroupOp::GetCommonHeight() const {
  return qMax(CalcSymbolHeight(), Slot(0)->Height());
}

int TEqGroupOp::GetTopMargin() const {
  if (const TEditArea* Limit = OptionArea(goLimitTop)) return Limit->Height();
  if (const TEditArea* Index = OptionArea(goIndexTop)) return Index->Height() / 2;
  return 0;
}

int TEqGroupOp::GetCommonWidth() const {
  int Widest = 0;
  auto Widen = [&](TGroupOption Option) {
    if (const TEditArea* Area = OptionArea(Option)) Widest = qMax(Widest, Area->Width());
  };
  int Result = CalcSymbolWidth();
  if (FGroupOptions.Contains(goLimitTop) || FGroupOptions.Contains(goLimitBottom)) {
    Widen(goLimitTop);
    Widen(goLimitBottom);
    Result = qMax(Result, Widest);
  }
  if (!FGroupOptions.Contains(goIndexTop) && !FGroupOptions.Contains(goIndexBottom)) return Result;
  // Indices stand right of the signs; with limits as well, the widest limit counts too.
  Widen(goIndexTop);
  Widen(goIndexBottom);
  return Result + Widest;
}

const TEqGroupOp::TMathOperator& TEqGroupOp::KeptOperator() const {
  return KeptMathLayout(*this, [this] { return MathOperator(); });
}

int TEqGroupOp::CalcWidth() const {
  if (MathFontOf(*this)) return KeptOperator().Width;
  return Slot(0)->Width() + GetCommonWidth();
}

TMathAtom TEqGroupOp::MathAtom() const { return maOp; }

int TEqGroupOp::CalcHeight() const {
  if (MathFontOf(*this)) return KeptOperator().Height;
  int Result = GetTopMargin() + GetCommonHeight();
  // The lower index hangs below the band by the part of it not inside the band.
  if (const TEditArea* Index = OptionArea(goIndexBottom))
    Result += Index->Height() - Index->Height() / 2;
  if (const TEditArea* Limit = OptionArea(goLimitBottom)) Result += Limit->Height();
  return Result;
}

int TEqGroupOp::GetMidLine() const {
  if (MathFontOf(*this)) return KeptOperator().Baseline - TMathStyle(*this).Axis();
  return GetTopMargin() + GetCommonHeight() / 2;
}

void TEqGroupOp::RefreshSlot(TEditArea* Area, double Factor) {
  const bool Below = Area == OptionArea(goLimitBottom) || Area == OptionArea(goIndexBottom);
  RefreshEA(Area, Factor, Area == Slot(0) ? ssSame : ssScript, Below);
  Area->SetIndexInParent(EditAreaList()->IndexOf(Area));
}

void TEqGroupOp::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  for (TGroupOption Option : SlotOrder)
    if (TEditArea* Area = OptionArea(Option)) RefreshSlot(Area, LimitFactor);
  if (MathFontOf(*this)) {
    RefreshSlot(Slot(0), 1.0);
    const TMathOperator& Op = KeptOperator();
    for (int I = 0; I < 4; ++I)
      if (TEditArea* Area = OptionArea(SlotOrder[I])) {
        Area->SetLeft(Op.Places[I].x());
        Area->SetTop(Op.Places[I].y());
      }
    Slot(0)->SetLeft(Op.OperandLeft);
    Slot(0)->SetTop(Op.Baseline - Slot(0)->MathBaseline());
    GetParent()->RefreshEquations();
    return;
  }
  const int CW = GetCommonWidth();
  TEditArea* Operand = Slot(0);
  RefreshSlot(Operand, 1.0);
  const int CH = GetCommonHeight();
  const int TM = GetTopMargin();
  const int SW = CalcSymbolWidth();
  if (TEditArea* Limit = OptionArea(goLimitTop)) {
    Limit->SetTop(0);
    Limit->SetLeft((CW - Limit->Width()) / 2);
  }
  if (TEditArea* Index = OptionArea(goIndexTop)) {
    Index->SetTop(0);
    Index->SetLeft(SW);
  }
  if (TEditArea* Limit = OptionArea(goLimitBottom)) {
    Limit->SetTop(CH + TM);
    Limit->SetLeft((CW - Limit->Width()) / 2);
  }
  if (TEditArea* Index = OptionArea(goIndexBottom)) {
    Index->SetTop(CH + TM - Index->Height() / 2);
    Index->SetLeft(SW);
  }
  Operand->SetLeft(CW);
  Operand->SetTop((CH - Operand->Height()) / 2 + TM);
  GetParent()->RefreshEquations();
}

void TEqGroupOp::Paint() {
  if (MathFontOf(*this)) {
    PaintBackground();
    const TMathOperator& Op = KeptOperator();
    for (int I = 0; I < Op.Copies; ++I)
      Canvas().GlyphsOut(QPointF(Op.SignLeft + I * Op.Step, Op.SignOrigin), Op.Sign, MathEm(Font()));
    return;
  }
  const QSize Extent = SymbolExtent();
  const int Step = Extent.width() + 1;
  const int SW = FSize * Step;
  int Dx = 0;
  if (FGroupOptions.Contains(goLimitTop) || FGroupOptions.Contains(goLimitBottom))
    Dx = (GetCommonWidth() - SW) / 2;
  if (FGroupOptions.Contains(goIndexTop) || FGroupOptions.Contains(goIndexBottom)) Dx = 0;
  const int Y = (GetCommonHeight() - Extent.height()) / 2 + GetTopMargin();
  PaintBackground();
  TCanvas& C = Canvas();
  const QPoint Shift = SymbolShift();
  for (int I = 0; I < FSize; ++I) C.TextOutW(Dx + I * Step + Shift.x(), Y + Shift.y(), FSymbol);
  if (!FRing) return;
  const int FS = Font().Size();
  const int Middle = Y + Extent.height() / 2;
  C.Pen.Style = psSolid;
  C.Pen.Width = FS / 15;
  C.Pen.Color = Font().Color;
  C.Brush.SetStyle(bsClear);
  C.Ellipse(Dx, Middle - FS / 3, Dx + SW, Middle + FS / 3);
}
