#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Keywords.h"

TEST(Editor, NewEditorHasOneEmptyActiveLine) {
  TZelkEquation Editor;
  EXPECT_EQ(Editor.width(), 600);
  EXPECT_EQ(Editor.height(), 400);
  EXPECT_EQ(Editor.LineCount(), 1);
  EXPECT_EQ(Editor.EditAreaIndex(), 0);
  EXPECT_EQ(Editor.ActiveEditArea(), Editor.Line(0));
  EXPECT_TRUE(Editor.Line(0)->Active());
  EXPECT_EQ(Editor.Line(0)->Editor(), &Editor);
  EXPECT_EQ(Editor.font().family(), "Times New Roman");
  EXPECT_EQ(Editor.font().pointSize(), 20);
  EXPECT_EQ(Editor.BkColor(), QColor(Qt::white));
  EXPECT_EQ(Editor.property("Version").toString(), "0.5.0");
  EXPECT_EQ(Editor.property("Data").toString(), "EditArea()");
  EXPECT_EQ(Editor.focusPolicy(), Qt::ClickFocus);
}

TEST(Editor, AddEditAreaAppendsAfterTheCurrentLine) {
  EditorFixture F;
  F.Line(0)->AddEqSimple('a');
  F.Changes = 0;
  F.Editor->AddEditArea();
  EXPECT_EQ(F.Changes, 1);
  ASSERT_EQ(F.Editor->LineCount(), 2);
  EXPECT_EQ(F.Editor->EditAreaIndex(), 1);
  EXPECT_TRUE(F.Line(1)->GetIsEmpty());
  EXPECT_EQ(F.Active(), F.Line(1));
  EXPECT_FALSE(F.Line(0)->Active());
  EXPECT_EQ(F.Line(1)->IndexInParent(), 1);
}

TEST(Editor, InsertEditAreaPutsANewLineBeforeTheCurrentOne) {
  EditorFixture F;
  TEditArea* Old = F.Line(0);
  Old->AddEqSimple('a');
  F.Changes = 0;
  F.Editor->InsertEditArea();
  EXPECT_EQ(F.Changes, 1);
  ASSERT_EQ(F.Editor->LineCount(), 2);
  EXPECT_EQ(F.Line(1), Old);
  EXPECT_EQ(Old->IndexInParent(), 1);
  EXPECT_TRUE(F.Line(0)->GetIsEmpty());
  EXPECT_EQ(F.Active(), F.Line(0));
  EXPECT_EQ(F.Editor->EditAreaIndex(), 0);
  EXPECT_GT(Old->Top(), F.Line(0)->Top());
  EXPECT_EQ(F.Editor->GetData(), "EditArea()EditArea(Simple(a))");
}

TEST(Editor, DeleteEditAreaKeepsTheLastLine) {
  EditorFixture F;
  F.Changes = 0;
  F.Editor->DeleteEditArea();
  EXPECT_EQ(F.Editor->LineCount(), 1);
  EXPECT_EQ(F.Active(), F.Line(0));
  EXPECT_EQ(F.Changes, 1);
}

TEST(Editor, DeletingTheLastLineActivatesTheOneAbove) {
  EditorFixture F;
  F.Editor->SetData("EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))");
  ASSERT_EQ(F.Editor->EditAreaIndex(), 2);
  F.Changes = 0;
  F.Editor->DeleteEditArea();
  EXPECT_EQ(F.Changes, 1);
  EXPECT_EQ(F.Editor->EditAreaIndex(), 1);
  EXPECT_EQ(F.Active(), F.Line(1));
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a))EditArea(Simple(b))");
  // Deleting a middle line moves the lines below up.
  F.Editor->SetEditAreaIndex(0);
  F.Editor->DeleteEditArea();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(b))");
  EXPECT_EQ(F.Line(0)->Top(), 20);
}

TEST(Editor, MovingBetweenLinesActivatesWithoutNotifying) {
  EditorFixture F;
  F.Editor->SetData("EditArea(Simple(a))EditArea(Simple(b))");
  F.Line(0)->SetEquationIndex(0);
  F.Changes = 0;
  F.Editor->EditAreaUp();
  EXPECT_EQ(F.Active(), F.Line(0));
  F.Editor->EditAreaUp();
  EXPECT_EQ(F.Active(), F.Line(0));
  EXPECT_EQ(F.Line(0)->EquationIndex(), 0);
  F.Editor->EditAreaDown();
  F.Editor->EditAreaDown();
  EXPECT_EQ(F.Active(), F.Line(1));
  EXPECT_EQ(F.Line(1)->EquationIndex(), 1);
  EXPECT_EQ(F.Changes, 0);
}

TEST(Editor, InsertionLeavesTheCaretInFrontOfTheNewElement) {
  EditorFixture F;
  F.Changes = 0;
  F.Line(0)->AddEqSimple('a');
  EXPECT_EQ(F.Changes, 1);
  EXPECT_EQ(F.Line(0)->EquationIndex(), 0);
  EXPECT_EQ(F.Active(), F.Line(0));
  F.Line(0)->AddEqExtSymbol(0x1222B);  // the low 16 bits are kept
  EXPECT_EQ(ElementAt<TEqExtSymbol>(F.Line(0), 0)->SymbolCode(), 0x222B);
  EXPECT_EQ(F.Line(0)->GetData(), "ExtSymbol(8747)Simple(a)");
}

TEST(Editor, InsertionDeepInsideASlotNotifiesOnce) {
  EditorFixture F;
  F.Line(0)->AddEqDivision();
  F.Active()->AddEqBrackets(kbFigure);
  F.Changes = 0;
  F.Active()->AddEqSimple('z');
  EXPECT_EQ(F.Changes, 1);
  EXPECT_EQ(F.Editor->GetData(),
            "EditArea(Division(EditArea(BracketsFigure(EditArea(Simple(z))))EditArea()))");
}

namespace {
struct KeywordCase {
  std::function<void(TEditArea&)> Insert;
  QString Keyword;
  int CaretSlot;  // -1: the caret stays in the area
};
}  // namespace

TEST(Editor, InsertionCommandsComposeKeywordsAndPlaceTheCaret) {
  const std::vector<KeywordCase> Cases = {
      {[](TEditArea& A) { A.AddEqSumma({goLimitTop}); }, "Sum", 1},
      {[](TEditArea& A) { A.AddEqIntegral({goLimitTop, goLimitBottom}, 1, false); }, "IntLimitBottomTopOne", 1},
      {[](TEditArea& A) { A.AddEqIntegral({goLimitBottom}, 1, true); }, "IntLimitBottomOneRing", 1},
      {[](TEditArea& A) { A.AddEqIntegral({}, 5, false); }, "Int", 0},
      {[](TEditArea& A) { A.AddEqIntegral({goIndexBottom}, 3, true); }, "IntIndexBottomThreeRing", 1},
      {[](TEditArea& A) { A.AddEqIndex({goIndexTop, goIndexBottom}); }, "IndexTopBottom", 0},
      {[](TEditArea& A) { A.AddEqIndex({}); }, "Index", -1},
      {[](TEditArea& A) { A.AddEqArrow({kaRight, kaDouble}, aeTop); }, "ArrowkaRightaeTop", 0},
      {[](TEditArea& A) { A.AddEqVector({kaRight, kaLeft}, aeBottom); }, "VectorkaRightkaLeftaeBottom", 0},
      {[](TEditArea& A) { A.AddEqVector({kaDouble}, aeTop); }, "VectorkaDoubleaeTop", 0},
      {[](TEditArea& A) { A.AddEqMatrix(kmSquare, 4); }, "MatrixkmSquare", 2},
      {[](TEditArea& A) { A.AddEqMatrix(kmVert, 3); }, "MatrixkmVert", 1},
      {[](TEditArea& A) { A.AddEqBrackets(kbDModule); }, "BracketsDModule", 0},
      {[](TEditArea& A) { A.AddEqDivision(); }, "Division", 0},
      {[](TEditArea& A) { A.AddEqMultiply({goIndexTop, goIndexBottom}); }, "MultiplyIndexBottomTop", 1},
      {[](TEditArea& A) { A.AddEqCoMult({goIndexTop}); }, "CoMult", 1},
      // The first slot: the numerator, the radicand, the dividend, the accented slot.
      {[](TEditArea& A) { A.AddEqDivision(true); }, "DivisionSmall", 0},
      {[](TEditArea& A) { A.AddEqSlashDivision(); }, "DivisionSlash", 0},
      {[](TEditArea& A) { A.AddEqRoot(true); }, "RootDegree", 0},
      {[](TEditArea& A) { A.AddEqLongDivision(true); }, "LongDivisionQuotient", 0},
      {[](TEditArea& A) { A.AddEqAccent(acArcDown); }, "AccentArcDown", 0},
  };
  for (const KeywordCase& Case : Cases) {
    EditorFixture F;
    Case.Insert(*F.Line(0));
    EXPECT_EQ(F.Line(0)->EquationList()->GetString(0), Case.Keyword);
    EXPECT_EQ(F.Line(0)->EquationIndex(), 0);
    TEditArea* Expected = Case.CaretSlot < 0 ? F.Line(0) : SlotOf(F.Line(0), 0, Case.CaretSlot);
    EXPECT_EQ(F.Active(), Expected) << Case.Keyword.toStdString();
    EXPECT_EQ(F.Active()->EquationIndex(), 0);
  }
}

TEST(Editor, EveryReadableKeywordIsComposedBackByItsCommand) {
  // The reader inserts through the command whose parameters compose the very keyword.
  for (const QString& Name : AcceptedTemplateKeywords()) {
    TZelkEquation Editor;
    InsertionForKeyword(Name)(*Editor.Line(0));
    EXPECT_EQ(Editor.Line(0)->EquationList()->GetString(0), Name);
  }
}

TEST(Editor, CaretMovesAreCheckedButAlwaysReplaceTheCaret) {
  EditorFixture F;
  TEditArea* L = F.Line(0);
  L->AddEqSimple('a');
  F.Changes = 0;
  L->SetEquationIndex(1);
  const int AtEnd = L->Caret()->Left();
  EXPECT_GT(AtEnd, 0);
  const bool Phase = L->Caret()->Visible();
  L->SetEquationIndex(2);
  EXPECT_EQ(L->EquationIndex(), 1);
  EXPECT_EQ(L->Caret()->Left(), AtEnd);
  EXPECT_NE(L->Caret()->Visible(), Phase);  // every placement flips the blink phase
  EXPECT_EQ(F.Changes, 0);
}

TEST(Editor, AnEditorWithoutLines) {
  EditorFixture F;
  F.Editor->SetData("");
  EXPECT_EQ(F.Editor->LineCount(), 0);
  EXPECT_EQ(F.Active(), nullptr);
  EXPECT_EQ(F.Editor->GetData(), "");
  EXPECT_EQ(F.Editor->CalcWidth(), 0);
  EXPECT_EQ(F.Editor->CalcHeight(0), 20);
  F.Editor->DeleteEditArea();
  F.Editor->EditAreaUp();
  F.Editor->EditAreaDown();
  EXPECT_EQ(F.Editor->LineCount(), 0);
  F.Editor->AddEditArea();
  EXPECT_EQ(F.Editor->LineCount(), 1);
  EXPECT_EQ(F.Active(), F.Line(0));
  EXPECT_EQ(F.Editor->GetData(), "EditArea()");
}

TEST(Editor, ASecondEditAreaItemAfterAForeignOneMakesTwoLines) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(p))Other(Simple(q))EditArea(Simple(r))");
  ASSERT_EQ(Editor.LineCount(), 2);
  EXPECT_EQ(Editor.Line(1)->GetData(), "Simple(r)");
}

TEST(Editor, PaintsAFrameAndTheBackground) {
  TZelkEquation Editor;
  Editor.resize(120, 90);
  Editor.SetBkColor(QColor(10, 200, 30));
  const QImage Image = Editor.grab().toImage();
  EXPECT_EQ(QColor(Image.pixel(0, 45)), QColor(Qt::black));
  EXPECT_EQ(QColor(Image.pixel(119, 89)), QColor(Qt::black));
  EXPECT_EQ(QColor(Image.pixel(60, 85)), QColor(10, 200, 30));
  EXPECT_EQ(QColor(Image.pixel(3, 3)), QColor(10, 200, 30));
}
