// Words set as text (the Text kind) in every format, both ways.
#include <gtest/gtest.h>

#include "InterchangeSupport.h"
#include "interchange/AsciiMath.h"
#include "interchange/Latex.h"
#include "interchange/MathML.h"
#include "interchange/Typst.h"

namespace {
QString Line(const QString& Items) { return "EditArea(" + Items + ")"; }
QString TextOf(const QString& Items) { return "Text(EditArea(" + Items + "))"; }
const QString IfSpace = TextOf("Simple(i)Simple(f)Simple(#32)");

void ExpectExact(const TReadResult& Read, const QString& Data) {
  ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
  EXPECT_EQ(Read.Data, Line(Data));
  EXPECT_TRUE(Read.Losses.isEmpty()) << Read.Losses.join("; ").toStdString();
}
}  // namespace

TEST(TextKind, UprightTextCommandsReadAsTextWithTheirSpaces) {
  for (const char* Command : {"text", "textrm", "textup", "textnormal", "mbox"}) {
    SCOPED_TRACE(Command);
    ExpectExact(ReadLatex(QStringLiteral("\\%1{if }").arg(QLatin1String(Command))), IfSpace);
  }
  ExpectExact(ReadLatex("f(x)=0\\text{ if }x<0"),
              "Simple(f)Simple(#40)Simple(x)Simple(#41)Simple(=)Simple(0)" +
                  TextOf("Simple(#32)Simple(i)Simple(f)Simple(#32)") + "Simple(x)Simple(<)Simple(0)");
  // Blanks in a row are one space, a control space another; escapes are their characters.
  ExpectExact(ReadLatex("\\text{a  b\\ \\ c \\#\\%\\{\\}\\textbackslash x\\textasciitilde{}}"),
              TextOf("Simple(a)Simple(#32)Simple(b)Simple(#32)Simple(#32)Simple(c)Simple(#32)Simple(#)Simple(%)"
                     "Simple({)Simple(})Simple(\\)Simple(x)Simple(~)"));
  // Math inside text is math in the text's slot.
  ExpectExact(ReadLatex("\\text{for $x^2$}"),
              TextOf("Simple(f)Simple(o)Simple(r)Simple(#32)Simple(x)IndexTop(EditArea(Simple(2)))"));
  ExpectExact(ReadLatex("\\text{}"), TextOf(""));
  EXPECT_FALSE(ReadLatex("\\text{a $x}").Ok());
}

TEST(TextKind, WhatTheWriterPutsInTextForWantOfASymbolStaysCharacters) {
  ExpectExact(ReadLatex(QString::fromUtf8("\\text{жук}")), "Simple(ж)Simple(у)Simple(к)");
  ExpectExact(ReadLatex(QString::fromUtf8("\\textrm{жук}")), TextOf("Simple(ж)Simple(у)Simple(к)"));
  // The other text commands stay characters with a loss, as before.
  const TReadResult Bold = ReadLatex("\\textbf{ab}");
  EXPECT_EQ(Bold.Data, Line("Simple(a)Simple(b)"));
  EXPECT_FALSE(Bold.Losses.isEmpty());
}

TEST(TextKind, LatexWritesTextModeWithItsEscapes) {
  const std::pair<QString, const char*> Cases[] = {
      {IfSpace, "\\text{if }"},
      {TextOf("Simple(a)Simple(#32)Simple(#32)Simple(#32)Simple(b)"), "\\text{a \\ \\ b}"},
      {TextOf("Simple(#)Simple($)Simple(%)Simple(&)Simple(_)Simple({)Simple(})Simple(\\)Simple(~)Simple(^)"),
       "\\text{\\#\\$\\%\\&\\_\\{\\}\\textbackslash{}\\textasciitilde{}\\textasciicircum{}}"},
      {TextOf("Simple(a)Simple(-)Simple(-)Simple(b)"), "\\text{a-{}-b}"},
      {TextOf("Simple(x)ExtSymbol(160)Simple(y)Division(EditArea(Simple(1))EditArea(Simple(2)))"),
       "\\text{x~y$\\frac{1}{2}$}"},
      {TextOf(QString::fromUtf8("Simple(ж)")), "\\textrm{ж}"},
      {TextOf(""), "\\text{}"},
  };
  for (const auto& [Data, Latex] : Cases) {
    SCOPED_TRACE(Latex);
    const TFormula Formula = ParseData(Line(Data));
    EXPECT_EQ(WriteLatex(Formula, false).toStdString(), Latex);
    ExpectExact(ReadLatex(WriteLatex(Formula, false)), Data);
  }
}

TEST(TextKind, MathMLWritesAndReadsOneMtextWithItsSpaces) {
  const TFormula Formula = ParseData(Line("Simple(x)" + IfSpace));
  const QString MathML = WriteMathML(Formula, false);
  EXPECT_TRUE(MathML.contains("<mtext>if </mtext>")) << MathML.toStdString();
  ExpectExact(ReadMathML(MathML), "Simple(x)" + IfSpace);
  ExpectExact(ReadMathML("<math><mtext> if </mtext></math>"), TextOf("Simple(#32)Simple(i)Simple(f)Simple(#32)"));
  // Other writers' no-break spaces in words are word spaces; ours stands apart.
  ExpectExact(ReadMathML("<math><mtext>a&lt;b&#xA0;c</mtext></math>"),
              TextOf("Simple(a)Simple(<)Simple(b)Simple(#32)Simple(c)"));
  const QString NoBreak = TextOf("Simple(a)ExtSymbol(160)Simple(b)");
  ExpectExact(ReadMathML(WriteMathML(ParseData(Line(NoBreak)), false)), NoBreak);
  // One space symbol alone is that symbol, as our writer writes it.
  ExpectExact(ReadMathML("<math><mtext>&#xA0;</mtext></math>"), "ExtSymbol(160)");
}

TEST(TextKind, TypstWritesAndReadsStrings) {
  const TFormula Formula = ParseData(Line(IfSpace + TextOf("Simple(a)Simple(\")Simple(\\)")));
  const QString Typst = WriteTypst(Formula);
  EXPECT_EQ(Typst.toStdString(), "$ \"if \" \"a\\\"\\\\\" $");
  ExpectExact(ReadTypst(Typst), IfSpace + TextOf("Simple(a)Simple(\")Simple(\\)"));
  ExpectExact(ReadTypst("$ \"x \\u{3b1}\" $"), TextOf(QString::fromUtf8("Simple(x)Simple(#32)Simple(α)")));
  // An empty string is an empty argument.
  ExpectExact(ReadTypst("$ frac(a, \"\") $"), "Division(EditArea(Simple(a))EditArea())");
}

TEST(TextKind, AsciiMathReadsTextAndQuotes) {
  ExpectExact(ReadAsciiMath("text(if )"), IfSpace);
  ExpectExact(ReadAsciiMath("x \"if \""), "Simple(x)" + IfSpace);
}

TEST(TextKind, RoundTripsThroughEveryWriter) {
  const QString Cases[] = {
      IfSpace,
      TextOf("Simple(s)Simple(i)Simple(n)Simple(#32)Simple(x)Simple(')"),
      "Simple(x)" + TextOf("Simple(#32)Simple(a)Simple(n)Simple(d)Simple(#32)") + "Simple(y)",
      "Division(EditArea(" + TextOf("Simple(a)Simple(-)Simple(b)") + ")EditArea(Simple(2)))",
  };
  for (const QString& Data : Cases) {
    SCOPED_TRACE(Data.toStdString());
    const TFormula Formula = ParseData(Line(Data));
    for (bool Annotated : {false, true}) {
      ExpectExact(ReadLatex(WriteLatex(Formula, Annotated)), Data);
      ExpectExact(ReadMathML(WriteMathML(Formula, Annotated)), Data);
    }
    ExpectExact(ReadTypst(WriteTypst(Formula)), Data);
  }
}
