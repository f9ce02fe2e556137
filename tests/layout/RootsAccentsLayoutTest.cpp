// Radicals, the fraction variants, long division and accents: where their slots go and
// what they draw.

#include <gtest/gtest.h>

#include "layout/LayoutSupport.h"
#include "model/Accent.h"
#include "model/Division.h"
#include "model/Keywords.h"
#include "model/LongDivision.h"
#include "model/Radical.h"

namespace {
QString Slot(const QString& Content = QString()) { return "EditArea(" + Content + ")"; }

QString Letters(const QString& Text) {
  QString Items;
  for (QChar C : Text) Items += QStringLiteral("Simple(%1)").arg(C);
  return Items;
}

// The bounds of a child relative to its parent, for overlap checks.
QRect Bounds(const TCustomControl* Node) { return Node->BoundsRect(); }
}  // namespace

TEST(RootLayout, TheSignGrowsWithTheRadicandAndTheBarSpansIt) {
  FormulaFixture Low(Slot("Root(" + Slot(Letters("x")) + ")"));
  FormulaFixture High(Slot("Root(" + Slot("Division(" + Slot(Letters("a")) + Slot("Division(" + Slot(Letters("b")) +
                                                                                  Slot(Letters("c")) + ")") + ")") + ")"));
  auto* Short = Low.First<TEqRoot>();
  auto* Tall = High.First<TEqRoot>();
  EXPECT_EQ(Short->Radicand()->Font().Size(), 20);  // the radicand keeps the run's size
  EXPECT_EQ(Short->Degree(), nullptr);
  EXPECT_GT(Tall->Height(), Short->Height());
  EXPECT_GT(Tall->Radicand()->Left(), Short->Radicand()->Left());  // a wider sign
  for (TEqRoot* Root : {Short, Tall}) {
    const TEditArea* Body = Root->Radicand();
    const QImage Image = Render(Root);
    // The bar's row is inked from the sign's end over the whole radicand.
    EXPECT_TRUE(RowInked(Image, 0, Body->Left(), Body->Left() + Body->Width())) << Root->Height();
    // The sign reaches down to the radicand's bottom and nothing is drawn on the radicand's frame.
    EXPECT_TRUE(AnyInked(Image, QRect(0, Body->Top() + Body->Height() - 4, Body->Left(), 4)));
    EXPECT_GT(Body->Top(), Root->Thickness());
    EXPECT_EQ(Root->GetMidLine(), Body->Top() + Body->Height() / 2);
  }
}

TEST(RootLayout, TheDegreeIsHalfSizeAndStandsOnTheHookClearOfTheRadicand) {
  FormulaFixture F(Slot("RootDegree(" + Slot(Letters("x")) + Slot(Letters("nnnn")) + ")"));
  auto* Root = F.First<TEqRoot>();
  const TEditArea* Degree = Root->Degree();
  ASSERT_NE(Degree, nullptr);
  EXPECT_EQ(Degree->Font().Size(), 10);
  EXPECT_FALSE(Bounds(Degree).intersects(Bounds(Root->Radicand())));
  EXPECT_EQ(Degree->Left(), 0);
  EXPECT_GE(Degree->Top(), 0);
  // A wide degree pushes the sign right rather than overlapping it.
  EXPECT_GE(Root->Radicand()->Left(), Degree->Width());
  const QImage Image = Render(Root);
  EXPECT_TRUE(AnyInked(Image, QRect(Degree->Left() + Degree->Width() - 6, Degree->Top() + Degree->Height(), 8,
                                    Root->Height() - Degree->Top() - Degree->Height())));
}

TEST(RootLayout, ANewRootHasItsDegreeSlotAfterTheRadicandAndTheCaretInTheRadicand) {
  EditorFixture F;
  F.Line(0)->AddEqRoot(true);
  auto* Root = ElementAt<TEqRoot>(F.Line(0), 0);
  ASSERT_NE(Root, nullptr);
  ASSERT_EQ(Root->EditAreaCount(), 2);
  EXPECT_EQ(Root->Degree(), Root->Slot(1));
  EXPECT_EQ(F.Editor->ActiveEditArea(), Root->Radicand());
  EXPECT_EQ(Root->Degree()->IndexInParent(), 1);
}

TEST(FractionLayout, TheSmallFractionSetsBothPartsOneStepSmaller) {
  FormulaFixture F(Slot("DivisionSmall(" + Slot(Letters("a")) + Slot(Letters("b")) + ")Division(" +
                        Slot(Letters("a")) + Slot(Letters("b")) + ")"));
  auto* Small = F.First<TEqDivision>();
  auto* Normal = ElementAt<TEqDivision>(F.Line(0), 1);
  EXPECT_TRUE(Small->Small());
  EXPECT_EQ(Small->Numerator()->Font().Size(), 10);
  EXPECT_EQ(Small->Denominator()->Font().Size(), 10);
  EXPECT_EQ(Normal->Numerator()->Font().Size(), 14);
  EXPECT_LT(Small->Height(), Normal->Height());
}

TEST(FractionLayout, TheSlashFractionRaisesTheNumeratorAndLowersTheDenominator) {
  FormulaFixture F(Slot("DivisionSlash(" + Slot(Letters("a")) + Slot(Letters("bb")) + ")"));
  auto* Slash = F.First<TEqSlashDivision>();
  const TEditArea* Top = Slash->Numerator();
  const TEditArea* Bottom = Slash->Denominator();
  EXPECT_EQ(Top->Font().Size(), 14);
  EXPECT_EQ(Top->Top(), 0);
  EXPECT_GT(Bottom->Top(), Top->Top());
  EXPECT_GT(Bottom->Left(), Top->Left() + Top->Width());
  EXPECT_EQ(Slash->Height(), Bottom->Top() + Bottom->Height());
  EXPECT_EQ(Slash->Width(), Bottom->Left() + Bottom->Width());
  // The stroke rises from bottom left to top right between the parts.
  const QImage Image = Render(Slash);
  const int Left = Top->Width();
  const int Right = Bottom->Left();
  EXPECT_TRUE(AnyInked(Image, QRect(Left, Slash->Height() - 4, (Right - Left) / 2 + 1, 4)));
  EXPECT_TRUE(AnyInked(Image, QRect((Left + Right) / 2, 0, (Right - Left) / 2 + 1, 4)));
}

TEST(LongDivisionLayout, TheDivisorStandsLeftOfTheBracketAndTheBarSpansTheDividend) {
  FormulaFixture F(Slot("LongDivision(" + Slot(Letters("144")) + Slot(Letters("12")) + ")LongDivisionQuotient(" +
                        Slot(Letters("144")) + Slot(Letters("12")) + Slot(Letters("12")) + ")"));
  auto* Plain = F.First<TEqLongDivision>();
  auto* WithQuotient = ElementAt<TEqLongDivision>(F.Line(0), 1);
  EXPECT_EQ(Plain->Quotient(), nullptr);
  for (TEqLongDivision* Long : {Plain, WithQuotient}) {
    const TEditArea* Dividend = Long->Dividend();
    const TEditArea* Divisor = Long->Divisor();
    EXPECT_EQ(Dividend->Font().Size(), 20);
    EXPECT_EQ(Divisor->Left(), 0);
    EXPECT_GT(Dividend->Left(), Divisor->Width());
    const QImage Image = Render(Long);
    const int BarY = Dividend->Top() - qMax(Long->Gap() / 2, 1) - Long->Thickness();
    EXPECT_TRUE(RowInked(Image, BarY, Divisor->Width() + 2, Long->Width())) << BarY;
    // The bracket: ink between divisor and dividend.
    EXPECT_TRUE(AnyInked(Image, QRect(Divisor->Width(), Dividend->Top(), Dividend->Left() - Divisor->Width(),
                                      Dividend->Height())));
  }
  const TEditArea* Quotient = WithQuotient->Quotient();
  ASSERT_NE(Quotient, nullptr);
  EXPECT_EQ(Quotient->Left(), WithQuotient->Dividend()->Left());
  EXPECT_LT(Quotient->Top() + Quotient->Height(), WithQuotient->Dividend()->Top());
  // Divisor and dividend sit on the same mid-line as the run.
  EXPECT_EQ(Plain->GetMidLine(), Plain->Dividend()->Top() + Plain->Dividend()->Height() / 2);
}

TEST(AccentLayout, EveryMarkIsDrawnInItsRoomAndTheSlotKeepsTheRunsSize) {
  for (int Kind = FirstAccent; Kind <= LastAccent; ++Kind) {
    const TKindAccent Mark = TKindAccent(Kind);
    SCOPED_TRACE(AccentKeyword(Mark).toStdString());
    FormulaFixture F(Slot(AccentKeyword(Mark) + "(" + Slot(Letters("x")) + ")"));
    auto* Accent = F.First<TEqAccent>();
    ASSERT_NE(Accent, nullptr);
    const TEditArea* Body = Accent->Slot(0);
    EXPECT_EQ(Body->Font().Size(), 20);
    EXPECT_EQ(Accent->GetMidLine(), Body->Top() + Body->Height() / 2);
    const QImage Image = Render(Accent);
    if (Mark == acStrike || Mark == acSlash) {
      EXPECT_EQ(Accent->BoundsRect().size(), Body->BoundsRect().size());
      // Across the whole slot: ink at its left and right quarters.
      EXPECT_TRUE(AnyInked(Image, QRect(0, 0, 3, Body->Height())));
      EXPECT_TRUE(AnyInked(Image, QRect(Body->Width() - 3, 0, 3, Body->Height())));
    } else if (Mark == acPrime || Mark == acPrimeTwo || Mark == acPrimeThree || Mark == acBackPrime) {
      // Primes at the upper right of the content, close to it, not after the slot's margin.
      EXPECT_EQ(Body->Top(), 0);
      const int ContentRight = Body->CalcWidth(1);
      EXPECT_TRUE(AnyInked(Image, QRect(ContentRight, 0, 6, Body->Height() / 2)));
      EXPECT_LE(Accent->Width(), ContentRight + Accent->Font().Size());
    } else {
      ASSERT_GT(Body->Top(), 0);
      EXPECT_TRUE(AnyInked(Image, QRect(0, 0, Accent->Width(), Body->Top())));
    }
  }
}

TEST(AccentLayout, MarksOverTheSlotSpanItsWidth) {
  FormulaFixture F(Slot("AccentArrowRight(" + Slot(Letters("x")) + ")AccentArrowRight(" + Slot(Letters("xyzw")) + ")"));
  auto* Narrow = F.First<TEqAccent>();
  auto* Wide = ElementAt<TEqAccent>(F.Line(0), 1);
  EXPECT_EQ(Wide->Width(), Wide->Slot(0)->Width());
  const QImage Image = Render(Wide);
  const int Y = Wide->Slot(0)->Top() / 2;
  int Inked = 0;
  for (int X = 0; X < Wide->Width(); ++X) Inked += AnyInked(Image, QRect(X, Y - 1, 1, 3));
  EXPECT_GT(Inked, Wide->Width() * 8 / 10);
  EXPECT_GT(Wide->Width(), 2 * Narrow->Width());
}

TEST(RootsAndAccents, EveryNewKindFollowsTheEditorsFontAndStaysInsideItsBounds) {
  for (int Size : {12, 36}) {
    EditorFixture F;
    QFont Font = F.Editor->font();
    Font.setPointSize(Size);
    F.Editor->setFont(Font);
    F.Editor->SetData(Slot("RootDegree(" + Slot(Letters("x")) + Slot(Letters("3")) + ")LongDivisionQuotient(" +
                           Slot(Letters("1")) + Slot(Letters("2")) + Slot(Letters("3")) + ")DivisionSlash(" +
                           Slot(Letters("1")) + Slot(Letters("2")) + ")AccentTilde(" + Slot(Letters("x")) + ")"));
    auto* Root = ElementAt<TEqRoot>(F.Line(0), 0);
    EXPECT_EQ(Root->Radicand()->Font().Size(), Size);
    EXPECT_EQ(Root->Degree()->Font().Size(), Size / 2);
    ForEachChild(F.Line(0), [](TCustomControl* Parent, TCustomControl* Child) {
      EXPECT_TRUE(QRect(QPoint(0, 0), Parent->BoundsRect().size()).contains(Child->BoundsRect()));
    });
  }
}
