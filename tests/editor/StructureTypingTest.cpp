// Typing that builds the formula in the Modern input style: structure keys, digraph and
// word shortcuts, taking a conversion back, and the command line on "\".

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "EditingSupport.h"
#include "editor/SlotNavigation.h"

using enum TLanguages::TLanguage;

namespace {
const QString Empty2 = QStringLiteral("EditArea()EditArea()");

struct TTypedRow {
  const char* Typed;
  QString Data;
};

struct Typing : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  void SetUp() override {
    E->SetInputStyle(TInputStyles::Modern);
    E->resize(800, 300);
  }
  void Type(const char* Text) { QTest::keyClicks(E, QString::fromUtf8(Text)); }
  // Each row typed into an empty editor, in both typesetting styles.
  template <std::size_t N>
  void ExpectTyped(const TTypedRow (&Rows)[N]) {
    for (const TTypesetting Style : {TTypesettings::Classic, TTypesettings::Math}) {
      E->SetTypesetting(Style);
      for (const TTypedRow& R : Rows) {
        SCOPED_TRACE(std::string(R.Typed) + (Style == TTypesettings::Math ? " (Math)" : ""));
        E->SetData(Row(""));
        Type(R.Typed);
        EXPECT_TEXT(E->GetData(), R.Data);
      }
    }
    E->SetTypesetting(TTypesettings::Classic);
  }
  // The active area's Data run, to tell where the caret went.
  QString CaretRun() const { return Active()->GetData(); }
};

TEST_F(Typing, StructureKeysBuildFractionsAndScripts) {
  const TTypedRow Rows[] = {
      {"a/b", Row("Division(EditArea(Simple(a))EditArea(Simple(b)))")},
      {"(a+b)/2", Row("Division(EditArea(Simple(a)Simple(+)Simple(b))EditArea(Simple(2)))")},
      {"x+1/2", Row("Simple(x)Simple(+)Division(EditArea(Simple(1))EditArea(Simple(2)))")},
      {"/2", Row("Division(EditArea()EditArea(Simple(2)))")},
      {"f(x)/2", Row("Division(EditArea(Simple(f)Simple(#40)Simple(x)Simple(#41))EditArea(Simple(2)))")},
      {"x^2_i", Row("Simple(x)IndexTopBottom(EditArea(Simple(i))EditArea(Simple(2)))")},
      {"x_i^2", Row("Simple(x)IndexTopBottom(EditArea(Simple(i))EditArea(Simple(2)))")},
      {"b^2-4", Row("Simple(b)IndexTop(EditArea(Simple(2)))Simple(-)Simple(4)")},
      {"x_i=1", Row("Simple(x)IndexBottom(EditArea(Simple(i)))Simple(=)Simple(1)")},
      {"e^-x^2", Row("Simple(e)IndexTop(EditArea(Simple(-)Simple(x)IndexTop(EditArea(Simple(2)))))")},
      {"a(b", Row("Simple(a)Simple(#40)Simple(b)")},
  };
  ExpectTyped(Rows);
}

TEST_F(Typing, TheCaretGoesToTheDenominatorAndAScriptIsLeftByRight) {
  Type("a/");
  EXPECT_TEXT(CaretRun(), "");
  EXPECT_EQ(Active(), SlotOf(Line(0), 0, 1));
  E->SetData(Row(""));
  Type("x^2");
  Key(E, Qt::Key_Right);
  Type("y");
  EXPECT_TEXT(E->GetData(), Row("Simple(x)IndexTop(EditArea(Simple(2)))Simple(y)"));
}

TEST_F(Typing, ASelectionGoesIntoTheStructureTyped) {
  for (const auto& [Typed, Data] :
       {std::pair{"/", Row("Division(EditArea(Simple(a)Simple(b))EditArea())")},
        {"^", Row("IndexTop(EditArea(Simple(a)Simple(b)))")},
        {"(", Row("BracketsRound(EditArea(Simple(a)Simple(b)))")},
        {"|", Row("BracketsModule(EditArea(Simple(a)Simple(b)))")}}) {
    SCOPED_TRACE(Typed);
    E->SetData(Row(Chars("ab")));
    Key(E, Qt::Key_Home, Qt::ShiftModifier);
    Changes = 0;
    Type(Typed);
    EXPECT_TEXT(E->GetData(), Data);
    Ctrl(E, Qt::Key_Z);
    EXPECT_TEXT(E->GetData(), Row(Chars("ab")));
    EXPECT_TEXT(E->Editing().SelectedData(), Row(Chars("ab")));
  }
}

TEST_F(Typing, ShiftPressedAloneBreaksNothing) {
  // A real keyboard sends Shift before "(", ">" and capitals.
  E->SetWordShortcuts(true);
  const auto Shifted = [&](Qt::Key K, const char* Text) {
    QTest::sendKeyEvent(QTest::Press, E, Qt::Key_Shift, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, E, K, QString::fromLatin1(Text), Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Release, E, Qt::Key_Shift, QString(), Qt::ShiftModifier);
  };
  Type("sqrt");
  Shifted(Qt::Key_ParenLeft, "(");
  Type("x");
  Shifted(Qt::Key_ParenRight, ")");
  Type("<-");
  Shifted(Qt::Key_Greater, ">");
  EXPECT_TEXT(E->GetData(), Row("Root(EditArea(Simple(x)))ExtSymbol(8596)"));
}

TEST_F(Typing, TheSameCharacterFromAnotherKeyDoesTheSame) {
  // German layouts put "/" on Shift+7 and "^" on a dead key: only the text counts.
  Type("a");
  QTest::sendKeyEvent(QTest::Click, E, Qt::Key_7, QStringLiteral("/"), Qt::ShiftModifier);
  Type("b");
  EXPECT_TEXT(E->GetData(), Row("Division(EditArea(Simple(a))EditArea(Simple(b)))"));
  E->SetData(Row(""));
  Type("a");
  QTest::sendKeyEvent(QTest::Click, E, Qt::Key_Period, QStringLiteral("."), Qt::NoModifier);  // a Turkish full stop
  EXPECT_TEXT(E->GetData(), Row("Simple(a)Simple(.)"));
}

TEST_F(Typing, DigraphsTurnIntoThePalettesSigns) {
  const TTypedRow Rows[] = {
      {"a->b", Row("Simple(a)ExtSymbol(8594)Simple(b)")}, {"a<=b", Row("Simple(a)ExtSymbol(8804)Simple(b)")},
      {"a>=b", Row("Simple(a)ExtSymbol(8805)Simple(b)")}, {"a!=b", Row("Simple(a)ExtSymbol(8800)Simple(b)")},
      {"a+-b", Row("Simple(a)ExtSymbol(177)Simple(b)")},  {"a<->b", Row("Simple(a)ExtSymbol(8596)Simple(b)")},
      {"a<-b", Row("Simple(a)ExtSymbol(8592)Simple(b)")}, {"a=>b", Row("Simple(a)ExtSymbol(8658)Simple(b)")},
      {"a~~b", Row("Simple(a)ExtSymbol(8776)Simple(b)")},
  };
  ExpectTyped(Rows);
  // "<-" may still become "<->": it waits for the next key or a pause.
  E->SetData(Row(""));
  Type("<-");
  EXPECT_TEXT(E->GetData(), Row("Simple(<)Simple(-)"));
  QTest::qWait(900);
  EXPECT_TEXT(E->GetData(), Row("ExtSymbol(8592)"));
}

TEST_F(Typing, BackspaceOrUndoRightAfterAConversionTakesItBack) {
  for (const Qt::Key TakeBack : {Qt::Key_Backspace, Qt::Key_Z}) {
    for (const auto& [Typed, Before] : {std::pair{"a->", Row("Simple(a)Simple(-)Simple(>)")},
                                        {"a/", Row("Simple(a)Simple(/)")},
                                        {"x^", Row("Simple(x)Simple(^)")}}) {
      SCOPED_TRACE(Typed);
      E->SetData(Row(""));
      Type(Typed);
      EXPECT_NE(E->GetData(), Before);
      if (TakeBack == Qt::Key_Z)
        Ctrl(E, Qt::Key_Z);
      else
        Key(E, Qt::Key_Backspace);
      EXPECT_TEXT(E->GetData(), Before);
      EXPECT_EQ(Active(), Line(0));
      EXPECT_EQ(Active()->EquationIndex(), Active()->Count());
      Key(E, Qt::Key_Backspace);  // then a character goes
      EXPECT_EQ(Active()->Count(), static_cast<int>(strlen(Typed)) - 1);
    }
  }
  // Anything in between and Backspace deletes as usual.
  E->SetData(Row(""));
  Type("a->b");
  Key(E, Qt::Key_Backspace);
  EXPECT_TEXT(E->GetData(), Row("Simple(a)ExtSymbol(8594)"));
}

TEST_F(Typing, WordShortcutsAreOffUnlessAsked) {
  Type("alpha");
  EXPECT_TEXT(E->GetData(), Row(Chars("alpha")));
}

TEST_F(Typing, WordsFireOnlyAsTheWholeRunOfLetters) {
  E->SetWordShortcuts(true);
  const TTypedRow Rows[] = {
      {"alpha", Row("ExtSymbol(945)")},
      {"Omega", Row("ExtSymbol(937)")},
      {"2pi+1", Row("Simple(2)ExtSymbol(960)Simple(+)Simple(1)")},
      {"pix", Row(Chars("pix"))},
      {"sint", Row(Chars("sint"))},
      {"xin", Row(Chars("xin"))},
      {"using", Row(Chars("using"))},
      {"sin", Row(Chars("sin"))},
      {"a times b", Row("Simple(a)ExtSymbol(215)Simple(b)")},
      {"oo+", Row("ExtSymbol(8734)Simple(+)")},
      {"infty", Row("ExtSymbol(8734)")},
      {"int", Row("IntLimitBottomTopOne(" + Empty2 + "EditArea())")},
      {"sqrt(b^2-4ac)+1",
       Row("Root(EditArea(Simple(b)IndexTop(EditArea(Simple(2)))Simple(-)Simple(4)Simple(a)Simple(c)))Simple(+)"
           "Simple(1)")},
      {"lim", Row("OperatorLimitBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea())")},
  };
  ExpectTyped(Rows);
  // "in" may go on into "int" or "infty": a key that is no letter converts it first.
  E->SetData(Row(""));
  Type("x in");
  EXPECT_TEXT(E->GetData(), Row(Chars("xin")));
  Type("A");
  EXPECT_TEXT(E->GetData(), Row(Chars("xinA")));
  E->SetData(Row(""));
  Type("x in,");
  EXPECT_TEXT(E->GetData(), Row("Simple(x)ExtSymbol(8712)Simple(,)"));
  Key(E, Qt::Key_Backspace);  // the comma; the conversion is no longer just made
  Key(E, Qt::Key_Backspace);
  EXPECT_TEXT(E->GetData(), Row("Simple(x)"));
}

// Ten everyday formulas and every key they take (Right as "@", Enter as a line break in
// the sequences).
TEST_F(Typing, EverydayFormulasTakeTheseKeys) {
  E->SetWordShortcuts(true);
  const QString Sq = QStringLiteral("IndexTop(EditArea(Simple(2)))");
  const struct {
    const char* Keys;
    int Count;
    QString Data;
  } Rows[] = {
      {"a/b", 3, Row("Division(EditArea(Simple(a))EditArea(Simple(b)))")},
      {"x^2+y^2=z^2", 11, Row("Simple(x)" + Sq + "Simple(+)Simple(y)" + Sq + "Simple(=)Simple(z)" + Sq)},
      {"(a+b)/2", 7, Row("Division(EditArea(Simple(a)Simple(+)Simple(b))EditArea(Simple(2)))")},
      {"sqrt(b^2-4ac)", 13, Row("Root(EditArea(Simple(b)" + Sq + "Simple(-)Simple(4)Simple(a)Simple(c)))")},
      {"x=(-b+-sqrt(b^2-4ac))/2a", 24,
       Row("Simple(x)Simple(=)Division(EditArea(Simple(-)Simple(b)ExtSymbol(177)Root(EditArea(Simple(b)" + Sq +
           "Simple(-)Simple(4)Simple(a)Simple(c))))EditArea(Simple(2)Simple(a)))")},
      {"sumk=1@n@k^2", 12,
       Row("SumLimitBottomTop(EditArea(Simple(k)" + Sq + ")EditArea(Simple(k)Simple(=)Simple(1))EditArea(Simple(n)))")},
      {"int0@oo@e^-x^2@@dx", 18,
       Row("IntLimitBottomTopOne(EditArea(Simple(e)IndexTop(EditArea(Simple(-)Simple(x)" + Sq +
           "))Simple(d)Simple(x))EditArea(Simple(0))EditArea(ExtSymbol(8734)))")},
      {"alpha+beta", 10, Row("ExtSymbol(945)Simple(+)ExtSymbol(946)")},
      {"x->0", 4, Row("Simple(x)ExtSymbol(8594)Simple(0)")},
      {"\\pmat\n1@2@3@4", 13,
       Row("BracketsRound(EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))"
           "EditArea(Simple(4)))))")},
  };
  for (const auto& R : Rows) {
    SCOPED_TRACE(R.Keys);
    E->SetData(Row(""));
    const QString Keys = QString::fromUtf8(R.Keys);
    for (const QChar C : Keys) {
      if (C == u'@')
        Key(E, Qt::Key_Right);
      else if (C == u'\n')
        Key(E, Qt::Key_Return);
      else
        QTest::keyClicks(E, QString(C));
    }
    EXPECT_EQ(Keys.size(), R.Count);
    EXPECT_TEXT(E->GetData(), R.Data);
  }
}

TEST_F(Typing, ClassicTypesEveryCharacterAsItIs) {
  E->SetInputStyle(TInputStyles::Classic);
  E->SetWordShortcuts(true);
  Type("a/b^2->sqrt");
  EXPECT_TEXT(E->GetData(), Row(Chars("a/b^2->sqrt")));
}

TEST_F(Typing, TheCommandLineInsertsWhatTheLatexReaderMakes) {
  Type("\\frac ");
  EXPECT_TEXT(E->GetData(), Row("Division(" + Empty2 + ")"));
  EXPECT_EQ(Active(), SlotOf(Line(0), 0, 0));
  E->SetData(Row(""));
  Type("\\alpha");
  Key(E, Qt::Key_Tab);
  EXPECT_TEXT(E->GetData(), Row("ExtSymbol(945)"));
  E->SetData(Row(""));
  Type("\\sqrt(x)");  // a non-letter takes the command, and "(" opens its slot
  EXPECT_TEXT(E->GetData(), Row("Root(EditArea(Simple(x)))"));
  EXPECT_EQ(Active(), Line(0));
  E->SetData(Row(""));
  Type("\\pmat");
  Key(E, Qt::Key_Return);
  EXPECT_TEXT(E->GetData(), Row("BracketsRound(EditArea(MatrixkmSquare(" + Empty2 + Empty2 + ")))"));
  EXPECT_EQ(Active(), SlotOf(SlotOf(Line(0), 0, 0), 0, 0));  // the first cell
}

TEST_F(Typing, EscapeOrAClickLeavesTheCommandAsCharacters) {
  Type("\\ab");
  EXPECT_TEXT(E->GetData(), Row(""));
  Key(E, Qt::Key_Escape);
  EXPECT_TEXT(E->GetData(), Row("Simple(\\)Simple(a)Simple(b)"));
  E->show();
  Type("\\c");
  QTest::mouseClick(E, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TEXT(E->GetData(), Row("Simple(\\)Simple(a)Simple(b)Simple(\\)Simple(c)"));
  EXPECT_FALSE(E->Editing().Typing().CommandLine().IsOpen());
}

TEST_F(Typing, TheCommandLineCompletesPaletteDescriptionsInEachLanguage) {
  const struct {
    TLanguage Language;
    const char* Typed;
    const char* Chosen;  // the description to take
    const char* Expected;
  } Rows[] = {
      {lEnglish, "square", "Square root", "Root(EditArea())"},
      {lRussian, "квадр", "Квадратный корень", "Root(EditArea())"},
      {lDeutsche, "summen", "Summenbildung mit unter- und ubergestelltem Grenzwert", "SumLimitBottomTop"},
  };
  for (const auto& R : Rows) {
    SCOPED_TRACE(R.Typed);
    E->SetLanguage(R.Language);
    E->SetData(Row(""));
    Type("\\");
    for (const QChar C : QString::fromUtf8(R.Typed))
      QTest::sendKeyEvent(QTest::Click, E, Qt::Key_A, QString(C), Qt::NoModifier);
    const auto* List = E->findChild<QListWidget*>("CommandCompletion");
    ASSERT_NE(List, nullptr);
    EXPECT_TRUE(List->isVisibleTo(E));
    const auto Found = List->findItems(QString::fromUtf8(R.Chosen), Qt::MatchExactly);
    ASSERT_EQ(Found.size(), 1);
    for (int Row = List->row(Found.front()); Row > 0; --Row) Key(E, Qt::Key_Down);
    Key(E, Qt::Key_Return);
    EXPECT_TRUE(E->GetData().startsWith(Row(R.Expected).chopped(1))) << E->GetData().toStdString();
  }
}

TEST_F(Typing, UpAndDownChooseInTheCompletionList) {
  Type("\\su");
  const auto* List = E->findChild<QListWidget*>("CommandCompletion");
  ASSERT_NE(List, nullptr);
  ASSERT_GT(List->count(), 2);
  Key(E, Qt::Key_Down);
  const QString Second = List->currentItem()->text();
  EXPECT_EQ(List->currentRow(), 1);
  Key(E, Qt::Key_Up);
  EXPECT_EQ(List->currentRow(), 0);
  EXPECT_FALSE(Second.isEmpty());
}
}  // namespace

TEST_F(Typing, TextKeepsWhatIsTypedIntoIt) {
  for (const TTypesetting Style : {TTypesettings::Classic, TTypesettings::Math}) {
    E->SetTypesetting(Style);
    E->SetData(Row(""));
    Active()->AddEqText();
    Type("a/b->c^2_ialpha");
    EXPECT_TEXT(E->GetData(), Row("Text(EditArea(Simple(a)Simple(/)Simple(b)Simple(-)Simple(>)Simple(c)Simple(^)"
                                  "Simple(2)Simple(_)Simple(i)Simple(a)Simple(l)Simple(p)Simple(h)Simple(a)))"));
  }
}
