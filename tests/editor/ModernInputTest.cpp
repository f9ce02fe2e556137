// The Modern input style: the caret through the structure, deletion that takes templates
// apart, the caret after insertions and readings, the mouse and the focus. Each table row
// is a formula (Data), where the caret starts, the keys and what must come out.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QStringList>
#include <QTest>

#include "EditingSupport.h"
#include "editor/AreaPath.h"
#include "model/TextForm.h"

namespace {
// A caret as "line/element.slot/...:index", e.g. "0/1.0:2": line 0, slot 0 of element 1,
// before the element at index 2.
QString CaretText(const TZelkEquation& E) {
  const TEditArea* Area = E.ActiveEditArea();
  if (!Area) return QStringLiteral("none");
  const TAreaPath Path = PathOf(Area);
  QString Text = QString::number(Path.Line);
  for (const auto& [Element, Slot] : Path.Steps) Text += QStringLiteral("/%1.%2").arg(Element).arg(Slot);
  return Text + QStringLiteral(":%1").arg(Area->EquationIndex());
}

void PlaceCaret(TZelkEquation& E, const QString& Text) {
  const QStringList Parts = Text.split(QLatin1Char(':'));
  const QStringList Steps = Parts[0].split(QLatin1Char('/'));
  TAreaPath Path;
  Path.Line = Steps[0].toInt();
  for (int I = 1; I < Steps.size(); ++I) {
    const QStringList Pair = Steps[I].split(QLatin1Char('.'));
    Path.Steps.emplace_back(Pair[0].toInt(), Pair[1].toInt());
  }
  TEditArea* Area = AreaAt(E, Path);
  ASSERT_NE(Area, nullptr) << Text.toStdString();
  E.SetEditAreaIndex(Path.Line);
  Area->SetActive(true);
  Area->SetEquationIndex(Parts[1].toInt());
}

// Keys by name, separated by spaces; "S-" holds Shift.
void Press(QWidget* W, const QString& Keys) {
  static const QHash<QString, Qt::Key> Names = {
      {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
      {"Home", Qt::Key_Home}, {"End", Qt::Key_End},     {"Bksp", Qt::Key_Backspace}, {"Del", Qt::Key_Delete},
      {"Tab", Qt::Key_Tab},   {"BTab", Qt::Key_Backtab}, {"Enter", Qt::Key_Return}};
  for (QString Name : Keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
    if (Name.startsWith(QLatin1String("S-"))) {
      Modifiers = Qt::ShiftModifier;
      Name = Name.mid(2);
    }
    if (Names.contains(Name))
      QTest::keyClick(W, Names[Name], Modifiers);
    else
      QTest::keyClicks(W, Name, Modifiers);
  }
}

const QString Fraction = Row("Simple(a)Division(EditArea(Simple(b))EditArea(Simple(c)))");
const QString Sum = Row("SumLimitBottomTop(EditArea(Simple(k))EditArea(Simple(1))EditArea(Simple(n)))");
const QString Scripts = Row("Simple(x)IndexTopBottom(EditArea(Simple(j))EditArea(Simple(2)))");
const QString NthRoot = Row("RootDegree(EditArea(Simple(x))EditArea(Simple(n)))");
const QString Matrix = Row("MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))EditArea(Simple(4)))");
const QString Integral = Row("IntLimitBottomTopOne(EditArea(Simple(f))EditArea(Simple(0))EditArea(Simple(1)))");
const QString LongDivision = Row("LongDivisionQuotient(EditArea(Simple(8))EditArea(Simple(2))EditArea(Simple(4)))");
const QString Brace = Row("HorizBraceaeTop(EditArea(Simple(a))EditArea(Simple(n)))");
const QString Stack = Row("StackTop(EditArea(Simple(x))EditArea(Simple(d)))");
const QString LeftIndex = Row("IndexLeftTopBottom(EditArea(Simple(6))EditArea(Simple(1)))Simple(C)");
const QString BraKet = Row("BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b)))");
const QString Nested = Row("Division(EditArea(Division(EditArea(Simple(p))EditArea(Simple(q))))EditArea(Simple(r)))");
const QString TwoLines = Row("Simple(a)Simple(b)") + Row("Simple(c)");

struct Modern : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  void SetUp() override {
    E->SetInputStyle(TInputStyles::Modern);
    E->resize(800, 400);
  }
  void Start(const QString& Data, const QString& Caret) {
    E->SetData(Data);
    PlaceCaret(*E, Caret);
    Changes = 0;
  }
  bool MenuEntryEnabled(const char* Name) {
    const std::unique_ptr<QMenu> Menu(E->Editing().CreateContextMenu());
    const QAction* Action = Menu->findChild<QAction*>(QLatin1String(Name));
    return Action && Action->isEnabled();
  }
  // The carets that pressing Key visits from Caret on, until it stops moving.
  QString Walk(const QString& Key) {
    QStringList Stops{CaretText(*E)};
    for (int I = 0; I < 40; ++I) {
      Press(E, Key);
      if (CaretText(*E) == Stops.back()) break;
      Stops << CaretText(*E);
    }
    return Stops.join(QLatin1Char(' '));
  }
};

struct TWalkRow {
  const char* Kind;
  QString Data;
  QString Stops;  // Right from the start of line 0 to the end of the formula
};

TEST_F(Modern, RightVisitsEveryInsertionPointInReadingOrderAndLeftComesBack) {
  const TWalkRow Rows[] = {
      {"fraction: numerator, then denominator", Fraction, "0:0 0:1 0/1.0:0 0/1.0:1 0/1.1:0 0/1.1:1 0:2"},
      {"sum: lower limit, upper limit, operand", Sum, "0:0 0/0.1:0 0/0.1:1 0/0.2:0 0/0.2:1 0/0.0:0 0/0.0:1 0:1"},
      {"integral likewise", Integral, "0:0 0/0.1:0 0/0.1:1 0/0.2:0 0/0.2:1 0/0.0:0 0/0.0:1 0:1"},
      {"subscript, then superscript", Scripts, "0:0 0:1 0/1.0:0 0/1.0:1 0/1.1:0 0/1.1:1 0:2"},
      {"degree before radicand", NthRoot, "0:0 0/0.1:0 0/0.1:1 0/0.0:0 0/0.0:1 0:1"},
      {"matrix row by row", Matrix, "0:0 0/0.0:0 0/0.0:1 0/0.1:0 0/0.1:1 0/0.2:0 0/0.2:1 0/0.3:0 0/0.3:1 0:1"},
      {"long division: divisor, dividend, quotient", LongDivision,
       "0:0 0/0.1:0 0/0.1:1 0/0.0:0 0/0.0:1 0/0.2:0 0/0.2:1 0:1"},
      {"left index before its base", LeftIndex, "0:0 0/0.0:0 0/0.0:1 0/0.1:0 0/0.1:1 0:1 0:2"},
      {"brace: body, label", Brace, "0:0 0/0.0:0 0/0.0:1 0/0.1:0 0/0.1:1 0:1"},
      {"bra-ket left to right", BraKet, "0:0 0/0.0:0 0/0.0:1 0/0.1:0 0/0.1:1 0:1"},
      {"nested fraction", Nested, "0:0 0/0.0:0 0/0.0/0.0:0 0/0.0/0.0:1 0/0.0/0.1:0 0/0.0/0.1:1 0/0.0:1 0/0.1:0 0/0.1:1 0:1"},
      {"lines: a line's end leads to the next line", TwoLines, "0:0 0:1 0:2 1:0 1:1"},
  };
  for (const TWalkRow& R : Rows) {
    SCOPED_TRACE(R.Kind);
    Start(R.Data, "0:0");
    EXPECT_TEXT(Walk("Right"), R.Stops);
    QStringList Back = R.Stops.split(QLatin1Char(' '));
    std::reverse(Back.begin(), Back.end());
    EXPECT_TEXT(Walk("Left"), Back.join(QLatin1Char(' ')));
    EXPECT_TEXT(E->GetData(), R.Data);
    EXPECT_EQ(Changes, 0);
  }
}

TEST_F(Modern, TabVisitsEverySlotInReadingOrderInBothStyles) {
  const TWalkRow Rows[] = {
      {"sum: the operand is reached", Sum, "0:0 0/0.1:0 0/0.2:0 0/0.0:0 0:1"},
      {"matrix: row 1 first", Matrix, "0:0 0/0.0:0 0/0.1:0 0/0.2:0 0/0.3:0 0:1"},
      {"degree before radicand", NthRoot, "0:0 0/0.1:0 0/0.0:0 0:1"},
  };
  for (const TInputStyle Style : {TInputStyles::Classic, TInputStyles::Modern}) {
    E->SetInputStyle(Style);
    for (const TWalkRow& R : Rows) {
      SCOPED_TRACE(std::string(R.Kind) + (Style == TInputStyles::Modern ? " (Modern)" : " (Classic)"));
      Start(R.Data, "0:0");
      EXPECT_TEXT(Walk("Tab"), R.Stops);
    }
  }
}

struct TMoveRow {
  const char* Kind;
  QString Data;
  QString Caret;
  QString Keys;
  QString Expected;
};

TEST_F(Modern, UpAndDownGoToTheSlotDrawnAboveOrBelowAndBack) {
  const TMoveRow Rows[] = {
      {"numerator to denominator", Fraction, "0/1.0:1", "Down", "0/1.1:1"},
      {"denominator to numerator", Fraction, "0/1.1:0", "Up", "0/1.0:0"},
      {"operand to upper limit, at the nearest x", Sum, "0/0.0:0", "Up", "0/0.2:1"},
      {"operand to lower limit", Sum, "0/0.0:1", "Down", "0/0.1:1"},
      {"lower to upper limit", Sum, "0/0.1:1", "Up", "0/0.2:1"},
      {"subscript to superscript", Scripts, "0/1.0:0", "Up", "0/1.1:0"},
      {"matrix: the cell below", Matrix, "0/0.0:1", "Down", "0/0.2:1"},
      {"matrix: the cell above", Matrix, "0/0.3:0", "Up", "0/0.1:0"},
      {"brace: body to label", Brace, "0/0.0:1", "Up", "0/0.1:1"},
      {"stack: base to script", Stack, "0/0.0:0", "Up", "0/0.1:0"},
      {"long division: dividend to quotient", LongDivision, "0/0.0:1", "Up", "0/0.2:1"},
      {"inner denominator to outer denominator", Nested, "0/0.0/0.1:0", "Down", "0/0.1:0"},
      {"line to line by x", TwoLines, "1:1", "Up", "0:1"},
  };
  for (const TMoveRow& R : Rows) {
    SCOPED_TRACE(R.Kind);
    Start(R.Data, R.Caret);
    Press(E, R.Keys);
    EXPECT_TEXT(CaretText(*E), R.Expected);
    Press(E, R.Keys == "Up" ? "Down" : "Up");
    EXPECT_TEXT(CaretText(*E), R.Caret);
    EXPECT_EQ(Changes, 0);
  }
}

TEST_F(Modern, UpAndDownWithNothingThereStayAndAnnounceNothing) {
  for (const auto& [Caret, Key] : {std::pair{"0/1.0:0", "Up"}, {"0/1.1:1", "Down"}, {"0:0", "Up"}}) {
    Start(Fraction, Caret);
    Press(E, Key);
    EXPECT_TEXT(CaretText(*E), Caret);
    EXPECT_EQ(Changes, 0);
  }
}

TEST_F(Modern, HomeAndEndGoToTheSlotsEndsThenTheLines) {
  Start(Fraction, "0/1.1:1");
  Press(E, "Home");
  EXPECT_TEXT(CaretText(*E), "0/1.1:0");
  Press(E, "Home");
  EXPECT_TEXT(CaretText(*E), "0:0");
  PlaceCaret(*E, "0/1.0:0");
  Press(E, "End End");
  EXPECT_TEXT(CaretText(*E), "0:2");
}

struct TEditRow {
  const char* Rule;
  QString Data;
  QString Caret;
  QString Keys;
  QString Expected;  // Data after the keys
  QString After;     // the caret after them
  int Changes;
};

TEST_F(Modern, BackspaceAndDeleteTakeTemplatesApartOneStepAtATime) {
  const QString EmptyFraction = Row("Simple(a)Division(EditArea()EditArea())");
  const TEditRow Rows[] = {
      {"Backspace after a template enters its last slot", Fraction, "0:2", "Bksp", Fraction, "0/1.1:1", 0},
      {"... of a sum: the operand", Sum, "0:1", "Bksp", Sum, "0/0.0:1", 0},
      {"Backspace after an empty template deletes it", EmptyFraction, "0:2", "Bksp", Row("Simple(a)"), "0:1", 1},
      {"Backspace at a denominator's start dissolves", Fraction, "0/1.1:0", "Bksp", Row(Chars("abc")), "0:2", 1},
      {"... at a numerator's start", Fraction, "0/1.0:0", "Bksp", Row(Chars("abc")), "0:1", 1},
      {"... an operand's: limits first", Sum, "0/0.0:0", "Bksp", Row(Chars("1nk")), "0:2", 1},
      {"... a radicand's: the degree first", NthRoot, "0/0.0:0", "Bksp", Row(Chars("nx")), "0:1", 1},
      {"... a matrix cell's", Matrix, "0/0.2:0", "Bksp", Row(Chars("1234")), "0:2", 1},
      {"... a superscript's", Scripts, "0/1.1:0", "Bksp", Row(Chars("xj2")), "0:2", 1},
      {"Backspace at a line's start joins it to the line above", TwoLines, "1:0", "Bksp",
       Row(Chars("abc")), "0:2", 1},
      {"Backspace at the formula's start does nothing", TwoLines, "0:0", "Bksp", TwoLines, "0:0", 0},
      {"Backspace deletes a plain element", TwoLines, "0:1", "Bksp", Row("Simple(b)") + Row("Simple(c)"), "0:0", 1},
      {"Delete before a template enters its first slot", Fraction, "0:1", "Del", Fraction, "0/1.0:0", 0},
      {"... of a sum: the lower limit", Sum, "0:0", "Del", Sum, "0/0.1:0", 0},
      {"Delete before an empty template deletes it", EmptyFraction, "0:1", "Del", Row("Simple(a)"), "0:1", 1},
      {"Delete at a numerator's end dissolves", Fraction, "0/1.0:1", "Del", Row(Chars("abc")), "0:2", 1},
      {"Delete at a line's end joins the next line", TwoLines, "0:2", "Del", Row(Chars("abc")), "0:2", 1},
      {"Delete at the formula's end does nothing", TwoLines, "1:1", "Del", TwoLines, "1:1", 0},
      {"Enter splits the line at the caret", TwoLines, "0:1", "Enter", Row("Simple(a)") + Row("Simple(b)") + Row("Simple(c)"),
       "1:0", 1},
      {"Enter in a slot keeps the template whole", Fraction, "0/1.0:1", "Enter", Fraction + Row(""), "1:0", 1},
  };
  for (const TEditRow& R : Rows) {
    SCOPED_TRACE(R.Rule);
    Start(R.Data, R.Caret);
    Press(E, R.Keys);
    EXPECT_TEXT(E->GetData(), R.Expected);
    EXPECT_TEXT(CaretText(*E), R.After);
    EXPECT_EQ(Changes, R.Changes);
    if (R.Changes == 0) continue;
    Ctrl(E, Qt::Key_Z);
    EXPECT_TEXT(E->GetData(), R.Data);
    EXPECT_TEXT(CaretText(*E), R.Caret);
    EXPECT_FALSE(E->Editing().HasSelection());
  }
}

TEST_F(Modern, EveryStructureTypedIsTakenApartKeystrokeByKeystroke) {
  Press(E, "a");
  E->Editing().InsertElement([](TEditArea& A) { A.AddEqDivision(); });
  Press(E, "b");
  EXPECT_TEXT(E->GetData(), Row("Simple(a)Division(EditArea(Simple(b))EditArea())"));
  Press(E, "Bksp");
  EXPECT_TEXT(E->GetData(), Row("Simple(a)Division(EditArea()EditArea())"));
  Press(E, "Bksp");
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
  Press(E, "Bksp");
  EXPECT_TEXT(E->GetData(), Row(""));
}

TEST_F(Modern, UndoOfADeletionBringsBackASelectionExactly) {
  Start(Row(Chars("abc")), "0:1");
  Press(E, "S-Right S-Right Bksp");
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("abc")));
  EXPECT_TEXT(CaretText(*E), "0:3");
  EXPECT_TEXT(E->Editing().SelectedData(), Row(Chars("bc")));
}

TEST_F(Modern, ShiftSelectsAcrossSlotsAsWholeTemplates) {
  Start(Fraction, "0/1.0:0");
  Press(E, "S-Right");
  EXPECT_TEXT(E->Editing().SelectedData(), Row("Simple(b)"));
  Press(E, "S-Right");  // the numerator's end: the fraction is taken whole
  EXPECT_TEXT(E->Editing().SelectedData(), Row("Division(EditArea(Simple(b))EditArea(Simple(c)))"));
  Press(E, "S-Home");
  EXPECT_TEXT(E->Editing().SelectedData(), Row("Simple(a)"));
  Start(Fraction, "0/1.0:1");
  Press(E, "S-Down");
  EXPECT_TEXT(E->Editing().SelectedData(), Row("Division(EditArea(Simple(b))EditArea(Simple(c)))"));
  Press(E, "Left");
  EXPECT_FALSE(E->Editing().HasSelection());
  EXPECT_EQ(Changes, 0);
}

TEST_F(Modern, RemoveStructureKeepsTheContentsInBothStyles) {
  for (const TInputStyle Style : {TInputStyles::Classic, TInputStyles::Modern}) {
    E->SetInputStyle(Style);
    Start(Fraction, "0/1.1:1");
    EXPECT_TRUE(MenuEntryEnabled("RemoveStructure"));
    QTest::keyClick(E, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TEXT(E->GetData(), Row(Chars("abc")));
    EXPECT_TEXT(CaretText(*E), "0:3");
    EXPECT_EQ(Changes, 1);
    // A selection: every template in it.
    const auto Inner = [](const QString& Line) { return Line.mid(9, Line.size() - 10); };
    Start(Row("Simple(a)" + Inner(Fraction) + Inner(Sum)), "0:4");
    Press(E, "S-Home");
    QTest::keyClick(E, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TEXT(E->GetData(), Row(Chars("aabc1nk")));
    EXPECT_TEXT(CaretText(*E), "0:7");
    // Nothing around the caret: nothing happens.
    Start(Row("Simple(a)"), "0:1");
    EXPECT_FALSE(MenuEntryEnabled("RemoveStructure"));
    EXPECT_FALSE(E->Editing().RemoveStructure());
    EXPECT_EQ(Changes, 0);
  }
}

TEST_F(Modern, EnterStopsAtTheLinesAFormulaCanBeReadBackWith) {
  for (const TInputStyle Style : {TInputStyles::Classic, TInputStyles::Modern}) {
    E->SetInputStyle(Style);
    E->SetData(Row("Simple(a)").repeated(MaxLines));
    Changes = 0;
    Press(E, "Enter");
    EXPECT_EQ(E->LineCount(), MaxLines);
    EXPECT_EQ(Changes, 0);
  }
}

TEST_F(Modern, APasteLeavesTheCaretAfterWhatWasPasted) {
  Start(Fraction, "0:1");
  Press(E, "S-Right");
  Ctrl(E, Qt::Key_C);
  Press(E, "End");
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Simple(a)Division(EditArea(Simple(b))EditArea(Simple(c)))"
                                "Division(EditArea(Simple(b))EditArea(Simple(c)))"));
  EXPECT_TEXT(CaretText(*E), "0:3");
}

TEST_F(Modern, AnInsertedTemplateTakesTheCaretInItsFirstSlotInReadingOrder) {
  E->Editing().InsertElement([](TEditArea& A) { A.AddEqSumma({goLimitTop, goLimitBottom}); });
  EXPECT_TEXT(CaretText(*E), "0/0.1:0");  // the lower limit
  E->SetData(Row(""));
  E->Editing().InsertElement([](TEditArea& A) { A.AddEqMatrix(kmSquare, 4); });
  EXPECT_TEXT(CaretText(*E), "0/0.0:0");
  E->SetData(Row(""));
  E->Editing().InsertElement([](TEditArea& A) { A.AddEqRoot(true); });
  EXPECT_TEXT(CaretText(*E), "0/0.1:0");  // the degree
}

TEST_F(Modern, AReadingLeavesTheCaretAtTheEndOfTheLastLine) {
  E->setProperty("Data", Row("Simple(b)IndexTop(EditArea(Simple(2)))") + Row("Simple(c)Simple(d)"));
  EXPECT_TEXT(CaretText(*E), "1:2");
  E->setProperty("LaTeX", QStringLiteral("b^{2}"));
  EXPECT_TEXT(CaretText(*E), "0:2");
  Press(E, "Q");
  EXPECT_TEXT(E->GetData(), Row("Simple(b)IndexTop(EditArea(Simple(2)))Simple(Q)"));
}

TEST_F(Modern, AClickPutsTheCaretAtTheNearestInsertionPoint) {
  E->show();
  E->SetData(Row(Chars("abcd")) + Row(Chars("x")));
  Changes = 0;
  TEditArea* First = Line(0);
  const QPoint Between = First->HostPosition() + QPoint(First->Item(2)->Left() + 1, First->Height() / 2);
  QTest::mouseClick(E, Qt::LeftButton, {}, E->WidgetRect(QRect(Between, QSize(1, 1))).topLeft());
  EXPECT_TEXT(CaretText(*E), "0:2");
  const QPoint Right = First->HostPosition() + QPoint(First->Width() + 200, First->Height() / 2);
  QTest::mouseClick(E, Qt::LeftButton, {}, E->WidgetRect(QRect(Right, QSize(1, 1))).topLeft());
  EXPECT_TEXT(CaretText(*E), "0:4");
  EXPECT_EQ(Changes, 0);
}

TEST_F(Modern, TheEditorIsATabStopAndShowsItsCaretOnlyWithTheFocus) {
  EXPECT_EQ(E->focusPolicy(), Qt::StrongFocus);
  E->SetInputStyle(TInputStyles::Classic);
  EXPECT_EQ(E->focusPolicy(), Qt::ClickFocus);
  EXPECT_TRUE(E->ShowsCaret());  // Classic: whatever the focus
  E->SetInputStyle(TInputStyles::Modern);
  EXPECT_FALSE(E->ShowsCaret());
  QWidget Host;
  auto* Before = new QLineEdit(&Host);
  E->setParent(&Host);
  Host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Host));
  Before->setFocus();
  QTest::keyClick(Before, Qt::Key_Tab);
  EXPECT_TRUE(E->hasFocus());
  EXPECT_TRUE(E->ShowsCaret());
  E->setParent(nullptr);
}
}  // namespace
