#pragma once
// A grid of cell slots in row-major order: one row, one column, a square grid or a grid
// of a given number of columns (whose last row may be short, as a square's). Each
// cell is centred in its row band (as high as the row's tallest cell) and its column band
// (as wide as the column's widest cell); every band is followed by 10 pixels. Only the
// background is drawn: no brackets or rules.

#include "Equation.h"
#include "Types.h"

class TEqMatrix : public TEqParent {
 public:
  explicit TEqMatrix(TCustomControl* Owner);

  TKindMatrix KindMatrix() const { return FKindMatrix; }
  // Stores the shape and lays out.
  void SetKindMatrix(TKindMatrix Value);
  // Makes the matrix a grid of Columns columns (2..MaxMatrixColumns) and lays out.
  void SetGrid(int Columns);
  int CountEA() const { return FCountEA; }
  // Adds cells (each before the last existing one) up to Value; never removes any.
  void SetCountEA(int Value);

  // Columns and rows of the grid.
  int DX() const;
  int DY() const;

  // Height of row Row and width of column Column: the largest among their cells.
  int GetRowHeight(int Row) const;
  int GetColWidth(int Column) const;

  int CalcHeight() const override;
  int CalcWidth() const override;
  // Re-fonts every cell and places the grid; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

  // Every cell, slot 0 first.
  QString GetData() const override;
  // Grows to the number of items, fills the cells by position and notifies.
  void SetData(const QString& Text) override;

 protected:
  void Paint() override;

 private:
  TKindMatrix FKindMatrix = kmSquare;
  int FColumns = 2;  // of a grid
  int FCountEA = 0;
};
