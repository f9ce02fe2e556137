// The Qt-style surface beside the original one: Zelk::Equation and Zelk::Palette through
// the headers a program includes, the lowercase properties over the same state and their
// change signals.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <ZelkEquations/Equation.h>
#include <ZelkEquations/Palette.h>
#include <memory>

#include "editor/Editing.h"
#include "model/TextForm.h"

// The language names stay out of the global scope, where a host may have names of its own.
[[maybe_unused]] constexpr int lEnglish = -1;

namespace {
const QString Fraction = "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))";

QString Elements(int Count) {
  QString Run;
  for (int I = 0; I < Count; ++I) Run += "Simple(x)";
  return "EditArea(" + Run + ")";
}

// Roots in roots, deeper than the reader takes.
QString TooDeep() {
  QString Inner = "Simple(x)";
  for (int I = 0; I <= MaxNestingDepth; ++I) Inner = "Root(EditArea(" + Inner + "))";
  return "EditArea(" + Inner + ")";
}
}  // namespace

TEST(QtNames, LowercasePropertiesAreTheOriginalOnesInQtNaming) {
  Zelk::Equation Editor;
  Editor.setData(Fraction);
  EXPECT_EQ(Editor.GetData(), Fraction);
  EXPECT_EQ(Editor.data(), Fraction);
  EXPECT_EQ(Editor.property("data").toString(), Fraction);
  EXPECT_EQ(Editor.latex(), Editor.GetLaTeX());
  EXPECT_EQ(Editor.mathML(), Editor.GetMathML());
  EXPECT_TRUE(Editor.setProperty("zoom", 150));
  EXPECT_EQ(Editor.Zoom(), 150);
  Editor.setTypesetting(Zelk::Typesetting::Math);
  EXPECT_EQ(Editor.Typesetting(), TTypesettings::Math);
  EXPECT_EQ(Editor.property("typesetting"), Editor.property("Typesetting"));
  Editor.setInputStyle(Zelk::InputStyle::Modern);
  EXPECT_EQ(Editor.inputStyle(), TInputStyles::Modern);
  Editor.setLanguage(Zelk::lDeutsche);
  EXPECT_EQ(Editor.Language(), TZelkEquation::lDeutsche);
  EXPECT_EQ(Editor.language(), Zelk::Language::lDeutsche);

  // Forms keep storing only the original names; Designer shows only them.
  const QMetaObject* Meta = Editor.metaObject();
  EXPECT_STREQ(Meta->className(), "TZelkEquation");
  for (const char* Name : {"data", "latex", "mathML", "plainLatex", "plainMathML", "typesetting", "inputStyle", "zoom",
                           "language"}) {
    const QMetaProperty Property = Meta->property(Meta->indexOfProperty(Name));
    ASSERT_TRUE(Property.isValid()) << Name;
    EXPECT_FALSE(Property.isDesignable()) << Name;
    EXPECT_FALSE(Property.isStored()) << Name;
    EXPECT_TRUE(Property.hasNotifySignal()) << Name;
  }
}

TEST(QtNames, DataChangedCarriesTheFormulaOnceAnAssignmentOrEditIsDone) {
  Zelk::Equation Editor;
  QSignalSpy Data(&Editor, &Zelk::Equation::dataChanged);
  QSignalSpy Latex(&Editor, &Zelk::Equation::latexChanged);
  int Steps = 0;
  QObject::connect(&Editor, &TZelkEquation::OnChange, [&] { ++Steps; });

  Editor.setData(Elements(300));
  EXPECT_GT(Steps, 300);  // OnChange at every element read
  ASSERT_EQ(Data.count(), 1);
  EXPECT_EQ(Data[0][0].toString(), Elements(300));
  ASSERT_EQ(Latex.count(), 1);
  EXPECT_EQ(Latex[0][0].toString(), Editor.latex());

  // The same formula again is no change.
  Editor.setData(Elements(300));
  EXPECT_EQ(Data.count(), 1);

  Editor.setData("EditArea()");
  QTest::keyClick(&Editor, Qt::Key_A);
  QTest::keyClick(&Editor, Qt::Key_B);
  ASSERT_EQ(Data.count(), 4);
  EXPECT_EQ(Data[3][0].toString(), "EditArea(Simple(a)Simple(b))");
  Editor.UndoStack()->undo();
  EXPECT_EQ(Data.last()[0].toString(), Editor.data());
  EXPECT_NE(Editor.data(), "EditArea(Simple(a)Simple(b))");
}

TEST(QtNames, AReceiverConnectedLaterHearsAChangeBackToAnEarlierFormula) {
  Zelk::Equation Editor;
  Editor.setData(Fraction);
  QSignalSpy Data(&Editor, &Zelk::Equation::dataChanged);
  Editor.setData("EditArea()");
  EXPECT_EQ(Data.count(), 1);
}

TEST(QtNames, AFaultyAssignmentNeitherThrowsNorHidesWhatWasRead) {
  Zelk::Equation Editor;
  QSignalSpy Data(&Editor, &Zelk::Equation::dataChanged);
  Editor.setData("EditArea(Simple(a)ExtSymbol(x))");
  EXPECT_FALSE(Editor.ReadError().isEmpty());
  ASSERT_EQ(Data.count(), 1);
  EXPECT_EQ(Data[0][0].toString(), Editor.data());
  EXPECT_EQ(Editor.data(), "EditArea(Simple(a))");

  // A LaTeX text the reader refuses keeps the formula: no change to announce.
  Editor.setLatex("\\begin{unknown}");
  EXPECT_FALSE(Editor.ReadError().isEmpty());
  EXPECT_EQ(Data.count(), 1);
  EXPECT_NO_THROW(Editor.setData(TooDeep()));
  EXPECT_EQ(Data.count(), 2);
}

TEST(QtNames, AReceiverThatAssignsDataMeanwhileLeavesTheNewerFormula) {
  Zelk::Equation Editor;
  int Calls = 0;
  QObject::connect(&Editor, &Zelk::Equation::dataChanged, [&](const QString& Now) {
    ++Calls;
    if (Now != Fraction) Editor.setData(Fraction);
  });
  Editor.setData(Elements(20));
  EXPECT_EQ(Editor.data(), Fraction);
  EXPECT_EQ(Calls, 2);
}

TEST(QtNames, SettersSignalTheNewValueOnlyWhenItChanges) {
  Zelk::Equation Editor;
  QSignalSpy Zoom(&Editor, &Zelk::Equation::zoomChanged);
  QSignalSpy Typesetting(&Editor, &Zelk::Equation::typesettingChanged);
  QSignalSpy Style(&Editor, &Zelk::Equation::inputStyleChanged);
  QSignalSpy Language(&Editor, &Zelk::Equation::languageChanged);
  Editor.setZoom(100);
  Editor.setZoom(5000);  // bounded to 800
  Editor.SetZoom(800);
  ASSERT_EQ(Zoom.count(), 1);
  EXPECT_EQ(Zoom[0][0].toInt(), 800);
  Editor.SetTypesetting(TTypesettings::Math);
  Editor.setTypesetting(Zelk::Typesetting::Math);
  Editor.setTypesetting(static_cast<Zelk::Typesetting>(7));
  ASSERT_EQ(Typesetting.count(), 1);
  EXPECT_EQ(Typesetting[0][0].value<Zelk::Typesetting>(), TTypesettings::Math);
  Editor.setInputStyle(Zelk::InputStyle::Classic);
  Editor.setInputStyle(Zelk::InputStyle::Modern);
  EXPECT_EQ(Style.count(), 1);
  Editor.setLanguage(Zelk::lRussian);  // the default
  Editor.setLanguage(static_cast<Zelk::Language>(9));
  Editor.setLanguage(Zelk::lEnglish);
  ASSERT_EQ(Language.count(), 1);
  EXPECT_EQ(Language[0][0].value<Zelk::Language>(), Zelk::lEnglish);
  // The long-line properties, each by its Qt-style name too.
  QSignalSpy Alignment(&Editor, &Zelk::Equation::lineAlignmentChanged);
  QSignalSpy Wrap(&Editor, &Zelk::Equation::wrapWidthChanged);
  QSignalSpy Break(&Editor, &Zelk::Equation::breakOperatorChanged);
  Editor.setLineAlignment(TLineAlignments::Left);  // the default
  Editor.setLineAlignment(TLineAlignments::Centre);
  Editor.setWrapWidth(0);
  Editor.setWrapWidth(-5);  // any negative width follows the editor's: -1
  Editor.SetWrapWidth(-1);
  Editor.setBreakOperator(TBreakOperators::Repeated);
  ASSERT_EQ(Alignment.count(), 1);
  EXPECT_EQ(Editor.property("lineAlignment").value<TLineAlignments::TLineAlignment>(), TLineAlignments::Centre);
  ASSERT_EQ(Wrap.count(), 1);
  EXPECT_EQ(Wrap[0][0].toInt(), -1);
  EXPECT_EQ(Break.count(), 1);
  EXPECT_EQ(Editor.breakOperator(), TBreakOperators::Repeated);
}

TEST(QtNames, InsertFormulaGoesInAtTheCaretAsOneUndoStep) {
  Zelk::Equation Editor;
  Editor.setData("EditArea(Simple(x)Simple(y))");
  Editor.Editing().MoveCaretTo(Editor.Line(0), 1);
  QSignalSpy Data(&Editor, &Zelk::Equation::dataChanged);
  EXPECT_TRUE(Editor.insertFormula("EditArea(Simple(+)ExtSymbol(8734))"));
  EXPECT_EQ(Editor.data(), "EditArea(Simple(x)Simple(+)ExtSymbol(8734)Simple(y))");
  EXPECT_EQ(Data.count(), 1);
  Editor.UndoStack()->undo();
  EXPECT_EQ(Editor.data(), "EditArea(Simple(x)Simple(y))");

  EXPECT_FALSE(Editor.insertFormula("EditArea(ExtSymbol(oops))"));
  EXPECT_FALSE(Editor.insertFormula(TooDeep()));
  EXPECT_TRUE(Editor.insertFormula("not a formula"));  // nothing in it to insert
}

TEST(QtNames, ThePaletteLinksAndSpeaksThroughItsQtNames) {
  Zelk::Palette Palette;
  QSignalSpy Linked(&Palette, &Zelk::Palette::equationChanged);
  QSignalSpy Language(&Palette, &Zelk::Palette::languageChanged);
  auto Editor = std::make_unique<Zelk::Equation>();
  Palette.setEquation(Editor.get());
  Palette.setEquation(Editor.get());
  EXPECT_EQ(Palette.Equation(), Editor.get());
  EXPECT_EQ(Palette.property("equation").value<TZelkEquation*>(), Editor.get());
  EXPECT_EQ(Linked.count(), 1);
  Palette.setLanguage(TSelectEquation::lDeutsche);
  EXPECT_EQ(Palette.Language(), Zelk::lDeutsche);
  EXPECT_EQ(Language.count(), 1);
  Editor.reset();
  EXPECT_EQ(Palette.equation(), nullptr);
}

TEST(QtNames, PlainTextsLeaveOutTheExactCopyAndSayWhenTheyChange) {
  Zelk::Equation Editor;
  // An empty formula's plain LaTeX is empty; the annotated one still carries the Data.
  EXPECT_EQ(Editor.plainLatex(), "");
  EXPECT_TRUE(Editor.latex().contains("%zelk-data:EditArea()"));
  EXPECT_EQ(Editor.property("PlainLaTeX").toString(), "");
  EXPECT_FALSE(Editor.setProperty("PlainLaTeX", "x"));  // read-only
  QSignalSpy Latex(&Editor, &Zelk::Equation::plainLatexChanged);
  QSignalSpy MathML(&Editor, &Zelk::Equation::plainMathMLChanged);
  Editor.setData(Fraction);
  ASSERT_EQ(Latex.count(), 1);
  EXPECT_EQ(Latex[0][0].toString(), "\\frac{a}{b}");
  EXPECT_EQ(Editor.GetPlainLaTeX(), "\\frac{a}{b}");
  ASSERT_EQ(MathML.count(), 1);
  EXPECT_EQ(MathML[0][0].toString(), Editor.plainMathML());
  EXPECT_FALSE(Editor.plainMathML().contains("annotation"));
  EXPECT_TRUE(Editor.mathML().contains("application/x-zelk-data"));
  // The plain texts read back to the same formula.
  Zelk::Equation Other;
  Other.setLatex(Editor.plainLatex());
  EXPECT_EQ(Other.data(), Fraction);
  Other.setMathML(Editor.plainMathML());
  EXPECT_EQ(Other.data(), Fraction);

  // All four capitalised texts name their change signal.
  const QMetaObject* Meta = Editor.metaObject();
  for (const char* Name : {"LaTeX", "MathML", "PlainLaTeX", "PlainMathML"})
    EXPECT_TRUE(Meta->property(Meta->indexOfProperty(Name)).hasNotifySignal()) << Name;
}

TEST(QtNames, TextAssignmentsRefuseControlCharactersThroughReadError) {
  Zelk::Equation Editor;
  Editor.setData(Fraction);
  Editor.setLatex(QStringLiteral("x\x01"));
  EXPECT_EQ(Editor.data(), Fraction);
  EXPECT_TRUE(Editor.ReadError().contains("line 1, column 2")) << Editor.ReadError().toStdString();
  EXPECT_TRUE(Editor.ReadError().contains("control character")) << Editor.ReadError().toStdString();
  Editor.setMathML(QString(QStringLiteral("<math><mi>x</mi>") + QChar(0) + QStringLiteral("</math>")));
  EXPECT_EQ(Editor.data(), Fraction);
  EXPECT_TRUE(Editor.ReadError().contains("NUL")) << Editor.ReadError().toStdString();
  Editor.setMathML("  ");
  EXPECT_EQ(Editor.data(), Fraction);
  EXPECT_FALSE(Editor.ReadError().isEmpty());
  // Blank LaTeX is the empty formula, as an empty formula's plain LaTeX is blank.
  Editor.setLatex(" ");
  EXPECT_EQ(Editor.data(), "EditArea()");
  EXPECT_TRUE(Editor.ReadError().isEmpty());
}
