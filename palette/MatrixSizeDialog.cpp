#include "palette/MatrixSizeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "model/Types.h"

namespace {
// Rows have no layout limit of their own; this many fill any screen.
constexpr int MaxRows = 100;

QSpinBox* CountBox(int Maximum, int Value, QWidget* Parent) {
  auto* Box = new QSpinBox(Parent);
  Box->setRange(1, Maximum);
  Box->setValue(Value);
  return Box;
}
}  // namespace

TMatrixSizeDialog::TMatrixSizeDialog(TMatrixAsk Ask, QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(tr("Matrix Size"));
  auto* Form = new QFormLayout(this);
  if (Ask != TMatrixAsk::Columns) {
    FRows = CountBox(MaxRows, Ask == TMatrixAsk::Both ? 2 : 3, this);
    Form->addRow(tr("&Rows:"), FRows);
  }
  if (Ask != TMatrixAsk::Rows) {
    FColumns = CountBox(MaxMatrixColumns, Ask == TMatrixAsk::Both ? 2 : 3, this);
    Form->addRow(tr("&Columns:"), FColumns);
  }
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Form->addRow(Buttons);
}

QSize TMatrixSizeDialog::MatrixSize() const {
  return QSize(FColumns ? FColumns->value() : 1, FRows ? FRows->value() : 1);
}

std::optional<QSize> TMatrixSizeDialog::Ask(TMatrixAsk Ask, QWidget* Parent) {
  TMatrixSizeDialog Dialog(Ask, Parent);
  if (Dialog.exec() != QDialog::Accepted) return std::nullopt;
  return Dialog.MatrixSize();
}
