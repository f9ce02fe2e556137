// Lines aligned at their marks, and lines placed by LineAlignment, in both typesetting
// styles and at several sizes.

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <tuple>

#include "accessibility/SpokenFormula.h"
#include "editor/Editing.h"
#include "layout/LayoutSupport.h"
#include "model/AlignMark.h"

namespace {
// A line's Data from a short spelling: & is a mark, any other character a plain one.
QString Spelled(const QString& Text) {
  QString Run;
  for (QChar C : Text) Run += C == u'&' ? QStringLiteral("AlignMark()") : QStringLiteral("Simple(%1)").arg(C);
  return QStringLiteral("EditArea(%1)").arg(Run);
}

QString Lines(std::initializer_list<const char*> Texts) {
  QString Data;
  for (const char* Text : Texts) Data += Spelled(QString::fromLatin1(Text));
  return Data;
}

// The x of every mark of a line, in the editor's coordinates.
std::vector<int> MarkXs(const TEditArea* Line) {
  std::vector<int> Xs;
  for (int I = 0; I < Line->Count(); ++I)
    if (dynamic_cast<const TEqAlignMark*>(Line->Item(I))) Xs.push_back(Line->Item(I)->HostPosition().x());
  return Xs;
}

struct Aligned : EditorFixture, ::testing::TestWithParam<std::tuple<TTypesetting, int>> {
  Aligned() {
    Editor->SetTypesetting(std::get<0>(GetParam()));
    Editor->setFont(FontAt(*Editor, std::get<1>(GetParam())));
  }
  int FS() const { return Editor->Font().Size(); }
};
}  // namespace

TEST_P(Aligned, TheNthMarkOfEveryLineStandsAtOneX) {
  // Two pairs of columns: right | left, then right | left again.
  Editor->SetData(Lines({"x&=a+b&y&=1", "fff+g&=c&yyyy&=22", "&=ddddd+e", "h&=k&&=333"}));
  const std::vector<int> First = MarkXs(Line(0));
  ASSERT_EQ(First.size(), 3u);
  for (int J = 1; J < Editor->LineCount(); ++J) {
    SCOPED_TRACE(J);
    const std::vector<int> Xs = MarkXs(Line(J));
    for (std::size_t M = 0; M < Xs.size(); ++M) EXPECT_EQ(Xs[M], First[M]) << "mark " << M + 1;
  }
  // The runs after the first mark start together (left-aligned), those before it end
  // together (right-aligned), and the block keeps to the left margin.
  const auto LeftOf = [&](int J, int I) { return Line(J)->Item(I)->HostPosition().x(); };
  EXPECT_EQ(LeftOf(0, 2), LeftOf(1, 6));
  EXPECT_EQ(LeftOf(0, 2), LeftOf(2, 1));
  int Leftmost = INT_MAX;
  for (int J = 0; J < Editor->LineCount(); ++J) Leftmost = qMin(Leftmost, Line(J)->Left());
  EXPECT_EQ(Leftmost, FS() / 2);
  // The second pair keeps an em from the first.
  EXPECT_GE(First[2] - First[1], FS());
  // Typing in a line re-aligns the others.
  Line(2)->SetEquationIndex(0);
  Line(2)->SetActive(true);
  for (int I = 0; I < 6; ++I) Line(2)->AddEqSimple(U'w');
  EXPECT_EQ(MarkXs(Line(0))[0], MarkXs(Line(2))[0]);
  EXPECT_GT(MarkXs(Line(0))[0], First[0]);
}

TEST_P(Aligned, LinesWithoutMarksFollowLineAlignment) {
  const QString Data = Lines({"x&=a+b", "wwwwwwwwwwwwwwww", "y+zz&=c", "q"});
  Editor->SetData(Data);
  // Left (the default): as lines stood before there were marks.
  EXPECT_EQ(Line(1)->Left(), FS() / 2);
  EXPECT_EQ(Line(3)->Left(), FS() / 2);
  EXPECT_TRUE(Line(3)->AlignPads().empty());
  const int Widest = Line(1)->Width();
  Editor->SetLineAlignment(TLineAlignments::Centre);
  EXPECT_EQ(Line(1)->Left(), FS() / 2);  // the widest line sets the width
  EXPECT_NEAR(Line(3)->Left() + Line(3)->Width() / 2.0, FS() / 2 + Widest / 2.0, 1);
  EXPECT_EQ(MarkXs(Line(0)), MarkXs(Line(2)));
  Editor->SetLineAlignment(TLineAlignments::AtMarks);
  // A line without a mark is one right-aligned run that ends where the marks stand.
  EXPECT_EQ(Line(3)->Left() + Line(3)->Width(), MarkXs(Line(0))[0]);
  EXPECT_EQ(Line(1)->Left() + Line(1)->Width(), MarkXs(Line(2))[0]);
  EXPECT_EQ(MarkXs(Line(0)), MarkXs(Line(2)));
  EXPECT_EQ(Editor->GetData(), Data);
  Editor->SetLineAlignment(TLineAlignments::Left);
  EXPECT_EQ(Line(3)->Left(), FS() / 2);
  // Without its mark a line is a plain line again.
  Line(0)->DelEquation(1);
  EXPECT_EQ(Line(0)->Left(), FS() / 2);
  EXPECT_TRUE(Line(0)->AlignPads().empty());
}

INSTANTIATE_TEST_SUITE_P(StylesAndSizes, Aligned,
                         ::testing::Combine(::testing::Values(TTypesettings::Classic, TTypesettings::Math),
                                            ::testing::Values(12, 20, 36)));

TEST(AlignMark, IsInvisibleInPicturesAndAFaintTickWhileEditing) {
  EditorFixture F;
  F.Editor->SetData(Spelled(QStringLiteral("a&b")));
  const TEquation* Mark = F.Line(0)->Item(1);
  const QRect At(Mark->HostPosition(), Mark->BoundsRect().size());
  const auto Drawn = [&](bool Marks) {
    TRenderOptions Options;
    Options.EditingMarks = Marks;
    const QImage Image = F.Editor->RenderImage(Options);
    int Count = 0;
    for (int Y = At.top(); Y <= At.bottom(); ++Y)
      for (int X = At.left(); X <= At.right(); ++X) Count += Image.pixelColor(X, Y) != QColor(Qt::white);
    return Count;
  };
  EXPECT_EQ(Drawn(false), 0);
  EXPECT_GT(Drawn(true), 0);
  // Faint: lighter than the text.
  TRenderOptions Options;
  Options.EditingMarks = true;
  const QImage Image = F.Editor->RenderImage(Options);
  for (int Y = At.top(); Y <= At.bottom(); ++Y)
    for (int X = At.left(); X <= At.right(); ++X) EXPECT_GT(Image.pixelColor(X, Y).lightness(), 128);
}

TEST(AlignMark, IsOneElementToTheCaretTheKeysTheTextAndTheVoice) {
  EditorFixture F;
  const QString Data = Spelled(QStringLiteral("a&b"));
  F.Editor->SetData(Data);
  EXPECT_EQ(Data, QStringLiteral("EditArea(Simple(a)AlignMark()Simple(b))"));
  EXPECT_EQ(F.Editor->GetData(), Data);
  TEditArea* Line = F.Line(0);
  Line->SetActive(true);
  Line->SetEquationIndex(1);
  F.Editor->KeyDown(vkRight, {});
  EXPECT_EQ(Line->EquationIndex(), 2);
  F.Editor->KeyDown(vkBack, {});
  EXPECT_EQ(F.Editor->GetData(), Spelled(QStringLiteral("ab")));
  // Undo brings it back (into a line read anew).
  F.Editor->Editing().Undo();
  EXPECT_EQ(F.Editor->GetData(), Data);
  Line = F.Line(0);
  const TSpokenFormula Spoken(*F.Editor, TLanguages::lEnglish);
  EXPECT_TRUE(Spoken.Text().contains(QStringLiteral("alignment mark"), Qt::CaseInsensitive)) << Spoken.Text().toStdString();
  // The caret stands on both sides of the mark, apart.
  Line->SetEquationIndex(1);
  const int Before = Line->Caret()->Left();
  Line->SetEquationIndex(2);
  EXPECT_GT(Line->Caret()->Left(), Before);
}
