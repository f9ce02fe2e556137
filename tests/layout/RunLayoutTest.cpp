#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cmath>

#include "TestSupport.h"
#include "layout/FontLevels.h"

namespace {
QFontMetrics MetricsAt(const TEditArea* Area) { return QFontMetrics(Area->Font()); }

// Counts dark pixels along the top edge of a node's rectangle inside an image of the editor.
int DarkPixelsOnTopEdge(const QImage& Image, const TCustomControl* Node) {
  const QPoint Origin = Node->HostPosition();
  int Dark = 0;
  for (int X = 0; X < Node->Width(); ++X)
    if (qGray(Image.pixel(Origin.x() + X, Origin.y())) < 128) ++Dark;
  return Dark;
}
}  // namespace

TEST(FontLevels, RoundsTheExtendedProductHalvesToEven) {
  EXPECT_EQ(ScaledSize(20, 0.7), 14);
  EXPECT_EQ(ScaledSize(14, 0.7), 10);
  EXPECT_EQ(ScaledSize(10, 0.7), 7);
  // The double nearest 0.7 lies below it: odd multiples of 5 round down.
  EXPECT_EQ(ScaledSize(25, 0.7), 17);
  EXPECT_EQ(ScaledSize(15, 0.7), 10);
  EXPECT_EQ(ScaledSize(35, 0.7), 24);
  EXPECT_EQ(ScaledSize(5, 0.7), 3);
  EXPECT_EQ(ScaledSize(1, 0.7), 1);
  int Size = 20;
  std::vector<int> Chain;
  for (int I = 0; I < 10; ++I) Chain.push_back(Size = ScaledSize(Size, 1.0, 0.8));
  EXPECT_EQ(Chain, (std::vector<int>{16, 13, 10, 8, 6, 5, 4, 3, 2, 2}));
  EXPECT_EQ(RoundHalfEven(18.5L - 15), 4);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
}

TEST(FontLevels, IndexInIndexInIndexShrinksStepByStep) {
  for (auto [Base, Expected] : {std::pair{20, std::vector<int>{14, 10, 7}}, std::pair{25, std::vector<int>{17, 12, 8}}}) {
    TZelkEquation Editor;
    QFont Font = Editor.font();
    Font.setPointSize(Base);
    Editor.setFont(Font);
    std::vector<int> Sizes;
    for (int Level = 0; Level < 3; ++Level) {
      Editor.ActiveEditArea()->AddEqIndex({goIndexTop});
      Sizes.push_back(Editor.ActiveEditArea()->Font().Size());
    }
    EXPECT_EQ(Sizes, Expected) << Base;
  }
}

TEST(RunLayout, EmptyLineIsFontSizeWideAndCaretHighPlusTwo) {
  TZelkEquation Editor;
  TEditArea* L = Editor.Line(0);
  EXPECT_EQ(L->Font().Size(), 20);
  EXPECT_EQ(L->Width(), 20);
  EXPECT_EQ(L->Caret()->Height(), 20);
  EXPECT_EQ(L->Caret()->Width(), 2);
  EXPECT_EQ(L->Height(), 22);
  EXPECT_EQ(L->Left(), 10);
  EXPECT_EQ(L->Top(), 20);
  EXPECT_EQ(L->Caret()->Top(), 1);
  EXPECT_EQ(L->Caret()->Left(), 0);
}

TEST(RunLayout, ElementsArePackedAfterCaretGapsOnOneMidLine) {
  TZelkEquation Editor;
  TEditArea* L = Editor.Line(0);
  L->AddEqSimple('a');
  L->SetEquationIndex(1);
  L->AddEqSimple('W');
  L->SetEquationIndex(2);
  const QFontMetrics M = MetricsAt(L);
  const int Wa = M.horizontalAdvance('a');
  const int WW = M.horizontalAdvance('W');
  const int H = M.height();
  EXPECT_EQ(L->Item(0)->Left(), 2);
  EXPECT_EQ(L->Item(1)->Left(), Wa + 4);
  EXPECT_EQ(L->Caret()->Left(), Wa + WW + 4);
  EXPECT_EQ(L->Width(), Wa + WW + 4 + 20 / 3);
  EXPECT_EQ(L->Item(0)->Width(), Wa);
  EXPECT_EQ(L->Item(0)->Height(), H);
  // Centred elements need their height plus 5; the area adds 2.
  const int AreaHeight = std::max(20, H + (H % 2) + 5) + 2;
  EXPECT_EQ(L->Height(), AreaHeight);
  EXPECT_EQ(L->Item(0)->Top(), RoundHalfEven(AreaHeight / 2.0L - H / 2));
  EXPECT_EQ(L->Item(1)->Top(), L->Item(0)->Top());
  EXPECT_EQ(L->Caret()->Top(), RoundHalfEven((AreaHeight - 20) / 2.0L));
}

TEST(RunLayout, SymbolsAreMeasuredAsOneCodeUnitInTheAreaFont) {
  TZelkEquation Editor;
  TEditArea* L = Editor.Line(0);
  L->AddEqExtSymbol(8734);
  const QFontMetrics M = MetricsAt(L);
  EXPECT_EQ(L->Item(0)->Width(), M.horizontalAdvance(QChar(8734)));
  EXPECT_EQ(L->Item(0)->Height(), M.height());
  EXPECT_EQ(L->Caret()->Left(), 0);  // the caret stays in front of the new element
}

TEST(RunLayout, LinesStackWithAFontSizeGap) {
  EditorFixture F;
  F.Line(0)->AddEqSimple('x');
  F.Editor->AddEditArea();
  F.Line(1)->AddEqDivision();
  const int H0 = F.Line(0)->Height();
  const int H1 = F.Line(1)->Height();
  EXPECT_EQ(F.Line(1)->Left(), 10);
  EXPECT_EQ(F.Line(1)->Top(), 20 + H0 + 20);
  EXPECT_EQ(F.Editor->CalcHeight(2), 20 + H0 + 20 + H1 + 20);
  EXPECT_EQ(F.Editor->CalcHeight(0), 20);
  EXPECT_EQ(F.Editor->CalcWidth(), std::max(F.Line(0)->Width(), F.Line(1)->Width()));
  // A taller first line pushes the second one down.
  F.Line(0)->SetEquationIndex(1);
  F.Line(0)->AddEqExtSymbol(0x222B);
  F.Line(0)->AddEqIndex({goIndexTop, goIndexBottom});
  EXPECT_EQ(F.Line(1)->Top(), 20 + F.Line(0)->Height() + 20);
}

TEST(RunLayout, FontChangeRelaysEveryLineWithoutNotifying) {
  EditorFixture F;
  F.Line(0)->AddEqSimple('m');
  F.Editor->AddEditArea();
  F.Changes = 0;
  QFont Font = F.Editor->font();
  Font.setPointSize(30);
  F.Editor->setFont(Font);
  EXPECT_EQ(F.Changes, 0);
  EXPECT_EQ(F.Line(0)->Font().Size(), 30);
  EXPECT_EQ(F.Line(0)->Item(0)->Width(), QFontMetrics(F.Line(0)->Font()).horizontalAdvance('m'));
  EXPECT_EQ(F.Line(0)->Left(), 15);
  EXPECT_EQ(F.Line(1)->Top(), 30 + F.Line(0)->Height() + 30);
  EXPECT_EQ(F.Line(1)->Width(), 30);
}

TEST(RunLayout, BackgroundColourReachesEveryNodeWithoutNotifying) {
  EditorFixture F;
  F.Line(0)->AddEqDivision();
  F.Active()->AddEqSimple('1');
  F.Changes = 0;
  const QColor Yellow(255, 255, 200);
  F.Editor->SetBkColor(Yellow);
  EXPECT_EQ(F.Changes, 0);
  auto* D = ElementAt<TEqDivision>(F.Line(0), 0);
  EXPECT_EQ(F.Line(0)->BkColor(), Yellow);
  EXPECT_EQ(D->BkColor(), Yellow);
  EXPECT_EQ(D->Numerator()->BkColor(), Yellow);
  EXPECT_EQ(D->Numerator()->Item(0)->BkColor(), Yellow);
  EXPECT_EQ(F.Editor->property("BkColor").value<QColor>(), Yellow);
}

TEST(RunLayoutPaint, ActiveAndEmptyAreasShowADottedFrameOnlyWhileEnabled) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(a))EditArea(Simple(b))");
  TEditArea* Inactive = Editor.Line(0);
  TEditArea* Active = Editor.Line(1);
  ASSERT_EQ(Editor.ActiveEditArea(), Active);
  QImage Image = Editor.grab().toImage();
  EXPECT_GT(DarkPixelsOnTopEdge(Image, Active), Active->Width() / 4);
  EXPECT_EQ(DarkPixelsOnTopEdge(Image, Inactive), 0);
  // The editor's own one-pixel frame.
  EXPECT_LT(qGray(Image.pixel(0, 0)), 128);
  EXPECT_EQ(Image.pixel(5, 5), QColor(Qt::white).rgb());

  Editor.setEnabled(false);
  Image = Editor.grab().toImage();
  EXPECT_EQ(DarkPixelsOnTopEdge(Image, Active), 0);
}

TEST(RunLayoutPaint, CharactersAreDrawnInTheirPlace) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(M))");
  const TCustomControl* Element = Editor.Line(0)->Item(0);
  const QImage Image = Editor.grab().toImage();
  const QRect Box(Element->HostPosition(), Element->BoundsRect().size());
  int Inked = 0;
  for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
    for (int X = Box.left(); X <= Box.right(); ++X) Inked += qGray(Image.pixel(X, Y)) < 128;
  EXPECT_GT(Inked, 20);
}

namespace {
// Left, top, width, height and font size of every node below Root, in tree order.
void CollectGeometry(const TCustomControl* Root, std::vector<std::array<int, 5>>& Out) {
  for (const TCustomControl* Node : Root->Children()) {
    Out.push_back({Node->Left(), Node->Top(), Node->Width(), Node->Height(), Node->Font().Size()});
    CollectGeometry(Node, Out);
  }
}
}  // namespace

TEST(RunLayout, AFontChangeLaysOutTemplatesAsIfBuiltInTheNewFont) {
  const QString Text =
      "EditArea(Simple(a)Division(EditArea(SumLimitBottomTop(EditArea(Simple(k))EditArea(Simple(0))"
      "EditArea(Simple(n))))EditArea(BracketsRound(EditArea(IndexTop(EditArea(Simple(2))))))))"
      "EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea()EditArea()EditArea(Simple(4))))";
  TZelkEquation Changed;
  Changed.SetData(Text);
  QFont Font = Changed.font();
  Font.setPointSize(31);
  Changed.setFont(Font);

  TZelkEquation Fresh;
  Fresh.setFont(Font);
  Fresh.SetData(Text);

  std::vector<std::array<int, 5>> A, B;
  for (int J = 0; J < Changed.LineCount(); ++J) CollectGeometry(Changed.Line(J), A);
  for (int J = 0; J < Fresh.LineCount(); ++J) CollectGeometry(Fresh.Line(J), B);
  EXPECT_EQ(A, B);
  auto* D = ElementAt<TEqDivision>(Changed.Line(0), 1);
  EXPECT_EQ(D->Numerator()->Font().Size(), 22);
}
