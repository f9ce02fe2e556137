// The keys of the Modern input style: the caret through the structure, selection across
// slots, and deletion that takes templates apart one step at a time.

#include <QKeyEvent>
#include <algorithm>

#include "editor/Editing.h"
#include "editor/SlotNavigation.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/TextForm.h"

namespace {
bool AllSlotsEmpty(const TEqParent& Template) {
  for (int S = 0; S < Template.EditAreaCount(); ++S)
    if (!Template.Slot(S)->GetIsEmpty()) return false;
  return true;
}

int LineIndex(const TEditorCore& Editor, const TEditArea& Area) {
  return Area.GetParent() == &Editor ? Editor.EditAreaList()->IndexOf(&Area) : -1;
}
}  // namespace

bool TEditing::ModernKeyPress(const QKeyEvent& Event) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
  const bool Select = Modifiers == Qt::ShiftModifier;
  if (Modifiers != Qt::NoModifier && !Select) return false;
  const int Key = Event.key();
  const int Index = Area->EquationIndex();
  // A plain Left or Right first collapses a selection (KeyPress).
  if (!Select && (Key == Qt::Key_Left || Key == Qt::Key_Right) && HasSelection() && !FSelection.IsWhole())
    return false;
  switch (Key) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const bool Forward = Key == Qt::Key_Right;
      TSlotStop Stop = Forward ? NextCaretStop(*Area, Index) : PreviousCaretStop(*Area, Index);
      // A selection steps over templates and grows from a slot's end to its template.
      if (Select && (Index != (Forward ? Area->Count() : 0)))
        Stop = {Area, Index + (Forward ? 1 : -1)};
      else if (Select && HoldingTemplate(*Area))
        Stop = {HoldingTemplate(*Area)->GetParent(), TemplateIndexOf(Area) + (Forward ? 1 : 0)};
      else if (Select)
        Stop = {};
      MoveCaret(Stop, Select);
      return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
      VerticalMove(Key == Qt::Key_Up, Select);
      return true;
    case Qt::Key_Home:
      MoveCaret(HomeStop(*Area, Index), Select);
      return true;
    case Qt::Key_End:
      MoveCaret(EndStop(*Area, Index), Select);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return !Select && SplitLine();
    case Qt::Key_Backspace:
      return !Select && ModernBackspace();
    case Qt::Key_Delete:
      return !Select && ModernDelete();
    default:
      return false;
  }
}

void TEditing::MoveCaret(const TSlotStop& Stop, bool Select) {
  if (!Stop.Area) return;
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Select) {
    FSelection.Clear();
    PlaceCaret(Stop.Area, Stop.Index);
    RefreshHighlight();
    return;
  }
  const int Anchor = FSelection.Anchor() >= 0 ? FSelection.Anchor() : Area->EquationIndex();
  const TCommonRange Range = CommonRange(PathOf(Area), Anchor, PathOf(Stop.Area), Stop.Index);
  if (!Range.Path.IsValid()) return;
  SelectRange(Range.Path, Range.Anchor, Range.Caret);
  RefreshHighlight();
}

void TEditing::VerticalMove(bool Up, bool Select) {
  TEditArea* Area = FEditor.ActiveEditArea();
  const TAreaPath Path = PathOf(Area);
  if (Path != FGoalPath || Area->EquationIndex() != FGoalIndex) FGoalX = CaretX(*Area, Area->EquationIndex());
  const int GoalX = FGoalX;
  MoveCaret(VerticalStop(*Area, Up, GoalX), Select);
  if (TEditArea* Now = FEditor.ActiveEditArea()) {
    FGoalPath = PathOf(Now);
    FGoalIndex = Now->EquationIndex();
  }
}

bool TEditing::ModernBackspace() {
  if (DeleteSelection()) return true;
  TEditArea* Area = FEditor.ActiveEditArea();
  const int Index = Area->EquationIndex();
  if (Index > 0) {
    TEqParent* Template = TemplateWithSlots(*Area, Index - 1);
    if (Template && !AllSlotsEmpty(*Template)) {
      TEditArea* Last = Template->ReadingOrder().back();
      PlaceCaret(Last, Last->Count());
      return true;
    }
    Area->SetEquationIndex(Index - 1);
    Area->DelEquation(Index - 1);
    return true;
  }
  if (TEqParent* Template = HoldingTemplate(*Area)) {
    Dissolve(*Template, *Area, 0);
    return true;
  }
  if (const int Line = LineIndex(FEditor, *Area); Line > 0) JoinLines(Line - 1);
  return true;
}

bool TEditing::ModernDelete() {
  if (DeleteSelection()) return true;
  TEditArea* Area = FEditor.ActiveEditArea();
  const int Index = Area->EquationIndex();
  if (Index < Area->Count()) {
    TEqParent* Template = TemplateWithSlots(*Area, Index);
    if (Template && !AllSlotsEmpty(*Template)) {
      PlaceCaret(Template->ReadingOrder().front(), 0);
      return true;
    }
    Area->DelEquation(Index);
    return true;
  }
  if (TEqParent* Template = HoldingTemplate(*Area)) {
    Dissolve(*Template, *Area, Area->Count());
    return true;
  }
  if (const int Line = LineIndex(FEditor, *Area); Line >= 0 && Line + 1 < FEditor.LineCount()) JoinLines(Line);
  return true;
}

bool TEditing::SplitLine() {
  // A formula of more lines could not be read back.
  if (FEditor.LineCount() >= MaxLines) return true;
  DeleteSelection();
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return true;
  TEditArea* Line = Area;
  while (TEqParent* Template = HoldingTemplate(*Line)) Line = Template->GetParent();
  FEditor.SetEditAreaIndex(LineIndex(FEditor, *Line));
  // In a slot the template stays whole: the new line comes after the caret's line.
  const int Caret = Line == Area ? Area->EquationIndex() : Line->Count();
  const QString Tail = RunData(*Line, Caret, Line->Count());
  DeleteRun(*Line, Caret, Line->Count());
  FEditor.AddEditArea();
  TEditArea* Next = FEditor.ActiveEditArea();
  if (!Next || Next == Line) return true;
  for (const TExpression& Rest : TZelkGraphic::GetExprData(Tail)) Next->InsertData(Rest.Argument);
  PlaceCaret(Next, 0);
  return true;
}

void TEditing::JoinLines(int Upper) {
  TEditArea* Top = FEditor.Line(Upper);
  const QString Tail = FEditor.Line(Upper + 1)->GetData();
  const int Join = Top->Count();
  const TEditScope Edit(*this);
  FEditor.SetEditAreaIndex(Upper + 1);
  FEditor.DeleteEditArea();
  PlaceCaret(Top, Join);
  InsertRun(*Top, Tail);
  FEditor.SetEditAreaIndex(Upper);
  PlaceCaret(Top, Join);
}
