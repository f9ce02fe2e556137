// The matrix grid: each cell centred in its row and column bands, every band followed by
// 10 pixels.

#include "editor/EACursor.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"
#include "model/Matrix.h"

namespace {
constexpr int Spacing = 10;
}

int TEqMatrix::GetRowHeight(int Row) const {
  const int Columns = DX();
  int Result = 0;
  for (int I = Row * Columns; I < (Row + 1) * Columns && I < EditAreaCount(); ++I)
    Result = qMax(Result, Slot(I)->Height());
  return Result;
}

int TEqMatrix::GetColWidth(int Column) const {
  const int Columns = DX();
  int Result = 0;
  if (Columns <= 0) return Result;
  for (int I = Column; I < EditAreaCount(); I += Columns) Result = qMax(Result, Slot(I)->Width());
  return Result;
}

int TEqMatrix::CalcHeight() const {
  int Result = 0;
  for (int Row = 0, Rows = DY(); Row < Rows; ++Row) Result += GetRowHeight(Row) + Spacing;
  return Result;
}

int TEqMatrix::CalcWidth() const {
  int Result = 0;
  for (int Column = 0, Columns = DX(); Column < Columns; ++Column)
    Result += GetColWidth(Column) + Spacing;
  return Result;
}

void TEqMatrix::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  if (TEditArea* Active = DeferredActiveArea()) {
    // No cell can be seen before the read lays the tree out; only the active cell's caret
    // flips as its refresh would flip it. Refreshing every cell here made reading a large
    // grid quadratic.
    if (Active->GetParent() == this) Active->Caret()->RefreshVisible();
    GetParent()->LayoutChanged();
    return;
  }
  const int Count = EditAreaCount();
  const int Columns = DX();
  const int Rows = DY();
  for (int I = 0; I < Count; ++I) {
    RefreshEA(Slot(I), 1.0);
    Slot(I)->SetIndexInParent(I);
  }
  // A last row of a square grid may be short: cells beyond the count do not exist.
  int Top = 0;
  for (int Row = 0; Row < Rows; ++Row) {
    const int RowHeight = GetRowHeight(Row);
    for (int I = Row * Columns; I < (Row + 1) * Columns && I < Count; ++I)
      Slot(I)->SetTop((RowHeight - Slot(I)->Height()) / 2 + Top);
    Top += RowHeight + Spacing;
  }
  int Left = 0;
  for (int Column = 0; Column < Columns; ++Column) {
    const int ColWidth = GetColWidth(Column);
    for (int I = Column; I < Count; I += Columns)
      Slot(I)->SetLeft((ColWidth - Slot(I)->Width()) / 2 + Left);
    Left += ColWidth + Spacing;
  }
  GetParent()->RefreshEquations();
}

void TEqMatrix::Paint() { PaintBackground(); }
