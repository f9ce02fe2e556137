// Undo and redo after every kind of edit: the formula, the caret and the selection come
// back exactly, with one change notice each.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>
#include <functional>

#include "EditingSupport.h"
#include "editor/AreaPath.h"
#include "model/EditArea.h"
#include "model/TextForm.h"

namespace {
struct Undoing : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  QUndoStack* Stack = Editor->UndoStack();

  // Where the caret is: the path of its area and its index.
  std::pair<TAreaPath, int> Caret() const { return {PathOf(Active()), Active()->EquationIndex()}; }

  // Runs Prepare (caret moves, selection), then Edit; undo must give back the formula and
  // caret from before Edit, with one notice, and redo those from after.
  void ExpectUndoable(const std::function<void()>& Edit, const std::function<void()>& Prepare = {}) {
    if (Prepare) Prepare();
    const QString Before = E->GetData();
    const auto CaretBefore = Caret();
    const int Steps = Stack->index();
    Edit();
    const QString After = E->GetData();
    const auto CaretAfter = Caret();
    ASSERT_NE(After, Before);
    EXPECT_EQ(Stack->index(), Steps + 1);
    Changes = 0;
    Ctrl(E, Qt::Key_Z);
    EXPECT_TEXT(E->GetData(), Before);
    EXPECT_EQ(Caret(), CaretBefore);
    EXPECT_EQ(Changes, 1);
    Changes = 0;
    QTest::keyClick(E, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TEXT(E->GetData(), After);
    EXPECT_EQ(Caret(), CaretAfter);
    EXPECT_EQ(Changes, 1);
    Ctrl(E, Qt::Key_Z);
    Ctrl(E, Qt::Key_Y);  // the other redo key
    EXPECT_TEXT(E->GetData(), After);
  }
};
}  // namespace

TEST_F(Undoing, EveryKindOfEditIsOneStep) {
  EXPECT_FALSE(Stack->canUndo());  // a new editor has nothing to undo
  ExpectUndoable([&] { QTest::keyClicks(E, "ab"); });
  ExpectUndoable([&] { Key(E, Qt::Key_Return); });
  ExpectUndoable([&] { Key(E, Qt::Key_Return); });  // at 0: an empty line above
  ExpectUndoable([&] { Key(E, Qt::Key_Backspace); }, [&] { Key(E, Qt::Key_Down); });  // the empty line goes
  ExpectUndoable([&] { E->Editing().InsertElement([](TEditArea& A) { A.AddEqDivision(); }); });
  ExpectUndoable([&] { QTest::keyClicks(E, "x"); });  // in the numerator
  ExpectUndoable([&] { E->setProperty("Data", Row("Simple(q)") + Row("Simple(r)")); });
  ExpectUndoable([&] { Key(E, Qt::Key_Delete); }, [&] { Key(E, Qt::Key_Left, Qt::ShiftModifier); });
  ExpectUndoable([&] { Ctrl(E, Qt::Key_X); }, [&] {
    Ctrl(E, Qt::Key_A);
    Ctrl(E, Qt::Key_A);
  });
  ExpectUndoable([&] { Ctrl(E, Qt::Key_V); });
  // A host calling the model directly makes a step of its own.
  ExpectUndoable([&] {
    Active()->AddEqSimple(QChar('h'));
    QCoreApplication::processEvents();
  });
}

TEST_F(Undoing, BackspaceAtTheStartOfALineComesBackWithTheLineAbove) {
  E->SetData(Row("") + Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  Line(1)->SetActive(true);
  Line(1)->SetEquationIndex(0);
  Key(E, Qt::Key_Backspace);
  ASSERT_EQ(E->LineCount(), 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row("") + Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_EQ(Active()->EquationIndex(), 0);
}

TEST_F(Undoing, ARunOfTypingInOneAreaIsOneStep) {
  QTest::keyClicks(E, "abc");
  EXPECT_EQ(Stack->count(), 1);
  Key(E, Qt::Key_Left);  // typing elsewhere starts a new step
  QTest::keyClicks(E, "x");
  EXPECT_EQ(Stack->count(), 2);
  QTest::keyClicks(E, "y");
  Key(E, Qt::Key_Backspace);  // not typing
  QTest::keyClicks(E, "z");
  EXPECT_EQ(Stack->count(), 4);
  Ctrl(E, Qt::Key_Z);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("abxyc")));
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("abc")));
  EXPECT_EQ(Active()->EquationIndex(), 2);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(""));
  EXPECT_FALSE(Stack->canUndo());
}

TEST_F(Undoing, CtrlZAndCtrlYWorkOnACyrillicLayout) {
  QTest::keyClicks(E, "ab");
  // What a Russian-only layout delivers for Ctrl+Z and Ctrl+Y.
  QTest::sendKeyEvent(QTest::Click, E, Qt::Key(0x42F), QString::fromUtf8("я"), Qt::ControlModifier);
  EXPECT_TEXT(E->GetData(), Row(""));
  QTest::sendKeyEvent(QTest::Click, E, Qt::Key(0x41D), QString::fromUtf8("н"), Qt::ControlModifier);
  EXPECT_TEXT(E->GetData(), Row(Chars("ab")));
}

TEST_F(Undoing, TheSelectionComesBackAndCaretMovesAreNoSteps) {
  QTest::keyClicks(E, "abc");
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Backspace);
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->Editing().SelectedData(), Row(Chars("bc")));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Key(E, Qt::Key_Home);
  Key(E, Qt::Key_End);
  EXPECT_EQ(Stack->count(), 2);
  EXPECT_TRUE(Stack->canRedo());
}

TEST_F(Undoing, HostsSeeCanUndoAndCanRedo) {
  QSignalSpy CanUndo(Stack, &QUndoStack::canUndoChanged);
  QSignalSpy CanRedo(Stack, &QUndoStack::canRedoChanged);
  QTest::keyClicks(E, "a");
  ASSERT_EQ(CanUndo.count(), 1);
  EXPECT_TRUE(CanUndo.last().at(0).toBool());
  Stack->undo();
  EXPECT_FALSE(CanUndo.last().at(0).toBool());
  EXPECT_TRUE(CanRedo.last().at(0).toBool());
  // A change made outside the key map is a step once control is back in the event loop.
  Active()->AddEqSimple(QChar('b'));
  EXPECT_FALSE(Stack->canUndo());
  QCoreApplication::processEvents();
  EXPECT_TRUE(Stack->canUndo());
  EXPECT_FALSE(Stack->canRedo());  // a new step ends the redo branch
}

TEST_F(Undoing, UndoAcrossDataAssignmentsOfDifferentShapes) {
  E->SetData(Row("Simple(a)"));
  Key(E, Qt::Key_End);
  E->SetData(Row("MatrixkmSquare(EditArea(Simple(1))EditArea()EditArea()EditArea(Simple(4)))"));
  TEditArea* Cell = SlotOf(Line(0), 0, 3);
  Cell->SetActive(true);
  Cell->SetEquationIndex(1);
  E->SetData("");
  EXPECT_EQ(Active(), nullptr);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmSquare(EditArea(Simple(1))EditArea()EditArea()EditArea(Simple(4)))"));
  EXPECT_EQ(Active(), SlotOf(Line(0), 0, 3));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Stack->undo();
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
  EXPECT_EQ(Active()->EquationIndex(), 1);
}

TEST_F(Undoing, StepsBeyondWhatATextMayHoldComeBackWhole) {
  // The palette nests deeper than a text may, and the history gives that formula back.
  for (int Level = 0; Level <= MaxNestingDepth; ++Level)
    E->Editing().InsertElement([](TEditArea& A) { A.AddEqDivision(); });
  const QString Deep = E->GetData();
  ASSERT_EQ(Deep.count("Division("), MaxNestingDepth + 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_EQ(E->GetData().count("Division("), MaxNestingDepth);
  Ctrl(E, Qt::Key_Y);
  EXPECT_TEXT(E->GetData(), Deep);
}
