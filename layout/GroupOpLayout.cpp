// Big operators: the sign column, the band that holds the signs and the operand, limits
// centred over the signs, indices to their right.

#include <QFontMetrics>

#include "model/EditArea.h"
#include "model/GroupOp.h"

namespace {
// Limits and indices are set at this fraction of the operator's size.
constexpr double LimitFactor = 0.8;
constexpr TGroupOption SlotOrder[] = {goLimitTop, goLimitBottom, goIndexTop, goIndexBottom};
}  // namespace

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

int TEqGroupOp::CalcWidth() const { return Slot(0)->Width() + GetCommonWidth(); }

int TEqGroupOp::CalcHeight() const {
  int Result = GetTopMargin() + GetCommonHeight();
  // The lower index hangs below the band by the part of it not inside the band.
  if (const TEditArea* Index = OptionArea(goIndexBottom))
    Result += Index->Height() - Index->Height() / 2;
  if (const TEditArea* Limit = OptionArea(goLimitBottom)) Result += Limit->Height();
  return Result;
}

int TEqGroupOp::GetMidLine() const { return GetTopMargin() + GetCommonHeight() / 2; }

void TEqGroupOp::RefreshSlot(TEditArea* Area, double Factor) {
  RefreshEA(Area, Factor);
  Area->SetIndexInParent(EditAreaList()->IndexOf(Area));
}

void TEqGroupOp::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  for (TGroupOption Option : SlotOrder)
    if (TEditArea* Area = OptionArea(Option)) RefreshSlot(Area, LimitFactor);
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
