// The editor as assistive technology sees it in process: roles, names, the spoken formula
// in three languages, the structure under the editor and the text cursor.

#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "accessibility/AccessibleSupport.h"
#include "model/EditArea.h"

using enum TLanguages::TLanguage;

TEST(AccessibleEditor, IsAnEditableTextNamedByTheHostOrByItsLanguage) {
  AccessibleEditor F;
  QAccessibleInterface* I = F.Interface();
  ASSERT_NE(I, nullptr);
  EXPECT_EQ(I->role(), QAccessible::EditableText);
  EXPECT_TRUE(I->state().editable);
  EXPECT_NE(I->textInterface(), nullptr);
  const std::pair<TLanguage, const char*> Names[] = {
      {lEnglish, "Formula"}, {lRussian, "Формула"}, {lDeutsche, "Formel"}};
  for (const auto& [Language, Name] : Names) {
    F.Editor->SetLanguage(Language);
    EXPECT_EQ(I->text(QAccessible::Name), QString::fromUtf8(Name));
  }
  F.Editor->setAccessibleName(QStringLiteral("Answer to question 3"));
  EXPECT_EQ(I->text(QAccessible::Name), QStringLiteral("Answer to question 3"));
  F.Editor->setProperty("Language", 7);
  EXPECT_EQ(F.Editor->Language(), lDeutsche);
}

TEST(AccessibleEditor, SpeaksEveryElementKindInThreeLanguages) {
  AccessibleEditor F;
  struct TCase {
    QString Data;
    const char* English;
    const char* German;
    const char* Russian;
  };
  const QString Integral = QStringLiteral("IntLimitBottomTopOne(") + Slot(X + "Simple(d)" + X) +
                           Slot("Simple(0)") + Slot("ExtSymbol(8734)") + ")";
  const TCase Cases[] = {
      {Line(Integral), "the integral from 0 to infinity of x d x",
       "Integral von 0 bis unendlich über x d x", "интеграл от 0 до бесконечность от x d x"},
      {Line("Simple(1)Simple(2)Simple(+)Simple(y)Simple(=)ExtSymbol(945)"),
       "12 plus y equals greek small letter alpha",
       "12 plus y gleich Griechischer Kleinbuchstabe Alpha", "12 плюс y равно альфа(строчная)"},
      {Line("Division(" + Slot(X) + Slot("") + ")"), "the fraction x over empty end fraction",
       "Bruch x durch leer Ende Bruch", "дробь x делённое на пусто конец дроби"},
      {Line("SumLimitBottom(" + Slot(X) + Slot("Simple(i)") + ")"), "the sum over i of x",
       "Summe über i von x", "сумма по i от x"},
      {Line("MultiplyIndexBottomTop(" + Slot(X) + Slot("Simple(i)") + Slot("Simple(n)") + ")"),
       "the product from i to n of x", "Produkt von i bis n über x", "произведение от i до n от x"},
      {Line("IntTwoRing(" + Slot(X) + ")CoMult(" + Slot(X) + ")"),
       "the surface integral of x the coproduct of x",
       "Oberflächenintegral über x Koprodukt über x",
       "поверхностный интеграл от x копроизведение от x"},
      {Line("Intersection(" + Slot(X) + ")Join(" + Slot(X) + ")"),
       "the intersection of x the union of x", "Durchschnitt über x Vereinigung über x",
       "пересечение от x объединение от x"},
      {Line(X + "IndexTop(" + Slot("Simple(2)") + ")"), "x to the power 2", "x hoch 2",
       "x в степени 2"},
      {Line(X + "IndexTopBottom(" + Slot("Simple(j)") + Slot("Simple(2)") + ")"),
       "x sub j to the power 2", "x Index j hoch 2", "x с индексом j в степени 2"},
      {Line("BracketsRound(" + Slot(X) + ")BracketsModule(" + Slot(X) + ")"),
       "open paren x close paren the absolute value of x", "Klammer auf x Klammer zu Betrag von x",
       "открывающая скобка x закрывающая скобка модуль x"},
      {Line("ArrowkaRightaeTop(" + Slot("Simple(f)") + ")"), "right arrow with f above",
       "Pfeil nach rechts, darüber f", "стрелка вправо, сверху f"},
      {Line("VectorkaDoubleaeBottom(" + Slot("Simple(A)Simple(B)") + ")"),
       "A B with double bar above", "A B, darüber Doppelstrich", "A B, сверху двойная черта"},
      {Line("MatrixkmSquare(" + Slot("Simple(1)") + Slot("Simple(2)") + Slot("Simple(3)") +
            Slot("") + ")"),
       "matrix 2 by 2, row 1: 1, 2; row 2: 3, empty, end matrix",
       "Matrix 2 mal 2, Zeile 1: 1, 2; Zeile 2: 3, leer, Ende Matrix",
       "матрица 2 на 2, строка 1: 1, 2; строка 2: 3, пусто, конец матрицы"},
      {Line(X) + Line(""), "x; empty", "x; leer", "x; пусто"},
      // The newer kinds are named by their palette button, their slots read in turn.
      {Line("BracketsBraKet(" + Slot(X) + Slot("Simple(y)") + ")"), "vertical bar in angle brackets, x, y",
       "In der Quantenphysik verwendete Klammern, x, y", "вертикальная скобка в угловых скобках, x, y"},
      // A fence no button names says its delimiters around and between its parts.
      {Line("FenceFigureOpenModuleFigureClose(" + Slot(X) + Slot("Simple(y)") + Slot("Simple(z)") + ")"),
       "open brace x vertical bar y vertical bar z close brace",
       "geschweifte Klammer auf x senkrechter Strich y senkrechter Strich z geschweifte Klammer zu",
       "открывающая фигурная скобка x вертикальная черта y вертикальная черта z закрывающая фигурная скобка"},
      {Line("OperatorLimitBottomTop(" + Slot(X) + Slot("Simple(i)") + Slot("Simple(n)") + ")"),
       "index over and under an operator, x, i, n", "Index over and under an operator, x, i, n",
       "индекс над и под оператором, x, i, n"},
      {Line("BracketsRevSquareSquare(" + Slot(X) + ")"), "brackets for intervals, close bracket x close bracket",
       "Klammern zur Darstellung verschiedener Intervalle, eckige Klammer zu x eckige Klammer zu",
       "скобки, обозначающие тип интервала, закрывающая квадратная скобка x закрывающая квадратная скобка"},
      {Line("IndexLeftTop(" + Slot("Simple(2)") + ")" + X), "left superscript, 2 x", "Left superscript, 2 x",
       "верхний индекс слева, 2 x"},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(F.Spoken(C.Data, lEnglish), QString::fromUtf8(C.English)) << C.Data.toStdString();
    EXPECT_EQ(F.Spoken(C.Data, lDeutsche), QString::fromUtf8(C.German)) << C.Data.toStdString();
    EXPECT_EQ(F.Spoken(C.Data, lRussian), QString::fromUtf8(C.Russian)) << C.Data.toStdString();
  }
}

TEST(AccessibleEditor, SpeaksRootsLongDivisionAndAccentsInThreeLanguages) {
  AccessibleEditor F;
  struct TCase {
    QString Data;
    const char* English;
    const char* German;
    const char* Russian;
  };
  const TCase Cases[] = {
      {Line("Root(" + Slot(X) + ")"), "the square root of x end root", "Quadratwurzel aus x Ende Wurzel",
       "квадратный корень из x конец корня"},
      {Line("RootDegree(" + Slot(X) + Slot("Simple(3)") + ")"), "the root of degree 3 of x end root",
       "Wurzel vom Grad 3 aus x Ende Wurzel", "корень степени 3 из x конец корня"},
      {Line("LongDivisionQuotient(" + Slot("Simple(6)") + Slot("Simple(2)") + Slot("Simple(3)") + ")"),
       "long division of 6 by 2, quotient 3", "schriftliche Division 6 durch 2, Ergebnis 3",
       "деление уголком 6 на 2, частное 3"},
      {Line("DivisionSlash(" + Slot("Simple(1)") + Slot("Simple(2)") + ")"), "the fraction 1 over 2 end fraction",
       "Bruch 1 durch 2 Ende Bruch", "дробь 1 делённое на 2 конец дроби"},
      {Line("Binomial(" + Slot("Simple(n)") + Slot("Simple(k)") + ")"), "the binomial coefficient n choose k end binomial",
       "Binomialkoeffizient n über k Ende Binomialkoeffizient",
       "биномиальный коэффициент из n по k конец коэффициента"},
      // Text is said as its words.
      {Line("Text(" + Slot("Simple(i)Simple(f)Simple(#32)Simple(n)") + ")" + X), "text if n end text x",
       "Text if n Ende Text x", "текст if n конец текста x"},
      // The accent is named by its button, German by the English words.
      {Line("AccentTilde(" + Slot(X) + ")"), "x with tilde above", "x, darüber Tilde", "x, сверху тильда"},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(F.Spoken(C.Data, lEnglish), QString::fromUtf8(C.English)) << C.Data.toStdString();
    EXPECT_EQ(F.Spoken(C.Data, lDeutsche), QString::fromUtf8(C.German)) << C.Data.toStdString();
    EXPECT_EQ(F.Spoken(C.Data, lRussian), QString::fromUtf8(C.Russian)) << C.Data.toStdString();
  }
}

TEST(AccessibleEditor, EveryTemplateOfTheFixtureIsSpokenWithAllItsSlots) {
  AccessibleEditor F;
  QFile File(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt"));
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  for (TLanguage Language : {lEnglish, lDeutsche, lRussian}) {
    const QString Spoken = F.Spoken(QString::fromUtf8(File.readAll()), Language);
    File.seek(0);
    EXPECT_FALSE(Spoken.contains(QStringLiteral("EditArea")));
    // Every slot and character has a node, and every node a name and words.
    std::function<int(QAccessibleInterface*)> Count = [&](QAccessibleInterface* I) {
      int N = 1;
      EXPECT_FALSE(I->text(QAccessible::Name).isEmpty());
      EXPECT_FALSE(I->text(QAccessible::Value).isEmpty());
      for (int C = 0; C < I->childCount(); ++C) N += Count(I->child(C));
      return N;
    };
    int Nodes = 0;
    for (int L = 0; L < F.Interface()->childCount(); ++L) Nodes += Count(F.Interface()->child(L));
    EXPECT_GT(Nodes, 300);
  }
}

TEST(AccessibleEditor, TemplatesAndSlotsAreNamedChildrenWithTheirWordsAsValue) {
  AccessibleEditor F;
  F.Spoken(Line("Division(" + Slot(X) + Slot("Simple(2)") + ")Simple(+)MatrixkmSquare(" +
                Slot("Simple(a)") + Slot("Simple(b)") + Slot("") + Slot("") + ")"),
           lEnglish);
  ASSERT_EQ(F.Interface()->childCount(), 1);
  QAccessibleInterface* Line1 = F.Node({0});
  EXPECT_EQ(Line1->text(QAccessible::Name), QStringLiteral("line 1"));
  // The caret is no child: three elements, three children.
  ASSERT_EQ(Line1->childCount(), 3);
  QAccessibleInterface* Fraction = F.Node({0, 0});
  EXPECT_EQ(Fraction->role(), QAccessible::Grouping);
  EXPECT_EQ(Fraction->text(QAccessible::Name), QStringLiteral("fraction"));
  EXPECT_EQ(Fraction->text(QAccessible::Value),
            QStringLiteral("the fraction x over 2 end fraction"));
  EXPECT_EQ(F.Node({0, 0, 0})->text(QAccessible::Name), QStringLiteral("numerator"));
  EXPECT_EQ(F.Node({0, 0, 1})->text(QAccessible::Name), QStringLiteral("denominator"));
  EXPECT_EQ(F.Node({0, 0, 1})->text(QAccessible::Value), QStringLiteral("2"));
  QAccessibleInterface* Plus = F.Node({0, 1});
  EXPECT_EQ(Plus->role(), QAccessible::StaticText);
  EXPECT_EQ(Plus->text(QAccessible::Name), QStringLiteral("plus"));
  EXPECT_EQ(F.Node({0, 2})->text(QAccessible::Name), QStringLiteral("matrix 2 by 2"));
  EXPECT_EQ(F.Node({0, 2, 1})->text(QAccessible::Name), QStringLiteral("matrix 2 by 2, cell 1 2"));
  EXPECT_EQ(F.Node({0, 2, 1})->text(QAccessible::Value), QStringLiteral("b"));
  // Navigation both ways, and one interface a node.
  EXPECT_EQ(F.Node({0, 0, 1})->parent(), Fraction);
  EXPECT_EQ(Fraction->indexOfChild(F.Node({0, 0, 1})), 1);
  EXPECT_EQ(Fraction->parent()->parent(), F.Interface());
  EXPECT_EQ(F.Interface()->indexOfChild(Line1), 0);
}

TEST(AccessibleEditor, NodeRectanglesNestAndPointsFindTheInnermostNode) {
  AccessibleEditor F;
  F.Spoken(Line(X + "Division(" + Slot(X) + Slot("Simple(2)") + ")"), lEnglish);
  const QRect Editor = F.Interface()->rect();
  QAccessibleInterface* Fraction = F.Node({0, 1});
  QAccessibleInterface* Denominator = F.Node({0, 1, 1});
  EXPECT_TRUE(Editor.contains(F.Node({0})->rect()));
  EXPECT_TRUE(F.Node({0})->rect().contains(Fraction->rect()));
  EXPECT_TRUE(Fraction->rect().contains(Denominator->rect()));
  // The slot's rectangle is where the editor paints it and finds it under the pointer.
  TEditArea* Area = SlotOf(F.Line(0), 1, 1);
  EXPECT_EQ(Denominator->rect(), QRect(F.Editor->mapToGlobal(Area->HostPosition()),
                                       QSize(Area->Width(), Area->Height())));
  const QPoint Centre = Denominator->rect().center();
  EXPECT_EQ(Fraction->childAt(Centre.x(), Centre.y()), Denominator);
  EXPECT_EQ(F.Interface()->childAt(Centre.x(), Centre.y()), F.Node({0}));
  // The text's geometry: "2" is the denominator's character.
  const int Two = F.Text()->text(0, -1).lastIndexOf(u'2');
  EXPECT_EQ(F.Text()->characterRect(Two), F.Node({0, 1, 1, 0})->rect());
  EXPECT_EQ(F.Text()->offsetAtPoint(F.Node({0, 1, 1, 0})->rect().center()), Two);
}

TEST(AccessibleEditor, TheTextCursorFollowsTheCaretAndMovesIt) {
  AccessibleEditor F;
  F.Spoken(Line("Simple(a)Division(" + Slot(X) + Slot("Simple(y)") + ")"), lEnglish);
  QAccessibleTextInterface* T = F.Text();
  const QString Text = T->text(0, -1);
  ASSERT_EQ(Text, QStringLiteral("a the fraction x over y end fraction"));
  TEditArea* Line1 = F.Line(0);
  Line1->SetActive(true);
  Line1->SetEquationIndex(0);
  EXPECT_EQ(T->cursorPosition(), 0);
  Line1->SetEquationIndex(1);
  EXPECT_EQ(T->cursorPosition(), 2);
  Line1->SetEquationIndex(2);
  EXPECT_EQ(T->cursorPosition(), Text.size());
  TEditArea* Denominator = SlotOf(Line1, 1, 1);
  Denominator->SetActive(true);
  Denominator->SetEquationIndex(1);
  EXPECT_EQ(T->cursorPosition(), Text.indexOf(QStringLiteral("y")) + 1);
  // Placing the cursor on a word puts the caret at the position spoken at or before it.
  T->setCursorPosition(Text.indexOf(QStringLiteral("x")));
  EXPECT_EQ(F.Active(), SlotOf(Line1, 1, 0));
  EXPECT_EQ(F.Active()->EquationIndex(), 0);
  T->setCursorPosition(Text.indexOf(QStringLiteral("over")));
  EXPECT_EQ(F.Active(), SlotOf(Line1, 1, 0));
  EXPECT_EQ(F.Active()->EquationIndex(), 1);
}

TEST(AccessibleEditor, NodesThatLeaveTheTreeTurnInvalidAndStaySafe) {
  AccessibleEditor F;
  F.Spoken(Line("Division(" + Slot(X) + Slot("Simple(2)") + ")"), lEnglish);
  QAccessibleInterface* Numerator = F.Node({0, 0, 0});
  const QAccessible::Id Id = QAccessible::uniqueId(Numerator);
  ASSERT_TRUE(Numerator->isValid());
  F.Line(0)->DelEquation(0);
  EXPECT_FALSE(Numerator->isValid());
  EXPECT_EQ(Numerator->childCount(), 0);
  EXPECT_EQ(Numerator->parent(), nullptr);
  EXPECT_TRUE(Numerator->text(QAccessible::Name).isEmpty());
  EXPECT_NE(QAccessible::accessibleInterface(Id), nullptr);
  // A text without lines frees every node without a change notification.
  QAccessibleInterface* Line1 = F.Node({0});
  F.Editor->SetData(QStringLiteral("no lines"));
  ASSERT_EQ(F.Editor->LineCount(), 0);
  EXPECT_FALSE(Line1->isValid());
  EXPECT_EQ(F.Interface()->childCount(), 0);
  EXPECT_EQ(F.Text()->characterCount(), 0);
  EXPECT_EQ(F.Text()->cursorPosition(), 0);
  // Characters no text may carry are spoken by their code.
  F.Editor->SetData(Line("Simple(#0)ExtSymbol(55296)"));
  EXPECT_EQ(F.Interface()->text(QAccessible::Value), QStringLiteral("U+0000 U+D800"));
}
