// Lines aligned at marks through LaTeX's line environments and MathML tables, both ways,
// and aligned tables told from matrices.

#include <gtest/gtest.h>

#include "interchange/Latex.h"
#include "interchange/MathML.h"

namespace {
const QString XEqA = QStringLiteral("EditArea(Simple(a)AlignMark()Simple(=)Simple(b))EditArea(AlignMark()Simple(=)Simple(c))");

enum TOutcome { Exact, Lossy, Refused };

struct TEnvironmentCase {
  const char* Input;
  const char* Data;
  TOutcome Outcome;
};

void ExpectOutcome(const TReadResult& Read, const TEnvironmentCase& Case) {
  SCOPED_TRACE(Case.Input);
  if (Case.Outcome == Refused) {
    EXPECT_FALSE(Read.Ok());
    EXPECT_FALSE(Read.Error.isEmpty());
    return;
  }
  ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
  EXPECT_EQ(Read.Data, QString::fromLatin1(Case.Data));
  EXPECT_EQ(Read.Losses.isEmpty(), Case.Outcome == Exact) << Read.Losses.join("; ").toStdString();
}
}  // namespace

TEST(AlignedLines, EveryLineEnvironmentReadsAsLinesWithMarksOrSaysWhatItLost) {
  const char* Marked = "EditArea(Simple(a)AlignMark()Simple(=)Simple(b))EditArea(AlignMark()Simple(=)Simple(c))";
  const char* Pairs = "EditArea(Simple(a)AlignMark()Simple(=)Simple(b)AlignMark()Simple(c)AlignMark()Simple(=)Simple(d))";
  const char* Plain = "EditArea(Simple(a))EditArea(Simple(b))";
  const TEnvironmentCase Cases[] = {
      {"\\begin{align} a &= b \\\\ &= c \\end{align}", Marked, Exact},
      {"\\begin{align*} a &= b \\\\ &= c \\end{align*}", Marked, Exact},
      {"\\begin{aligned} a &= b \\\\ &= c \\end{aligned}", Marked, Exact},
      {"\\begin{equation}\\begin{split} a &= b \\\\ &= c \\end{split}\\end{equation}", Marked, Exact},
      {"\\begin{eqnarray} a &=& b \\end{eqnarray}",
       "EditArea(Simple(a)AlignMark()Simple(=)AlignMark()Simple(b))", Lossy},
      {"\\begin{gather} a \\\\ b \\end{gather}", Plain, Exact},
      {"\\begin{gather*} a \\\\ b \\end{gather*}", Plain, Exact},
      {"\\begin{gathered} a \\\\ b \\end{gathered}", Plain, Exact},
      {"\\begin{gathered} a & b \\end{gathered}", "EditArea(Simple(a)Simple(b))", Lossy},
      {"\\begin{multline} a \\\\ b \\end{multline}", Plain, Lossy},
      {"\\begin{multline*} a \\\\ b \\end{multline*}", Plain, Lossy},
      {"\\begin{flalign} a &= b & c &= d \\end{flalign}", Pairs, Lossy},
      {"\\begin{flalign*} a &= b & c &= d \\end{flalign*}", Pairs, Lossy},
      {"\\begin{alignat}{2} a &= b & c &= d \\end{alignat}", Pairs, Lossy},
      {"\\begin{alignat*}{2} a &= b & c &= d \\end{alignat*}", Pairs, Lossy},
      {"\\begin{alignedat}{2} a &= b & c &= d \\end{alignedat}", Pairs, Lossy},
      // A line environment is a whole formula; a matrix's & is a cell.
      {"x + \\begin{aligned} a &= b \\end{aligned}", "", Refused},
      {"\\begin{aligned} a &= \\begin{aligned} b \\end{aligned} \\end{aligned}", "", Refused},
      {"\\begin{align} a &= b", "", Refused},
      {"\\begin{matrix} a & b \\end{matrix}", "EditArea(MatrixkmHoriz(EditArea(Simple(a))EditArea(Simple(b))))", Exact},
  };
  for (const TEnvironmentCase& Case : Cases) ExpectOutcome(ReadLatex(QString::fromLatin1(Case.Input)), Case);
}

TEST(AlignedLines, AlignedLinesWriteAsAlignedAndPlainLinesAsGathered) {
  const QString Aligned = WriteLatex(ParseData(XEqA), false);
  EXPECT_EQ(Aligned, QStringLiteral("\\begin{aligned}a & =b \\\\  & =c\\end{aligned}"));
  EXPECT_EQ(ReadLatex(Aligned).Data, XEqA);
  // A line without marks among them stands whole, and one line with marks is aligned too.
  for (const QString& Data : {XEqA + QStringLiteral("EditArea(Simple(d))"),
                              QStringLiteral("EditArea(Simple(x)AlignMark())"),
                              QStringLiteral("EditArea(AlignMark()AlignMark()Simple(y))EditArea()")}) {
    const QString Latex = WriteLatex(ParseData(Data), false);
    EXPECT_TRUE(Latex.startsWith(QStringLiteral("\\begin{aligned}"))) << Latex.toStdString();
    EXPECT_EQ(ReadLatex(Latex).Data, Data) << Latex.toStdString();
  }
  const QString Plain = QStringLiteral("EditArea(Simple(a))EditArea(Simple(b))");
  EXPECT_TRUE(WriteLatex(ParseData(Plain), false).startsWith(QStringLiteral("\\begin{gathered}")));
  // A mark inside a slot has no LaTeX; the Data copy keeps it.
  const QString Nested = QStringLiteral("EditArea(Root(EditArea(Simple(a)AlignMark())))");
  EXPECT_EQ(ReadLatex(WriteLatex(ParseData(Nested), false)).Data, QStringLiteral("EditArea(Root(EditArea(Simple(a))))"));
  EXPECT_EQ(ReadLatex(WriteLatex(ParseData(Nested))).Data, Nested);
}

TEST(AlignedLines, MathMLWritesRightLeftColumnsAndTellsThemFromAMatrix) {
  const QString Written = WriteMathML(ParseData(XEqA), false);
  EXPECT_TRUE(Written.contains(QStringLiteral("columnalign=\"right left\""))) << Written.toStdString();
  EXPECT_EQ(ReadMathML(Written).Data, XEqA);
  const QString Pairs = QStringLiteral("EditArea(Simple(a)AlignMark()Simple(=)Simple(b)AlignMark()Simple(c)AlignMark()Simple(=)Simple(d))");
  const QString Four = WriteMathML(ParseData(Pairs), false);
  EXPECT_TRUE(Four.contains(QStringLiteral("columnalign=\"right left right left\""))) << Four.toStdString();
  EXPECT_EQ(ReadMathML(Four).Data, Pairs);

  const QString M = QStringLiteral("<math xmlns=\"http://www.w3.org/1998/Math/MathML\">%1</math>");
  const QString Cells = QStringLiteral("<mtr><mtd%1><mi>a</mi></mtd><mtd%2><mo>=</mo><mi>b</mi></mtd></mtr>"
                                       "<mtr><mtd%1><mi>c</mi></mtd><mtd%2><mo>=</mo><mi>d</mi></mtd></mtr>");
  const QString Lines = QStringLiteral(
      "EditArea(Simple(a)AlignMark()Simple(=)Simple(b))EditArea(Simple(c)AlignMark()Simple(=)Simple(d))");
  // Aligned: by the table's columnalign, by each cell's, or by the classes of an aligned
  // environment's rows.
  for (const QString& Table :
       {QStringLiteral("<mtable columnalign=\"right left\">%1</mtable>").arg(Cells.arg("", "")),
        QStringLiteral("<mtable>%1</mtable>").arg(Cells.arg(" columnalign=\"right\"", " columnalign=\"left\"")),
        QStringLiteral("<mtable>%1</mtable>").arg(Cells.arg(" class=\"tml-right\"", " class=\"tml-left\""))}) {
    const TReadResult Read = ReadMathML(M.arg(Table));
    EXPECT_EQ(Read.Data, Lines) << Table.toStdString();
    EXPECT_TRUE(Read.Losses.isEmpty());
  }
  // A matrix: no alignment, another one, or only one of a pair.
  for (const QString& Table : {QStringLiteral("<mtable>%1</mtable>").arg(Cells.arg("", "")),
                               QStringLiteral("<mtable columnalign=\"center center\">%1</mtable>").arg(Cells.arg("", "")),
                               QStringLiteral("<mtable columnalign=\"left right\">%1</mtable>").arg(Cells.arg("", "")),
                               QStringLiteral("<mtable>%1</mtable>").arg(Cells.arg(" columnalign=\"right\"", ""))}) {
    const TReadResult Read = ReadMathML(M.arg(Table));
    EXPECT_TRUE(Read.Data.startsWith(QStringLiteral("EditArea(Matrix"))) << Table.toStdString() << " -> " << Read.Data.toStdString();
  }
  // One column is lines, as the writer gives lines without marks.
  EXPECT_EQ(ReadMathML(M.arg("<mtable><mtr><mtd><mi>a</mi></mtd></mtr><mtr><mtd><mi>b</mi></mtd></mtr></mtable>")).Data,
            QStringLiteral("EditArea(Simple(a))EditArea(Simple(b))"));
}
