#include "FormulaEditorItem.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QUndoStack>
#include <exception>

#include "editor/Editing.h"

TFormulaEditorItem::TFormulaEditorItem(QQuickItem* Parent) : TQuickFormula(Parent) {
  setFlag(ItemAcceptsInputMethod);
  setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
  connect(UndoStack(), &QUndoStack::canUndoChanged, this, &TFormulaEditorItem::canUndoChanged);
  connect(UndoStack(), &QUndoStack::canRedoChanged, this, &TFormulaEditorItem::canRedoChanged);
  UpdateViewSize();
}

// The core, freed after the item's own part, clears its undo stack.
TFormulaEditorItem::~TFormulaEditorItem() { disconnect(UndoStack(), nullptr, this, nullptr); }

bool TFormulaEditorItem::canUndo() const { return UndoStack()->canUndo(); }

bool TFormulaEditorItem::canRedo() const { return UndoStack()->canRedo(); }

void TFormulaEditorItem::undo() { Editing().Undo(); }

void TFormulaEditorItem::redo() { Editing().Redo(); }

void TFormulaEditorItem::selectAll() { Editing().SelectAll(); }

bool TFormulaEditorItem::copy() { return Editing().Copy(); }

bool TFormulaEditorItem::cut() { return Editing().Cut(); }

void TFormulaEditorItem::paste() {
  try {
    Editing().Paste();
  } catch (const std::exception&) {
    // What was pasted before the fault stays and can be undone.
  }
}

void TFormulaEditorItem::paint(QPainter* Painter) { PaintView(*Painter, boundingRect().toAlignedRect()); }

QVariant TFormulaEditorItem::inputMethodQuery(Qt::InputMethodQuery Query) const {
  const QVariant Answer = InputMethodQuery(Query);
  return Answer.isValid() ? Answer : TQuickFormula::inputMethodQuery(Query);
}

bool TFormulaEditorItem::event(QEvent* Event) {
  if (Event->type() == QEvent::ShortcutOverride && ClaimsKey(*static_cast<QKeyEvent*>(Event))) {
    Event->accept();
    return true;
  }
  return TQuickFormula::event(Event);
}

void TFormulaEditorItem::keyPressEvent(QKeyEvent* Event) {
  Event->setAccepted(TabKey(*Event) || KeyPress(*Event));
}

void TFormulaEditorItem::inputMethodEvent(QInputMethodEvent* Event) {
  InputMethod(*Event);
  Event->accept();
}

void TFormulaEditorItem::mousePressEvent(QMouseEvent* Event) {
  MousePress(Event->position(), Event->button());
  Event->accept();
}

void TFormulaEditorItem::mouseMoveEvent(QMouseEvent* Event) { MouseMove(Event->position(), Event->buttons()); }

void TFormulaEditorItem::mouseDoubleClickEvent(QMouseEvent* Event) {
  MouseDoubleClick(Event->position(), Event->button());
}

void TFormulaEditorItem::wheelEvent(QWheelEvent* Event) {
  Event->setAccepted(Wheel(Event->angleDelta(), Event->modifiers(), false));
}

void TFormulaEditorItem::focusInEvent(QFocusEvent* Event) {
  TQuickFormula::focusInEvent(Event);
  FocusChanged();
}

void TFormulaEditorItem::focusOutEvent(QFocusEvent* Event) {
  TQuickFormula::focusOutEvent(Event);
  FocusChanged();
}

void TFormulaEditorItem::itemChange(ItemChange Change, const ItemChangeData& Value) {
  TQuickFormula::itemChange(Change, Value);
  if (Change == ItemEnabledHasChanged) EnabledChanged();
}

void TFormulaEditorItem::FocusNext(bool Forward) {
  QQuickItem* Next = nextItemInFocusChain(Forward);
  if (Next && Next != this) Next->forceActiveFocus(Forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void TFormulaEditorItem::SettingChanged(TSetting Setting) {
  TQuickFormula::SettingChanged(Setting);
  if (Setting == TSetting::InputStyle) emit inputStyleChanged(InputStyle());
  if (Setting == TSetting::Zoom) emit zoomChanged(Zoom());
}
