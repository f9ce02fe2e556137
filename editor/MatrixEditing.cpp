// Rows and columns of a matrix: the matrix is written anew with its cells rearranged, so
// that the edit is one change of the formula's text like any other.

#include "editor/MatrixEditing.h"

#include <QKeyEvent>
#include <QStringList>

#include "editor/AreaPath.h"
#include "editor/Editing.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Keywords.h"
#include "model/Matrix.h"

namespace {
// The cells of a matrix as a full grid, row by row.
struct TGrid {
  int Rows = 0;
  int Columns = 0;
  QStringList Cells;  // each a slot's text form

  QString& At(int Row, int Column) { return Cells[Row * Columns + Column]; }
};

const QString EmptyCell = QStringLiteral("EditArea()");

TGrid GridOf(const TEqMatrix& Matrix) {
  TGrid Grid;
  Grid.Columns = qMax(1, Matrix.DX());
  Grid.Rows = qMax(1, Matrix.DY());
  for (int I = 0; I < Matrix.EditAreaCount(); ++I)
    Grid.Cells << QStringLiteral("EditArea(") + Matrix.Slot(I)->GetData() + QLatin1Char(')');
  // A short last row is filled up with empty cells.
  while (Grid.Cells.size() < Grid.Rows * Grid.Columns) Grid.Cells << EmptyCell;
  return Grid;
}

// Applies Edit at (Row, Column); returns the cell that now holds what the caret's cell held,
// or, when that cell went away, the cell that took its place (with Gone set).
int Apply(TGrid& Grid, TMatrixEdit Edit, int Row, int Column, bool& Gone) {
  Gone = false;
  const int C = Grid.Columns;
  switch (Edit) {
    case TMatrixEdit::RowAbove:
    case TMatrixEdit::RowBelow: {
      const int At = (Edit == TMatrixEdit::RowAbove ? Row : Row + 1) * C;
      for (int I = 0; I < C; ++I) Grid.Cells.insert(At, EmptyCell);
      ++Grid.Rows;
      return (Edit == TMatrixEdit::RowAbove ? Row + 1 : Row) * C + Column;
    }
    case TMatrixEdit::ColumnLeft:
    case TMatrixEdit::ColumnRight: {
      const int At = Edit == TMatrixEdit::ColumnLeft ? Column : Column + 1;
      for (int R = Grid.Rows - 1; R >= 0; --R) Grid.Cells.insert(R * C + At, EmptyCell);
      ++Grid.Columns;
      return Row * Grid.Columns + (Edit == TMatrixEdit::ColumnLeft ? Column + 1 : Column);
    }
    case TMatrixEdit::DeleteRow:
      Grid.Cells.remove(Row * C, C);
      --Grid.Rows;
      Gone = true;
      return qMin(Row, Grid.Rows - 1) * C + Column;
    case TMatrixEdit::DeleteColumn:
      for (int R = Grid.Rows - 1; R >= 0; --R) Grid.Cells.removeAt(R * C + Column);
      --Grid.Columns;
      Gone = true;
      return Row * Grid.Columns + qMin(Column, Grid.Columns - 1);
  }
  return 0;
}

// The element's text form: one row or one column is that kind, anything else a grid.
QString MatrixText(const TGrid& Grid) {
  QString Keyword = MatrixKeyword(kmGrid, Grid.Columns);
  if (Grid.Columns == 1) Keyword = MatrixKeyword(kmVert);
  if (Grid.Rows == 1) Keyword = MatrixKeyword(kmHoriz);
  return Keyword + QLatin1Char('(') + Grid.Cells.join(QString()) + QLatin1Char(')');
}
}  // namespace

bool MatrixEditOfKey(const QKeyEvent& Event, TMatrixEdit& Edit) {
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
  if (Modifiers == (Qt::AltModifier | Qt::ShiftModifier)) {
    switch (Event.key()) {
      case Qt::Key_Up: Edit = TMatrixEdit::RowAbove; return true;
      case Qt::Key_Down: Edit = TMatrixEdit::RowBelow; return true;
      case Qt::Key_Left: Edit = TMatrixEdit::ColumnLeft; return true;
      case Qt::Key_Right: Edit = TMatrixEdit::ColumnRight; return true;
      default: return false;
    }
  }
  if (Modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
    switch (Event.key()) {
      case Qt::Key_Backspace: Edit = TMatrixEdit::DeleteRow; return true;
      case Qt::Key_Delete: Edit = TMatrixEdit::DeleteColumn; return true;
      default: return false;
    }
  }
  return false;
}

TEqMatrix* MatrixAround(TEditArea* Area, int* Cell) {
  while (Area) {
    TEquatStore* Owner = Area->GetParent();
    if (auto* Matrix = dynamic_cast<TEqMatrix*>(Owner)) {
      if (Cell) *Cell = Area->IndexInParent();
      return Matrix;
    }
    auto* Element = dynamic_cast<TEquation*>(Owner);
    Area = Element ? Element->GetParent() : nullptr;
  }
  return nullptr;
}

bool TEditing::CanEditMatrix(TMatrixEdit Edit) const {
  const TEqMatrix* Matrix = MatrixAround(FEditor.ActiveEditArea());
  if (!Matrix) return false;
  switch (Edit) {
    case TMatrixEdit::DeleteRow: return Matrix->DY() > 1;
    case TMatrixEdit::DeleteColumn: return Matrix->DX() > 1;
    case TMatrixEdit::ColumnLeft:
    case TMatrixEdit::ColumnRight: return Matrix->DX() < MaxMatrixColumns;
    default: return true;
  }
}

bool TEditing::EditMatrix(TMatrixEdit Edit) {
  if (!CanEditMatrix(Edit)) return false;
  const TEditScope Scope(*this);
  TEditArea* Active = FEditor.ActiveEditArea();
  int Cell = 0;
  TEqMatrix* Matrix = MatrixAround(Active, &Cell);
  TEditArea* Run = Matrix->GetParent();
  const TAreaPath CellPath = PathOf(Matrix->Slot(Cell));
  TAreaPath CaretPath = PathOf(Active);
  const int Caret = Active->EquationIndex();
  if (!CellPath.IsValid() || CellPath.Steps.empty()) return false;
  const size_t Depth = CellPath.Steps.size() - 1;
  const int Index = CellPath.Steps[Depth].first;

  TGrid Grid = GridOf(*Matrix);
  const int Columns = Grid.Columns;
  bool Gone = false;
  const int NewCell = Apply(Grid, Edit, Cell / Columns, Cell % Columns, Gone);
  const QString Text = MatrixText(Grid);

  FSelection.Clear();
  Run->SetEquationIndex(Index);
  Run->DelEquation(Index);
  InsertRun(*Run, Text);

  // The caret goes back where it was, in the cell that moved; into the cell that took the
  // place of one that went away.
  if (Gone) CaretPath.Steps.resize(Depth + 1);
  CaretPath.Steps[Depth].second = NewCell;
  if (TEditArea* Area = AreaAt(FEditor, CaretPath)) PlaceCaret(Area, Gone ? 0 : Caret);
  return true;
}
