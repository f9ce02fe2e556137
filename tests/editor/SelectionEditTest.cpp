// An edit on a selection in every typesetting and input style: it is one undo step, leaves
// the caret inside its run and does all it says.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUndoStack>
#include <functional>

#include "EditingSupport.h"
#include "model/EditArea.h"

namespace {
struct TStyles {
  TTypesetting Typesetting;
  TInputStyle Input;
};

std::string StyleName(const ::testing::TestParamInfo<TStyles>& Info) {
  return std::string(Info.param.Typesetting == TTypesettings::Math ? "Math" : "Classic") +
         (Info.param.Input == TInputStyles::Modern ? "Modern" : "ClassicKeys");
}

struct SelectionEdit : ::testing::TestWithParam<TStyles>, EditorFixture {
  TZelkEquation* E = Editor.get();
  TEditing& Ed = Editor->Editing();

  void SetUp() override {
    E->SetTypesetting(GetParam().Typesetting);
    E->SetInputStyle(GetParam().Input);
  }

  void ExpectCaretInItsRun() const {
    ASSERT_NE(Active(), nullptr);
    EXPECT_GE(Active()->EquationIndex(), 0);
    EXPECT_LE(Active()->EquationIndex(), Active()->Count());
  }

  // Starts from "abcd" with the caret at From, selects with Select, runs Edit: the
  // formula must read Expected with the caret at Caret, as one step undo takes back.
  void Expect(int From, const std::function<void()>& Select, const std::function<void()>& Edit,
              const QString& Expected, int Caret) {
    E->SetData(Row(Chars("abcd")));
    Line(0)->SetActive(true);
    Line(0)->SetEquationIndex(From);
    Select();
    ASSERT_TRUE(Ed.HasSelection());
    const QString Before = E->GetData();
    const int Steps = E->UndoStack()->index();
    Edit();
    EXPECT_TEXT(E->GetData(), Expected);
    ExpectCaretInItsRun();
    EXPECT_EQ(Active()->EquationIndex(), Caret);
    EXPECT_EQ(E->UndoStack()->index(), Steps + 1);
    Ctrl(E, Qt::Key_Z);
    EXPECT_TEXT(E->GetData(), Before);
    ExpectCaretInItsRun();
  }
};
}  // namespace

TEST_P(SelectionEdit, EveryEditOnARangeIsWholeAndOneStep) {
  const auto All = [&] { Ctrl(E, Qt::Key_A); };
  const auto ToEnd = [&] { Key(E, Qt::Key_End, Qt::ShiftModifier); };
  const auto ThreeRight = [&] {
    for (int I = 0; I < 3; ++I) Key(E, Qt::Key_Right, Qt::ShiftModifier);
  };
  const auto Delete = [&] { Key(E, Qt::Key_Delete); };
  const auto Backspace = [&] { Key(E, Qt::Key_Backspace); };
  const auto Type = [&] { QTest::keyClicks(E, "x"); };
  const auto Cut = [&] { Ctrl(E, Qt::Key_X); };
  const auto Symbol = [&] { Ed.InsertElement([](TEditArea& A) { A.AddEqExtSymbol(177); }); };
  for (const std::function<void()>& Edit : {std::function<void()>(Delete), std::function<void()>(Backspace),
                                             std::function<void()>(Cut)}) {
    Expect(0, All, Edit, Row(""), 0);
    Expect(1, ToEnd, Edit, Row(Chars("a")), 1);
    Expect(0, ThreeRight, Edit, Row(Chars("d")), 0);
  }
  Expect(0, All, Type, Row(Chars("x")), 1);
  Expect(1, ToEnd, Type, Row(Chars("ax")), 2);
  Expect(0, ThreeRight, Type, Row(Chars("xd")), 1);
  Expect(0, All, Symbol, Row("ExtSymbol(177)"), 1);
  Expect(2, ToEnd, Symbol, Row(Chars("ab") + "ExtSymbol(177)"), 3);
  EXPECT_TEXT(QGuiApplication::clipboard()->mimeData()->data("application/x-zelk-data"), Row(Chars("abc")));
}

TEST_P(SelectionEdit, ATemplateFromThePaletteTakesTheWholeRange) {
  E->SetData(Row(Chars("abcd")));
  Line(0)->SetActive(true);
  Ctrl(E, Qt::Key_A);
  Ed.InsertElement([](TEditArea& A) { A.AddEqBrackets(kbRound); });
  EXPECT_TEXT(E->GetData(), Row("BracketsRound(EditArea(" + Chars("abcd") + "))"));
  ExpectCaretInItsRun();
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("abcd")));
}

TEST_P(SelectionEdit, AHostDeletingBeforeTheCaretKeepsItInTheRun) {
  E->SetData(Row(Chars("abc")));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(3);
  Line(0)->DelEquation(0);
  ExpectCaretInItsRun();
  EXPECT_EQ(Line(0)->EquationIndex(), 2);
  QTest::keyClicks(E, "x");
  EXPECT_TEXT(E->GetData(), Row(Chars("bcx")));
}

INSTANTIATE_TEST_SUITE_P(Styles, SelectionEdit,
                         ::testing::Values(TStyles{TTypesettings::Classic, TInputStyles::Classic},
                                           TStyles{TTypesettings::Classic, TInputStyles::Modern},
                                           TStyles{TTypesettings::Math, TInputStyles::Classic},
                                           TStyles{TTypesettings::Math, TInputStyles::Modern}),
                         StyleName);
