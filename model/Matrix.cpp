#include "Matrix.h"

#include <cmath>

#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/TextForm.h"

TEqMatrix::TEqMatrix(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();
  FCountEA = 0;
  FKindMatrix = kmSquare;
}

void TEqMatrix::SetKindMatrix(TKindMatrix Value) {
  FKindMatrix = Value;
  RefreshEditArea(0);
}

void TEqMatrix::SetGrid(int Columns) {
  FColumns = qBound(2, Columns, MaxMatrixColumns);
  SetKindMatrix(kmGrid);
}

void TEqMatrix::SetCountEA(int Value) {
  FCountEA = EditAreaCount();
  BeginUpdate();
  while (FCountEA < Value) {
    // Each new cell goes in before the last existing one.
    PlaceEditAreaIndex(FCountEA - 1);
    InsertEditArea();
    ++FCountEA;
  }
  EndUpdate();
}

// The grid is sized by the cells that exist, so that no missing cell is ever addressed;
// a square grid that is not a perfect square gets ceil(sqrt(n)) columns.
int TEqMatrix::DX() const {
  const int N = EditAreaCount();
  switch (FKindMatrix) {
    case kmHoriz: return N;
    case kmVert: return N > 0 ? 1 : 0;
    case kmGrid: return qMin(FColumns, N);
    case kmSquare: break;
  }
  int Columns = static_cast<int>(std::sqrt(static_cast<double>(N)));
  while (Columns * Columns < N) ++Columns;
  return Columns;
}

int TEqMatrix::DY() const {
  const int Columns = DX();
  return Columns > 0 ? (EditAreaCount() + Columns - 1) / Columns : 0;
}

QString TEqMatrix::GetData() const { return SlotsData(); }

void TEqMatrix::SetData(const QString& Text) {
  TReadScope Reading(GetParent()->Editor());
  const TExprArray Items = GetExprData(Text);
  // Each cell beyond the first counts as one element read.
  Reading.CountElements(qMax(0, static_cast<int>(Items.size()) - EditAreaCount()));
  SetCountEA(static_cast<int>(Items.size()));
  SlotsSetData(Items);
  GetParent()->RefreshRecurse();
  if (TEditorCore* Editor = GetParent()->Editor()) Editor->Change();
}
