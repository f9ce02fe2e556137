#include <gtest/gtest.h>

#include <array>

#include "layout/LayoutSupport.h"

namespace {
QString Slot(const QString& Content = QString()) { return "EditArea(" + Content + ")"; }
QString Line(const QString& Content) { return Slot(Content); }

// The first element of a line after an insertion command ran on an empty editor.
template <typename T, typename Insert>
T* Inserted(EditorFixture& F, Insert&& Command) {
  Command(*F.Line(0));
  return ElementAt<T>(F.Line(0), 0);
}
}  // namespace

TEST(DivisionLayout, NewFractionIsLaidOutRightAtOnce) {
  EditorFixture F;
  auto* Fraction = Inserted<TEqDivision>(F, [](TEditArea& A) { A.AddEqDivision(); });
  TEditArea* Top = Fraction->Numerator();
  TEditArea* Bottom = Fraction->Denominator();
  EXPECT_EQ(Top->Font().Size(), 14);
  EXPECT_EQ(Bottom->Font().Size(), 14);
  EXPECT_EQ(Fraction->Gap(), 4);
  EXPECT_EQ(Fraction->Thickness(), 2);
  EXPECT_EQ(Top->Top(), 0);
  EXPECT_EQ(Bottom->Top(), Top->Height() + 4);
  EXPECT_EQ(Fraction->GetMidLine(), Top->Height() + 2);
  EXPECT_EQ(Fraction->Height(), Top->Height() + 4 + Bottom->Height());
  EXPECT_EQ(Fraction->Width(), 14);
}

TEST(DivisionLayout, BothSlotsAreCentredAfterAnEditOfEither) {
  EditorFixture F;
  auto* Fraction = Inserted<TEqDivision>(F, [](TEditArea& A) { A.AddEqDivision(); });
  TEditArea* Top = Fraction->Numerator();
  TEditArea* Bottom = Fraction->Denominator();
  for (QChar Ch : QStringLiteral("www")) Bottom->AddEqSimple(Ch);
  ASSERT_GT(Bottom->Width(), Top->Width());
  EXPECT_EQ(Fraction->Width(), Bottom->Width());
  EXPECT_EQ(Bottom->Left(), 0);
  EXPECT_EQ(Top->Left(), (Bottom->Width() - Top->Width()) / 2);
  for (QChar Ch : QStringLiteral("wwwwww")) Top->AddEqSimple(Ch);
  ASSERT_GT(Top->Width(), Bottom->Width());
  EXPECT_EQ(Top->Left(), 0);
  EXPECT_EQ(Bottom->Left(), (Top->Width() - Bottom->Width()) / 2);
}

TEST(DivisionLayout, BarRowsAreInkedAndTheGapAroundThemIsNot) {
  FormulaFixture F(Line("Division(" + Slot("Simple(a)Simple(b)") + Slot("Simple(c)") + ")"));
  auto* Fraction = F.First<TEqDivision>();
  const int Y = Fraction->Numerator()->Height() + 2;
  const QImage Image = Render(Fraction);
  EXPECT_TRUE(RowInked(Image, Y, 0, Fraction->Width()));
  EXPECT_TRUE(RowInked(Image, Y + 1, 0, Fraction->Width()));
  EXPECT_FALSE(AnyInked(Image, QRect(0, Y - 2, Fraction->Width(), 2)));
}

TEST(DivisionLayout, ThickBarsAreSolid) {
  EditorFixture F;
  F.Editor->setFont(FontAt(*F.Editor, 40));
  auto* Fraction = Inserted<TEqDivision>(F, [](TEditArea& A) { A.AddEqDivision(); });
  ASSERT_EQ(Fraction->Thickness(), 4);
  const QImage Image = Render(Fraction);
  for (int Y = Fraction->GetMidLine(); Y < Fraction->GetMidLine() + 4; ++Y)
    EXPECT_TRUE(RowInked(Image, Y, 0, Fraction->Width())) << Y;
}

TEST(DivisionLayout, SmallSizesHaveNoGapOrThicknessButStillABar) {
  EditorFixture F;
  F.Editor->setFont(FontAt(*F.Editor, 9));
  auto* Fraction = Inserted<TEqDivision>(F, [](TEditArea& A) { A.AddEqDivision(); });
  EXPECT_EQ(Fraction->Font().Size(), 9);
  EXPECT_EQ(Fraction->Gap(), 1);
  EXPECT_EQ(Fraction->Thickness(), 0);
  EXPECT_EQ(Fraction->Denominator()->Top(), Fraction->Numerator()->Height() + 1);
  const QImage Image = Render(Fraction);
  EXPECT_TRUE(RowInked(Image, Fraction->GetMidLine(), 0, Fraction->Width()));

  F.Editor->setFont(FontAt(*F.Editor, 4));
  F.Line(0)->AddEqDivision();
  EXPECT_EQ(ElementAt<TEqDivision>(F.Line(0), 0)->Gap(), 0);
}

TEST(ArrowLayout, EmptyLabelIsCentredOverAnArrowTwiceItsWidth) {
  EditorFixture F;
  auto* Arrow = Inserted<TEqArrow>(F, [](TEditArea& A) { A.AddEqArrow({kaRight}, aeTop); });
  TEditArea* Label = Arrow->Slot(0);
  EXPECT_EQ(Label->Font().Size(), 14);
  EXPECT_EQ(Label->Width(), 14);
  EXPECT_EQ(Arrow->Width(), 28);
  EXPECT_EQ(Label->Left(), 7);
  EXPECT_EQ(Label->Top(), 0);
  EXPECT_EQ(Arrow->Height(), Label->Height() + 4 + 7);
  EXPECT_EQ(Arrow->GetMidLine(), Label->Height() + 3);
  EXPECT_EQ(Arrow->GetLineY(), Label->Height() + 2);
}

TEST(ArrowLayout, LabelBelowIsPlacedRightAtOnce) {
  FormulaFixture F(Line("ArrowkaLeftaeBottom(" + Slot("Simple(f)Simple(f)") + ")"));
  auto* Arrow = F.First<TEqArrow>();
  TEditArea* Label = Arrow->Slot(0);
  EXPECT_EQ(Label->Top(), 4 + 4);
  EXPECT_EQ(Label->Left(), (2 * Label->Width() - Label->Width()) / 2);
  EXPECT_EQ(Arrow->GetMidLine(), 3);
  EXPECT_EQ(Arrow->GetLineY(), 3);
  EXPECT_EQ(Arrow->Height(), Label->Height() + 4 + 7);

  EditorFixture Fresh;
  auto* New = Inserted<TEqArrow>(Fresh, [](TEditArea& A) { A.AddEqArrow({kaRight}, aeBottom); });
  EXPECT_EQ(New->Slot(0)->Top(), New->Gap() + 4);
}

TEST(ArrowLayout, HeadsAreDrawnAtTheEndsAskedFor) {
  // Rows just above and just below the shaft, each split into the end 15 pixels wide on
  // either side: a head inks its end only.
  auto Ends = [](TKindArrow Kind) {
    EditorFixture F;
    F.Line(0)->AddEqArrow(Kind, aeTop);
    auto* Arrow = ElementAt<TEqArrow>(F.Line(0), 0);
    for (QChar Ch : QStringLiteral("ffffff")) Arrow->Slot(0)->AddEqSimple(Ch);
    const int W = Arrow->Width();
    const int Y = Arrow->GetLineY();
    EXPECT_GT(W, 60);
    const QImage Image = Render(Arrow);
    EXPECT_TRUE(RowInked(Image, Y, 0, W));
    const QRect Above(0, Y - 2, 15, 2), Below(0, Y + 2, 15, 2);
    auto Inks = [&](QRect Rows, int X) { return AnyInked(Image, Rows.translated(X, 0)); };
    return std::array<bool, 4>{Inks(Above, 0), Inks(Below, 0), Inks(Above, W - 15),
                               Inks(Below, W - 15)};
  };
  EXPECT_EQ(Ends({kaRight}), (std::array<bool, 4>{false, false, true, true}));
  EXPECT_EQ(Ends({kaLeft}), (std::array<bool, 4>{true, true, false, false}));
  EXPECT_EQ(Ends({kaRight, kaLeft}), (std::array<bool, 4>{true, true, true, true}));
}

TEST(VectorLayout, OverlineAndUnderlineHeightsMidLinesAndBars) {
  FormulaFixture F(Line("VectoraeBottom(" + Slot("Simple(A)Simple(B)") + ")VectoraeTop(" +
                        Slot("Simple(A)Simple(B)") + ")"));
  auto* Over = ElementAt<TEqVector>(F.Line(0), 0);
  auto* Under = ElementAt<TEqVector>(F.Line(0), 1);
  for (TEqVector* Vector : {Over, Under}) {
    TEditArea* Body = Vector->Slot(0);
    EXPECT_EQ(Body->Font().Size(), 20);
    EXPECT_EQ(Vector->Width(), Body->Width());
    EXPECT_EQ(Vector->Height(), Body->Height() + 4 + 7);
    EXPECT_EQ(Body->Left(), 0);
  }
  const int H = Over->Slot(0)->Height();
  EXPECT_EQ(Over->Slot(0)->Top(), 8);
  EXPECT_EQ(Over->GetMidLine(), H / 2 + 8);
  EXPECT_EQ(Over->GetLineY(), 3);
  EXPECT_EQ(Under->Slot(0)->Top(), 0);
  EXPECT_EQ(Under->GetMidLine(), H / 2);
  EXPECT_EQ(Under->GetLineY(), H + 2);
  // Both bodies sit on the run's mid-line, so the two "AB" are level.
  EXPECT_NEAR(Over->Top() + Over->Slot(0)->Top(), Under->Top(), 1);

  const QImage OverImage = Render(Over);
  EXPECT_TRUE(RowInked(OverImage, 3, 0, Over->Width()));
  EXPECT_TRUE(RowInked(OverImage, 4, 0, Over->Width()));
  EXPECT_FALSE(AnyInked(OverImage, QRect(0, 0, Over->Width(), 3)));
  const QImage UnderImage = Render(Under);
  EXPECT_TRUE(RowInked(UnderImage, H + 2, 0, Under->Width()));
}

TEST(VectorLayout, DoubleBarIsTwoBarsGapApart) {
  FormulaFixture F(Line("VectorkaDoubleaeBottom(" + Slot("Simple(A)Simple(B)") + ")"));
  auto* Vector = F.First<TEqVector>();
  EXPECT_EQ(Vector->GetLineY(), 1);
  const QImage Image = Render(Vector);
  for (int Y : {1, 2, 5, 6}) EXPECT_TRUE(RowInked(Image, Y, 0, Vector->Width())) << Y;
  for (int Y : {0, 3, 4}) EXPECT_FALSE(AnyInked(Image, QRect(0, Y, Vector->Width(), 1))) << Y;
}
