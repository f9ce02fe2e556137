#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/Exceptions.h"

TEST(Tree, IntegralWithBothLimitsHasOperandLowerUpperAndCaretInLower) {
  EditorFixture F;
  F.Line(0)->AddEqIntegral({goLimitTop, goLimitBottom}, 1, false);
  auto* E = ElementAt<TEqIntegral>(F.Line(0), 0);
  ASSERT_EQ(E->EditAreaCount(), 3);
  EXPECT_EQ(E->LimitBottomArea(), E->Slot(1));
  EXPECT_EQ(E->LimitTopArea(), E->Slot(2));
  EXPECT_EQ(E->IndexTopArea(), nullptr);
  EXPECT_EQ(F.Active(), E->LimitBottomArea());
  EXPECT_EQ(E->EditAreaIndex(), 1);
}

TEST(Tree, GroupOpSlotsFollowTheInsertionRuleForEveryOptionSet) {
  EditorFixture F;
  F.Line(0)->AddEqSumma({goLimitTop});
  auto* Sum = ElementAt<TEqSumma>(F.Line(0), 0);
  ASSERT_EQ(Sum->EditAreaCount(), 2);
  EXPECT_EQ(Sum->LimitTopArea(), Sum->Slot(1));
  EXPECT_EQ(F.Active(), Sum->LimitTopArea());

  F.Line(0)->AddEqJoin({goIndexTop, goIndexBottom});
  auto* Join = ElementAt<TEqJoin>(F.Line(0), 0);
  EXPECT_EQ(Join->IndexBottomArea(), Join->Slot(1));
  EXPECT_EQ(Join->IndexTopArea(), Join->Slot(2));
  EXPECT_EQ(F.Active(), Join->IndexBottomArea());

  F.Line(0)->AddEqCoMult({});
  auto* Co = ElementAt<TEqCoMult>(F.Line(0), 0);
  EXPECT_EQ(Co->EditAreaCount(), 1);
  EXPECT_EQ(F.Active(), Co->Slot(0));
}

TEST(Tree, EachOperatorHasItsSign) {
  EditorFixture F;
  TEditArea* L = F.Line(0);
  L->AddEqIntegral({}, 1, false);
  L->AddEqSumma({});
  L->AddEqMultiply({});
  L->AddEqIntersection({});
  L->AddEqJoin({});
  L->AddEqCoMult({});
  // Each insertion stands in front of the one before.
  const char16_t Expected[] = {u'\u0426', u'U', u'\u2229', u'\u220F', u'\u2211', u'\u222B'};
  for (int I = 0; I < 6; ++I) EXPECT_EQ(ElementAt<TEqGroupOp>(L, I)->Symbol(), Expected[I]) << I;
}

TEST(Tree, IndexSlotsAndCaret) {
  EditorFixture F;
  F.Line(0)->AddEqIndex({goIndexTop, goIndexBottom});
  auto* Both = ElementAt<TEqIndex>(F.Line(0), 0);
  ASSERT_EQ(Both->EditAreaCount(), 2);
  EXPECT_EQ(Both->IndexBottomArea(), Both->Slot(0));
  EXPECT_EQ(Both->IndexTopArea(), Both->Slot(1));
  EXPECT_EQ(F.Active(), Both->IndexBottomArea());

  F.Line(0)->AddEqIndex({goIndexTop});
  auto* Top = ElementAt<TEqIndex>(F.Line(0), 0);
  ASSERT_EQ(Top->EditAreaCount(), 1);
  EXPECT_EQ(Top->IndexTopArea(), Top->Slot(0));
  EXPECT_EQ(F.Active(), Top->Slot(0));

  // Without options there is no slot and the caret stays where it was.
  TEditArea* Before = F.Active();
  F.Line(0)->AddEqIndex({goLimitTop});
  EXPECT_EQ(ElementAt<TEqIndex>(F.Line(0), 0)->EditAreaCount(), 0);
  EXPECT_EQ(F.Active(), Before);
}

TEST(Tree, DivisionHasNumeratorThenDenominatorAndCaretInNumerator) {
  EditorFixture F;
  F.Line(0)->AddEqDivision();
  auto* D = ElementAt<TEqDivision>(F.Line(0), 0);
  ASSERT_EQ(D->EditAreaCount(), 2);
  EXPECT_EQ(F.Active(), D->Numerator());
  EXPECT_NE(D->Numerator(), D->Denominator());
}

TEST(Tree, SquareMatrixOfFourCells) {
  EditorFixture F;
  F.Line(0)->AddEqMatrix(kmSquare, 4);
  auto* M = ElementAt<TEqMatrix>(F.Line(0), 0);
  ASSERT_EQ(M->EditAreaCount(), 4);
  EXPECT_EQ(M->CountEA(), 4);
  EXPECT_EQ(M->DX(), 2);
  EXPECT_EQ(M->DY(), 2);
  EXPECT_EQ(F.Active(), M->Slot(2));
  M->SetCountEA(2);
  EXPECT_EQ(M->EditAreaCount(), 4);
  EXPECT_EQ(M->CountEA(), 4);
}

TEST(Tree, MatrixShapes) {
  EditorFixture F;
  F.Line(0)->AddEqMatrix(kmHoriz, 3);
  auto* H = ElementAt<TEqMatrix>(F.Line(0), 0);
  EXPECT_EQ(H->DX(), 3);
  EXPECT_EQ(H->DY(), 1);
  H->SetKindMatrix(kmVert);
  EXPECT_EQ(H->DX(), 1);
  EXPECT_EQ(H->DY(), 3);
  // Not a perfect square: enough columns and rows that every cell has a place.
  F.Line(0)->AddEqMatrix(kmSquare, 5);
  auto* S = ElementAt<TEqMatrix>(F.Line(0), 0);
  EXPECT_EQ(S->DX(), 3);
  EXPECT_EQ(S->DY(), 2);
  // One cell only: the caret stays in it.
  F.Line(0)->AddEqMatrix(kmHoriz, 1);
  auto* One = ElementAt<TEqMatrix>(F.Line(0), 0);
  EXPECT_EQ(One->EditAreaCount(), 1);
  EXPECT_EQ(F.Active(), One->Slot(0));
}

TEST(Tree, SetSizeTakesOneToThreeOnly) {
  EditorFixture F;
  F.Line(0)->AddEqIntegral({}, 2, false);
  auto* E = ElementAt<TEqIntegral>(F.Line(0), 0);
  EXPECT_EQ(E->Size(), 2);
  E->SetSize(0);
  EXPECT_EQ(E->Size(), 2);
  E->SetSize(4);
  EXPECT_EQ(E->Size(), 2);
  E->SetSize(3);
  EXPECT_EQ(E->Size(), 3);
}

TEST(Tree, BracketKindsSetBothGlyphs) {
  EditorFixture F;
  F.Line(0)->AddEqBrackets(kbCorner);
  auto* B = ElementAt<TEqBrackets>(F.Line(0), 0);
  EXPECT_EQ(B->LSymbol(), u'\u2039');
  EXPECT_EQ(B->RSymbol(), u'\u203A');
  const std::pair<TKindBracket, std::pair<char16_t, char16_t>> Table[] = {
      {kbRound, {u'\uFD3E', u'\uFD3F'}}, {kbSquare, {u'[', u']'}},
      {kbFigure, {u'{', u'}'}},          {kbModule, {u'\u2502', u'\u2502'}},
      {kbDModule, {u'\u2551', u'\u2551'}}};
  for (const auto& [Kind, Glyphs] : Table) {
    B->SetKindBracket(Kind);
    EXPECT_EQ(B->KindBracket(), Kind);
    EXPECT_EQ(B->LSymbol(), Glyphs.first);
    EXPECT_EQ(B->RSymbol(), Glyphs.second);
  }
}

TEST(Tree, SlotsInheritBackgroundAndScaledFont) {
  EditorFixture F;
  F.Editor->SetBkColor(QColor(200, 220, 240));
  F.Line(0)->AddEqIndex({goIndexTop});
  TEditArea* Upper = F.Active();
  EXPECT_EQ(Upper->BkColor(), QColor(200, 220, 240));
  EXPECT_EQ(Upper->Font().Size(), 14);
  Upper->AddEqDivision();
  EXPECT_EQ(F.Active()->Font().Size(), 10);
  EXPECT_EQ(F.Active()->BkColor(), QColor(200, 220, 240));
}

TEST(Tree, DestroyingTheActiveAreaClearsActiveEditArea) {
  EditorFixture F;
  F.Line(0)->AddEqDivision();
  ASSERT_NE(F.Active(), F.Line(0));
  F.Line(0)->DelEquation(0);
  EXPECT_EQ(F.Active(), nullptr);

  F.Editor->AddEditArea();
  F.Line(1)->AddEqBrackets(kbSquare);
  F.Editor->DeleteEditArea();  // line 1 is current
  EXPECT_EQ(F.Editor->LineCount(), 1);
  EXPECT_EQ(F.Active(), F.Line(0));  // the line now current is activated again

  F.Line(0)->AddEqArrow({kaRight}, aeTop);
  F.Editor->SetData("");
  EXPECT_EQ(F.Active(), nullptr);
}

TEST(Tree, DelEquationOutOfRangeRemovesNothingButNotifies) {
  EditorFixture F;
  F.Line(0)->AddEqSimple('a');
  F.Changes = 0;
  F.Line(0)->DelEquation(1);
  F.Line(0)->DelEquation(-1);
  EXPECT_EQ(F.Line(0)->Count(), 1);
  EXPECT_EQ(F.Changes, 2);
  F.Line(0)->DelEquation(0);
  EXPECT_EQ(F.Line(0)->Count(), 0);
  EXPECT_EQ(F.Changes, 3);
}

TEST(Tree, DelEquationsFreesARangeWithOneNoticeAndKeepsTheCaretInTheRun) {
  EditorFixture F;
  for (char C : {'a', 'b', 'c', 'd', 'e'}) {
    F.Line(0)->AddEqSimple(C);
    F.Line(0)->SetEquationIndex(F.Line(0)->EquationIndex() + 1);
  }
  F.Changes = 0;
  F.Line(0)->DelEquations(1, 3);
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)Simple(d)Simple(e))");
  EXPECT_EQ(F.Line(0)->EquationIndex(), 3);  // kept while still in the run
  EXPECT_EQ(F.Changes, 1);
  F.Line(0)->DelEquations(2, 9);  // clamped to the run
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)Simple(d))");
  EXPECT_EQ(F.Line(0)->EquationIndex(), 2);
  EXPECT_EQ(F.Line(0)->Caret()->Left(), F.Line(0)->CalcWidth(2));
  EXPECT_EQ(F.Editor->Line(0)->Children().size(), 3u);  // the caret and two elements
}

TEST(Tree, UpdateBracketing) {
  EditorFixture F;
  F.Editor->BeginUpdate();
  F.Editor->BeginUpdate();
  F.Line(0)->AddEqSimple('a');
  EXPECT_EQ(F.Changes, 1);  // bracketing does not suppress a command's own notification
  F.Editor->EndUpdate();
  EXPECT_EQ(F.Changes, 1);
  F.Editor->EndUpdate();
  EXPECT_EQ(F.Changes, 2);  // the last EndUpdate adds one
  // An unmatched EndUpdate only counts down.
  F.Editor->EndUpdate();
  EXPECT_EQ(F.Editor->UpdateCount(), -1);
  EXPECT_EQ(F.Changes, 2);
}

TEST(Tree, IndexSettersIgnoreOutOfRangeValues) {
  EditorFixture F;
  F.Editor->AddEditArea();
  EXPECT_EQ(F.Editor->EditAreaIndex(), 1);
  F.Editor->SetEditAreaIndex(2);
  F.Editor->SetEditAreaIndex(-1);
  EXPECT_EQ(F.Editor->EditAreaIndex(), 1);
  F.Editor->SetEditAreaIndex(0);
  EXPECT_EQ(F.Editor->EditAreaIndex(), 0);

  TEditArea* L = F.Line(0);
  L->AddEqSimple('a');
  L->SetEquationIndex(1);
  L->SetEquationIndex(2);
  L->SetEquationIndex(-1);
  EXPECT_EQ(L->EquationIndex(), 1);
}

TEST(Tree, ElementsNeedAnEditAreaAsOwner) {
  EditorFixture F;
  EXPECT_THROW(TEqSimple{F.Editor.get()}, EInvalidCast);
  EXPECT_THROW(TEqDivision{nullptr}, EInvalidCast);
  EXPECT_EQ(F.Line(0)->Count(), 0);
}

TEST(Tree, TypedListAccessOutOfRangeRaises) {
  EditorFixture F;
  EXPECT_THROW(F.Editor->Line(1), EListError);
  EXPECT_THROW(F.Line(0)->Item(0), EListError);
  F.Line(0)->AddEqDivision();
  EXPECT_THROW(ElementAt<TEqDivision>(F.Line(0), 0)->Slot(2), EListError);
}

TEST(Tree, DestroyingTheEditorWithADeepCaretFreesEverything) {
  auto Editor = std::make_unique<TZelkEquation>();
  Editor->SetData(
      "EditArea(BracketsRound(EditArea(Division(EditArea(MatrixkmSquare(EditArea()EditArea()"
      "EditArea()EditArea(Simple(x))))EditArea()))))");
  ASSERT_NE(Editor->ActiveEditArea(), nullptr);
  Editor.reset();  // the sanitizer build reports any leak or use after free
}
