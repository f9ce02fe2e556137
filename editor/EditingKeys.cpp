// The keys of the editing commands: selection, clipboard, undo, slot moves.

#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>

#include "editor/Editing.h"
#include "editor/SlotNavigation.h"
#include "editor/EditorCore.h"
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

bool IsCtrl(const QKeyEvent& Event, std::initializer_list<int> Keys) {
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  return Modifiers == Qt::ControlModifier && std::find(Keys.begin(), Keys.end(), Event.key()) != Keys.end();
}

// On a Cyrillic layout Ctrl+Z arrives as Ctrl+Я: the command keys are found by their place
// on the keyboard, where the users of that layout look for them.
QKeyEvent OnLatinKeys(const QKeyEvent& Event) {
  static constexpr std::pair<int, int> Places[] = {{0x42F, Qt::Key_Z}, {0x427, Qt::Key_X}, {0x421, Qt::Key_C},
                                                   {0x41C, Qt::Key_V}, {0x424, Qt::Key_A}, {0x41D, Qt::Key_Y},
                                                   {0x41A, Qt::Key_R}};
  int Key = Event.key();
  if (Event.modifiers() & Qt::ControlModifier)
    for (const auto& [Cyrillic, Latin] : Places)
      if (Key == Cyrillic) Key = Latin;
  return QKeyEvent(Event.type(), Key, Event.modifiers(), Event.nativeScanCode(), Event.nativeVirtualKey(),
                   Event.nativeModifiers(), Event.text(), Event.isAutoRepeat(), Event.count());
}

bool IsSelectAll(const QKeyEvent& Event) {
  return Event.key() == Qt::Key_A && (Event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// Ctrl with plus (or the = key that carries it), minus, 0: the zoom step, 0 for 100 %.
bool IsRemoveStructure(const QKeyEvent& Event) {
  return Event.key() == Qt::Key_R &&
         (Event.modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier);
}

std::optional<int> ZoomStep(const QKeyEvent& Event) {
  if (IsCtrl(Event, {Qt::Key_Plus, Qt::Key_Equal})) return 10;
  if (IsCtrl(Event, {Qt::Key_Minus, Qt::Key_Underscore})) return -10;
  if (IsCtrl(Event, {Qt::Key_0, Qt::Key_ParenRight})) return 0;
  return std::nullopt;
}
}  // namespace

bool TEditing::ClaimsShortcut(const QKeyEvent& Typed) {
  const QKeyEvent Event = OnLatinKeys(Typed);
  TMatrixEdit Edit;
  return Event.matches(QKeySequence::Undo) || IsRedo(Event) || IsCut(Event) ||
         Event.matches(QKeySequence::Copy) || Event.matches(QKeySequence::Paste) ||
         IsSelectAll(Event) || IsRemoveStructure(Event) || ZoomStep(Event) || MatrixEditOfKey(Event, Edit);
}

bool TEditing::KeyPress(const QKeyEvent& Typed) {
  const QKeyEvent Event = OnLatinKeys(Typed);
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
  if (IsRemoveStructure(Event)) {
    RemoveStructure();
    return true;
  }
  if (const std::optional<int> Step = ZoomStep(Event)) {
    FEditor.SetZoom(*Step == 0 ? 100 : FEditor.Zoom() + *Step);
    return true;
  }
  // Outside a matrix the matrix keys do nothing rather than move or delete.
  if (TMatrixEdit Edit; MatrixEditOfKey(Event, Edit)) {
    EditMatrix(Edit);
    return true;
  }
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  if (FEditor.Modern() && ModernKeyPress(Event)) return true;
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
