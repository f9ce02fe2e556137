// The binomial coefficient: the fraction's stack without its bar, in round brackets.
#include <gtest/gtest.h>

#include "layout/LayoutSupport.h"
#include "model/Binomial.h"
#include "platform/MathFont.h"

namespace {
const QString Both = "EditArea(Division(EditArea(Simple(n)Simple(+)Simple(1))EditArea(Simple(k)))"
                     "Binomial(EditArea(Simple(n)Simple(+)Simple(1))EditArea(Simple(k))))";

// The binomial's stack is the fraction's, moved in between the brackets by Left.
void ExpectTheFractionsStack(const TEqDivision* Fraction, const TEqBinomial* Binomial, int Left) {
  EXPECT_EQ(Binomial->Numerator()->Font().Size(), Fraction->Numerator()->Font().Size());
  EXPECT_EQ(Binomial->Numerator()->Left() - Left, Fraction->Numerator()->Left());
  EXPECT_EQ(Binomial->Denominator()->Left() - Left, Fraction->Denominator()->Left());
  EXPECT_EQ(Binomial->Denominator()->Top() - Binomial->Numerator()->Top(),
            Fraction->Denominator()->Top() - Fraction->Numerator()->Top());
}

// Whether a row between the parts is inked across the stack's columns, as a bar would be.
bool BarDrawn(const QImage& Image, const TEqBinomial* Binomial) {
  const int From = Binomial->Numerator()->Top() + Binomial->Numerator()->Height();
  const int Left = qMin(Binomial->Numerator()->Left(), Binomial->Denominator()->Left());
  const int Right = qMax(Binomial->Numerator()->Left() + Binomial->Numerator()->Width(),
                         Binomial->Denominator()->Left() + Binomial->Denominator()->Width());
  for (int Y = From; Y < Binomial->Denominator()->Top(); ++Y)
    if (RowInked(Image, Y, Left, Right)) return true;
  return false;
}
}  // namespace

TEST(BinomialLayout, ClassicStacksAsTheFractionBetweenBracketsOfTextHeight) {
  FormulaFixture F(Both);
  auto* Fraction = ElementAt<TEqDivision>(F.Line(0), 0);
  auto* Binomial = ElementAt<TEqBinomial>(F.Line(0), 1);
  ASSERT_TRUE(Binomial);
  const QFontMetrics Metrics(Binomial->Font());
  const int Bracket = Metrics.horizontalAdvance(u'(');
  ExpectTheFractionsStack(Fraction, Binomial, Bracket);
  EXPECT_EQ(Binomial->Width(), Fraction->Width() + 2 * Bracket);
  EXPECT_EQ(Binomial->Height(), qMax(Fraction->Height(), Metrics.height()));
  EXPECT_EQ(Binomial->GetMidLine(), Fraction->GetMidLine() + (Binomial->Height() - Fraction->Height()) / 2);
  const QImage Image = Render(Binomial);
  EXPECT_FALSE(BarDrawn(Image, Binomial));
  EXPECT_TRUE(AnyInked(Image, QRect(0, 0, Bracket, Binomial->Height())));
  EXPECT_TRUE(AnyInked(Image, QRect(Binomial->Width() - Bracket, 0, Bracket, Binomial->Height())));
}

TEST(BinomialLayout, MathStacksAsTheFractionBetweenBracketsThatCoverIt) {
  if (TMathFont::DefaultPath().isEmpty()) GTEST_SKIP() << "no math font installed";
  FormulaFixture F(Both);
  F.Editor->SetTypesetting(TTypesettings::Math);
  auto* Fraction = ElementAt<TEqDivision>(F.Line(0), 0);
  auto* Binomial = ElementAt<TEqBinomial>(F.Line(0), 1);
  const int Left = Binomial->Numerator()->Left() - Fraction->Numerator()->Left();
  ASSERT_GT(Left, 0);
  ExpectTheFractionsStack(Fraction, Binomial, Left);
  // Both on the same axis.
  EXPECT_EQ(Binomial->Top() + Binomial->GetMidLine(), Fraction->Top() + Fraction->GetMidLine());
  const QImage Image = F.Editor->RenderImage().copy(QRect(Binomial->HostPosition(), Binomial->BoundsRect().size()));
  EXPECT_FALSE(BarDrawn(Image, Binomial));
  // The left bracket reaches from the upper part's top to the lower part's bottom.
  int First = -1, Last = -1;
  for (int Y = 0; Y < Image.height(); ++Y)
    if (AnyInked(Image, QRect(0, Y, Left, 1))) {
      if (First < 0) First = Y;
      Last = Y;
    }
  const int Slack = Binomial->Numerator()->Height() / 3;
  EXPECT_LE(First, Binomial->Numerator()->Top() + Slack);
  EXPECT_GE(Last, Binomial->Denominator()->Top() + Binomial->Denominator()->Height() - Slack);
}
