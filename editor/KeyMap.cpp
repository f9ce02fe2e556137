// The keyboard: what every key does to the active edit area and to the lines.

#include <QKeyEvent>
#include <exception>

#include "editor/EACursor.h"
#include "editor/Editing.h"
#include "editor/UsefulUtils.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/TextForm.h"

namespace {
// Digits and letters, the keypad's digits and operators, and the layout's punctuation
// keys (the browser and media keys in that range type nothing).
bool IsCharacterKey(quint16 Key) {
  return (Key >= 0x30 && Key <= 0x5A) || (Key >= 0x60 && Key <= 0x6F) ||
         (Key >= 0xA6 && Key <= 0xE4);
}

// The keys of the switch in KeyDown.
bool IsCommandKey(quint16 Key) {
  switch (Key) {
    case vkBack: case vkReturn: case vkEnd: case vkHome: case vkLeft: case vkRight: case vkUp:
    case vkDown: case vkDelete:
      return true;
    default:
      return false;
  }
}

// The first character Key types now, 0 for none.
char32_t TypedCharacter(quint16 Key) {
  const QList<uint> Codes = GetCharFromVirtualKey(Key).toUcs4();
  return Codes.isEmpty() || !QChar::isPrint(Codes[0]) ? 0 : char32_t{Codes[0]};
}

// Up and Down within a wrapped line: to the nearest place in the shown row above or below.
bool MoveThroughRows(TEditArea& Area, int Step) {
  const int Row = Area.RowOf(Area.EquationIndex()) + Step;
  if (Row < 0 || Row >= Area.RowCount()) return false;
  Area.SetEquationIndex(Area.NearestInRow(Row, Area.Caret()->Left()));
  return true;
}

bool IsArrowKey(int Key) {
  return Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
}
}  // namespace

bool TEditorCore::KeyDown(quint16 Key, TShiftState Shift) {
  (void)Shift;  // modifiers only change what the translation of a character key yields
  // An editor without a line gets one back from any key it acts on.
  if (!FActiveEditArea && (IsCommandKey(Key) || (IsCharacterKey(Key) && TypedCharacter(Key))))
    FEditing->EnsureLine();
  TEditArea* const A = FActiveEditArea;
  if (!A) return false;
  switch (Key) {
    case vkBack:
      if (FEditing->DeleteSelection()) return true;
      if (A->EquationIndex() > 0) {
        A->SetEquationIndex(A->EquationIndex() - 1);
        A->DelEquation(A->EquationIndex());
      } else if (EditAreaIndex() > 0 && Line(EditAreaIndex() - 1)->GetIsEmpty()) {
        // Removes the line above the current one when it holds nothing; the current line
        // moves up and stays.
        SetEditAreaIndex(EditAreaIndex() - 1);
        DeleteEditArea();
      }
      return true;
    case vkReturn:
      // A formula of more lines could not be read back.
      if (LineCount() >= MaxLines) return true;
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
      if (!MoveThroughRows(*A, -1)) A->GetParent()->EditAreaUp();
      return true;
    case vkDown:
      if (!MoveThroughRows(*A, 1)) A->GetParent()->EditAreaDown();
      return true;
    case vkDelete:
      if (FEditing->DeleteSelection()) return true;
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
  const char32_t Character = TypedCharacter(Key);
  if (!Character) return false;
  if (Modern() && FEditing->Typing().BeforeCharacter(Character)) return true;
  FEditing->BeginTyping();
  TEditArea* const Area = FActiveEditArea;
  if (!Area) return true;
  const int Before = FGeneration;
  Area->AddEqSimple(Character);
  // A receiver that replaced the formula keeps its caret.
  if (TEditArea* Now = FActiveEditArea; Now && FGeneration == Before) {
    Now->SetEquationIndex(Now->EquationIndex() + 1);
    if (Modern()) FEditing->Typing().AfterCharacter(Character);
  }
  return true;
}

bool TEditorCore::ClaimsKey(const QKeyEvent& Key) {
  const Qt::KeyboardModifiers Commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  return (IsArrowKey(Key.key()) && !(Key.modifiers() & Commands)) || TEditing::ClaimsShortcut(Key);
}

bool TEditorCore::TabKey(const QKeyEvent& Key) {
  // An open command line takes Tab as its own key.
  if ((Key.key() != Qt::Key_Tab && Key.key() != Qt::Key_Backtab) || FEditing->Typing().CommandLine().IsOpen())
    return false;
  const bool Forward = Key.key() == Qt::Key_Tab && !(Key.modifiers() & Qt::ShiftModifier);
  bool Moved = false;
  if (!(Key.modifiers() & Qt::ControlModifier)) {
    try {
      Moved = FEditing->MoveToSlot(Forward);
    } catch (const std::exception&) {
    }
  }
  if (!Moved) FocusNext(Forward);
  return true;
}

bool TEditorCore::KeyPress(const QKeyEvent& Event) {
  bool Taken = true;
  try {
    const TKeyEventScope Scope(Event);
    // The Modern style's conversions are undo steps of their own, before and after the key's.
    if (!Modern() || !FEditing->Typing().BeforeKey(Event)) {
      {
        const TEditScope Edit(*FEditing);
        if (!FEditing->KeyPress(Event)) {
          Taken = KeyDown(VirtualKeyOf(Event), ShiftStateOf(Event.modifiers()));
          if (Taken) FEditing->Selection().Clear();
        }
      }
      if (Modern()) FEditing->Typing().AfterKey();
    }
  } catch (const std::exception&) {
    // The command stopped half way; the key was still the editor's.
  }
  if (Taken) AccessibilityEvent(TFormulaEvent::CaretMoved);
  return Taken;
}
