#include <gtest/gtest.h>

#include <QPainter>

#include "layout/LayoutSupport.h"

namespace {
QString Slot(const QString& Content = QString()) { return "EditArea(" + Content + ")"; }
QString Line(const QString& Content) { return Slot(Content); }

// The cell of one sign at Size points: its advance and line height, or its ink where that
// reaches further (left of the origin, past the advance, above or below the line).
QSize SignExtent(const TZelkEquation& Editor, char16_t Sign, int Size) {
  const QFontMetrics Metrics(FontAt(Editor, Size));
  const QRect Ink = Metrics.boundingRect(QChar(Sign)).translated(0, Metrics.ascent());
  const int Width = qMax(Metrics.horizontalAdvance(QChar(Sign)), Ink.right() + 1);
  const int Height = qMax(Metrics.height(), Ink.bottom() + 1);
  return QSize(Width + qMax(0, -Ink.left()), Height + qMax(0, -Ink.top()));
}
}  // namespace

TEST(GroupOpLayout, SumWithoutOptionsIsSignColumnThenOperand) {
  FormulaFixture F(Line("Sum(" + Slot() + ")"));
  auto* Sum = F.First<TEqSumma>();
  const QSize Sign = SignExtent(*F.Editor, u'\u2211', 20);
  TEditArea* Operand = Sum->Slot(0);
  EXPECT_EQ(Operand->Width(), 20);
  EXPECT_EQ(Sum->CalcSymbolWidth(), Sign.width() + 1);
  EXPECT_EQ(Sum->Width(), Sign.width() + 1 + 20);
  EXPECT_EQ(Sum->Height(), qMax(Sign.height(), Operand->Height()));
  EXPECT_EQ(Operand->Left(), Sign.width() + 1);
  EXPECT_EQ(Operand->Top(), (Sum->Height() - Operand->Height()) / 2);
  // The sign stands at x = 0.
  const QImage Image = Render(Sum);
  EXPECT_TRUE(AnyInked(Image, QRect(0, 0, Sign.width() / 2, Sum->Height())));
}

TEST(GroupOpLayout, LimitsAreSmallerAndTheOperandKeepsTheRunSize) {
  FormulaFixture F(Line("SumLimitBottomTop(" + Slot("Sum(" + Slot("Simple(x)") + ")") +
                        Slot("Simple(0)") + Slot("Simple(n)") + ")"));
  auto* Sum = F.First<TEqSumma>();
  EXPECT_EQ(Sum->LimitBottomArea()->Font().Size(), 16);
  EXPECT_EQ(Sum->LimitTopArea()->Font().Size(), 16);
  EXPECT_EQ(Sum->Slot(0)->Font().Size(), 20);
  auto* Inner = ElementAt<TEqSumma>(Sum->Slot(0), 0);
  ASSERT_NE(Inner, nullptr);
  EXPECT_EQ(Inner->Font().Size(), 20);
  EXPECT_EQ(Inner->CalcSymbolWidth(), SignExtent(*F.Editor, u'\u2211', 20).width() + 1);
}

TEST(GroupOpLayout, LimitsWiderThanTheSignCarryItCentred) {
  FormulaFixture F(Line("IntLimitBottomTopOne(" + Slot("Simple(x)") +
                        Slot("Simple(a)Simple(b)Simple(c)Simple(d)Simple(e)") + Slot() + ")"));
  auto* Integral = F.First<TEqIntegral>();
  TEditArea* Operand = Integral->Slot(0);
  TEditArea* Lower = Integral->LimitBottomArea();
  TEditArea* Upper = Integral->LimitTopArea();
  const QFontMetrics Small(FontAt(*F.Editor, 16));
  int LowerWidth = 16 / 3;
  for (QChar Ch : QStringLiteral("abcde")) LowerWidth += Small.horizontalAdvance(Ch) + 2;
  ASSERT_EQ(Lower->Width(), LowerWidth);
  const QSize Sign = SignExtent(*F.Editor, u'\u222B', 20);
  const int SW = Sign.width() + 1;
  ASSERT_GT(LowerWidth, SW);

  EXPECT_EQ(Integral->GetCommonWidth(), LowerWidth);
  EXPECT_EQ(Lower->Left(), 0);
  EXPECT_EQ(Upper->Left(), (LowerWidth - Upper->Width()) / 2);
  EXPECT_EQ(Upper->Top(), 0);
  EXPECT_EQ(Operand->Left(), LowerWidth);
  EXPECT_EQ(Integral->Width(), LowerWidth + Operand->Width());
  const int TM = Upper->Height();
  const int CH = qMax(Sign.height(), Operand->Height());
  EXPECT_EQ(Integral->GetTopMargin(), TM);
  EXPECT_EQ(Lower->Top(), TM + CH);
  EXPECT_EQ(Integral->Height(), TM + CH + Lower->Height());
  EXPECT_EQ(Integral->GetMidLine(), TM + CH / 2);

  // The sign is drawn centred over the limits: no ink in the band left of it.
  const QImage Image = Render(Integral);
  const int Dx = (LowerWidth - SW) / 2;
  EXPECT_FALSE(AnyInked(Image, QRect(0, TM, Dx - 2, CH)));
  EXPECT_TRUE(AnyInked(Image, QRect(Dx, TM, SW, CH)));
}

TEST(GroupOpLayout, LimitsNarrowerThanTheSignAreCentredOverIt) {
  FormulaFixture F(Line("SumLimitBottomTop(" + Slot() + Slot() + Slot() + ")"));
  auto* Sum = F.First<TEqSumma>();
  const int SW = SignExtent(*F.Editor, u'\u2211', 20).width() + 1;
  ASSERT_LT(Sum->LimitBottomArea()->Width(), SW);
  EXPECT_EQ(Sum->GetCommonWidth(), SW);
  EXPECT_EQ(Sum->LimitBottomArea()->Left(), (SW - 16) / 2);
  EXPECT_EQ(Sum->LimitTopArea()->Left(), (SW - 16) / 2);
  EXPECT_EQ(Sum->Slot(0)->Left(), SW);
}

TEST(GroupOpLayout, IndicesStandRightOfTheSignsAndStraddleTheBand) {
  FormulaFixture F(Line("SumIndexBottomTop(" + Slot("Simple(x)") + Slot("Simple(i)") +
                        Slot("Simple(k)Simple(k)") + ")"));
  auto* Sum = F.First<TEqSumma>();
  TEditArea* Operand = Sum->Slot(0);
  TEditArea* Lower = Sum->IndexBottomArea();
  TEditArea* Upper = Sum->IndexTopArea();
  const QSize Sign = SignExtent(*F.Editor, u'\u2211', 20);
  const int SW = Sign.width() + 1;
  const int TM = Upper->Height() / 2;
  const int CH = qMax(Sign.height(), Operand->Height());
  EXPECT_EQ(Lower->Font().Size(), 16);
  EXPECT_EQ(Upper->Left(), SW);
  EXPECT_EQ(Upper->Top(), 0);
  EXPECT_EQ(Lower->Left(), SW);
  EXPECT_EQ(Lower->Top(), CH + TM - Lower->Height() / 2);
  EXPECT_EQ(Operand->Left(), SW + qMax(Upper->Width(), Lower->Width()));
  EXPECT_EQ(Operand->Top(), (CH - Operand->Height()) / 2 + TM);
  // The whole lower index lies inside the element, whatever the parity of its height.
  EXPECT_EQ(Sum->Height(), TM + CH + Lower->Height() - Lower->Height() / 2);
  EXPECT_LE(Lower->Top() + Lower->Height(), Sum->Height());
  EXPECT_EQ(Sum->GetMidLine(), TM + CH / 2);
}

TEST(GroupOpLayout, TallOperandCentresTheSignAndTheMidLineInTheBand) {
  const QString Fraction = "Division(" + Slot("Simple(1)") + Slot("Simple(2)") + ")";
  const QString Tall = "Division(" + Slot(Fraction) + Slot(Fraction) + ")";
  FormulaFixture F(Line("IntOne(" + Slot(Tall) + ")Simple(=)"));
  auto* Integral = F.First<TEqIntegral>();
  TEditArea* Operand = Integral->Slot(0);
  const QSize Sign = SignExtent(*F.Editor, u'\u222B', 20);
  ASSERT_GT(Operand->Height(), Sign.height());
  EXPECT_EQ(Integral->Height(), Operand->Height());
  EXPECT_EQ(Operand->Top(), 0);
  EXPECT_EQ(Integral->GetMidLine(), Operand->Height() / 2);
  // Its neighbour lines up with the middle of the operand.
  TEquation* Equals = F.Line(0)->Item(1);
  // (within the run's rounding of half pixels)
  EXPECT_NEAR(Equals->Top() + Equals->GetMidLine(), Integral->Top() + Integral->GetMidLine(), 1);
  // No ink of the sign in the strip above the centred glyph row.
  const int Y = (Operand->Height() - Sign.height()) / 2;
  const QImage Image = Render(Integral);
  EXPECT_FALSE(AnyInked(Image, QRect(0, 0, Sign.width(), Y - 1)));
  EXPECT_TRUE(AnyInked(Image, QRect(0, Y, Sign.width() + 1, Sign.height())));
}

TEST(GroupOpLayout, IntegralSignIsDrawnWholeThoughItsInkOverhangsItsAdvance) {
  FormulaFixture F(Line("IntTwo(" + Slot() + ")"));
  auto* Integral = F.First<TEqIntegral>();
  const QFont Font = FontAt(*F.Editor, 20);
  // The same glyph drawn freely, well inside a larger picture.
  QImage Free(100, 100, QImage::Format_RGB32);
  Free.fill(Qt::white);
  {
    QPainter Painter(&Free);
    Painter.setFont(Font);
    Painter.setPen(Qt::black);
    Painter.drawText(30, 30 + QFontMetrics(Font).ascent(), QString(QChar(0x222B)));
  }
  auto Ink = [](const QImage& Image, QRect Area) {
    int Count = 0;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
      for (int X = Area.left(); X <= Area.right(); ++X) Count += Inked(Image, X, Y);
    return Count;
  };
  const int One = Ink(Free, Free.rect());
  ASSERT_GT(One, 0);
  const int SW = Integral->CalcSymbolWidth();
  EXPECT_EQ(Ink(Render(Integral), QRect(0, 0, SW, Integral->Height())), 2 * One);
}

TEST(GroupOpLayout, SignsWithoutOverhangKeepTheirAdvance) {
  FormulaFixture F(Line("Multiply(" + Slot() + ")"));
  const QFontMetrics Metrics(FontAt(*F.Editor, 20));
  const QRect Ink = Metrics.boundingRect(QChar(0x220F));
  ASSERT_GE(Ink.left(), 0);
  ASSERT_LE(Ink.right(), Metrics.horizontalAdvance(QChar(0x220F)));
  ASSERT_LE(Ink.bottom(), Metrics.descent());
  EXPECT_EQ(F.First<TEqMultiply>()->CalcSymbolWidth(),
            Metrics.horizontalAdvance(QChar(0x220F)) + 1);
  EXPECT_EQ(F.First<TEqMultiply>()->CalcSymbolHeight(), Metrics.height());
}

TEST(GroupOpLayout, TripleIntegralDrawsThreeSignsAndTheRingAcrossThem) {
  FormulaFixture Plain(Line("IntThree(" + Slot() + ")"));
  FormulaFixture Ringed(Line("IntThreeRing(" + Slot() + ")"));
  auto* Integral = Ringed.First<TEqIntegral>();
  const QSize Sign = SignExtent(*Ringed.Editor, u'\u222B', 20);
  const int Step = Sign.width() + 1;
  EXPECT_EQ(Integral->Size(), 3);
  EXPECT_EQ(Integral->Width(), 3 * Step + Integral->Slot(0)->Width());

  const QImage Without = Render(Plain.First<TEqIntegral>());
  const QImage With = Render(Integral);
  ASSERT_EQ(Without.size(), With.size());
  // Each sign inks its own cell; the operand slot starts after the last one.
  for (int I = 0; I < 3; ++I)
    EXPECT_TRUE(AnyInked(Without, QRect(I * Step, 0, Step, Sign.height()))) << "sign " << I;
  EXPECT_EQ(Integral->Slot(0)->Left(), 3 * Step);
  // Everything the ring adds lies in its box: 3 signs wide, 2 * (FS div 3) high around
  // the middle of the glyph row; and it does add ink at its top and bottom.
  const int Middle = (Integral->Height() - Sign.height()) / 2 + Sign.height() / 2;
  const QRect Box(0, Middle - 20 / 3, 3 * Step, 2 * (20 / 3));
  int Added = 0;
  for (int Y = 0; Y < With.height(); ++Y)
    for (int X = 0; X < 3 * Step; ++X)
      if (With.pixel(X, Y) != Without.pixel(X, Y)) {
        ++Added;
        EXPECT_TRUE(Box.contains(X, Y)) << X << "," << Y;
      }
  EXPECT_GT(Added, 0);
  EXPECT_TRUE(AnyInked(With, QRect(0, Box.top(), 3 * Step, 1)) ||
              AnyInked(With, QRect(0, Box.top() + 1, 3 * Step, 1)));
}

TEST(IndexLayout, ColumnOfSuperscriptStripAndSubscript) {
  FormulaFixture F(Line("Simple(a)IndexTopBottom(" + Slot("Simple(j)Simple(j)") +
                        Slot("Simple(2)") + ")"));
  auto* Index = ElementAt<TEqIndex>(F.Line(0), 1);
  TEditArea* Lower = Index->IndexBottomArea();
  TEditArea* Upper = Index->IndexTopArea();
  EXPECT_EQ(Lower->Font().Size(), 14);
  EXPECT_EQ(Upper->Font().Size(), 14);
  EXPECT_EQ(Index->Height(), 10 + Upper->Height() + Lower->Height());
  EXPECT_EQ(Index->Width(), qMax(Upper->Width(), Lower->Width()));
  EXPECT_EQ(Upper->Top(), 0);
  EXPECT_EQ(Lower->Top(), 10 + Upper->Height());
  EXPECT_EQ(Upper->Left(), 0);
  EXPECT_EQ(Lower->Left(), 0);
  EXPECT_EQ(Index->GetMidLine(), Index->Height() / 2);
}

TEST(IndexLayout, SubscriptAloneHangsBelowTheMidLine) {
  FormulaFixture F(Line("Simple(a)IndexBottom(" + Slot() + ")"));
  auto* Index = ElementAt<TEqIndex>(F.Line(0), 1);
  TEditArea* Lower = Index->IndexBottomArea();
  EXPECT_EQ(Lower->Top(), 10);
  EXPECT_EQ(Index->Height(), 10 + Lower->Height());
  EXPECT_GT(Lower->Top() + Lower->Height() / 2, Index->GetMidLine());
}
