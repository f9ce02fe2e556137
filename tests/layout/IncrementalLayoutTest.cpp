// Layout skips work whose result cannot change (lines below an edit that only move,
// colours handed down again, text measured again). After every kind of edit the tree must
// still be exactly what a fresh editor lays out for the same Data, font and colour.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <functional>
#include <typeinfo>

#include "editor/EACursor.h"
#include "layout/LayoutSupport.h"

namespace {
QString Describe(const TCustomControl* Node) {
  const TFont& F = Node->Font();
  return QStringLiteral("%1 %2,%3 %4x%5 %6 %7 %8")
      .arg(QString::fromLatin1(typeid(*Node).name()))
      .arg(Node->Left())
      .arg(Node->Top())
      .arg(Node->Width())
      .arg(Node->Height())
      .arg(F.toString(), F.Color.name())
      .arg(Node->Visible());
}

QString DescribeColoured(const TZelkGraphic* Node) {
  return Describe(Node) + QLatin1Char(' ') + Node->BkColor().name();
}

// Every area of the tree in reading order: lines, and the slots of each template after it.
void ForEachArea(TEditArea* Area, const std::function<void(TEditArea*)>& Visit) {
  Visit(Area);
  for (int I = 0; I < Area->Count(); ++I)
    if (auto* Template = dynamic_cast<TEqParent*>(Area->Item(I)))
      for (int S = 0; S < Template->EditAreaCount(); ++S) ForEachArea(Template->Slot(S), Visit);
}

void ForEachArea(const TZelkEquation& Editor, const std::function<void(TEditArea*)>& Visit) {
  for (int J = 0; J < Editor.LineCount(); ++J) ForEachArea(Editor.Line(J), Visit);
}

// Geometry, fonts, colours and visibility of every node, and where the carets stand. The
// blink phase of the active caret depends on the history of the editor, not on its
// content, so it is taken only when asked for.
QStringList Picture(const TZelkEquation& Editor, bool WithBlinkPhase = false) {
  QStringList Lines{Describe(&Editor) + QLatin1Char(' ') + Editor.BkColor().name()};
  int Number = 0;
  ForEachArea(Editor, [&](TEditArea* Area) {
    const bool Active = Editor.ActiveEditArea() == Area;
    Lines << QStringLiteral("area %1 index %2 active %3 ").arg(Number++).arg(Area->EquationIndex()).arg(Active) +
                 DescribeColoured(Area);
    const TEACursor* Caret = Area->Caret();
    Lines << QStringLiteral("  caret %1,%2 %3x%4 %5")
                 .arg(Caret->Left())
                 .arg(Caret->Top())
                 .arg(Caret->Width())
                 .arg(Caret->Height())
                 .arg(Active && !WithBlinkPhase ? QStringLiteral("-") : QString::number(Caret->Visible()));
    for (int I = 0; I < Area->Count(); ++I) Lines << QStringLiteral("  ") + DescribeColoured(Area->Item(I));
  });
  return Lines;
}

// A fresh editor with the same font, colour and Data, its carets where Edited has them.
std::unique_ptr<TZelkEquation> FreshCopy(const TZelkEquation& Edited) {
  auto Fresh = std::make_unique<TZelkEquation>();
  QObject::connect(Fresh.get(), &TZelkEquation::OnChange, [] {});
  Fresh->SetTypesetting(Edited.Typesetting());
  Fresh->setFont(Edited.font());
  Fresh->SetBkColor(Edited.BkColor());
  Fresh->SetData(Edited.GetData());
  QList<int> Indices;
  int ActiveNumber = -1;
  ForEachArea(Edited, [&](TEditArea* Area) {
    if (Edited.ActiveEditArea() == Area) ActiveNumber = static_cast<int>(Indices.size());
    Indices << Area->EquationIndex();
  });
  int Number = 0;
  ForEachArea(*Fresh, [&](TEditArea* Area) {
    if (Number == ActiveNumber) Area->SetActive(true);
    if (Number < Indices.size()) Area->SetEquationIndex(Indices[Number]);
    ++Number;
  });
  return Fresh;
}

void ExpectAsFresh(const TZelkEquation& Edited, const char* Step) {
  const QStringList Actual = Picture(Edited);
  const QStringList Expected = Picture(*FreshCopy(Edited));
  ASSERT_EQ(Actual.size(), Expected.size()) << Step;
  for (qsizetype I = 0; I < Actual.size(); ++I)
    ASSERT_EQ(Actual[I].toStdString(), Expected[I].toStdString()) << Step << ", row " << I;
}

// Five lines of characters, symbols and nested templates of every kind.
const QString Formula = QStringLiteral(
    "EditArea(Simple(a)Simple(+)Division(EditArea(Simple(1))EditArea(IntLimitBottomTopOne("
    "EditArea(Simple(x))EditArea(Simple(0))EditArea(ExtSymbol(8734)))))Simple(=)Simple(b))"
    "EditArea(BracketsRound(EditArea(SumLimitBottomTop(EditArea(Division(EditArea(Simple(1))"
    "EditArea(Simple(n))))EditArea(Simple(n))EditArea(Simple(k)))))IndexTopBottom(EditArea("
    "Simple(i))EditArea(Simple(2))))"
    "EditArea(MatrixkmSquare(EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))"
    "EditArea(Simple(0))EditArea(Simple(0))EditArea(Simple(1)))Simple(x))"
    "EditArea(ArrowkaRightaeTop(EditArea(Simple(f)))VectorkaRightaeTop(EditArea(Simple(v)"
    "Simple(w)))BracketsSquare(EditArea(Simple(y))))"
    "EditArea(Simple(z)ExtSymbol(945))"
    // What the Math style lays out from more than the slots: a left index from the base
    // after it, letters that spell an operator's name, stretched fences and marks.
    "EditArea(IndexLeftTopBottom(EditArea(Simple(a))EditArea(Simple(b)))Simple(X)Simple(+)Binomial("
    "EditArea(Simple(n))EditArea(Simple(k)))Simple(s)Simple(i)Simple(n)Simple(x)FenceRoundOpenModuleRoundClose("
    "EditArea(Simple(a))EditArea(Simple(b)))AccentHat(EditArea(Simple(x)))RootDegree(EditArea(Simple(y))"
    "EditArea(Simple(3)))DivisionContinued(EditArea(Simple(1))EditArea(Simple(2)))HorizBraceaeTop(EditArea("
    "Simple(a)Simple(b))EditArea(Simple(c))))");

struct IncrementalLayout : ::testing::TestWithParam<TTypesetting>, EditorFixture {
  IncrementalLayout() {
    Editor->SetTypesetting(GetParam());
    Editor->SetData(Formula);
  }
  // Activates Area with the caret before element Index.
  static TEditArea* Place(TEditArea* Area, int Index) {
    Area->SetActive(true);
    Area->SetEquationIndex(Index);
    return Area;
  }
};
}  // namespace

TEST_P(IncrementalLayout, TypingAndDeletingInEveryLineAndSlot) {
  ExpectAsFresh(*Editor, "read");
  for (int J = 0; J < Editor->LineCount(); ++J) {
    TEditArea* Area = Place(Line(J), Line(J)->Count() / 2);
    Area->AddEqSimple(QLatin1Char('k'));
    ExpectAsFresh(*Editor, "typed in a line");
    Area->DelEquation(Area->EquationIndex());
    ExpectAsFresh(*Editor, "deleted in a line");
  }
  // Deep slots: the numerator's integral operand, the sum's fraction, a matrix cell.
  TEditArea* Operand = SlotOf(SlotOf(Line(0), 2, 1), 0, 0);
  Place(Operand, 1)->AddEqExtSymbol(946);
  ExpectAsFresh(*Editor, "typed in an operand two levels down");
  TEditArea* Denominator = SlotOf(SlotOf(SlotOf(Line(1), 0, 0), 0, 0), 0, 1);
  Place(Denominator, 0)->AddEqSimple(QLatin1Char('m'));
  Denominator->AddEqSimple(QLatin1Char('m'));
  ExpectAsFresh(*Editor, "typed in a denominator three levels down");
  Denominator->DelEquation(0);
  Denominator->DelEquation(0);
  Denominator->DelEquation(0);
  ExpectAsFresh(*Editor, "emptied a denominator");
  TEditArea* Cell = SlotOf(Line(2), 0, 3);
  Place(Cell, 1)->AddEqSimple(QLatin1Char('9'));
  ExpectAsFresh(*Editor, "typed in a matrix cell");
}

TEST_P(IncrementalLayout, InsertingTemplatesInNestedSlots) {
  TEditArea* Area = Place(Line(1), 1);
  Area->AddEqDivision();
  ExpectAsFresh(*Editor, "fraction in a line");
  Active()->AddEqIntegral({goLimitBottom}, 2, true);
  ExpectAsFresh(*Editor, "integral in the new numerator");
  Active()->AddEqMatrix(kmHoriz, 3);
  ExpectAsFresh(*Editor, "matrix in a limit");
  Active()->AddEqBrackets(kbFigure);
  Active()->AddEqIndex({goIndexTop});
  Active()->AddEqSimple(QLatin1Char('2'));
  ExpectAsFresh(*Editor, "four levels down");
  Place(Line(4), 0)->AddEqArrow({kaLeft, kaRight}, aeBottom);
  Active()->AddEqVector({kaDouble}, aeBottom);
  Active()->AddEqSumma({goIndexTop, goIndexBottom});
  ExpectAsFresh(*Editor, "last line");
}

// The Math style keeps each element's layout from one change to the next: whatever an
// edit changes next to it, in it or above it must lay it out again.
TEST_P(IncrementalLayout, EditsAroundWhatTheMathStyleKeeps) {
  TEditArea* Last = Line(5);
  // The base after a left index, then the letters of "sin" made a name and unmade.
  Place(Last, 1)->AddEqDivision();
  ExpectAsFresh(*Editor, "a fraction for the left index's base");
  Place(Last, 7)->DelEquation(7);
  ExpectAsFresh(*Editor, "sin made si");
  Place(Last, 7)->AddEqSimple(QLatin1Char('n'));
  ExpectAsFresh(*Editor, "si made sin");
  // A taller part inside each stretched or marked element.
  for (int I = 0; I < Last->Count(); ++I)
    if (auto* Template = dynamic_cast<TEqParent*>(Last->Item(I))) {
      Place(Template->Slot(0), 0)->AddEqDivision();
      ExpectAsFresh(*Editor, typeid(*Template).name());
    }
  Editor->SetTypesetting(GetParam() == TTypesettings::Math ? TTypesettings::Classic : TTypesettings::Math);
  ExpectAsFresh(*Editor, "the other style");
  Editor->SetTypesetting(GetParam());
  ExpectAsFresh(*Editor, "back");
}

TEST_P(IncrementalLayout, LineCommandsFontAndColour) {
  Place(Line(1), 0);
  Editor->AddEditArea();
  Active()->AddEqSimple(QLatin1Char('n'));
  ExpectAsFresh(*Editor, "added a line");
  Editor->InsertEditArea();
  Active()->AddEqBrackets(kbModule);
  ExpectAsFresh(*Editor, "inserted a line");
  Editor->EditAreaUp();
  Editor->DeleteEditArea();
  ExpectAsFresh(*Editor, "deleted a line");
  Editor->EditAreaDown();
  Editor->EditAreaDown();
  ExpectAsFresh(*Editor, "moved down");

  QFont Larger = Editor->font();
  Larger.setPointSize(27);
  Editor->setFont(Larger);
  ExpectAsFresh(*Editor, "larger font");
  Active()->AddEqDivision();
  ExpectAsFresh(*Editor, "typed at the larger font");
  QFont Bold = Editor->font();
  Bold.setBold(true);
  Bold.setPointSize(15);
  Editor->setFont(Bold);
  ExpectAsFresh(*Editor, "smaller bold font");

  Editor->SetBkColor(QColor(255, 255, 200));
  ExpectAsFresh(*Editor, "new colour");
  Place(Line(0), 1)->AddEqSimple(QLatin1Char('c'));
  ExpectAsFresh(*Editor, "typed in the new colour");
  Editor->SetBkColor(QColor(255, 255, 200));
  Editor->SetBkColor(Qt::white);
  ExpectAsFresh(*Editor, "colour back");
}

TEST_P(IncrementalLayout, DataAssignments) {
  Place(Line(3), 1)->AddEqSimple(QLatin1Char('k'));
  Editor->SetData(QStringLiteral("EditArea(Simple(x))EditArea()EditArea(Division(EditArea()EditArea()))"));
  ExpectAsFresh(*Editor, "shorter text");
  Active()->AddEqSimple(QLatin1Char('d'));
  ExpectAsFresh(*Editor, "typed after reading");
  Editor->SetData(Formula);
  ExpectAsFresh(*Editor, "longer text");
  // A fault part way through keeps the part that was read, laid out as usual.
  EXPECT_ANY_THROW(Editor->SetData(QStringLiteral("EditArea(Simple(a))EditArea(ExtSymbol(z))")));
  ExpectAsFresh(*Editor, "text with a fault");
}

INSTANTIATE_TEST_SUITE_P(Styles, IncrementalLayout, ::testing::Values(TTypesettings::Classic, TTypesettings::Math),
                         [](const auto& Info) { return Info.param == TTypesettings::Math ? "Math" : "Classic"; });

namespace {
QString AllTemplates() {
  QFile File(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt"));
  return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()).remove(QLatin1Char('\n'))
                                        : QString();
}
}  // namespace

// With no OnChange receiver a read is laid out once at its end; the tree, the active area
// and even the caret's blink phase are what the step-by-step layout leaves.
TEST(IncrementalLayoutRead, WithoutAReceiverAsStepByStep) {
  const QString Texts[] = {Formula, AllTemplates(), QStringLiteral("EditArea()"),
                           QStringLiteral("EditArea(Division(EditArea()EditArea(Simple(x))))EditArea()"),
                           QStringLiteral("EditArea(Simple(a)BracketsRound(EditArea(ExtSymbol(z))))")};
  for (const QString& Text : Texts) {
    TZelkEquation Quiet;
    EditorFixture Watched;
    for (TZelkEquation* Editor : {&Quiet, Watched.Editor.get()}) {
      try {
        Editor->SetData(Text);
      } catch (const std::exception&) {
        // The last text fails part way; both keep the part read.
      }
    }
    EXPECT_EQ(Picture(Quiet, true), Picture(*Watched.Editor, true)) << Text.left(60).toStdString();
    EXPECT_EQ(Watched.Changes > 0, true);
  }
}

TEST(IncrementalLayoutFixture, EveryTemplateAfterEditsAboveIt) {
  EditorFixture F;
  F.Editor->SetData(AllTemplates());
  TEditArea* First = F.Line(0);
  First->SetActive(true);
  First->SetEquationIndex(0);
  for (int I = 0; I < 3; ++I) First->AddEqDivision();
  ExpectAsFresh(*F.Editor, "taller first line");
  First->SetActive(true);
  First->SetEquationIndex(0);
  First->DelEquation(0);
  ExpectAsFresh(*F.Editor, "lower first line");
}

// A size is set only when it differs, and a fractional size never passes for its
// rounded neighbour.
TEST(IncrementalLayoutFont, SizeOfAFractionalFontIsSet) {
  TFont Font;
  Font.setPointSizeF(20.6);
  Font.SetSize(21);
  EXPECT_EQ(Font.pointSizeF(), 21.0);
  Font.setPixelSize(28);
  Font.SetSize(21);
  EXPECT_EQ(Font.pointSize(), 21);
}
