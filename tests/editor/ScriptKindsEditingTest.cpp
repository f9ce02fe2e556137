// Editing with fences, scripted bases, left indices and braces: selection into the first
// slot, Tab through the slots in Data order, undo, copy and paste.

#include <gtest/gtest.h>

#include <QUndoStack>

#include "EditingSupport.h"
#include "model/EditArea.h"

namespace {
struct EditingKinds : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  void SetUp() override { E->setFocus(); }
  void Insert(const std::function<void(TEditArea&)>& Command) { E->Editing().InsertElement(Command); }
};
}  // namespace

TEST_F(EditingKinds, TheSelectionFillsTheBraKetsFirstSlotAndTabLeadsToTheSecond) {
  QTest::keyClicks(E, "ab");
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  Insert([](TEditArea& A) { A.AddEqFence({dlCornerOpen, dlModule, dlCornerClose}); });
  EXPECT_TEXT(E->GetData(), Row("BracketsBraKet(" + Row(Chars("ab")) + Row("") + ")"));
  Key(E, Qt::Key_Tab);
  QTest::keyClicks(E, "c");
  EXPECT_TEXT(E->GetData(), Row("BracketsBraKet(" + Row(Chars("ab")) + Row(Chars("c")) + ")"));
  Ctrl(E, Qt::Key_Z);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("ab")));
}

TEST_F(EditingKinds, TabGoesFromTheBaseThroughTheScriptsAndOutBehindTheStack) {
  Insert([](TEditArea& A) { A.AddEqScripted({goLimitTop, goLimitBottom}, false); });
  for (const char* Typed : {"x", "b", "t", "y"}) {
    QTest::keyClicks(E, Typed);
    Key(E, Qt::Key_Tab);
  }
  EXPECT_TEXT(E->GetData(), Row("StackBottomTop(" + Row(Chars("x")) + Row(Chars("b")) + Row(Chars("t")) + ")" + Chars("y")));
  // The slots grew with what went in, and the element with them.
  auto* Stack = ElementAt<TEqScripted>(Line(0), 0);
  EXPECT_EQ(Stack->Height(), Stack->TopArea()->Height() + Stack->Base()->Height() + Stack->BottomArea()->Height());
}

TEST_F(EditingKinds, ALeftIndexTakesItsScriptAndTheBaseFollowsIt) {
  Insert([](TEditArea& A) { A.AddEqLeftIndex({goIndexTop}); });
  QTest::keyClicks(E, "14");
  Key(E, Qt::Key_Tab);
  QTest::keyClicks(E, "C");
  EXPECT_TEXT(E->GetData(), Row("IndexLeftTop(" + Row(Chars("14")) + ")" + Chars("C")));
  // Widening the script moves its slot, not the base: the column stays right-aligned.
  auto* Index = ElementAt<TEqIndex>(Line(0), 0);
  EXPECT_EQ(Index->IndexTopArea()->Left(), 0);
  EXPECT_EQ(Index->Width(), Index->IndexTopArea()->Width());
}

TEST_F(EditingKinds, ACopiedBraceAndOperatorPasteAsTheyWere) {
  Insert([](TEditArea& A) { A.AddEqBrace(aeBottom); });
  QTest::keyClicks(E, "x");
  Key(E, Qt::Key_Tab);
  QTest::keyClicks(E, "n");
  Key(E, Qt::Key_Tab);
  Insert([](TEditArea& A) { A.AddEqScripted({goIndexBottom}, true); });
  QTest::keyClicks(E, "T");
  Key(E, Qt::Key_Tab);
  QTest::keyClicks(E, "k");
  Key(E, Qt::Key_Tab);
  const QString Once = "HorizBraceaeBottom(" + Row(Chars("x")) + Row(Chars("n")) + ")OperatorIndexBottom(" +
                       Row(Chars("T")) + Row(Chars("k")) + ")";
  EXPECT_TEXT(E->GetData(), Row(Once));
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_C);
  Key(E, Qt::Key_End);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row(Once + Once));
}
