// The keys of the editing commands: selection, clipboard, undo, slot moves.

#include <QKeyEvent>
#include <QKeySequence>

#include "editor/Editing.h"
#include "editor/SlotNavigation.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"

namespace {
constexpr Qt::KeyboardModifiers Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool IsRedo(const QKeyEvent& Event) {
  return Event.matches(QKeySequence::Redo) ||
         (Event.key() == Qt::Key_Y && (Event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
}

// Shift+Delete stays the key map's Delete: only the other Cut keys cut.
bool IsCut(const QKeyEvent& Event) {
  return Event.matches(QKeySequence::Cut) && Event.key() != Qt::Key_Delete;
}

bool IsSelectAll(const QKeyEvent& Event) {
  return Event.key() == Qt::Key_A && (Event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}
}  // namespace

bool TEditing::ClaimsShortcut(const QKeyEvent& Event) {
  return Event.matches(QKeySequence::Undo) || IsRedo(Event) || IsCut(Event) ||
         Event.matches(QKeySequence::Copy) || Event.matches(QKeySequence::Paste) ||
         IsSelectAll(Event);
}

bool TEditing::KeyPress(const QKeyEvent& Event) {
  if (Event.matches(QKeySequence::Undo)) {
    Undo();
    return true;
  }
  if (IsRedo(Event)) {
    Redo();
    return true;
  }
  if (IsCut(Event)) {
    Cut();
    return true;
  }
  if (Event.matches(QKeySequence::Copy)) {
    Copy();
    return true;
  }
  if (Event.matches(QKeySequence::Paste)) {
    Paste();
    return true;
  }
  if (IsSelectAll(Event)) {
    SelectAll();
    return true;
  }
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  const int Key = Event.key();
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
  if (Modifiers == Qt::ShiftModifier) {
    const int Caret = Area->EquationIndex();
    switch (Key) {
      case Qt::Key_Left: ExtendSelection(Caret - 1); return true;
      case Qt::Key_Right: ExtendSelection(Caret + 1); return true;
      case Qt::Key_Home: ExtendSelection(0); return true;
      case Qt::Key_End: ExtendSelection(Area->Count()); return true;
      default: break;
    }
  }
  if (!(Modifiers & Chords) && (Key == Qt::Key_Left || Key == Qt::Key_Right) && HasSelection() &&
      !FSelection.IsWhole()) {
    const auto [First, Last] = FSelection.Range(Area->EquationIndex());
    FSelection.Clear();
    Area->SetEquationIndex(Key == Qt::Key_Left ? First : Last);
    return true;
  }
  return false;
}

bool TEditing::MoveToSlot(bool Forward) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  const TSlotStop Stop = Forward ? NextSlotStop(*Area, Area->EquationIndex())
                                 : PreviousSlotStop(*Area, Area->EquationIndex());
  if (!Stop.Area) return false;
  FSelection.Clear();
  PlaceCaret(Stop.Area, Stop.Index);
  return true;
}
