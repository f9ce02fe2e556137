// The matrix grid: each cell centred in its row and column bands, every band followed by
// 10 pixels. In the Math style cells stand on their row's baseline, rows at least a strut
// high, columns apart as amsmath's matrices set them, the grid centred on the axis; a
// matrix alone in a left brace is set as amsmath's cases.

#include <cmath>
#include <vector>

#include "editor/EACursor.h"
#include "editor/EditorCore.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/Fence.h"
#include "model/Matrix.h"

namespace {
constexpr int Spacing = 10;
// The strut of a row, in ems (TeX's array strut at a baseline skip of 1.2 em).
constexpr double StrutAscent = 0.84;
constexpr double StrutDescent = 0.36;
// Columns 2 \arraycolsep apart, 10 pt at any size; cases' columns a \quad (an em) apart
// and its rows stretched by 1.2, its cells to the left.
constexpr double ColumnGapPoints = 10;
constexpr double CasesStretch = 1.2;

struct TMathGrid {
  std::vector<int> RowTops, RowBaselines, ColumnLefts, ColumnWidths;
  int Width = 0;
  int Height = 0;
  bool LeftAligned = false;
};

bool Cases(const TEqMatrix& Matrix) {
  const TEditArea* Area = Matrix.GetParent();
  const auto* Fence = Area ? dynamic_cast<const TEqFence*>(Area->GetParent()) : nullptr;
  return Fence && Area->Count() == 1 && Fence->Kind() == TFenceKind{dlFigureOpen, dlNone, dlNone};
}

TMathGrid MathGrid(const TEqMatrix& Matrix) {
  const TMathStyle Style(Matrix);
  const int Count = Matrix.EditAreaCount();
  const int Columns = qMax(1, Matrix.DX());
  const int Rows = Matrix.DY();
  TMathGrid Grid;
  Grid.LeftAligned = Cases(Matrix);
  const double Stretch = Grid.LeftAligned ? CasesStretch : 1.0;
  // Lines of a script (\substack, subarray) stand box on box, TeX's \lineskip apart:
  // three default rule thicknesses, which the font gives as its stack gap; no strut.
  const bool Script = Matrix.MathLevel() >= mlScript;
  const double Strut = Script ? 0 : Stretch;
  const int LineSkip = Script ? Style(TMathConstant::StackGapMin) : 0;
  qint64 Top = 0;
  for (int Row = 0; Row < Rows; ++Row) {
    if (Row > 0) Top += LineSkip;
    int Ascent = static_cast<int>(std::lround(Strut * StrutAscent * Style.Em()));
    int Descent = static_cast<int>(std::lround(Strut * StrutDescent * Style.Em()));
    for (int I = Row * Columns; I < (Row + 1) * Columns && I < Count; ++I) {
      const TMathBox Cell = SlotBox(Matrix.Slot(I));
      Ascent = qMax(Ascent, Cell.Ascent);
      Descent = qMax(Descent, Cell.Descent);
    }
    Grid.RowTops.push_back(ClampCoordinate(Top));
    Grid.RowBaselines.push_back(ClampCoordinate(Top + Ascent));
    Top += Ascent + Descent;
  }
  Grid.Height = ClampCoordinate(Top);
  const int Gap = Grid.LeftAligned ? static_cast<int>(std::lround(Style.Em())) : Style.Points(ColumnGapPoints);
  qint64 Left = 0;
  for (int Column = 0; Column < Columns; ++Column) {
    const int Width = Matrix.GetColWidth(Column);
    Grid.ColumnLefts.push_back(ClampCoordinate(Left));
    Grid.ColumnWidths.push_back(Width);
    Left += Width + (Column + 1 < Columns ? Gap : 0);
  }
  Grid.Width = ClampCoordinate(Left);
  return Grid;
}

const TMathGrid& MathLayout(const TEqMatrix& Matrix) {
  return KeptMathLayout(Matrix, [&] { return MathGrid(Matrix); });
}
}  // namespace

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
  if (MathFontOf(*this)) return MathLayout(*this).Height;
  qint64 Result = 0;
  for (int Row = 0, Rows = DY(); Row < Rows; ++Row) Result += GetRowHeight(Row) + Spacing;
  return ClampCoordinate(Result);
}

int TEqMatrix::CalcWidth() const {
  if (MathFontOf(*this)) return MathLayout(*this).Width;
  qint64 Result = 0;
  for (int Column = 0, Columns = DX(); Column < Columns; ++Column)
    Result += GetColWidth(Column) + Spacing;
  return ClampCoordinate(Result);
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
  const bool Math = MathFontOf(*this);
  for (int I = 0; I < Count; ++I) {
    RefreshEA(Slot(I), 1.0, ssText);
    Slot(I)->SetIndexInParent(I);
  }
  if (Math && Columns > 0) {
    const TMathGrid& Grid = MathLayout(*this);
    for (int I = 0; I < Count; ++I) {
      TEditArea* Cell = Slot(I);
      const int Row = I / Columns;
      const int Column = I % Columns;
      Cell->SetTop(Grid.RowBaselines[Row] - Cell->MathBaseline());
      Cell->SetLeft(Grid.ColumnLefts[Column] + (Grid.LeftAligned ? 0 : (Grid.ColumnWidths[Column] - Cell->Width()) / 2));
    }
    GetParent()->RefreshEquations();
    return;
  }
  // A last row of a square grid may be short: cells beyond the count do not exist.
  qint64 Top = 0;
  for (int Row = 0; Row < Rows; ++Row) {
    const int RowHeight = GetRowHeight(Row);
    for (int I = Row * Columns; I < (Row + 1) * Columns && I < Count; ++I)
      Slot(I)->SetTop(ClampCoordinate((RowHeight - Slot(I)->Height()) / 2 + Top));
    Top += RowHeight + Spacing;
  }
  qint64 Left = 0;
  for (int Column = 0; Column < Columns; ++Column) {
    const int ColWidth = GetColWidth(Column);
    for (int I = Column; I < Count; I += Columns)
      Slot(I)->SetLeft(ClampCoordinate((ColWidth - Slot(I)->Width()) / 2 + Left));
    Left += ColWidth + Spacing;
  }
  GetParent()->RefreshEquations();
}

void TEqMatrix::Paint() { PaintBackground(); }
