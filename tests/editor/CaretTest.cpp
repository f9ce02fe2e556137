// The caret: activation, blinking and the disabled editor.

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "TestSupport.h"

namespace {
bool Shown(const TEditArea* Area) { return Area->Caret()->Visible(); }

// Black pixels inside a node's rectangle on a grab of the whole editor: the dotted
// frame, the caret and the text are the only black there is.
int BlackPixels(TZelkEquation* E, const TCustomControl* Area) {
  const QImage Image = E->grab().toImage();
  const QRect R(Area->HostPosition(), Area->BoundsRect().size());
  int Count = 0;
  for (int Y = R.top(); Y <= R.bottom(); ++Y)
    for (int X = R.left(); X <= R.right(); ++X)
      if (qGray(Image.pixel(X, Y)) < 64) ++Count;
  return Count;
}
}  // namespace

TEST(Caret, ActiveCaretBlinksAndEveryPlacementFlipsThePhase) {
  EditorFixture F;
  TEditArea* A = F.Active();
  TEACursor* C = A->Caret();
  EXPECT_TRUE(C->ComVisible());
  EXPECT_TRUE(C->Blinking());
  EXPECT_EQ(TEACursor::BlinkInterval, 500);
  const bool Phase = C->Visible();
  C->RefreshVisible();
  EXPECT_NE(C->Visible(), Phase);
  // Right at the end of a run leaves the caret where it is but places it again.
  QTest::keyClick(F.Editor.get(), Qt::Key_Right);
  EXPECT_EQ(A->EquationIndex(), 0);
  EXPECT_EQ(C->Visible(), Phase);
  // The timer flips it on its own.
  EXPECT_TRUE(QTest::qWaitFor([&] { return C->Visible() != Phase; }, 2000));
}

TEST(Caret, CaretStandsInTheGapBeforeTheElementAtTheCaret) {
  EditorFixture F;
  QTest::keyClicks(F.Editor.get(), "ab");
  QTest::keyClick(F.Editor.get(), Qt::Key_Left);
  TEditArea* A = F.Active();
  TEACursor* C = A->Caret();
  EXPECT_EQ(C->Left(), A->Item(0)->Width() + 2);
  EXPECT_EQ(C->Width(), 2);
  EXPECT_EQ(C->Height(), A->Font().Size());
  EXPECT_EQ(A->Item(1)->Left(), C->Left() + 2);
}

TEST(Caret, ActivatingASlotTakesTheCaretFromTheLine) {
  EditorFixture F;
  TEditArea* Line = F.Line(0);
  Line->AddEqDivision();
  auto* Division = ElementAt<TEqDivision>(Line, 0);
  TEditArea* Numerator = Division->Numerator();
  TEditArea* Denominator = Division->Denominator();
  EXPECT_EQ(F.Active(), Numerator);
  EXPECT_FALSE(Line->Active());
  EXPECT_FALSE(Line->Caret()->ComVisible());
  EXPECT_FALSE(Line->Caret()->Blinking());
  EXPECT_FALSE(Shown(Line));
  F.Changes = 0;
  Denominator->SetActive(true);
  EXPECT_EQ(F.Active(), Denominator);
  EXPECT_FALSE(Numerator->Active());
  EXPECT_FALSE(Shown(Numerator));
  EXPECT_FALSE(Numerator->Caret()->Blinking());
  EXPECT_TRUE(Shown(Denominator));
  EXPECT_EQ(Division->EditAreaIndex(), Denominator->IndexInParent());  // the owner follows
  EXPECT_EQ(F.Editor->EditAreaIndex(), 0);  // the current line does not
  // Activating the active area again keeps it active and flips its caret; the blink
  // timer runs on undisturbed.
  const TEACursor* Caret = Denominator->Caret();
  QTest::qWait(20);
  const int Remaining = Caret->NextBlink();
  Denominator->SetActive(true);
  EXPECT_LE(Caret->NextBlink(), Remaining);
  EXPECT_TRUE(Denominator->Active());
  EXPECT_FALSE(Shown(Denominator));
  EXPECT_EQ(F.Changes, 0);
}

TEST(Caret, ActivatingALineMakesItTheCurrentLine) {
  EditorFixture F;
  F.Editor->AddEditArea();
  F.Editor->AddEditArea();
  F.Line(0)->SetActive(true);
  EXPECT_EQ(F.Editor->EditAreaIndex(), 0);
  EXPECT_EQ(F.Active(), F.Line(0));
  EXPECT_FALSE(F.Line(2)->Active());
  EXPECT_FALSE(Shown(F.Line(2)));
}

TEST(Caret, DisabledEditorShowsNoCaretAndNoFrames) {
  EditorFixture F;
  TZelkEquation* E = F.Editor.get();
  E->resize(300, 200);
  QTest::keyClicks(E, "x");
  F.Line(0)->AddEqDivision();  // its empty slots are framed too
  F.Line(0)->SetActive(true);
  TEditArea* A = F.Line(0);
  if (!Shown(A)) A->Caret()->RefreshVisible();
  ASSERT_TRUE(Shown(A));
  const int EnabledInk = BlackPixels(E, F.Line(0));
  E->setEnabled(false);
  EXPECT_FALSE(Shown(A));
  A->Caret()->RefreshVisible();
  A->Caret()->RefreshVisible();
  EXPECT_FALSE(Shown(A));
  A->RefreshCursor();
  EXPECT_FALSE(Shown(A));
  // Only the elements' own ink stays: no frame, no caret.
  const int DisabledInk = BlackPixels(E, F.Line(0));
  EXPECT_LT(DisabledInk, EnabledInk);
  int ElementInk = 0;
  for (int I = 0; I < F.Line(0)->Count(); ++I) ElementInk += BlackPixels(E, F.Line(0)->Item(I));
  EXPECT_EQ(DisabledInk, ElementInk);
  QTest::keyClicks(E, "y");  // Qt gives a disabled widget no keys
  EXPECT_EQ(E->GetData(), "EditArea(Simple(x)Division(EditArea()EditArea()))");
  E->setEnabled(true);
  EXPECT_TRUE(Shown(A));
  EXPECT_EQ(BlackPixels(E, F.Line(0)), EnabledInk);
}

TEST(Caret, DisablingTheHostHidesTheCaret) {
  QWidget Host;
  auto* E = new TZelkEquation(&Host);
  TEditArea* A = E->ActiveEditArea();
  if (!Shown(A)) A->Caret()->RefreshVisible();
  Host.setEnabled(false);
  EXPECT_FALSE(Shown(A));
  A->Caret()->RefreshVisible();
  EXPECT_FALSE(Shown(A));
  Host.setEnabled(true);
  EXPECT_TRUE(Shown(A));
}
