// Fences, scripted bases, left indices and horizontal braces: their geometry at 20 points.
#include <gtest/gtest.h>

#include "layout/LayoutSupport.h"

namespace {
QString Slot(const QString& Content = QString()) { return "EditArea(" + Content + ")"; }
QString Line(const QString& Content) { return Slot(Content); }
const QString Fraction = "Division(" + Slot("Simple(1)") + Slot("Simple(n)") + ")";

int Advance(const TZelkEquation& Editor, char16_t Code) {
  return QFontMetrics(FontAt(Editor, 20)).horizontalAdvance(QChar(Code));
}
}  // namespace

TEST(FenceLayout, MixedEndsAreMeasuredEachByItsOwnGlyphAndCentredBesideATallSlot) {
  FormulaFixture F(Line("BracketsRevSquareSquare(" + Slot(Fraction) + ")BracketsFloor(" + Slot() + ")"));
  auto* Interval = F.First<TEqFence>();
  TEditArea* Contents = Interval->Slot(0);
  const int SW = Advance(*F.Editor, u']');
  const int SH = QFontMetrics(FontAt(*F.Editor, 20)).height();
  ASSERT_GT(Contents->Height(), SH);
  EXPECT_EQ(Interval->Height(), Contents->Height());
  EXPECT_EQ(Interval->Width(), SW + Contents->Width() + SW);
  EXPECT_EQ(Contents->Left(), SW);
  EXPECT_EQ(Contents->Font().Size(), 20);
  // The glyphs keep text height, centred: nothing is drawn above their row.
  const int Y = (Contents->Height() - SH) / 2;
  const QImage Image = Render(Interval);
  EXPECT_TRUE(AnyInked(Image, QRect(0, Y, SW, SH)));
  EXPECT_FALSE(AnyInked(Image, QRect(0, 0, SW, Y - 1)));

  auto* Floor = ElementAt<TEqFence>(F.Line(0), 1);
  EXPECT_EQ(Floor->Width(), Advance(*F.Editor, 0x230A) + 20 + Advance(*F.Editor, 0x230B));
  EXPECT_EQ(Floor->Height(), SH);
}

TEST(FenceLayout, ASingleBracketTakesRoomOnItsSideOnly) {
  FormulaFixture F(Line("BracketLeftSquare(" + Slot() + ")BracketRightSquare(" + Slot() + ")"));
  auto* Left = F.First<TEqFence>();
  auto* Right = ElementAt<TEqFence>(F.Line(0), 1);
  EXPECT_EQ(Left->Width(), Advance(*F.Editor, u'[') + 20);
  EXPECT_EQ(Left->Slot(0)->Left(), Advance(*F.Editor, u'['));
  EXPECT_EQ(Right->Width(), 20 + Advance(*F.Editor, u']'));
  EXPECT_EQ(Right->Slot(0)->Left(), 0);
  EXPECT_TRUE(AnyInked(Render(Right), QRect(20, 0, Right->Width() - 20, Right->Height())));
}

TEST(FenceLayout, TheBraKetPartsItsSlotsWithTheBar) {
  FormulaFixture F(Line("BracketsBraKet(" + Slot("Simple(a)") + Slot(Fraction) + ")"));
  auto* BraKet = F.First<TEqFence>();
  ASSERT_EQ(BraKet->EditAreaCount(), 2);
  TEditArea* Bra = BraKet->Slot(0);
  TEditArea* Ket = BraKet->Slot(1);
  const int Angle = Advance(*F.Editor, 0x2039);
  const int Bar = Advance(*F.Editor, 0x2502);
  EXPECT_EQ(Bra->Left(), Angle);
  EXPECT_EQ(Ket->Left(), Angle + Bra->Width() + Bar);
  EXPECT_EQ(BraKet->Width(), Ket->Left() + Ket->Width() + Advance(*F.Editor, 0x203A));
  EXPECT_EQ(BraKet->Height(), Ket->Height());
  EXPECT_EQ(Bra->Top(), (Ket->Height() - Bra->Height()) / 2);
  EXPECT_EQ(Ket->IndexInParent(), 1);
}

TEST(ScriptedLayout, AStackCentresItsScriptsOverAndUnderTheBaseAtIndexSize) {
  FormulaFixture F(Line("StackBottomTop(" + Slot("Simple(x)Simple(x)Simple(x)") + Slot("Simple(b)") + Slot("Simple(t)") + ")"));
  auto* Stack = F.First<TEqScripted>();
  TEditArea* Base = Stack->Base();
  TEditArea* Top = Stack->TopArea();
  TEditArea* Bottom = Stack->BottomArea();
  EXPECT_EQ(Base->Font().Size(), 20);
  EXPECT_EQ(Top->Font().Size(), 14);
  EXPECT_EQ(Bottom->Font().Size(), 14);
  EXPECT_EQ(Stack->Width(), Base->Width());
  EXPECT_EQ(Top->Left(), (Base->Width() - Top->Width()) / 2);
  EXPECT_EQ(Top->Top(), 0);
  EXPECT_EQ(Base->Top(), Top->Height());
  EXPECT_EQ(Bottom->Top(), Top->Height() + Base->Height());
  EXPECT_EQ(Stack->Height(), Top->Height() + Base->Height() + Bottom->Height());
  // The run lines up with the middle of the base.
  EXPECT_EQ(Stack->GetMidLine(), Top->Height() + Base->Height() / 2);
  EXPECT_EQ(Stack->Top() + Stack->GetMidLine(), F.Line(0)->Height() / 2);
}

TEST(ScriptedLayout, AnOperatorTakesItsScriptsBesideItAsABigOperatorDoes) {
  FormulaFixture F(Line("OperatorIndexBottomTop(" + Slot("ExtSymbol(8721)") + Slot("Simple(i)") + Slot("Simple(n)") + ")"));
  auto* Operator = F.First<TEqScripted>();
  TEditArea* Base = Operator->Base();
  TEditArea* Top = Operator->TopArea();
  TEditArea* Bottom = Operator->BottomArea();
  EXPECT_EQ(Top->Font().Size(), 16);
  const int Margin = Top->Height() / 2;
  EXPECT_EQ(Base->Left(), 0);
  EXPECT_EQ(Base->Top(), Margin);
  EXPECT_EQ(Top->Left(), Base->Width());
  EXPECT_EQ(Top->Top(), 0);
  EXPECT_EQ(Bottom->Left(), Base->Width());
  EXPECT_EQ(Bottom->Top(), qMax(Margin + Base->Height() - Bottom->Height() / 2, Top->Height()));
  EXPECT_EQ(Operator->Width(), Base->Width() + qMax(Top->Width(), Bottom->Width()));
  EXPECT_EQ(Operator->Height(), Bottom->Top() + Bottom->Height());
  EXPECT_EQ(Operator->GetMidLine(), Margin + Base->Height() / 2);
}

TEST(ScriptedLayout, AnOperatorWithALimitAboveOnlyHasNoRoomBelow) {
  FormulaFixture F(Line("OperatorLimitTop(" + Slot("Simple(l)Simple(i)Simple(m)") + Slot("Simple(n)") + ")"));
  auto* Operator = F.First<TEqScripted>();
  EXPECT_EQ(Operator->BottomArea(), nullptr);
  EXPECT_EQ(Operator->Height(), Operator->TopArea()->Height() + Operator->Base()->Height());
  EXPECT_EQ(Operator->Width(), Operator->Base()->Width());
}

TEST(IndexLayout, ALeftIndexLeansItsSlotsAgainstTheBaseAfterIt) {
  FormulaFixture F(Line("IndexLeftTopBottom(" + Slot("Simple(6)") + Slot("Simple(1)Simple(4)") + ")Simple(C)"));
  auto* Index = F.First<TEqIndex>();
  ASSERT_TRUE(Index->BeforeBase());
  TEditArea* Top = Index->IndexTopArea();
  TEditArea* Bottom = Index->IndexBottomArea();
  ASSERT_GT(Top->Width(), Bottom->Width());
  EXPECT_EQ(Index->Width(), Top->Width());
  EXPECT_EQ(Top->Left(), 0);
  EXPECT_EQ(Bottom->Left(), Top->Width() - Bottom->Width());
  // The column itself is the right index's: top, a strip FS div 2, bottom.
  EXPECT_EQ(Bottom->Top(), 10 + Top->Height());
  EXPECT_EQ(Index->Height(), 10 + Top->Height() + Bottom->Height());
}

TEST(BraceLayout, TheBraceSpansTheWiderSlotWithTheLabelBeyondIt) {
  FormulaFixture F(Line("HorizBraceaeTop(" + Slot("Simple(a)Simple(+)Simple(b)") + Slot("Simple(n)") + ")HorizBraceaeBottom(" +
                        Slot("Simple(x)") + Slot("Simple(k)Simple(t)Simple(i)Simple(m)Simple(e)Simple(s)") + ")"));
  auto* Over = F.First<TEqBrace>();
  const int Gap = 4, Brace = 20 / 3;
  EXPECT_EQ(Over->Label()->Font().Size(), 14);
  EXPECT_EQ(Over->Width(), Over->Body()->Width());
  EXPECT_EQ(Over->Label()->Top(), 0);
  EXPECT_EQ(Over->Label()->Left(), (Over->Width() - Over->Label()->Width()) / 2);
  EXPECT_EQ(Over->Body()->Top(), Over->Label()->Height() + Brace + 2 * Gap);
  EXPECT_EQ(Over->Height(), Over->Body()->Top() + Over->Body()->Height());
  EXPECT_EQ(Over->GetMidLine(), Over->Body()->Top() + Over->Body()->Height() / 2);
  // The brace: its tip in the middle at the top of its band, its ends at the bottom.
  const QImage Image = Render(Over);
  const int Band = Over->Label()->Height() + Gap;
  EXPECT_TRUE(AnyInked(Image, QRect(Over->Width() / 2 - 1, Band, 3, 2)));
  EXPECT_TRUE(AnyInked(Image, QRect(0, Band + Brace - 2, 2, 3)));
  EXPECT_FALSE(AnyInked(Image, QRect(0, Band, 2, 2)));

  auto* Under = ElementAt<TEqBrace>(F.Line(0), 1);
  EXPECT_EQ(Under->Width(), Under->Label()->Width());
  EXPECT_EQ(Under->Body()->Top(), 0);
  EXPECT_EQ(Under->Body()->Left(), (Under->Width() - Under->Body()->Width()) / 2);
  EXPECT_EQ(Under->Label()->Top(), Under->Body()->Height() + Brace + 2 * Gap);
  EXPECT_EQ(Under->GetMidLine(), Under->Body()->Height() / 2);
}
