#pragma once
// The small dialog the variable-size matrix buttons open: it asks for the rows, the
// columns, or both, of the matrix to insert.

#include <QDialog>
#include <QSize>
#include <optional>

#include "PaletteCommands.h"

class QSpinBox;

class TMatrixSizeDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks for the columns, the rows (the other count stays 1) or both.
  explicit TMatrixSizeDialog(TMatrixAsk Ask, QWidget* Parent = nullptr);

  // Columns (width) and rows (height) as set.
  QSize MatrixSize() const;
  QSpinBox* RowsBox() const { return FRows; }
  QSpinBox* ColumnsBox() const { return FColumns; }

  // Shows the dialog modally; the size, or nothing when the user cancels.
  static std::optional<QSize> Ask(TMatrixAsk Ask, QWidget* Parent);

 private:
  QSpinBox* FRows = nullptr;
  QSpinBox* FColumns = nullptr;
};
