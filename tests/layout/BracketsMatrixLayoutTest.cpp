#include <gtest/gtest.h>

#include <QPainter>

#include "layout/LayoutSupport.h"
#include "model/Fence.h"

namespace {
QString Slot(const QString& Content = QString()) { return "EditArea(" + Content + ")"; }
QString Line(const QString& Content) { return Slot(Content); }
const QString Fraction = "Division(" + Slot("Simple(1)") + Slot("Simple(n)") + ")";
}  // namespace

TEST(BracketsLayout, GlyphsOfTextHeightBesideATallSlot) {
  FormulaFixture F(Line("BracketsSquare(" + Slot(Fraction) + ")"));
  auto* Brackets = F.First<TEqBrackets>();
  TEditArea* Contents = Brackets->Slot(0);
  const QFontMetrics Metrics(FontAt(*F.Editor, 20));
  const int SW = Metrics.horizontalAdvance(QLatin1Char('['));
  const int SH = Metrics.height();
  ASSERT_GT(Contents->Height(), SH);
  EXPECT_EQ(Contents->Font().Size(), 20);
  EXPECT_EQ(Brackets->Height(), Contents->Height());
  EXPECT_EQ(Brackets->Width(), Contents->Width() + 2 * SW);
  EXPECT_EQ(Contents->Left(), SW);
  EXPECT_EQ(Contents->Top(), 0);
  EXPECT_EQ(Brackets->GetMidLine(), Brackets->Height() / 2);
  // Both glyphs are drawn in the glyph row centred on the element, nowhere above it.
  const int Y = (Contents->Height() - SH) / 2;
  const QImage Image = Render(Brackets);
  const int RightX = Contents->Width() + SW;
  EXPECT_TRUE(AnyInked(Image, QRect(0, Y, SW, SH)));
  EXPECT_TRUE(AnyInked(Image, QRect(RightX, Y, SW, SH)));
  EXPECT_FALSE(AnyInked(Image, QRect(0, 0, SW, Y - 1)));
  EXPECT_FALSE(AnyInked(Image, QRect(RightX, 0, SW, Y - 1)));
}

TEST(BracketsLayout, ShortSlotIsCentredBetweenTheGlyphs) {
  FormulaFixture F(Line("BracketsModule(" + Slot() + ")"));
  auto* Brackets = F.First<TEqBrackets>();
  TEditArea* Contents = Brackets->Slot(0);
  const QFontMetrics Metrics(FontAt(*F.Editor, 20));
  ASSERT_LT(Contents->Height(), Metrics.height());
  EXPECT_EQ(Brackets->Height(), Metrics.height());
  EXPECT_EQ(Brackets->Width(), 20 + 2 * Metrics.horizontalAdvance(QChar(0x2502)));
  EXPECT_EQ(Contents->Top(), (Metrics.height() - Contents->Height()) / 2);
}

TEST(BracketsLayout, RoundBracketsAreDrawnAsPlainParenthesesWhateverTheFonts) {
  // The codes stay the ornate parentheses' (Data and the model keep them); a font that has
  // those draws flourishes, so the plain glyphs are measured and drawn.
  FormulaFixture F(Line("BracketsRound(" + Slot() + ")"));
  auto* Brackets = F.First<TEqBrackets>();
  EXPECT_EQ(Brackets->LSymbol(), u'\uFD3E');
  EXPECT_EQ(Brackets->RSymbol(), u'\uFD3F');
  const QFontMetrics Metrics(FontAt(*F.Editor, 20));
  EXPECT_EQ(Brackets->CalcSymbolWidth(), Metrics.horizontalAdvance(QLatin1Char('(')));
  EXPECT_EQ(Brackets->Width(), 20 + 2 * Metrics.horizontalAdvance(QLatin1Char('(')));
  const QImage Image = Render(Brackets);
  EXPECT_TRUE(AnyInked(Image, QRect(0, 0, Brackets->CalcSymbolWidth(), Brackets->Height())));
  // The ink is the font's own "(", drawn alone the same way.
  QImage Plain(Image.size(), QImage::Format_RGB32);
  Plain.fill(Qt::white);
  {
    QPainter Painter(&Plain);
    Painter.setFont(FontAt(*F.Editor, 20));
    Painter.setPen(Qt::black);
    Painter.drawText(QRect(0, 0, Brackets->CalcSymbolWidth(), Brackets->Height()), Qt::AlignCenter, QStringLiteral("("));
  }
  const auto InkIn = [&](const QImage& Picture) {
    int Count = 0;
    for (int Y = 0; Y < Picture.height(); ++Y)
      for (int X = 0; X < Brackets->CalcSymbolWidth(); ++X) Count += Inked(Picture, X, Y);
    return Count;
  };
  EXPECT_NEAR(InkIn(Image), InkIn(Plain), InkIn(Plain) / 4 + 2);
}

TEST(MatrixLayout, SquareGridWithAFractionInTheFirstRow) {
  FormulaFixture F(Line("MatrixkmSquare(" + Slot("Simple(1)") + Slot(Fraction) +
                        Slot("Simple(3)Simple(3)Simple(3)") + Slot("Simple(4)") + ")"));
  auto* Matrix = F.First<TEqMatrix>();
  ASSERT_EQ(Matrix->EditAreaCount(), 4);
  ASSERT_EQ(Matrix->DX(), 2);
  ASSERT_EQ(Matrix->DY(), 2);
  TEditArea* Cell[4];
  for (int I = 0; I < 4; ++I) Cell[I] = Matrix->Slot(I);
  EXPECT_EQ(Cell[0]->Font().Size(), 20);
  const int Row0 = Cell[1]->Height();
  ASSERT_GT(Row0, Cell[0]->Height());
  const int Row1 = qMax(Cell[2]->Height(), Cell[3]->Height());
  const int Col0 = qMax(Cell[0]->Width(), Cell[2]->Width());
  const int Col1 = qMax(Cell[1]->Width(), Cell[3]->Width());
  EXPECT_EQ(Matrix->GetRowHeight(0), Row0);
  EXPECT_EQ(Matrix->GetColWidth(0), Col0);
  EXPECT_EQ(Matrix->Height(), Row0 + 10 + Row1 + 10);
  EXPECT_EQ(Matrix->Width(), Col0 + 10 + Col1 + 10);
  EXPECT_EQ(Matrix->GetMidLine(), Matrix->Height() / 2);
  // Row bands: both cells of row 0 centred in its height, row 1 below it and 10 pixels.
  EXPECT_EQ(Cell[0]->Top(), (Row0 - Cell[0]->Height()) / 2);
  EXPECT_EQ(Cell[1]->Top(), 0);
  EXPECT_EQ(Cell[2]->Top(), Row0 + 10 + (Row1 - Cell[2]->Height()) / 2);
  // Column bands: each cell centred in its column's width.
  EXPECT_EQ(Cell[0]->Left(), (Col0 - Cell[0]->Width()) / 2);
  EXPECT_EQ(Cell[2]->Left(), (Col0 - Cell[2]->Width()) / 2);
  EXPECT_EQ(Cell[1]->Left(), Col0 + 10 + (Col1 - Cell[1]->Width()) / 2);
  EXPECT_EQ(Cell[3]->Left(), Col0 + 10 + (Col1 - Cell[3]->Width()) / 2);
  for (int I = 0; I < 4; ++I) EXPECT_EQ(Cell[I]->IndexInParent(), I);
}

TEST(MatrixLayout, RowOfThreeEmptyCells) {
  EditorFixture F;
  F.Line(0)->AddEqMatrix(kmHoriz, 3);
  auto* Matrix = ElementAt<TEqMatrix>(F.Line(0), 0);
  EXPECT_EQ(Matrix->DY(), 1);
  EXPECT_EQ(Matrix->Width(), 3 * (20 + 10));
  EXPECT_EQ(Matrix->Height(), Matrix->Slot(0)->Height() + 10);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Matrix->Slot(I)->Left(), I * 30);
    EXPECT_EQ(Matrix->Slot(I)->Top(), 0);
  }
}

TEST(MatrixLayout, ColumnStacksItsCells) {
  FormulaFixture F(Line("MatrixkmVert(" + Slot("Simple(1)") + Slot(Fraction) + ")"));
  auto* Matrix = F.First<TEqMatrix>();
  TEditArea* Upper = Matrix->Slot(0);
  TEditArea* Lower = Matrix->Slot(1);
  EXPECT_EQ(Matrix->DX(), 1);
  EXPECT_EQ(Lower->Top(), Upper->Height() + 10);
  EXPECT_EQ(Matrix->Width(), qMax(Upper->Width(), Lower->Width()) + 10);
  EXPECT_EQ(Upper->Left(), (Matrix->Width() - 10 - Upper->Width()) / 2);
}

TEST(MatrixLayout, SquareGridOfFiveCellsPlacesEveryCellInside) {
  FormulaFixture F(Line("MatrixkmSquare(" + Slot("Simple(1)") + Slot("Simple(2)") +
                        Slot("Simple(3)") + Slot("Simple(4)") + Slot("Simple(5)") + ")"));
  auto* Matrix = F.First<TEqMatrix>();
  ASSERT_EQ(Matrix->EditAreaCount(), 5);
  EXPECT_EQ(Matrix->DX(), 3);
  EXPECT_EQ(Matrix->DY(), 2);
  const int Row0 = Matrix->GetRowHeight(0);
  EXPECT_EQ(Matrix->Slot(3)->Top(), Row0 + 10 + (Matrix->GetRowHeight(1) - Matrix->Slot(3)->Height()) / 2);
  EXPECT_EQ(Matrix->Slot(3)->Left(), Matrix->Slot(0)->Left());
  EXPECT_EQ(Matrix->Slot(4)->Left(), Matrix->Slot(1)->Left());
  for (int I = 0; I < 5; ++I)
    EXPECT_TRUE(QRect(QPoint(0, 0), Matrix->BoundsRect().size()).contains(Matrix->Slot(I)->BoundsRect())) << "cell " << I;
}

TEST(FenceLayout, EveryPartHasItsMiddleBarBeforeIt) {
  // Classic: bars as glyphs of text height between the parts, each part centred in the band.
  FormulaFixture F(QStringLiteral(
      "EditArea(FenceFigureOpenModuleFigureClose(EditArea(Simple(x))EditArea(Simple(y))EditArea(Simple(z))))"));
  auto* Fence = F.First<TEqFence>();
  ASSERT_EQ(Fence->EditAreaCount(), 3);
  const QImage Image = Render(Fence);
  for (int I = 1; I < 3; ++I) {
    const int From = Fence->Slot(I - 1)->BoundsRect().right() + 1, To = Fence->Slot(I)->Left();
    ASSERT_LT(From, To);
    EXPECT_TRUE(AnyInked(Image, QRect(From, 0, To - From, Image.height()))) << "no bar before part " << I;
  }
  EXPECT_LT(Fence->Slot(2)->BoundsRect().right(), Fence->Width() - 2);
}
