// The editor's side of the editing commands: the undo stack, the context menu, the text
// colour.

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "editor/Editing.h"
#include "editor/ZelkEquation.h"

#include <exception>

QUndoStack* TZelkEquation::UndoStack() const { return &FEditing->UndoStack(); }

bool TZelkEquation::insertFormula(const QString& Data) {
  QMimeData Mime;
  Mime.setData(QString::fromLatin1(ZelkDataMime), Data.toUtf8());
  try {
    FEditing->InsertMimeData(Mime);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void TZelkEquation::contextMenuEvent(QContextMenuEvent* Event) {
  FEditing->CreateContextMenu()->popup(Event->globalPos());
  Event->accept();
}

void TZelkEquation::SetFontColor(QColor Value) {
  if (!Value.isValid() || Value == Font().Color) return;
  SetFont(TFont(Font(), Value));
  FontChanged();
  Repaint();
}

void TZelkEquation::mouseMoveEvent(QMouseEvent* Event) {
  if (!(Event->buttons() & Qt::LeftButton)) return;
  try {
    FEditing->MouseDrag(FormulaPoint(Event->position()));
  } catch (const std::exception&) {
  }
}

void TZelkEquation::mouseDoubleClickEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) return;
  try {
    FEditing->DoubleClick(FormulaPoint(Event->position()));
  } catch (const std::exception&) {
  }
}
