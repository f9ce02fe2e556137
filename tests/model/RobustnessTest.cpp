// Texts at the extremes and beyond the reader's limits: each must read without a crash,
// keep what was read before a limit or fault, and write back a text that reads unchanged.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "TestSupport.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
// Count levels of round brackets, each holding the next in its slot, the innermost x.
QString NestedBrackets(int Count) {
  return "EditArea(" + QString("BracketsRound(EditArea(").repeated(Count) + "Simple(x)" +
         QString("))").repeated(Count) + ")";
}

int BracketDepth(TEditArea* Area) {
  int Depth = 0;
  while (Area->Count() == 1 && dynamic_cast<TEqBrackets*>(Area->Item(0))) {
    ++Depth;
    Area = SlotOf(Area, 0, 0);
  }
  return Depth;
}

// Reads Text, expecting the error E, and returns the text written back.
template <typename E>
QString ReadExpecting(TZelkEquation& Editor, const QString& Text) {
  EXPECT_THROW(Editor.SetData(Text), E);
  return Editor.GetData();
}

// The written text reads back unchanged.
void ExpectFixedPoint(const QString& Written) {
  TZelkEquation Again;
  Again.SetData(Written);
  EXPECT_EQ(Again.GetData(), Written);
}

QString Items(const QString& Item, int Count) { return Item.repeated(Count); }

// Reads a large text and lets the events posted to its new nodes through, as the event
// loop would; otherwise deleting each node scans all those still pending.
void ReadLarge(TEditArea* Area, const QString& Text) {
  Area->SetData(Text);
  QCoreApplication::sendPostedEvents();
}
void ReadLarge(TZelkEquation& Editor, const QString& Text) {
  try {
    Editor.SetData(Text);
  } catch (...) {
    QCoreApplication::sendPostedEvents();
    throw;
  }
  QCoreApplication::sendPostedEvents();
}
}  // namespace

TEST(Robustness, NestingUpToTheLimitReadsWhole) {
  TZelkEquation Editor;
  Editor.SetData(NestedBrackets(MaxNestingDepth));
  EXPECT_EQ(Editor.GetData(), NestedBrackets(MaxNestingDepth));
  EXPECT_EQ(BracketDepth(Editor.Line(0)), MaxNestingDepth);
}

TEST(Robustness, NestingBeyondTheLimitStopsThereAndKeepsWhatWasRead) {
  TZelkEquation Editor;
  const QString Written = ReadExpecting<ELimitError>(Editor, NestedBrackets(MaxNestingDepth + 8));
  EXPECT_EQ(BracketDepth(Editor.Line(0)), MaxNestingDepth);
  ExpectFixedPoint(Written);

  // The property's writer keeps the same part and lets nothing escape.
  TZelkEquation Host;
  EXPECT_TRUE(Host.setProperty("Data", NestedBrackets(1000)));
  EXPECT_EQ(Host.GetData(), Written);
}

TEST(Robustness, NestingIsCountedFromTheAreaThatReads) {
  TZelkEquation Editor;
  Editor.SetData(NestedBrackets(MaxNestingDepth - 1));
  TEditArea* Deepest = Editor.Line(0);
  while (Deepest->Count() == 1 && dynamic_cast<TEqBrackets*>(Deepest->Item(0)))
    Deepest = SlotOf(Deepest, 0, 0);
  EXPECT_EQ(NestingDepth(Deepest), MaxNestingDepth - 1);
  // One more level fits, a second does not.
  EXPECT_NO_THROW(Deepest->SetData("BracketsRound(EditArea(Simple(y)))"));
  EXPECT_THROW(Deepest->SetData("BracketsRound(EditArea(BracketsRound()))"), ELimitError);
  EXPECT_EQ(Deepest->GetData(), "BracketsRound(EditArea())");
}

TEST(Robustness, TextsWithoutItems) {
  for (const QString& Text : {QString(), QString("()"), QString("(((())))"), QString("))((") ,
                              QString(1'000'000, '('), QString(1'000'000, ')')}) {
    TZelkEquation Editor;
    Editor.SetData(Text);
    EXPECT_EQ(Editor.LineCount(), 0);
    EXPECT_EQ(Editor.GetData(), "");
  }
}

TEST(Robustness, AMillionOpeningParenthesesInsideALine) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(x)" + QString(1'000'000, '(') + "Simple(y))");
  // The line's parentheses never close, so it takes the rest of the text, where the
  // parentheses between the items are ignored.
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(x)Simple(y))");
}

TEST(Robustness, UnbalancedAtEveryLevel) {
  const QString Texts[] = {
      "EditArea(",
      "EditArea(Simple(",
      "EditArea(Division(EditArea(Simple(x)EditArea(Simple(y)",
      "EditArea(MatrixkmSquare(EditArea(Simple(1)EditArea(IndexTop(EditArea(",
      "EditArea(IntLimitBottomTopOne(EditArea(Simple(x))EditArea(Simple(0)))))))EditArea(Simple(z",
      "EditArea(Simple(x)))))BracketsRound)EditArea(Simple(y))",
  };
  for (const QString& Text : Texts) {
    SCOPED_TRACE(Text.toStdString());
    TZelkEquation Editor;
    EXPECT_NO_THROW(Editor.SetData(Text));
    ExpectFixedPoint(Editor.GetData());
  }
  TZelkEquation Editor;
  Editor.SetData(Texts[2]);
  EXPECT_EQ(Editor.GetData(), "EditArea(Division(EditArea(Simple(x))EditArea()))");
}

TEST(Robustness, NamesOfTenThousandLetters) {
  const QString Long(10'000, 'a');
  TZelkEquation Editor;
  Editor.SetData(Long + "(x)EditArea(" + Long + "(Simple(x))Simple(y)" + Long + ")");
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(y))");
  // A name spanning the whole text.
  Editor.SetData(QString(10'000, 'E'));
  EXPECT_EQ(Editor.LineCount(), 0);
}

TEST(Robustness, ExtSymbolBeyondSixtyFourBitsStopsWithAConversionError) {
  TZelkEquation Editor;
  const QString Written = ReadExpecting<EConvertError>(
      Editor, "EditArea(Simple(a))EditArea(Simple(b)ExtSymbol(123456789012345678901234567890)"
              "Simple(c))EditArea(Simple(d))");
  EXPECT_EQ(Written, "EditArea(Simple(a))EditArea(Simple(b))");
  for (const char* Number : {"18446744073709551616", "-18446744073709551617",
                             "99999999999999999999999999999999999999999999999999"})
    EXPECT_THROW(Editor.SetData(QString("EditArea(ExtSymbol(%1))").arg(Number)), EConvertError);
  Editor.SetData("EditArea(ExtSymbol(-1)ExtSymbol(65536)ExtSymbol(2147483647))");
  EXPECT_EQ(Editor.GetData(), "EditArea(ExtSymbol(65535)ExtSymbol(0)ExtSymbol(65535))");
}

TEST(Robustness, LineCountLimit) {
  TZelkEquation Editor;
  EXPECT_THROW(ReadLarge(Editor, Items("EditArea()", MaxLines + 1)), ELimitError);
  EXPECT_EQ(Editor.LineCount(), MaxLines);
  EXPECT_EQ(Editor.GetData(), Items("EditArea()", MaxLines));
}

TEST(Robustness, ElementCountLimitCountsMatrixCellsAcrossOneReading) {
  // A matrix counts once per cell: with the fraction the text fills the budget exactly,
  // and y, across lines and levels, is one too many. (Ten matrices: a widget with very many
  // children is slow to take apart.)
  const QString Tenth = "MatrixkmHoriz(" + Items("a()", MaxElements / 10) + ")";
  const QString Full = Tenth.repeated(9) + "MatrixkmVert(" + Items("a()", MaxElements / 10 - 1) + ")";
  TZelkEquation Editor;
  EXPECT_THROW(ReadLarge(Editor, "EditArea(" + Full + ")EditArea(Division(EditArea(Simple(y))))"),
               ELimitError);
  EXPECT_EQ(Editor.LineCount(), 2);
  EXPECT_EQ(Editor.Line(0)->Count(), 10);
  EXPECT_EQ(Editor.Line(1)->GetData(), "Division(EditArea()EditArea())");
  // Each reading starts a fresh count, also that of a single line.
  EXPECT_NO_THROW(ReadLarge(Editor.Line(1), "Simple(y)"));

  // Past the budget the matrix is inserted, but its cells are not.
  EXPECT_THROW(ReadLarge(Editor, "EditArea(MatrixkmVert(" + Items("a()", MaxElements + 1) + "))"),
               ELimitError);
  EXPECT_EQ(Editor.GetData(), "EditArea(MatrixkmVert(EditArea()))");
}

TEST(Robustness, LinesStayStackedWhileReadingAndEditing) {
  EditorFixture F;
  F.Editor->SetData("EditArea(Simple(a))EditArea()EditArea(Division(EditArea(Simple(1))"
                    "EditArea(Simple(2))))EditArea(Simple(b))");
  const auto ExpectStacked = [&F] {
    for (int J = 0; J < F.Editor->LineCount(); ++J)
      EXPECT_EQ(F.Line(J)->Top(), F.Editor->CalcHeight(J)) << "line " << J;
  };
  ExpectStacked();
  // A line in the middle grows: the lines below move down.
  F.Line(1)->AddEqBrackets(kbRound);
  ExpectStacked();
  F.Editor->SetEditAreaIndex(0);
  F.Editor->DeleteEditArea();
  ExpectStacked();
  QFont Large = F.Editor->font();
  Large.setPointSize(40);
  F.Editor->setFont(Large);
  ExpectStacked();
}

TEST(Robustness, TheNewerKindsReadMissingSurplusAndStraySlotsAsTheOthersDo) {
  // Missing slots stay empty, surplus ones are dropped (a fence parted by a middle
  // delimiter has as many parts as given), items of other names keep their place.
  const std::pair<const char*, const char*> Cases[] = {
      {"EditArea(BracketsBraKet())", "EditArea(BracketsBraKet(EditArea()EditArea()))"},
      {"EditArea(BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b))Simple(q)EditArea(Simple(c))))",
       "EditArea(BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b))EditArea()EditArea(Simple(c))))"},
      {"EditArea(BracketsFloor(EditArea(Simple(a))EditArea(Simple(b))))", "EditArea(BracketsFloor(EditArea(Simple(a))))"},
      {"EditArea(StackBottomTop(Simple(q)EditArea(Simple(b))EditArea(Simple(t))))",
       "EditArea(StackBottomTop(EditArea()EditArea(Simple(b))EditArea(Simple(t))))"},
      {"EditArea(IndexLeftTopBottom(EditArea(Simple(b", "EditArea(IndexLeftTopBottom(EditArea(Simple(b))EditArea()))"},
      {"EditArea(HorizBraceaeTop(EditArea(HorizBraceaeBottom(EditArea()))))",
       "EditArea(HorizBraceaeTop(EditArea(HorizBraceaeBottom(EditArea()EditArea()))EditArea()))"},
      {"EditArea(OperatorIndexTop)", "EditArea(OperatorIndexTop(EditArea()EditArea()))"},
  };
  for (const auto& [Text, Expected] : Cases) {
    SCOPED_TRACE(Text);
    TZelkEquation Editor;
    Editor.SetData(QString::fromUtf8(Text));
    EXPECT_EQ(Editor.GetData(), QString::fromUtf8(Expected));
  }
}
