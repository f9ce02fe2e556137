#pragma once
// A grid of cell slots in row-major order: one row, one column or a square grid.

#include "model/Equation.h"
#include "model/Types.h"

class TEqMatrix : public TEqParent {
 public:
  explicit TEqMatrix(QWidget* Owner);

  TKindMatrix KindMatrix() const { return FKindMatrix; }
  // Stores the shape and lays out.
  void SetKindMatrix(TKindMatrix Value);
  int CountEA() const { return FCountEA; }
  // Adds cells (each before the last existing one) up to Value; never removes any.
  void SetCountEA(int Value);

  // Columns and rows of the grid.
  int DX() const;
  int DY() const;

  // Every cell, slot 0 first.
  QString GetData() const override;
  // Grows to the number of items, fills the cells by position and notifies.
  void SetData(const QString& Text) override;

 private:
  TKindMatrix FKindMatrix = kmSquare;
  int FCountEA = 0;
};
