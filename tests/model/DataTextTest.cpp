#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Keywords.h"
#include "platform/Exceptions.h"

namespace {
const QString DemoFormula =
    "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
    "EditArea(ExtSymbol(8734))))";

QString RoundTrip(const QString& Text) {
  TZelkEquation Editor;
  Editor.SetData(Text);
  return Editor.GetData();
}
}  // namespace

TEST(DataText, NewEditorHoldsOneEmptyLine) {
  TZelkEquation Editor;
  EXPECT_EQ(Editor.GetData(), "EditArea()");
  EXPECT_EQ(RoundTrip("EditArea()"), "EditArea()");
}

TEST(DataText, DemoFormulaRoundTripsAndBuildsTheIntegral) {
  EditorFixture F;
  F.Editor->SetData(DemoFormula);
  EXPECT_EQ(F.Editor->GetData(), DemoFormula);
  auto* Integral = ElementAt<TEqIntegral>(F.Line(0), 0);
  ASSERT_NE(Integral, nullptr);
  EXPECT_EQ(Integral->EditAreaCount(), 3);
  EXPECT_EQ(Integral->LimitBottomArea(), Integral->Slot(1));
  EXPECT_EQ(Integral->LimitTopArea(), Integral->Slot(2));
  EXPECT_EQ(ElementAt<TEqExtSymbol>(Integral->LimitTopArea(), 0)->SymbolCode(), 8734);
  EXPECT_EQ(F.Line(0)->EquationIndex(), 1);
}

namespace {
// Fills every slot of every template in Area with one character, recursively.
void FillSlots(TEditArea* Area, QChar Ch) {
  for (int I = 0; I < Area->Count(); ++I)
    if (auto* Parent = dynamic_cast<TEqParent*>(Area->Item(I)))
      for (int S = 0; S < Parent->EditAreaCount(); ++S) {
        Parent->Slot(S)->SetEquationIndex(0);
        Parent->Slot(S)->AddEqSimple(QChar(Ch.unicode() + S));
      }
}
}  // namespace

TEST(DataText, EveryAcceptedNameReadsAndWritesBackWithContentInEverySlot) {
  QStringList Names = AcceptedTemplateKeywords();
  // The 76 names of the first version, 25 for fractions, radicals, long division and accents,
  // 36 for fences, scripts and braces, the grids, the two binomials, 15 bracket pairs
  // parted by bars, the three continued fractions and text.
  EXPECT_EQ(Names.size() + 2, 76 + 25 + 36 + MaxMatrixColumns - 1 + 2 + 15 + 3 + 1);
  for (const QString& Name : Names) {
    TZelkEquation Source;
    InsertionForKeyword(Name)(*Source.Line(0));
    FillSlots(Source.Line(0), 'a');
    const QString Text = Source.GetData();
    ASSERT_TRUE(Text.startsWith("EditArea(" + Name + "(")) << Text.toStdString();

    TZelkEquation Copy;
    Copy.SetData(Text);
    EXPECT_EQ(Copy.GetData(), Text) << Name.toStdString();
    EXPECT_EQ(Copy.Line(0)->EquationList()->GetString(0), Name);
    EXPECT_EQ(dynamic_cast<TEqParent*>(Copy.Line(0)->Item(0))->EditAreaCount(),
              dynamic_cast<TEqParent*>(Source.Line(0)->Item(0))->EditAreaCount());
  }
  EXPECT_EQ(RoundTrip("EditArea(Simple(q)ExtSymbol(8721))"), "EditArea(Simple(q)ExtSymbol(8721))");
}

TEST(DataText, NamesAreCaseSensitiveAndUnknownItemsAreSkipped) {
  EXPECT_EQ(RoundTrip(""), "");
  EXPECT_EQ(RoundTrip("    "), "");
  EXPECT_EQ(RoundTrip("Foo(x)"), "");
  EXPECT_EQ(RoundTrip("editarea(Simple(x))"), "");
  EXPECT_EQ(RoundTrip("EditArea(simple(x))"), "EditArea()");
  EXPECT_EQ(RoundTrip("EditArea(a)"), "EditArea()");
  EXPECT_EQ(RoundTrip("Foo(x)EditArea(Simple(y))"), "EditArea(Simple(y))");
  EXPECT_EQ(RoundTrip("EditArea(Simple(a))Foo(Simple(z))EditArea(Simple(b))"),
            "EditArea(Simple(a))EditArea(Simple(b))");
  // Keywords that are written but not read.
  EXPECT_EQ(RoundTrip("EditArea(IntLimitBottomTopTwo(EditArea())Index(EditArea())Simple(k))"),
            "EditArea(Simple(k))");
}

TEST(DataText, SeparatorsBetweenItemsAreIgnored) {
  EXPECT_EQ(RoundTrip("EditArea( Simple ( x ) , Simple(y) )"), "EditArea(Simple(x)Simple(y))");
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(a))\nEditArea(Simple(b))");
  ASSERT_EQ(Editor.LineCount(), 2);
  EXPECT_EQ(Editor.Line(0)->GetData(), "Simple(a)");
  EXPECT_EQ(Editor.Line(1)->GetData(), "Simple(b)");
  EXPECT_LT(Editor.Line(0)->Top(), Editor.Line(1)->Top());
}

TEST(DataText, TemplatesReadTheirSlotsByPosition) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(IntIndexBottomTopOne(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))))");
  auto* Integral = ElementAt<TEqIntegral>(Editor.Line(0), 0);
  EXPECT_EQ(Integral->Slot(0)->GetData(), "Simple(a)");
  EXPECT_EQ(Integral->IndexBottomArea()->GetData(), "Simple(b)");
  EXPECT_EQ(Integral->IndexTopArea()->GetData(), "Simple(c)");

  Editor.SetData("EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))EditArea(Simple(4))))");
  auto* M = ElementAt<TEqMatrix>(Editor.Line(0), 0);
  ASSERT_EQ(M->EditAreaCount(), 4);
  EXPECT_EQ(M->DX(), 2);
  for (int I = 0; I < 4; ++I) EXPECT_EQ(M->Slot(I)->GetData(), QString("Simple(%1)").arg(I + 1));

  EXPECT_EQ(RoundTrip("EditArea(Division(EditArea(Simple(1))))"),
            "EditArea(Division(EditArea(Simple(1))EditArea()))");
  EXPECT_EQ(RoundTrip("EditArea(BracketsRound(Simple(x)))"), "EditArea(BracketsRound(EditArea()))");
  // Items of another name keep their number; surplus items are ignored.
  EXPECT_EQ(RoundTrip("EditArea(Division(X(Simple(1))EditArea(Simple(2))EditArea(Simple(3))))"),
            "EditArea(Division(EditArea()EditArea(Simple(2))))");
  // A matrix grows to the number of items of any name and keeps its one cell without any.
  EXPECT_EQ(RoundTrip("EditArea(MatrixkmHoriz(X()EditArea(Simple(2))))"),
            "EditArea(MatrixkmHoriz(EditArea()EditArea(Simple(2))))");
  EXPECT_EQ(RoundTrip("EditArea(MatrixkmVert())"), "EditArea(MatrixkmVert(EditArea()))");
}

TEST(DataText, NestedArgumentsArePeeledLevelByLevel) {
  const QString Text =
      "EditArea(IntOne(EditArea(BracketsSquare(EditArea(Division(EditArea(Simple(1)Simple(+)"
      "IndexTop(EditArea(Simple(2))))EditArea(VectorkaRightaeTop(EditArea(Simple(v))))))))))";
  EXPECT_EQ(RoundTrip(Text), Text);
}

TEST(DataText, ExtSymbolKeepsTheLow16Bits) {
  EXPECT_EQ(RoundTrip("EditArea(ExtSymbol(70000))"), "EditArea(ExtSymbol(4464))");
  EXPECT_EQ(RoundTrip("EditArea(ExtSymbol(-1))"), "EditArea(ExtSymbol(65535))");
  EXPECT_EQ(RoundTrip("EditArea(ExtSymbol(+65))"), "EditArea(ExtSymbol(65))");
}

TEST(DataText, NonNumericExtSymbolRaisesAndKeepsWhatWasRead) {
  TZelkEquation Editor;
  EXPECT_THROW(Editor.SetData("EditArea(Simple(a))EditArea(Simple(b)ExtSymbol(x1)Simple(c))EditArea()"),
               EConvertError);
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(a))EditArea(Simple(b))");

  // The property path used by hosts keeps the partial formula and raises nothing.
  EXPECT_TRUE(Editor.setProperty("Data", "EditArea(Simple(z)ExtSymbol(12345678901))"));
  EXPECT_EQ(Editor.property("Data").toString(), "EditArea(Simple(z))");
}

TEST(DataText, CharactersTheTextFormCannotCarryAreWrittenAsCodes) {
  TZelkEquation Editor;
  for (QChar Ch : {QChar(u'('), QChar(u')'), QChar(u' '), QChar(u'\t'), QChar(u'#'), QChar(u'\u044F')})
    Editor.Line(0)->AddEqSimple(Ch);
  // Each insertion stands before the previous one.
  const QString Text = Editor.GetData();
  EXPECT_EQ(Text, QString::fromUtf16(u"EditArea(Simple(\u044F)Simple(#)Simple(#9)Simple(#32)Simple(#41)Simple(#40))"));
  EXPECT_EQ(RoundTrip(Text), Text);
}

TEST(DataText, SimpleArguments) {
  // Only the first character counts; "#" and digits stand for a code.
  EXPECT_EQ(RoundTrip("EditArea(Simple(xyz)Simple(#65)Simple(#)Simple(#6a))"),
            "EditArea(Simple(x)Simple(A)Simple(#)Simple(#))");
  // An empty argument inserts nothing.
  EXPECT_EQ(RoundTrip("EditArea(Simple()Simple(   )Simple(b))"), "EditArea(Simple(b))");
}

TEST(DataText, EveryLineAndElementReadNotifies) {
  EditorFixture F;
  F.Changes = 0;
  F.Editor->SetData("");
  EXPECT_EQ(F.Changes, 0);
  F.Editor->SetData("EditArea(Simple(a)Simple(b))EditArea()");
  EXPECT_EQ(F.Changes, 4);
  F.Changes = 0;
  F.Editor->SetData("EditArea(MatrixkmHoriz(EditArea(Simple(1))EditArea()))");
  // Line, matrix, the cell's character, and the matrix once more when its cells are read.
  EXPECT_EQ(F.Changes, 4);
}

TEST(DataText, CaretEndsInTheAreaCreatedLast) {
  EditorFixture F;
  F.Editor->SetData("EditArea(Simple(a))EditArea(Division(EditArea()EditArea(Simple(b))))");
  auto* D = ElementAt<TEqDivision>(F.Line(1), 0);
  EXPECT_EQ(F.Active(), D->Numerator());
  EXPECT_EQ(F.Editor->EditAreaIndex(), 1);
  EXPECT_EQ(F.Line(0)->EquationIndex(), 1);
  EXPECT_EQ(F.Line(1)->EquationIndex(), 1);
}
