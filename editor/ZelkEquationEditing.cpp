// The editor's side of the editing commands: the undo stack, the context menu, the text
// colour.

#include <QContextMenuEvent>
#include <QMenu>

#include "editor/Editing.h"
#include "editor/ZelkEquation.h"

QUndoStack* TZelkEquation::UndoStack() const { return &FEditing->UndoStack(); }

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
