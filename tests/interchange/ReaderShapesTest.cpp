// Texts shaped to make a reader read one part again and again, or make far more than it
// reads: each reads once through (a reader that went back would not finish), and what
// macros make stays within the editor's limits.
#include <gtest/gtest.h>

#include "interchange/Latex.h"
#include "model/TextForm.h"

namespace {
// Pattern with %1 put in itself Depth times around Core.
QString Nested(const QString& Pattern, int Depth, const QString& Core = QStringLiteral("x")) {
  QString Text = Core;
  for (int I = 0; I < Depth; ++I) Text = Pattern.arg(Text);
  return Text;
}

// Reads Text and counts Keyword( in what it read.
int Count(const QString& Text, const QString& Keyword) {
  const TReadResult Read = ReadLatex(Text);
  EXPECT_TRUE(Read.Ok()) << Read.Message().toStdString();
  return static_cast<int>(Read.Data.count(Keyword + u'('));
}

TLatexReadOptions WithMacro(const QString& Name, int Arguments, const QString& Body) {
  TLatexReadOptions Options;
  Options.Macros.insert(Name, {Arguments, Body});
  return Options;
}
}  // namespace

TEST(ReaderShapes, DeepNestingOfEveryLookAheadIsReadOnce) {
  constexpr int Depth = 30;
  // A left index as our writer writes it, and the slanted fraction it may begin.
  EXPECT_EQ(Count(Nested("{}^{%1}{}x", Depth), "IndexLeftTop"), Depth);
  EXPECT_EQ(Count(Nested("{}^{%1}\\!/_{b}", Depth), "DivisionSlash"), Depth);
  // \overset over its mark and over its base, as an accent, and under \overset.
  EXPECT_EQ(Count(Nested("\\overset{%1}{b}", Depth), "StackTop"), Depth);
  EXPECT_EQ(Count(Nested("\\overset{a}{%1}", Depth), "StackTop"), Depth);
  EXPECT_EQ(Count(Nested("\\overset{\\leftarrow}{%1}", Depth), "AccentArrowLeft"), Depth);
  EXPECT_EQ(Count(Nested("\\overset{a}{\\underset{b}{%1} c}", Depth / 2), "StackBottom"), Depth / 2);
  // A group before \overset looks for a long division.
  EXPECT_EQ(Count(Nested("{d}\\overset{%1}{b}", Depth), "StackTop"), Depth);
  EXPECT_EQ(Count(Nested("{d}\\overset{q}{\\overline{\\smash{)}%1}}", Depth), "LongDivisionQuotient"), Depth);
  EXPECT_EQ(Count(Nested("{d}\\overset{q}{\\overline{\\smash{)}%1} c}", Depth / 2), "StackTop"), Depth / 2);
  // A bar over a bar is a double bar only when nothing else is under the outer one.
  EXPECT_EQ(Count(Nested("\\overline{\\overline{{%1}} c}", Depth / 2), "VectoraeBottom"), Depth);
  EXPECT_EQ(Count(Nested("\\overline{\\overline %1 c}", Depth / 2, "{x}"), "VectoraeBottom"), Depth);
  EXPECT_EQ(Count(Nested("\\overline{\\overline{%1}}", Depth / 2), "VectorkaDoubleaeBottom"), Depth / 2);
}

TEST(ReaderShapes, OptionalDimensionsWithoutCloseAreLookedForOnce) {
  QString Text;
  for (int I = 0; I < 5000; ++I) Text += "a\\\\[";
  const TReadResult Read = ReadLatex(Text);
  ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
  EXPECT_EQ(Read.Data.count("EditArea("), 5001);  // each [ begins the next line
}

TEST(ReaderShapes, MacrosAreBoundedByWhatTheyMake) {
  const TLatexReadOptions Eight = WithMacro("d", 1, "#1#1#1#1#1#1#1#1");
  const TReadResult Small = ReadLatex(Nested("\\d{%1}", 4), Eight);
  ASSERT_TRUE(Small.Ok()) << Small.Message().toStdString();
  EXPECT_EQ(Small.Data.count("Simple(x)"), 8 * 8 * 8 * 8);
  // 32^4 elements from a few thousand expansions: refused as soon as the limit is passed,
  // at the outermost call.
  const TLatexReadOptions ThirtyTwo = WithMacro("d", 1, QString("#1").repeated(32));
  const TReadResult Huge = ReadLatex("y + " + Nested("\\d{%1}", 4), ThirtyTwo);
  EXPECT_TRUE(Huge.Error.contains(QString::number(MaxElements))) << Huge.Message().toStdString();
  EXPECT_EQ(Huge.Column, 5);
  // Blanks make no element, but they are text to read.
  const TReadResult Blank = ReadLatex(Nested("\\d{%1}", 7, QString(100, u' ')), Eight);
  EXPECT_TRUE(Blank.Error.contains("macros make more than")) << Blank.Message().toStdString();
}

TEST(ReaderShapes, AMacroIsReadAsOneGroupAndItsFaultsArePlacedAtTheCall) {
  EXPECT_EQ(ReadLatex("x^\\sq{a}", WithMacro("sq", 1, "#1^2")).Data,
            "EditArea(Simple(x)IndexTop(EditArea(Simple(a)IndexTop(EditArea(Simple(2))))))");
  const TReadResult Fault = ReadLatex("a + \\m", WithMacro("m", 0, "\\acute{b}"));
  EXPECT_EQ(Fault.Column, 5);
  EXPECT_TRUE(Fault.Error.contains("\\acute")) << Fault.Message().toStdString();
  EXPECT_TRUE(ReadLatex("\\u", WithMacro("u", 0, "a}b")).Error.contains("closes a group"));
  // Commands renaming each other in a ring.
  TLatexReadOptions Ring = WithMacro("p", 0, "\\q");
  Ring.Macros.insert("q", {0, "\\p"});
  EXPECT_TRUE(ReadLatex("\\p", Ring).Error.contains("expand more than"));
}
