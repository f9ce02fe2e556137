// The keyboard: what every key does to the active edit area and to the lines.

#include <QKeyEvent>
#include <exception>

#include "accessibility/AccessibleEquation.h"
#include "editor/UsefulUtils.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"

namespace {
// Digits and letters, the keypad's digits and operators, and the layout's punctuation
// keys (the browser and media keys in that range type nothing).
bool IsCharacterKey(quint16 Key) {
  return (Key >= 0x30 && Key <= 0x5A) || (Key >= 0x60 && Key <= 0x6F) ||
         (Key >= 0xA6 && Key <= 0xE4);
}

bool IsArrowKey(int Key) {
  return Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
}
}  // namespace

bool TZelkEquation::KeyDown(quint16 Key, TShiftState Shift) {
  (void)Shift;  // modifiers only change what the translation of a character key yields
  TEditArea* const A = FActiveEditArea;
  if (!A) return false;
  switch (Key) {
    case vkBack:
      if (A->EquationIndex() > 0) {
        A->SetEquationIndex(A->EquationIndex() - 1);
        A->DelEquation(A->EquationIndex());
      } else if (EditAreaIndex() > 0) {
        // Removes the line above the current one; the current line moves up and stays.
        SetEditAreaIndex(EditAreaIndex() - 1);
        DeleteEditArea();
      }
      return true;
    case vkReturn:
      if (A->EquationIndex() > 0)
        AddEditArea();
      else
        InsertEditArea();
      return true;
    case vkEnd:
      A->SetEquationIndex(A->Count());
      return true;
    case vkHome:
      A->SetEquationIndex(0);
      return true;
    case vkLeft:
      A->SetEquationIndex(A->EquationIndex() - 1);
      return true;
    case vkRight:
      A->SetEquationIndex(A->EquationIndex() + 1);
      return true;
    case vkUp:
      A->GetParent()->EditAreaUp();
      return true;
    case vkDown:
      A->GetParent()->EditAreaDown();
      return true;
    case vkDelete:
      if (A->GetIsEmpty())
        A->GetParent()->DeleteEditArea();
      else
        A->DelEquation(A->EquationIndex());
      return true;
    default:
      break;
  }
  if (!IsCharacterKey(Key)) return false;
  // A control character (Ctrl or Alt with a letter) could not survive the text form, and
  // a key that types nothing has nothing to insert: both are left to the host.
  const QString Text = GetCharFromVirtualKey(Key);
  if (Text.isEmpty() || !Text[0].isPrint()) return false;
  const int Before = FGeneration;
  A->AddEqSimple(Text[0]);
  // A receiver that replaced the formula keeps its caret.
  if (TEditArea* Area = FActiveEditArea; Area && FGeneration == Before)
    Area->SetEquationIndex(Area->EquationIndex() + 1);
  return true;
}

bool TZelkEquation::event(QEvent* Event) {
  if (Event->type() == QEvent::ShortcutOverride) {
    const auto* Key = static_cast<QKeyEvent*>(Event);
    const Qt::KeyboardModifiers Commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (IsArrowKey(Key->key()) && !(Key->modifiers() & Commands)) {
      Event->accept();
      return true;
    }
  }
  return QWidget::event(Event);
}

void TZelkEquation::keyPressEvent(QKeyEvent* Event) {
  bool Taken = true;
  try {
    const TKeyEventScope Scope(*Event);
    Taken = KeyDown(VirtualKeyOf(*Event), ShiftStateOf(Event->modifiers()));
  } catch (const std::exception&) {
    // The command stopped half way; the key was still the editor's.
  }
  if (Taken) {
    Event->accept();
    NotifyAccessibility(this, TFormulaEvent::CaretMoved);
  } else {
    QWidget::keyPressEvent(Event);
  }
}
