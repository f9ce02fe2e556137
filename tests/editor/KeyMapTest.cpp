// The key map, driven by real Qt key events sent to an editor.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "TestSupport.h"

namespace {
void Key(QWidget* W, Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(W, K, M); }

// A key that types Text, as the platform delivers it (QTest::keyClicks knows ASCII only).
void Type(QWidget* W, int K, const QString& Text, Qt::KeyboardModifiers M = Qt::NoModifier) {
  QTest::sendKeyEvent(QTest::Click, W, Qt::Key(K), Text, M);
}

// Whether the editor keeps the key press (true) or leaves it to its host.
bool Taken(QWidget* W, int K, const QString& Text = QString(), Qt::KeyboardModifiers M = Qt::NoModifier) {
  QKeyEvent Event(QEvent::KeyPress, K, M, Text);
  QCoreApplication::sendEvent(W, &Event);
  return Event.isAccepted();
}

QString Row(const QString& Run) { return "EditArea(" + Run + ")"; }

struct KeyMap : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  void SetUp() override { Changes = 0; }
};
}  // namespace

TEST_F(KeyMap, TypedCharactersGoInAtTheCaretOneChangeEach) {
  QTest::keyClicks(E, "abc");
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(b)Simple(c)"));
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(Active()->EquationIndex(), 3);
  EXPECT_EQ(Changes, 3);
  Key(E, Qt::Key_Home);
  QTest::keyClicks(E, "1+");
  EXPECT_EQ(E->GetData(), Row("Simple(1)Simple(+)Simple(a)Simple(b)Simple(c)"));
  EXPECT_EQ(Active()->EquationIndex(), 2);
}

TEST_F(KeyMap, DigitsPunctuationAndKeypadType) {
  QTest::keyClicks(E, "7=,;[?'");
  Type(E, Qt::Key_5, "5", Qt::KeypadModifier);
  Type(E, Qt::Key_Asterisk, "*", Qt::KeypadModifier);
  Type(E, Qt::Key_ParenLeft, "(", Qt::ShiftModifier);
  EXPECT_EQ(E->GetData(),
            Row("Simple(7)Simple(=)Simple(,)Simple(;)Simple([)Simple(?)Simple(')Simple(5)Simple(*)"
                 "Simple(#40)"));
  EXPECT_EQ(Changes, 10);
}

TEST_F(KeyMap, ShiftTypesTheCapitalAndOtherLayoutsTheirLetters) {
  Type(E, Qt::Key_A, "A", Qt::ShiftModifier);
  Type(E, 0x42F, QString::fromUtf8("я"));                      // Russian layout, the Z key
  Type(E, 0x414, QString::fromUtf8("Д"), Qt::ShiftModifier);  // Russian layout, Shift+L
  Type(E, 0x3B1, QString::fromUtf8("α"));                      // Greek layout, the A key
  Type(E, Qt::Key_Adiaeresis, QString::fromUtf8("ä"));
  EXPECT_EQ(E->GetData(), Row(QString::fromUtf8("Simple(A)Simple(я)Simple(Д)Simple(α)Simple(ä)")));
  EXPECT_EQ(Changes, 5);
}

TEST_F(KeyMap, CommandChordsTypeNothingAndGoToTheHost) {
  // Qt gives Ctrl+A the text "\x01" on X11 but "a" from other sources; with a Russian
  // layout Ctrl+Z comes as the Cyrillic key with its letter as text.
  Type(E, Qt::Key_A, "a", Qt::ControlModifier);
  Type(E, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
  Type(E, Qt::Key_B, "b", Qt::AltModifier);
  Type(E, 0x42F, QString::fromUtf8("я"), Qt::ControlModifier);
  Type(E, Qt::Key_BracketLeft, QString(QChar(27)), Qt::ControlModifier);
  EXPECT_EQ(E->GetData(), Row(""));
  EXPECT_EQ(Changes, 0);
  // Ctrl+Z is Undo now (nothing to undo here), on a Cyrillic layout too.
  EXPECT_TRUE(Taken(E, Qt::Key_Z, "z", Qt::ControlModifier));
  EXPECT_TRUE(Taken(E, 0x42F, QString::fromUtf8("я"), Qt::ControlModifier));
  // Ctrl and Alt together are AltGr on some platforms: the layout's third level types.
  Type(E, Qt::Key_At, "@", Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(E->GetData(), Row("Simple(@)"));
}

TEST_F(KeyMap, KeysWithoutACharacterDoNothingAndGoToTheHost) {
  for (Qt::Key K : {Qt::Key_Space, Qt::Key_Escape, Qt::Key_F1, Qt::Key_PageUp, Qt::Key_Insert,
                    Qt::Key_VolumeUp, Qt::Key_Back, Qt::Key_Dead_Acute, Qt::Key_unknown})
    EXPECT_FALSE(Taken(E, K, K == Qt::Key_Space ? " " : "")) << K;
  Type(E, Qt::Key_Space, " ");
  Type(E, Qt::Key_Search, "");
  EXPECT_EQ(E->GetData(), Row(""));
  EXPECT_EQ(Changes, 0);
  EXPECT_TRUE(Taken(E, Qt::Key_Left));
  EXPECT_TRUE(Taken(E, Qt::Key_X, "x"));
}

TEST_F(KeyMap, BackspaceAndDeleteInsideARun) {
  QTest::keyClicks(E, "abc");
  Key(E, Qt::Key_Left);
  Changes = 0;
  Key(E, Qt::Key_Backspace);  // the element in front of the caret
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(c)"));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Key(E, Qt::Key_Delete);  // the element behind it; the caret stays, now at the end
  EXPECT_EQ(E->GetData(), Row("Simple(a)"));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Key(E, Qt::Key_Delete);  // at the end: nothing goes, the change is still announced
  EXPECT_EQ(E->GetData(), Row("Simple(a)"));
  EXPECT_EQ(Changes, 3);
  Key(E, Qt::Key_Backspace);
  Key(E, Qt::Key_Backspace);  // at 0 of the first line: nothing at all
  EXPECT_EQ(E->GetData(), Row(""));
  EXPECT_EQ(Changes, 4);
}

TEST_F(KeyMap, EnterAtTheEndAddsALineBelowAndAtZeroInsertsOneAbove) {
  QTest::keyClicks(E, "ab");
  Changes = 0;
  Key(E, Qt::Key_Return);
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(b)") + Row(""));
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_EQ(Changes, 1);
  QTest::keyClicks(E, "c");
  Key(E, Qt::Key_Home);
  Key(E, Qt::Key_Enter);  // the keypad's Enter is Enter too
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(b)") + Row("") + Row("Simple(c)"));
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_EQ(Changes, 3);
}

TEST_F(KeyMap, BackspaceAtZeroDeletesTheLineAboveOnlyWhenItIsEmpty) {
  QTest::keyClicks(E, "ab");
  Key(E, Qt::Key_Return);
  TEditArea* NewLine = Active();
  Changes = 0;
  Key(E, Qt::Key_Backspace);  // "ab" above is kept: nothing happens
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(b)") + Row(""));
  EXPECT_EQ(Active(), NewLine);
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_EQ(Changes, 0);
  Key(E, Qt::Key_Return);  // at 0: an empty line above the current one
  Key(E, Qt::Key_Down);
  Changes = 0;
  Key(E, Qt::Key_Backspace);
  EXPECT_EQ(E->GetData(), Row("Simple(a)Simple(b)") + Row(""));
  EXPECT_EQ(Line(1), NewLine);
  EXPECT_EQ(Active(), NewLine);
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_EQ(Changes, 1);
}

TEST_F(KeyMap, DeleteInTheOnlyEmptyLineKeepsItAndAnnounces) {
  Key(E, Qt::Key_Delete);
  EXPECT_EQ(E->LineCount(), 1);
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(Changes, 1);
  Key(E, Qt::Key_Return);
  Key(E, Qt::Key_Delete);  // an empty second line goes; the first is active again
  EXPECT_EQ(E->LineCount(), 1);
  EXPECT_EQ(Active(), Line(0));
}

TEST_F(KeyMap, UpAndDownMoveBetweenLinesAndStayAtTheEnds) {
  QTest::keyClicks(E, "ab");
  Key(E, Qt::Key_Return);
  QTest::keyClicks(E, "c");
  Changes = 0;
  Key(E, Qt::Key_Down);  // last line: the same line again, caret where it was
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Key(E, Qt::Key_Up);
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(Active()->EquationIndex(), 2);
  EXPECT_FALSE(Line(1)->Active());
  Key(E, Qt::Key_Up);
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(E->EditAreaIndex(), 0);
  EXPECT_EQ(Changes, 0);
}

TEST_F(KeyMap, NoMovementKeyLeavesASlot) {
  QTest::keyClicks(E, "a");
  Active()->AddEqDivision();
  TEditArea* Numerator = Active();
  ASSERT_EQ(Numerator, SlotOf(Line(0), 1, 0));
  QTest::keyClicks(E, "xy");
  Changes = 0;
  for (Qt::Key K : {Qt::Key_Home, Qt::Key_Left}) Key(E, K);
  EXPECT_EQ(Active(), Numerator);
  EXPECT_EQ(Numerator->EquationIndex(), 0);
  for (Qt::Key K : {Qt::Key_End, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) Key(E, K);
  EXPECT_EQ(Active(), Numerator);
  EXPECT_EQ(Numerator->EquationIndex(), 2);
  Key(E, Qt::Key_Left);
  Key(E, Qt::Key_Backspace);
  EXPECT_EQ(E->GetData(), Row("Simple(a)Division(EditArea(Simple(y))EditArea())"));
  EXPECT_EQ(Changes, 1);
  // In the empty denominator Delete, Up and Down do nothing.
  TEditArea* Denominator = SlotOf(Line(0), 1, 1);
  Denominator->SetActive(true);
  Changes = 0;
  for (Qt::Key K : {Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down}) Key(E, K);
  EXPECT_EQ(Active(), Denominator);
  EXPECT_EQ(E->LineCount(), 1);
  EXPECT_EQ(Changes, 0);
}

TEST_F(KeyMap, EnterInASlotActsOnTheCurrentLine) {
  Active()->AddEqDivision();
  QTest::keyClicks(E, "x");
  Key(E, Qt::Key_Return);
  EXPECT_EQ(E->LineCount(), 2);
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(E->GetData(), Row("Division(EditArea(Simple(x))EditArea())") + Row(""));
}

TEST_F(KeyMap, AnEditorWithoutALineGetsOneBackOnTheFirstKey) {
  for (int K : {int(Qt::Key_A), int(Qt::Key_Return), int(Qt::Key_Backspace), int(Qt::Key_Delete),
                int(Qt::Key_Up), int(Qt::Key_Left)}) {
    E->SetData("");
    ASSERT_EQ(Active(), nullptr);
    Changes = 0;
    EXPECT_TRUE(Taken(E, K, K == Qt::Key_A ? "a" : "")) << K;
    EXPECT_EQ(Active(), Line(0)) << K;
    EXPECT_EQ(Changes, 1) << K;
  }
  E->SetData("");
  QTest::keyClicks(E, "a");
  EXPECT_EQ(E->GetData(), Row("Simple(a)"));
}

TEST_F(KeyMap, BackspaceInASlotNeverDeletesTheLineThatHoldsIt) {
  // The caret sits in a slot of line 0 while line 1 is the current line: Backspace at 0
  // acts on the line above the current one, which holds the caret's fraction.
  Active()->AddEqDivision();
  TEditArea* Numerator = Active();
  E->AddEditArea();
  Numerator->SetActive(true);
  EXPECT_EQ(E->EditAreaIndex(), 1);
  Changes = 0;
  Key(E, Qt::Key_Backspace);
  EXPECT_EQ(E->LineCount(), 2);
  EXPECT_EQ(Active(), Numerator);
  EXPECT_EQ(Changes, 0);
  QTest::keyClicks(E, "z");
  EXPECT_EQ(E->GetData(), Row("Division(EditArea(Simple(z))EditArea())") + Row(""));
}
