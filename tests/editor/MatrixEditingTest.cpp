// Rows and columns of a matrix inserted and deleted around the caret, by key and by menu:
// the cells land where they should, the caret stays with its content, and each edit is one
// undoable change.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QUndoStack>

#include "EditingSupport.h"
#include "editor/AreaPath.h"
#include "model/EditArea.h"
#include "model/Keywords.h"
#include "model/Matrix.h"

namespace {
QString Cells(const QString& Letters) {
  QString Text;
  for (QChar C : Letters) Text += C == u'_' ? QStringLiteral("EditArea()") : Row(Chars(C));
  return Text;
}

struct MatrixEditing : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();

  // Puts Matrix (an element's text form) in line 0 and the caret in cell Cell at Index.
  void Start(const QString& Matrix, int Cell, int Index = 1) {
    E->SetData(Row(Matrix));
    E->Editing().ResetHistory();
    TEditArea* Area = SlotOf(Line(0), 0, Cell);
    Area->SetActive(true);
    Area->SetEquationIndex(Index);
    Changes = 0;
  }
  TEditArea* CellArea(int Cell) const { return SlotOf(Line(0), 0, Cell); }
};
}  // namespace

TEST_F(MatrixEditing, EachKeyInsertsOrDeletesAroundTheCaretsCellWhichKeepsTheCaret) {
  struct TCase {
    Qt::Key Key;
    const char* After;  // the matrix's cells, row by row, _ for an empty one
    const char* Keyword;
    int CaretCell;  // where "d" (or what replaced it) is now
    int CaretIndex;
  };
  // A 2 x 2 grid a b / c d, the caret behind d.
  const TCase Cases[] = {
      {Qt::Key_Up, "ab__cd", "MatrixkmGridTwo", 5, 1},
      {Qt::Key_Down, "abcd__", "MatrixkmGridTwo", 3, 1},
      {Qt::Key_Left, "a_bc_d", "MatrixkmGridThree", 5, 1},
      {Qt::Key_Right, "ab_cd_", "MatrixkmGridThree", 4, 1},
      // What is left of one row or column is a matrix of that kind.
      {Qt::Key_Backspace, "ab", "MatrixkmHoriz", 1, 0},
      {Qt::Key_Delete, "ac", "MatrixkmVert", 1, 0},
  };
  const auto Chord = [](Qt::Key K) {
    return K == Qt::Key_Backspace || K == Qt::Key_Delete ? Qt::ControlModifier | Qt::ShiftModifier
                                                         : Qt::AltModifier | Qt::ShiftModifier;
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.After);
    Start("MatrixkmGridTwo(" + Cells("abcd") + ")", 3);
    Key(E, Case.Key, Chord(Case.Key));
    EXPECT_TEXT(E->GetData(), Row(Case.Keyword + QStringLiteral("(") + Cells(Case.After) + ")"));
    EXPECT_EQ(Active(), CellArea(Case.CaretCell));
    EXPECT_EQ(Active()->EquationIndex(), Case.CaretIndex);
    EXPECT_EQ(Changes, 1);
  }
}

TEST_F(MatrixEditing, ARowOrColumnKeepsItsKindWhileItsShapeAllowsAndSquaresFillTheirLastRow) {
  Start("MatrixkmHoriz(" + Cells("ab") + ")", 0);
  E->Editing().EditMatrix(TMatrixEdit::ColumnRight);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmHoriz(" + Cells("a_b") + ")"));
  E->Editing().EditMatrix(TMatrixEdit::RowBelow);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmGridThree(" + Cells("a_b___") + ")"));

  Start("MatrixkmVert(" + Cells("ab") + ")", 1);
  E->Editing().EditMatrix(TMatrixEdit::RowAbove);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmVert(" + Cells("a_b") + ")"));

  // Three cells of a square: two columns, the second row short.
  Start("MatrixkmSquare(" + Cells("abc") + ")", 2);
  E->Editing().EditMatrix(TMatrixEdit::RowBelow);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmGridTwo(" + Cells("abc___") + ")"));
  EXPECT_EQ(Active(), CellArea(2));
}

TEST_F(MatrixEditing, TheLastRowOrColumnStaysAndKeysOutsideAMatrixDoNothing) {
  Start("MatrixkmHoriz(" + Cells("ab") + ")", 0);
  EXPECT_FALSE(E->Editing().CanEditMatrix(TMatrixEdit::DeleteRow));
  Key(E, Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmHoriz(" + Cells("ab") + ")"));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  EXPECT_EQ(Changes, 0);

  E->SetData(Row(Chars("xy")));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(1);
  for (Qt::Key K : {Qt::Key_Up, Qt::Key_Left}) Key(E, K, Qt::AltModifier | Qt::ShiftModifier);
  for (Qt::Key K : {Qt::Key_Backspace, Qt::Key_Delete}) Key(E, K, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TEXT(E->GetData(), Row(Chars("xy")));
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(Active()->EquationIndex(), 1);

  QString Wide;
  for (int I = 0; I < MaxMatrixColumns; ++I) Wide += "EditArea()";
  Start(MatrixKeyword(kmGrid, MaxMatrixColumns) + "(" + Wide + ")", 0, 0);
  EXPECT_FALSE(E->Editing().EditMatrix(TMatrixEdit::ColumnRight));
  EXPECT_TRUE(E->Editing().EditMatrix(TMatrixEdit::RowBelow));
}

TEST_F(MatrixEditing, TheInnermostMatrixIsEditedAndACaretDeepInACellStaysWhereItWas) {
  // A fraction in cell 1 of the outer grid holds the caret, in its denominator.
  const QString Fraction = "Division(" + Row(Chars("p")) + Row(Chars("qr")) + ")";
  E->SetData(Row("MatrixkmGridTwo(" + Row(Chars("a")) + Row(Fraction) + Cells("cd") + ")"));
  TEditArea* Denominator = dynamic_cast<TEqParent*>(CellArea(1)->Item(0))->Slot(1);
  Denominator->SetActive(true);
  Denominator->SetEquationIndex(2);
  TAreaPath Path = PathOf(Denominator);
  E->Editing().EditMatrix(TMatrixEdit::ColumnLeft);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmGridThree(" + Row(Chars("a")) + "EditArea()" + Row(Fraction) + Cells("c_d") + ")"));
  Path.Steps[0].second = 2;
  EXPECT_EQ(PathOf(Active()), Path);
  EXPECT_EQ(Active()->EquationIndex(), 2);

  // A grid in cell 0 of a row: the inner one grows, the outer keeps its cells.
  E->SetData(Row("MatrixkmHoriz(" + Row("MatrixkmVert(" + Cells("xy") + ")") + Cells("z") + ")"));
  TEditArea* Inner = dynamic_cast<TEqParent*>(CellArea(0)->Item(0))->Slot(1);
  Inner->SetActive(true);
  E->Editing().EditMatrix(TMatrixEdit::RowBelow);
  EXPECT_TEXT(E->GetData(), Row("MatrixkmHoriz(" + Row("MatrixkmVert(" + Cells("xy_") + ")") + Cells("z") + ")"));
}

TEST_F(MatrixEditing, AnEditIsOneUndoStepThatGivesTheCaretBack) {
  Start("MatrixkmGridTwo(" + Cells("abcd") + ")", 3);
  const QString Before = E->GetData();
  Key(E, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
  const QString After = E->GetData();
  EXPECT_EQ(E->UndoStack()->count(), 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Before);
  EXPECT_EQ(Active(), CellArea(3));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Ctrl(E, Qt::Key_Y);
  EXPECT_TEXT(E->GetData(), After);
}

TEST_F(MatrixEditing, TheContextMenuOffersTheCommandsInAMatrixOnly) {
  E->resize(300, 200);
  E->show();
  const auto MenuOf = [this] {
    for (QMenu* Old : E->findChildren<QMenu*>()) delete Old;
    QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(5, 5), E->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(E, &Event);
    return E->findChild<QMenu*>();
  };
  Start("MatrixkmVert(" + Cells("ab") + ")", 0);
  QMenu* Menu = MenuOf();
  ASSERT_NE(Menu, nullptr);
  ASSERT_NE(Menu->findChild<QAction*>("DeleteColumn"), nullptr);
  EXPECT_FALSE(Menu->findChild<QAction*>("DeleteColumn")->isEnabled());
  EXPECT_TRUE(Menu->findChild<QAction*>("DeleteRow")->isEnabled());
  Menu->findChild<QAction*>("InsertColumnRight")->trigger();
  EXPECT_TEXT(E->GetData(), Row("MatrixkmGridTwo(" + Cells("a_b_") + ")"));
  Menu->close();

  E->SetData(Row(Chars("x")));
  Menu = MenuOf();
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(Menu->findChild<QAction*>("InsertRowBelow"), nullptr);
  Menu->close();
}
