// The core's side of the editing commands: the undo stack, insertions from outside, the
// text colour and the mouse.

#include <QMimeData>
#include <exception>

#include "editor/EditorCore.h"
#include "editor/Editing.h"
#include "model/EditArea.h"
#include "model/Keywords.h"

QUndoStack* TEditorCore::UndoStack() const { return &FEditing->UndoStack(); }

bool TEditorCore::insertFormula(const QString& Data) {
  QMimeData Mime;
  Mime.setData(QString::fromLatin1(ZelkDataMime), Data.toUtf8());
  try {
    FEditing->InsertMimeData(Mime);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool TEditorCore::InsertTemplate(const QString& Keyword) {
  const TInsertion Insertion = InsertionForKeyword(Keyword);
  if (!Insertion) return false;
  try {
    FEditing->InsertElement(Insertion);
  } catch (const std::exception&) {
    // The insertion stopped half way; what it did stays and can be undone.
  }
  return true;
}

bool TEditorCore::InsertSymbol(int Code) {
  if (Code <= 0 || Code > 0x10FFFF || !QChar::isPrint(char32_t(Code))) return false;
  try {
    FEditing->InsertElement([Code](TEditArea& Area) { Area.AddEqExtSymbol(Code); });
  } catch (const std::exception&) {
  }
  return true;
}

void TEditorCore::SetFontColor(QColor Value) {
  if (!Value.isValid() || Value == Font().Color) return;
  SetFont(TFont(Font(), Value));
  FontChanged();
  Repaint();
}

void TEditorCore::MouseMove(QPointF Point, Qt::MouseButtons Buttons) {
  if (!(Buttons & Qt::LeftButton)) return;
  try {
    FEditing->MouseDrag(FormulaPoint(Point));
  } catch (const std::exception&) {
  }
}

void TEditorCore::MouseDoubleClick(QPointF Point, Qt::MouseButton Button) {
  if (Button != Qt::LeftButton) return;
  try {
    FEditing->DoubleClick(FormulaPoint(Point));
  } catch (const std::exception&) {
  }
}
