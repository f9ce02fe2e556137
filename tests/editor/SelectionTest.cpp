// Selection with Shift and Ctrl+A, and slot moves with Tab, driven by real key events.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QVBoxLayout>

#include "EditingSupport.h"
#include "model/EditArea.h"

namespace {
struct Selecting : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  TEditing& Ed = Editor->Editing();
};
}  // namespace

TEST_F(Selecting, ShiftArrowsHomeAndEndGrowAndShrinkTheRangeAtRunEnds) {
  QTest::keyClicks(E, "abcd");
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_TEXT(Ed.SelectedData(), Row(Chars("cd")));
  Key(E, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_TEXT(Ed.SelectedData(), Row(Chars("d")));
  Key(E, Qt::Key_Right, Qt::ShiftModifier);  // back at the anchor: nothing selected
  EXPECT_FALSE(Ed.HasSelection());
  Key(E, Qt::Key_Right, Qt::ShiftModifier);  // at the run's end the caret stays
  EXPECT_FALSE(Ed.HasSelection());
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_TEXT(Ed.SelectedData(), Row(Chars("abcd")));
  Key(E, Qt::Key_Left, Qt::ShiftModifier);  // at 0 the caret stays
  EXPECT_TEXT(Ed.SelectedData(), Row(Chars("abcd")));
  EXPECT_EQ(Active()->EquationIndex(), 0);
  Key(E, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_FALSE(Ed.HasSelection());
  // Left and Right without Shift collapse to the range's ends.
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Left);
  EXPECT_FALSE(Ed.HasSelection());
  EXPECT_EQ(Active()->EquationIndex(), 2);
  Key(E, Qt::Key_Right, Qt::ShiftModifier);
  Key(E, Qt::Key_Right);
  EXPECT_EQ(Active()->EquationIndex(), 3);
  EXPECT_TEXT(E->GetData(), Row(Chars("abcd")));
  EXPECT_EQ(Changes, 4);  // selecting is no change
}

TEST_F(Selecting, TypingBackspaceAndDeleteReplaceOrRemoveTheRange) {
  QTest::keyClicks(E, "abcd");
  Key(E, Qt::Key_Left);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClicks(E, "x");
  EXPECT_TEXT(E->GetData(), Row(Chars("axd")));
  EXPECT_EQ(Active()->EquationIndex(), 2);
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  Key(E, Qt::Key_Backspace);
  EXPECT_TEXT(E->GetData(), Row(Chars("d")));
  EXPECT_EQ(Active()->EquationIndex(), 0);
  Key(E, Qt::Key_End, Qt::ShiftModifier);
  Key(E, Qt::Key_Delete);
  EXPECT_TEXT(E->GetData(), Row(""));
  EXPECT_EQ(E->LineCount(), 1);  // Delete of a range leaves an emptied line in place
}

TEST_F(Selecting, SelectionInsideASlotStaysInThatSlot) {
  E->SetData(Row("Simple(a)Division(EditArea(Simple(p)Simple(q))EditArea(Simple(r)))"));
  TEditArea* Numerator = SlotOf(Line(0), 1, 0);
  Numerator->SetActive(true);
  Numerator->SetEquationIndex(1);
  Key(E, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(q)"));
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(p)"));
  QTest::keyClicks(E, "z");
  EXPECT_TEXT(E->GetData(), Row("Simple(a)Division(EditArea(Simple(z)Simple(q))EditArea(Simple(r)))"));
  EXPECT_EQ(Active(), Numerator);
  // Going to another area drops the range.
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  SlotOf(Line(0), 1, 1)->SetActive(true);
  EXPECT_FALSE(Ed.HasSelection());
}

TEST_F(Selecting, CtrlASelectsTheRunThenTheWholeFormula) {
  E->SetData(Row("Division(EditArea(Simple(p))EditArea(Simple(q)))") + Row("Simple(b)"));
  TEditArea* Numerator = SlotOf(Line(0), 0, 0);
  Numerator->SetActive(true);
  Ctrl(E, Qt::Key_A);
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(p)"));
  Ctrl(E, Qt::Key_A);
  EXPECT_TRUE(Ed.Selection().IsWhole());
  EXPECT_TEXT(Ed.SelectedData(), E->GetData());
  QTest::keyClicks(E, "y");  // typing replaces everything
  EXPECT_TEXT(E->GetData(), Row("Simple(y)"));
  EXPECT_EQ(Active(), Line(0));
  // In an empty run, the first Ctrl+A already takes the whole formula.
  Key(E, Qt::Key_Return);
  Ctrl(E, Qt::Key_A);
  EXPECT_TRUE(Ed.Selection().IsWhole());
  Key(E, Qt::Key_Backspace);
  EXPECT_TEXT(E->GetData(), Row(""));
}

TEST_F(Selecting, APaletteTemplateTakesTheRangeIntoItsFirstSlot) {
  QTest::keyClicks(E, "a+b");
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  Ed.InsertElement([](TEditArea& A) { A.AddEqBrackets(kbRound); });
  EXPECT_TEXT(E->GetData(), Row("BracketsRound(EditArea(Simple(a)Simple(+)Simple(b)))"));
  EXPECT_EQ(Active(), SlotOf(Line(0), 0, 0));
  EXPECT_EQ(Active()->EquationIndex(), 3);
  Key(E, Qt::Key_Home);
  Key(E, Qt::Key_Right, Qt::ShiftModifier);
  Ed.InsertElement([](TEditArea& A) { A.AddEqDivision(); });
  EXPECT_TEXT(E->GetData(),
            Row("BracketsRound(EditArea(Division(EditArea(Simple(a))EditArea())Simple(+)Simple(b)))"));
  // A symbol takes the range's place and leaves the caret behind it.
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_A);
  Ed.InsertElement([](TEditArea& A) { A.AddEqExtSymbol(177); });
  EXPECT_TEXT(E->GetData(), Row("ExtSymbol(177)"));
  EXPECT_EQ(Active()->EquationIndex(), 1);
}

namespace {
struct SlotMoves : Selecting {
  // a [ x/(y z) ] b, on one line, then c on a second.
  void SetUp() override {
    E->SetData(Row("Simple(a)BracketsRound(EditArea(Division(EditArea(Simple(x))"
                   "EditArea(Simple(y)Simple(z)))))Simple(b)") +
               Row("Simple(c)"));
    Line(0)->SetActive(true);
    Line(0)->SetEquationIndex(0);
    Changes = 0;
  }
  TEditArea* Bracket() const { return SlotOf(Line(0), 1, 0); }
  TEditArea* Num() const { return SlotOf(Bracket(), 0, 0); }
  TEditArea* Den() const { return SlotOf(Bracket(), 0, 1); }
};
}  // namespace

TEST_F(SlotMoves, TabVisitsEverySlotInReadingOrderAndShiftTabComesBack) {
  const QString Before = E->GetData();
  const std::vector<std::pair<TEditArea*, int>> Forward = {
      {Bracket(), 0}, {Num(), 0}, {Den(), 0}, {Bracket(), 1}, {Line(0), 2}};
  for (const auto& [Area, Index] : Forward) {
    Key(E, Qt::Key_Tab);
    EXPECT_EQ(Active(), Area);
    EXPECT_EQ(Active()->EquationIndex(), Index);
  }
  const std::vector<std::pair<TEditArea*, int>> Backward = {
      {Bracket(), 1}, {Den(), 2}, {Num(), 1}, {Bracket(), 0}, {Line(0), 1}};
  for (const auto& [Area, Index] : Backward) {
    Key(E, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Active(), Area);
    EXPECT_EQ(Active()->EquationIndex(), Index);
  }
  EXPECT_TEXT(E->GetData(), Before);
  EXPECT_EQ(Changes, 0);
}

TEST_F(SlotMoves, TabLeavesTheEditorOnlyWithNowhereToGoOrWithCtrl) {
  QWidget Host;
  auto* Layout = new QVBoxLayout(&Host);
  auto* Other = new QLineEdit(&Host);
  Editor->setParent(&Host);
  Layout->addWidget(E);
  Layout->addWidget(Other);
  Host.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Host));
  E->setFocus();
  Key(E, Qt::Key_Tab, Qt::ControlModifier);  // Ctrl: out at once
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Active(), Line(0));
  E->setFocus();
  Line(0)->SetEquationIndex(2);  // behind the brackets: no template further on
  Key(E, Qt::Key_Tab);
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Active()->EquationIndex(), 2);
  Editor->setParent(nullptr);
}
