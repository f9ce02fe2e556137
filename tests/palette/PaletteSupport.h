#pragma once
// A shown window holding a palette linked to an editor, and small helpers to drive them.

#include <QApplication>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "TestSupport.h"
#include "palette/MatrixSizeDialog.h"
#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

struct PaletteFixture {
  QWidget Window;
  TSelectEquation* Palette = new TSelectEquation(&Window);
  TZelkEquation* Editor = new TZelkEquation(&Window);

  PaletteFixture() {
    auto* Layout = new QVBoxLayout(&Window);
    Layout->addWidget(Palette);
    Layout->addWidget(Editor);
    Palette->SetZelkEquation(Editor);
    Window.resize(700, 600);
    Window.show();
  }
  TToolButton* Category(int B) const { return Palette->CategoryBar()->Buttons(B); }
  TToolButton* Button(int Group, int B) const { return Palette->GroupBar(Group)->Buttons(B); }
};

// Moves the mouse over Button, as the user does before a tool-tip shows.
inline void Hover(TToolButton* Button) {
  const QPointF Local(2, 2);
  QMouseEvent Move(QEvent::MouseMove, Local, Button->mapToGlobal(Local), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(Button, &Move);
}

// Answers the matrix size dialog the next click opens: sets the counts it asks for (0 keeps
// what it offers) and accepts, or cancels. A dialog that never shows is no hang: the
// answer gives up after a while.
inline void AnswerMatrixSize(int Rows, int Columns, bool Accept = true, int Tries = 50) {
  QTimer::singleShot(10, [=] {
    for (QWidget* W : QApplication::topLevelWidgets()) {
      auto* Dialog = qobject_cast<TMatrixSizeDialog*>(W);
      if (!Dialog || !Dialog->isVisible()) continue;
      if (Rows && Dialog->RowsBox()) Dialog->RowsBox()->setValue(Rows);
      if (Columns && Dialog->ColumnsBox()) Dialog->ColumnsBox()->setValue(Columns);
      Accept ? Dialog->accept() : Dialog->reject();
      return;
    }
    if (Tries > 0) AnswerMatrixSize(Rows, Columns, Accept, Tries - 1);
  });
}
