// Soft wrapping of a line: the run is placed in one row as usual, then cut into rows at
// its top-level operators, each row after the first moved down and indented. A break
// prefers the last relation that fits (unless it would leave its row less than half
// full), then the last binary operator; a piece wider than the width with no operator in
// it stays whole. Elements keep their sizes and order, so
// the caret, the selection and Data see the same run.

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "editor/EACursor.h"
#include "layout/FontLevels.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/Symbols.h"

namespace {
// The room between shown rows, and the indent of a continuation.
int RowGap(int FS) { return qMax(2, FS / 3); }
int Indent(int FS) { return 2 * FS; }
// The room between a repeated operator and the row it begins.
int RepeatGap(int FS) { return TEACursor::CaretWidth + FS / 6; }

// Typed brackets: a break never falls between a pair.
int BracketStep(const TEquation* Element) {
  const auto* Simple = dynamic_cast<const TEqSimple*>(Element);
  if (!Simple) return 0;
  switch (Simple->Character()) {
    case U'(': case U'[': case U'{': return 1;
    case U')': case U']': case U'}': return -1;
    default: return 0;
  }
}

struct TBreak {
  int Start;     // the first element of the next row
  int Operator;  // the operator at the break
  bool Relation;
};
}  // namespace

void TEditArea::SetWrap(int Width, TWrapBreak Break) {
  Width = qMax(0, Width);
  if (Width == FWrapWidth && Break == FWrapBreak) return;
  FWrapWidth = Width;
  FWrapBreak = Break;
  LayoutChanged();
}

int TEditArea::RowOf(int Index) const {
  return static_cast<int>(std::upper_bound(FRowStarts.begin(), FRowStarts.end(), Index) - FRowStarts.begin());
}

QPoint TEditArea::RowShift(int Row) const {
  return Row >= 0 && Row < static_cast<int>(FRowShifts.size()) ? FRowShifts[Row] : QPoint();
}

int TEditArea::NearestInRow(int Row, int X) const {
  Row = qBound(0, Row, RowCount() - 1);
  const int First = Row == 0 ? 0 : FRowStarts[Row - 1];
  // The end of a row that is not the last is the next row's start.
  const int Last = Row + 1 < RowCount() ? FRowStarts[Row] - 1 : Count();
  int Index = First;
  while (Index < Last && X > Item(Index)->Left() + Item(Index)->Width() / 2) ++Index;
  return Index;
}

void TEditArea::ApplyRows() {
  FRowStarts.clear();
  FRowShifts.assign(1, QPoint());
  FRowHeight = Height();
  FRunWidth = Width();
  if (FWrapWidth <= 0 || Width() <= FWrapWidth || Count() < 2) return;
  std::vector<TBreak> Breaks;
  int Depth = 0;
  TMathAtom Before = maOpen;
  for (int I = 0; I < Count(); ++I) {
    const TEquation* Element = Item(I);
    Depth = qMax(0, Depth + BracketStep(Element));
    const TMathAtom Atom = Element->MathAtom();
    // A sign with nothing to combine on its left is no binary operator.
    const bool Binary = Atom == maBin && Before != maBin && Before != maRel && Before != maOpen &&
                        Before != maPunct && Before != maOp;
    if (Depth == 0 && I > 0 && I + 1 < Count() && (Atom == maRel || Binary))
      Breaks.push_back({FWrapBreak == wbBefore ? I : I + 1, I, Atom == maRel});
    if (Atom != maScript) Before = Atom;
  }
  const int FS = Font().Size();
  const qint64 Start = Item(0)->Left();
  const qint64 Trail = Width() - (qint64{Item(Count() - 1)->Left()} + Item(Count() - 1)->Width());
  const auto Span = [this](int First, int End) {
    return qint64{Item(End - 1)->Left()} + Item(End - 1)->Width() - Item(First)->Left();
  };
  std::vector<qint64> Leads{0};
  int First = 0;
  std::size_t Next = 0;
  while (Start + Leads.back() + Span(First, Count()) + Trail > FWrapWidth) {
    int Relation = -1, Binary = -1, Overflow = -1;
    for (std::size_t B = Next; B < Breaks.size(); ++B) {
      if (Start + Leads.back() + Span(First, Breaks[B].Start) + Trail > FWrapWidth) {
        Overflow = static_cast<int>(B);
        break;
      }
      (Breaks[B].Relation ? Relation : Binary) = static_cast<int>(B);
    }
    // A relation that would leave its row less than half full gives way to an operator.
    if (Relation >= 0 && Binary > Relation &&
        2 * (Start + Leads.back() + Span(First, Breaks[Relation].Start)) < FWrapWidth)
      Relation = -1;
    const int Chosen = Relation >= 0 ? Relation : Binary >= 0 ? Binary : Overflow;
    if (Chosen < 0) break;
    const TBreak& Break = Breaks[Chosen];
    First = Break.Start;
    Next = Chosen + 1;
    FRowStarts.push_back(First);
    Leads.push_back(Indent(FS) + (FWrapBreak == wbRepeated ? Item(Break.Operator)->Width() + RepeatGap(FS) : 0));
  }
  if (FRowStarts.empty()) return;
  const int Step = FRowHeight + RowGap(FS);
  qint64 Widest = 0;
  for (int R = 0; R < RowCount(); ++R) {
    const int From = R == 0 ? 0 : FRowStarts[R - 1];
    const int End = R + 1 < RowCount() ? FRowStarts[R] : Count();
    const QPoint Shift(ClampCoordinate(Start + Leads[R] - Item(From)->Left()), R * Step);
    if (R > 0) FRowShifts.push_back(Shift);
    for (int I = From; I < End; ++I) {
      TEquation* Element = Item(I);
      Element->SetLeft(ClampCoordinate(qint64{Element->Left()} + Shift.x()));
      Element->SetTop(ClampCoordinate(qint64{Element->Top()} + Shift.y()));
    }
    Widest = qMax(Widest, qint64{Item(End - 1)->Left()} + Item(End - 1)->Width() + Trail);
  }
  SetWidth(ClampCoordinate(Widest));
  SetHeight(ClampCoordinate(qint64{RowCount()} * Step - RowGap(FS)));
}

void TEditArea::PlaceRowCursor() {
  const int K = FEquationIndex;
  const int Row = RowOf(K);
  const int First = Row == 0 ? 0 : FRowStarts[Row - 1];
  const int Top = Row * (FRowHeight + RowGap(Font().Size()));
  int Left = 0;
  if (K == First && K < Count())
    Left = Item(K)->Left() - TEACursor::CaretWidth;
  else if (K > 0)
    Left = Item(K - 1)->Left() + Item(K - 1)->Width();
  FCaret->SetLeft(qBound(0, Left, qMax(0, Width() - TEACursor::CaretWidth)));
  if (!MathFontOf(*this)) {
    FCaret->SetTop(Top + RoundHalfEven((FRowHeight - FCaret->Height()) / 2.0L));
    return;
  }
  // As high as its neighbours in the row, or the row's strut.
  const int End = Row + 1 < RowCount() ? FRowStarts[Row] : Count();
  int High = INT_MAX;
  int Low = INT_MIN;
  for (int I : {K - 1, K}) {
    if (I < First || I >= End) continue;
    High = qMin(High, Item(I)->Top());
    Low = qMax(Low, Item(I)->Top() + Item(I)->Height());
  }
  if (High > Low) {
    const TMathStyle Style(*this);
    High = Top + FMathBaseline - static_cast<int>(std::lround(0.72 * Style.Em()));
    Low = Top + FMathBaseline + static_cast<int>(std::lround(0.22 * Style.Em()));
  }
  High = qBound(0, High, Height() - 1);
  FCaret->SetTop(High);
  FCaret->SetHeight(qBound(1, Low - High, Height() - High));
}

void TEditArea::PaintRepeated() {
  QPainter* Painter = Canvas().Painter();
  if (!Painter) return;
  const int FS = Font().Size();
  const int Step = FRowHeight + RowGap(FS);
  for (int Start : FRowStarts) {
    TEquation* Operator = Item(Start - 1);
    const QPoint At(Item(Start)->Left() - RepeatGap(FS) - Operator->Width(), Operator->Top() + Step);
    Painter->translate(At);
    Operator->PaintTree(Canvas(), QRect(QPoint(0, 0), Operator->BoundsRect().size()));
    Painter->translate(-At);
  }
}
