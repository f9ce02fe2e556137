// Soft wrapping while editing: where a long line breaks, how its rows stand, where the
// operator at a break goes, and the caret moving through the rows.

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>
#include <tuple>

#include "layout/LayoutSupport.h"
#include "model/AlignMark.h"

namespace {
// A long line: relations, binary operators, a typed bracket pair and a fraction whose
// slots hold operators of their own.
QString LongLine() {
  QString Run = QStringLiteral("Simple(y)Simple(=)");
  for (int I = 0; I < 6; ++I)
    Run += QStringLiteral("Simple(a)Simple(+)Simple(#40)Simple(b)Simple(-)Simple(c)Simple(#41)Simple(+)"
                          "Division(EditArea(Simple(x)Simple(+)Simple(1))EditArea(Simple(2)))Simple(+)");
  Run += QStringLiteral("Simple(z)Simple(=)Simple(w)Simple(+)Simple(v)");
  return QStringLiteral("EditArea(%1)").arg(Run);
}

// Whether the element at Index is an operator a break may take: a relation or binary
// sign outside every typed bracket pair of the line.
bool TopLevelOperator(const TEditArea* Line, int Index) {
  int Depth = 0;
  for (int I = 0; I <= Index; ++I) {
    const auto* Simple = dynamic_cast<const TEqSimple*>(Line->Item(I));
    const char32_t C = Simple ? Simple->Character() : 0;
    if (I == Index) return Depth == 0 && (C == U'=' || C == U'+' || C == U'-');
    Depth += C == U'(' ? 1 : C == U')' ? -1 : 0;
  }
  return false;
}

struct Wrapped : EditorFixture, ::testing::TestWithParam<TTypesetting> {
  Wrapped() { Editor->SetTypesetting(GetParam()); }
  int FS() const { return Editor->Font().Size(); }
};
}  // namespace

TEST_P(Wrapped, LongLinesBreakOnlyAtTopLevelOperatorsAndKeepTheirData) {
  const QString Data = LongLine();
  Editor->SetData(Data);
  TEditArea* Line = this->Line(0);
  const int OneRow = Line->Width();
  ASSERT_GT(OneRow, 1000);
  EXPECT_TRUE(Line->RowStarts().empty());
  int RowsBefore = INT_MAX;
  for (int Width : {200, 400, 800}) {
    SCOPED_TRACE(Width);
    Editor->SetWrapWidth(Width);
    EXPECT_EQ(Editor->GetData(), Data);
    EXPECT_GT(Line->RowCount(), 1);
    EXPECT_LE(Line->RowCount(), RowsBefore);
    RowsBefore = Line->RowCount();
    // The operator ends its row (the default), the next row is indented and lower.
    for (int R = 1; R < Line->RowCount(); ++R) {
      const int Start = Line->RowStarts()[R - 1];
      EXPECT_TRUE(TopLevelOperator(Line, Start - 1)) << "row " << R << " starts at " << Start;
      EXPECT_GE(Line->Item(Start)->Left(), Line->Item(0)->Left() + FS());
      EXPECT_GT(Line->Item(Start)->Top(), Line->Item(Start - 1)->Top());
    }
    // Every row fits but where one piece between operators is wider than the width.
    EXPECT_LE(Line->Left() + Line->Width() + FS() / 2, Width + FS()) << Line->Width();
    EXPECT_EQ(Line->RunWidth(), OneRow);
    EXPECT_EQ(Editor->RenderSize().height(), Editor->CalcHeight(1));
  }
  Editor->SetWrapWidth(0);
  EXPECT_TRUE(Line->RowStarts().empty());
  EXPECT_EQ(Line->Width(), OneRow);
  EXPECT_EQ(Editor->GetLaTeX(), [&] {
    TZelkEquation Plain;
    Plain.SetData(Data);
    return Plain.GetLaTeX();
  }());
}

TEST_P(Wrapped, TheOperatorAtABreakEndsItsRowBeginsTheNextOrIsRepeated) {
  Editor->SetData(LongLine());
  Editor->SetWrapWidth(400);
  TEditArea* Line = this->Line(0);
  const std::vector<int> After = Line->RowStarts();
  ASSERT_FALSE(After.empty());
  Editor->SetBreakOperator(TBreakOperators::Before);
  for (int Start : Line->RowStarts()) EXPECT_TRUE(TopLevelOperator(Line, Start)) << Start;
  Editor->SetBreakOperator(TBreakOperators::Repeated);
  for (int Start : Line->RowStarts()) EXPECT_TRUE(TopLevelOperator(Line, Start - 1)) << Start;
  EXPECT_EQ(Editor->GetData(), LongLine());
  // The repeated sign is drawn before the row's first element, in the room the indent
  // leaves; with the sign after the break that room is blank.
  const auto InkBeforeRow = [&] {
    const int Start = Line->RowStarts().front();
    const TEquation* First = Line->Item(Start);
    const QImage Image = Editor->RenderImage();
    const QPoint At = First->HostPosition();
    return AnyInked(Image, QRect(At.x() - FS(), At.y(), FS() - 1, First->Height()));
  };
  EXPECT_TRUE(InkBeforeRow());
  Editor->SetBreakOperator(TBreakOperators::After);
  EXPECT_EQ(Line->RowStarts(), After);
  EXPECT_FALSE(InkBeforeRow());
}

TEST_P(Wrapped, RelationsBreakBeforeBinaryOperators) {
  // Both the = and the later + fit in the first row: the line breaks at the =, unless
  // that leaves the row less than half full.
  Editor->SetData(QStringLiteral("EditArea(Simple(x)Simple(x)Simple(x)Simple(x)Simple(x)Simple(x)Simple(=)Simple(a)"
                                 "Simple(+)Simple(b)Simple(+)Simple(c)Simple(d)Simple(e)Simple(f)Simple(g)Simple(h))"));
  const int Plus = Line(0)->Item(10)->Left() + Line(0)->Item(10)->Width();
  Editor->SetWrapWidth(Plus + FS() + FS() / 3 + 2);
  ASSERT_GE(Line(0)->RowCount(), 2);
  EXPECT_EQ(Line(0)->RowStarts().front(), 7);
  Editor->SetData(QStringLiteral("EditArea(Simple(x)Simple(=)Simple(a)Simple(+)Simple(b)Simple(+)Simple(c)Simple(+)"
                                 "Simple(d)Simple(e)Simple(f)Simple(g)Simple(h))"));
  Editor->SetWrapWidth(0);
  Editor->SetWrapWidth(Line(0)->Item(7)->Left() + Line(0)->Item(7)->Width() + FS() + FS() / 3 + 2);
  EXPECT_EQ(Line(0)->RowStarts().front(), 8);
}

TEST_P(Wrapped, TheCaretAndUpAndDownMoveThroughTheShownRows) {
  Editor->SetData(LongLine() + QStringLiteral("EditArea(Simple(q))"));
  Editor->SetWrapWidth(400);
  TEditArea* Line = this->Line(0);
  ASSERT_GE(Line->RowCount(), 3);
  Line->SetActive(true);
  Line->SetEquationIndex(Line->Count());
  const TEACursor* Caret = Line->Caret();
  const int LastRow = Line->RowCount() - 1;
  // The caret stands in the last row, as high as its neighbours.
  const TEquation* Last = Line->Item(Line->Count() - 1);
  EXPECT_LT(Caret->Top(), Last->Top() + Last->Height());
  EXPECT_GT(Caret->Top() + Caret->Height(), Last->Top());
  Editor->KeyDown(vkUp, {});
  EXPECT_EQ(Editor->ActiveEditArea(), Line);
  EXPECT_EQ(Line->RowOf(Line->EquationIndex()), LastRow - 1);
  Editor->KeyDown(vkDown, {});
  EXPECT_EQ(Line->RowOf(Line->EquationIndex()), LastRow);
  Editor->KeyDown(vkDown, {});  // past the last row: the next line
  EXPECT_EQ(Editor->ActiveEditArea(), this->Line(1));
  // At a row's start the caret stands before its first element, in that row.
  Line->SetActive(true);
  const int Start = Line->RowStarts().front();
  Line->SetEquationIndex(Start);
  EXPECT_LE(Caret->Left(), Line->Item(Start)->Left());
  EXPECT_GE(Caret->Top(), Line->Item(Start - 1)->Top() + 1);
  // The Modern style's vertical moves take the rows too.
  Editor->SetInputStyle(TInputStyles::Modern);
  Line->SetEquationIndex(Line->Count());
  QTest::keyClick(Editor.get(), Qt::Key_Up);
  EXPECT_EQ(Editor->ActiveEditArea(), Line);
  EXPECT_EQ(Line->RowOf(Line->EquationIndex()), LastRow - 1);
}

TEST_P(Wrapped, MarksStayAlignedWhenALongLineWraps) {
  // The second line goes on long after its mark.
  Editor->SetData(QStringLiteral("EditArea(Simple(x)AlignMark()Simple(=)Simple(a))EditArea(Simple(y)Simple(y)AlignMark()Simple(=)") +
                  LongLine().mid(9) + LongLine());
  for (int Width : {0, 400}) {
    Editor->SetWrapWidth(Width);
    const auto MarkX = [&](int J) {
      const TEditArea* L = Line(J);
      for (int I = 0; I < L->Count(); ++I)
        if (dynamic_cast<const TEqAlignMark*>(L->Item(I))) return L->Item(I)->HostPosition().x();
      return -1;
    };
    EXPECT_EQ(MarkX(0), MarkX(1)) << Width;
  }
  EXPECT_GT(Line(1)->RowCount(), 1);
  EXPECT_GT(Line(2)->RowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(BothStyles, Wrapped, ::testing::Values(TTypesettings::Classic, TTypesettings::Math));

TEST(WrapToWidth, ANegativeWidthWrapsToTheEditorsOwnWidthAsItIsResized) {
  QWidget Window;
  auto* Layout = new QVBoxLayout(&Window);
  auto* E = new TZelkEquation;
  Layout->addWidget(E);
  E->SetData(LongLine());
  E->SetWrapWidth(-7);
  EXPECT_EQ(E->WrapWidth(), -1);
  Window.resize(500, 400);
  Window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
  const int Rows = E->Line(0)->RowCount();
  EXPECT_GT(Rows, 1);
  EXPECT_LE(E->RenderSize().width(), E->width());
  Window.resize(900, 400);
  QCoreApplication::processEvents();
  EXPECT_EQ(Window.width(), 900);
  EXPECT_LT(E->Line(0)->RowCount(), Rows);
  EXPECT_LE(E->RenderSize().width(), E->width());
}
