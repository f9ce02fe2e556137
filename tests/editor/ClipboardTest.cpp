// Cut, copy and paste through the system clipboard, between editors and within one.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QContextMenuEvent>
#include <QUndoStack>

#include "EditingSupport.h"
#include "editor/Clipboard.h"
#include "model/EditArea.h"
#include "model/TextForm.h"
#include "interchange/Validators.h"

namespace {
struct Clipboard : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  QClipboard* Clip = QGuiApplication::clipboard();
  void SetUp() override { Clip->clear(); }
  QString ClipData() const {
    const QMimeData* Mime = Clip->mimeData();
    return Mime ? QString::fromUtf8(Mime->data(ZelkDataMime)) : QString();
  }
};

const QString Formula = Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(x)ExtSymbol(8734)))") +
                        Row("IndexTop(EditArea(Simple(2)))");
}  // namespace

TEST_F(Clipboard, CopyPutsTheSelectionsDataAsDataAndLatexAsPlainText) {
  E->SetData(Formula);
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(2);
  Ctrl(E, Qt::Key_C);  // nothing selected: nothing copied
  EXPECT_TRUE(ClipData().isEmpty());
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_C);
  const QString Fraction = Row("Division(EditArea(Simple(1))EditArea(Simple(x)ExtSymbol(8734)))");
  EXPECT_TEXT(ClipData(), Fraction);
  // Plain text is LaTeX, whose last line keeps the exact formula.
  EXPECT_TRUE(Clip->text().startsWith("\\frac{1}{x")) << Clip->text().toStdString();
  EXPECT_TRUE(Clip->text().contains("%zelk-data:" + Fraction));
  EXPECT_TEXT(E->GetData(), Formula);  // copying changes nothing
}

TEST_F(Clipboard, CopyAndPasteBetweenTwoEditorsAndIntoAnEmptyOne) {
  E->SetData(Formula);
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(0);
  Key(E, Qt::Key_End, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_C);
  TZelkEquation Other;
  QTest::keyClicks(&Other, "yz");
  Key(&Other, Qt::Key_Left);
  Ctrl(&Other, Qt::Key_V);
  EXPECT_TEXT(Other.GetData(),
              Row("Simple(y)Simple(a)Division(EditArea(Simple(1))EditArea(Simple(x)ExtSymbol(8734)))Simple(z)"));
  EXPECT_EQ(Other.ActiveEditArea(), Other.Line(0));
  EXPECT_EQ(Other.ActiveEditArea()->EquationIndex(), 3);
  // Into a slot, and into an editor that has no line at all.
  TEditArea* Denominator = SlotOf(Other.Line(0), 2, 1);
  Denominator->SetActive(true);
  Ctrl(&Other, Qt::Key_V);
  EXPECT_EQ(Denominator->Count(), 4);
  Other.SetData("");
  Ctrl(&Other, Qt::Key_V);
  EXPECT_TEXT(Other.GetData(), Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(x)ExtSymbol(8734)))"));
}

TEST_F(Clipboard, PastingAFormulasOwnCopyIsAFixedPoint) {
  E->SetData(Formula);
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_C);
  EXPECT_TEXT(ClipData(), Formula);
  Ctrl(E, Qt::Key_V);  // over the whole formula
  EXPECT_TEXT(E->GetData(), Formula);
  // A run pasted over its own selection.
  TEditArea* Numerator = SlotOf(Line(0), 1, 1);
  Numerator->SetActive(true);
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_C);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Formula);
  EXPECT_EQ(Active(), Numerator);
  EXPECT_EQ(Active()->EquationIndex(), 2);
}

TEST_F(Clipboard, SeveralLinesPastedIntoALineSplitIt) {
  E->SetData(Row("Simple(p)Simple(q)"));
  Line(0)->SetEquationIndex(1);
  auto* Mime = new QMimeData;
  Mime->setData(ZelkDataMime, (Row("Simple(1)") + Row("Simple(2)")).toUtf8());
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Simple(p)Simple(1)") + Row("Simple(2)Simple(q)"));
  EXPECT_EQ(Active(), Line(1));
  EXPECT_EQ(Active()->EquationIndex(), 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row("Simple(p)Simple(q)"));
}

TEST_F(Clipboard, PlainTextGoesInAsCharactersAndCutRemoves) {
  Clip->setText(QString::fromUtf8("a+\xF0\x9D\x91\xA5\n"));  // U+1D465 in the middle
  Ctrl(E, Qt::Key_V);
  EXPECT_EQ(Line(0)->Count(), 3);  // the line break types nothing
  EXPECT_TEXT(E->GetData(), Row(QString::fromUtf8("Simple(a)Simple(+)Simple(\xF0\x9D\x91\xA5)")));
  Key(E, Qt::Key_Home, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_X);
  EXPECT_TEXT(E->GetData(), Row(""));
  EXPECT_TEXT(ClipData(), Row(QString::fromUtf8("Simple(a)Simple(+)Simple(\xF0\x9D\x91\xA5)")));
}

TEST_F(Clipboard, RegisteredFormatsAreWrittenAndReadBeforePlainText) {
  // A form of our own: "x" for every Simple(x).
  TFormulaFormat Fake;
  Fake.Name = QStringLiteral("Letters");
  Fake.MimeTypes = {QStringLiteral("application/x-letters")};
  Fake.PlainText = true;
  Fake.Write = [](const QString& Data) { return QString(Data).remove(QStringLiteral("EditArea")).remove(QStringLiteral("Simple")).remove(u'(').remove(u')'); };
  Fake.Read = [](const QString& Text) { return Row(Chars(Text)); };
  E->Editing().ClipboardFormats().Add(Fake);
  QTest::keyClicks(E, "ab");
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_C);
  EXPECT_TEXT(QString::fromUtf8(Clip->mimeData()->data("application/x-letters")), "ab");
  EXPECT_TEXT(Clip->text(), "ab");
  auto* Mime = new QMimeData;
  Mime->setData("application/x-letters", "cd");
  Mime->setText(QStringLiteral("ignored"));
  Clip->setMimeData(Mime);
  Key(E, Qt::Key_End);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row(Chars("abcd")));
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_TRUE(E->Editing().CopyAs(QStringLiteral("Letters")));
  EXPECT_TEXT(Clip->text(), "d");
  EXPECT_FALSE(Clip->mimeData()->hasFormat(ZelkDataMime));
}

TEST_F(Clipboard, TheContextMenuOffersWhatCanBeDone) {
  QTest::keyClicks(E, "ab");
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(5, 5), E->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(E, &Event);
  auto* Menu = E->findChild<QMenu*>();
  ASSERT_NE(Menu, nullptr);
  const auto Enabled = [Menu](const char* Name) {
    auto* Action = Menu->findChild<QAction*>(QString::fromLatin1(Name));
    return Action && Action->isEnabled();
  };
  EXPECT_TRUE(Enabled("Undo"));
  EXPECT_FALSE(Enabled("Redo"));
  EXPECT_TRUE(Enabled("Cut"));
  EXPECT_TRUE(Enabled("Copy"));
  EXPECT_FALSE(Enabled("Paste"));  // the clipboard is empty
  EXPECT_TRUE(Enabled("SelectAll"));
  EXPECT_TRUE(Enabled("CopyAsLaTeX"));
  EXPECT_TRUE(Enabled("CopyAsMathML"));
  Menu->findChild<QAction*>("Cut")->trigger();
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
  EXPECT_TEXT(ClipData(), Row("Simple(b)"));
  Menu->close();
}

TEST_F(Clipboard, ACopyCarriesPicturesWithoutEditingMarks) {
  E->SetData(Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  Ctrl(E, Qt::Key_A);  // the denominator, where the reading left the caret
  Ctrl(E, Qt::Key_A);  // the whole formula
  Ctrl(E, Qt::Key_C);
  const QMimeData* Mime = Clip->mimeData();
  ASSERT_TRUE(Mime->hasFormat("image/png"));
  ASSERT_TRUE(Mime->hasFormat("image/svg+xml"));
  EXPECT_TRUE(Mime->data("image/svg+xml").contains("<svg"));
  // The pictures are set in the clipboard's style, Math unless the host chose Classic.
  EXPECT_EQ(E->ClipboardTypesetting(), TTypesettings::Math);
  for (TTypesetting Style : {TTypesettings::Math, TTypesettings::Classic}) {
    E->SetClipboardTypesetting(Style);
    Ctrl(E, Qt::Key_C);
    QImage Png;
    ASSERT_TRUE(Png.loadFromData(Clip->mimeData()->data("image/png"), "PNG"));
    E->SetTypesetting(Style);
    EXPECT_EQ(Png.size(), E->RenderSize() * 2);  // twice the device pixel ratio of 1
    // The same picture as Render draws, with no caret and no dotted frames.
    TRenderOptions Options;
    Options.Scale = 2;
    EXPECT_EQ(Png.convertToFormat(QImage::Format_ARGB32), E->RenderImage(Options).convertToFormat(QImage::Format_ARGB32));
  }
  EXPECT_TRUE(E->Editing().CopyAsImage());
  EXPECT_FALSE(Clip->mimeData()->hasFormat(ZelkDataMime));
  EXPECT_TRUE(Clip->mimeData()->hasImage());
}

TEST_F(Clipboard, APasteBeyondTheReadersLimitsStopsAndIsUndone) {
  QTest::keyClicks(E, "a");
  QString Deep = Row("Simple(z)");
  for (int I = 0; I < 40; ++I) Deep = Row("BracketsRound(" + Deep + ")");
  auto* Mime = new QMimeData;
  Mime->setData(ZelkDataMime, Deep.toUtf8());
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);  // the reader stops at its nesting limit; the key is still handled
  EXPECT_GT(Line(0)->Count(), 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row("Simple(a)"));
}

TEST_F(Clipboard, CopyCarriesLatexAndMathMLAndAPasteTakesEither) {
  E->SetData(Row("Division(EditArea(Simple(a))EditArea(Simple(b)))"));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(1);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_C);
  EXPECT_TRUE(QString::fromUtf8(Clip->mimeData()->data("application/x-latex")).startsWith("\\frac{a}{b}"));
  EXPECT_TRUE(Clip->mimeData()->data("application/mathml+xml").contains("<mfrac>"));

  // What another program copied: MathML alone, then LaTeX the readers refuse.
  E->SetData(Row(""));
  Line(0)->SetActive(true);
  auto* Mime = new QMimeData;
  Mime->setData("application/mathml+xml", "<math><msup><mi>x</mi><mn>2</mn></msup></math>");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Simple(x)IndexTop(EditArea(Simple(2)))"));
  Mime = new QMimeData;
  Mime->setData("application/x-latex", "\\acute{y}");
  Mime->setText("y");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Simple(x)IndexTop(EditArea(Simple(2)))Simple(y)"));
}

TEST_F(Clipboard, RootsLongDivisionAndAccentsCopyAndPasteWholeIntoASlot) {
  const QString Run = "RootDegree(EditArea(Simple(x))EditArea(Simple(3)))AccentHat(EditArea(Simple(y)))"
                      "LongDivisionQuotient(EditArea(Simple(6))EditArea(Simple(2))EditArea(Simple(3)))";
  E->SetData(Row(Run + "Root(EditArea())"));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(0);
  for (int I = 0; I < 3; ++I) Key(E, Qt::Key_Right, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_C);
  EXPECT_TEXT(ClipData(), Row(Run));
  // Pasted into the radicand of the last root.
  dynamic_cast<TEqParent*>(Line(0)->Item(3))->Slot(0)->SetActive(true);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row(Run + "Root(EditArea(" + Run + "))"));
  E->Editing().Undo();
  EXPECT_TEXT(E->GetData(), Row(Run + "Root(EditArea())"));
}

TEST_F(Clipboard, DataThatIsNoFormulaGivesWayToTheTextBesideIt) {
  E->SetData(Row(Chars("ab")) + Row(Chars("c")));
  Line(0)->SetActive(true);
  Ctrl(E, Qt::Key_A);
  Ctrl(E, Qt::Key_A);
  auto* Mime = new QMimeData;
  Mime->setData(ZelkDataMime, "junk");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);  // nothing to paste: the formula and its selection stay
  EXPECT_TEXT(E->GetData(), Row(Chars("ab")) + Row(Chars("c")));
  EXPECT_TRUE(E->Editing().Selection().IsWhole());
  Mime = new QMimeData;
  Mime->setData(ZelkDataMime, "junk");
  Mime->setData("application/x-latex", "%zelk-data:junk");
  Mime->setText("xy");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row(Chars("xy")));
  ASSERT_EQ(E->LineCount(), 1);
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("ab")) + Row(Chars("c")));
}

TEST_F(Clipboard, LinesBeyondTheLimitAreRefusedWholeAndARunStoppedByALimitKeepsItsRest) {
  E->SetData(Row(Chars("pq")));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(1);
  const int Steps = E->UndoStack()->index();
  QString Many;
  for (int L = 0; L <= MaxLines; ++L) Many += Row("");
  auto* Mime = new QMimeData;
  Mime->setData(ZelkDataMime, Many.toUtf8());
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  ASSERT_EQ(E->LineCount(), 1);
  EXPECT_TEXT(E->GetData(), Row(Chars("pq")));
  EXPECT_EQ(E->UndoStack()->index(), Steps);
  // The second line nests too deep: the reader stops there, and q stays.
  QString Deep = Row("Simple(z)");
  for (int I = 0; I < 40; ++I) Deep = Row("BracketsRound(" + Deep + ")");
  Mime = new QMimeData;
  Mime->setData(ZelkDataMime, (Row("Simple(1)") + Deep).toUtf8());
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  ASSERT_EQ(E->LineCount(), 2);
  EXPECT_TRUE(E->GetData().startsWith(Row(Chars("pq")) + "EditArea(BracketsRound(")) << E->GetData().toStdString();
  Ctrl(E, Qt::Key_Z);
  EXPECT_TEXT(E->GetData(), Row(Chars("pq")));
}

TEST_F(Clipboard, ALongPasteIsLaidOutAsTheSameFormulaRead) {
  QString Run;
  for (int I = 0; I < 40; ++I)
    Run += "Simple(a)Division(EditArea(Simple(1))EditArea(IndexTop(EditArea(Simple(2)))))ExtSymbol(8734)";
  for (const TTypesetting Style : {TTypesettings::Classic, TTypesettings::Math}) {
    SCOPED_TRACE(Style == TTypesettings::Math ? "Math" : "Classic");
    E->SetTypesetting(Style);
    E->SetData(Row(Chars("pq")) + Row(Chars("r")));
    Line(0)->SetActive(true);
    Line(0)->SetEquationIndex(1);
    auto* Mime = new QMimeData;
    Mime->setData(ZelkDataMime, (Row(Run) + Row(Run)).toUtf8());
    Mime->setText(QString(100, u'x'));
    Clip->setMimeData(Mime);
    Ctrl(E, Qt::Key_V);
    EXPECT_EQ(Active(), Line(1));
    Clip->setText(QString(100, u'x'));
    Ctrl(E, Qt::Key_V);
    EXPECT_EQ(Active()->EquationIndex(), 3 * 40 + 100);
    TZelkEquation Read;
    Read.SetTypesetting(Style);
    Read.SetData(E->GetData());
    Read.Line(1)->SetActive(true);
    Read.Line(1)->SetEquationIndex(Active()->EquationIndex());
    EXPECT_EQ(FormulaGeometry(*E), FormulaGeometry(Read));
  }
}

TEST_F(Clipboard, CopyOffersHtmlMathAndTheWindowsMathMLFormatsAndPasteReadsHtml) {
  E->SetData(Row("Division(EditArea(Simple(a))EditArea(Simple(b)))"));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(1);
  Key(E, Qt::Key_Left, Qt::ShiftModifier);
  Ctrl(E, Qt::Key_C);
  const QMimeData* Copied = Clip->mimeData();
  ASSERT_TRUE(Copied);
  const QString Html = QString::fromUtf8(Copied->data("text/html"));
  EXPECT_TRUE(Html.startsWith("<math xmlns=\"http://www.w3.org/1998/Math/MathML\"")) << Html.toStdString();
  EXPECT_TRUE(Html.contains("<mfrac>"));
  for (const char* Windows : {"application/x-qt-windows-mime;value=\"MathML\"",
                              "application/x-qt-windows-mime;value=\"MathML Presentation\""})
    EXPECT_EQ(QString::fromUtf8(Copied->data(Windows)), QString::fromUtf8(Copied->data("application/mathml+xml")))
        << Windows;
  // The fragment stands as a document of its own against the MathML DTD.
  QString Why;
  if (ValidatorsInstalled(Why)) {
    EXPECT_EQ(ValidateMathML({Html}), QString());
  }

  // A word processor's HTML with a formula in it.
  E->SetData(Row(""));
  Line(0)->SetActive(true);
  auto* Mime = new QMimeData;
  Mime->setHtml("<html><head><meta charset=\"utf-8\"></head><body><p>see <math "
                "xmlns=\"http://www.w3.org/1998/Math/MathML\"><msqrt><mi>y</mi></msqrt></math></p></body></html>");
  Mime->setText("see y");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Root(EditArea(Simple(y)))"));
  // HTML without a formula goes in as its text.
  Mime = new QMimeData;
  Mime->setHtml("<p>z</p>");
  Mime->setText("z");
  Clip->setMimeData(Mime);
  Ctrl(E, Qt::Key_V);
  EXPECT_TEXT(E->GetData(), Row("Root(EditArea(Simple(y)))Simple(z)"));
}

// Another program's plain text: LaTeX by its control words, Typst or AsciiMath by their
// syntax, anything else as the characters it is.
TEST_F(Clipboard, PlainTextPastesAsLatexTypstOrAsciiMathWhereItReadsSo) {
  const std::pair<const char*, QString> Cases[] = {
      {"\\frac{a}{b}", Row("Division(EditArea(Simple(a))EditArea(Simple(b)))")},
      {"frac(a, b)", Row("Division(EditArea(Simple(a))EditArea(Simple(b)))")},
      {"$ sqrt(x) $", Row("Root(EditArea(Simple(x)))")},
      {"x^2", Row("Simple(x)IndexTop(EditArea(Simple(2)))")},
      {"[[a,b],[c,d]]", Row("BracketsSquare(EditArea(MatrixkmSquare(EditArea(Simple(a))EditArea(Simple(b))"
                            "EditArea(Simple(c))EditArea(Simple(d)))))")},
      {"x + 1", Row("Simple(x)Simple(#32)Simple(+)Simple(#32)Simple(1)")},
      {"to be or not", Row("Simple(t)Simple(o)Simple(#32)Simple(b)Simple(e)Simple(#32)Simple(o)Simple(r)Simple(#32)"
                           "Simple(n)Simple(o)Simple(t)")},
  };
  for (const auto& [Text, Expected] : Cases) {
    SCOPED_TRACE(Text);
    E->SetData(Row(""));
    Line(0)->SetActive(true);
    auto* Mime = new QMimeData;
    Mime->setText(QString::fromUtf8(Text));
    Clip->setMimeData(Mime);
    Ctrl(E, Qt::Key_V);
    EXPECT_TEXT(E->GetData(), Expected);
  }
}
