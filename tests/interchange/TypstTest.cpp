// Typst math: what people write reads as the same LaTeX would, what we write the Typst
// compiler sets without a word and reads back to itself, and the symbol names are Typst's.
#include <gtest/gtest.h>

#include "InterchangeSupport.h"
#include "Validators.h"
#include "interchange/Typst.h"
#include "interchange/TypstNames.h"

namespace {
QString Data(const QString& Latex) { return ReadLatex(Latex).Data; }
}  // namespace

TEST(Typst, WhatPeopleWriteReadsAsTheSameLatex) {
  const std::pair<const char*, const char*> Cases[] = {
      {"$ frac(a, b) + a/b $", "\\frac{a}{b}+\\frac{a}{b}"},
      // A slash takes the atom with its scripts before it and a group without its parentheses.
      {"x^2/(y + 1)", "\\frac{x^{2}}{y+1}"},
      {"(a + b)/2", "\\frac{a+b}{2}"},
      {"sqrt(x) + root(3, x + 1)", "\\sqrt{x}+\\sqrt[3]{x+1}"},
      {"sum_(i=1)^n i^2 = x", "\\sum_{i=1}^{n} i^{2} = x"},
      {"integral_0^1 f(x) dif x", "\\int_0^1 f(x) d x"},
      {"limits(integral)_D f", "\\int\\limits_D f"},
      {"lim_(x -> 0) x", "\\lim_{x\\to 0} x"},
      {"mat(1, 2; 3, 4)", "\\begin{pmatrix}1&2\\\\3&4\\end{pmatrix}"},
      {"mat(delim: \"[\", a, b)", "\\begin{bmatrix}a&b\\end{bmatrix}"},
      {"vec(x, y)", "\\begin{pmatrix}x\\\\y\\end{pmatrix}"},
      {"cases(1 & x > 0, 0 & x <= 0)", "\\begin{cases}1&x>0\\\\0&x\\leq 0\\end{cases}"},
      {"lr(( a/b ))", "\\left(\\frac{a}{b}\\right)"},
      {"abs(x) + norm(v)", "\\left|x\\right|+\\left\\|v\\right\\|"},
      {"lr(angle.l a mid(|) b angle.r)", "\\left\\langle a\\middle| b\\right\\rangle"},
      {"hat(x) tilde(y) dot(z) arrow(v) overline(a b)", "\\hat{x}\\tilde{y}\\dot{z}\\vec{v}\\overline{ab}"},
      {"x_(i j)^2 + x_1", "x_{ij}^{2}+x_1"},
      {"alpha <= beta != oo", "\\alpha\\leq\\beta\\neq\\infty"},
      {"a &= b \\ &= c", "\\begin{aligned}a&=b\\\\&=c\\end{aligned}"},
      {"binom(n, k) + overbrace(a + b, 2)", "\\binom{n}{k}+\\overbrace{a+b}^{2}"},
      {"bold(x) + bb(R) + 3.14", "\\mathbf{x}+\\mathbb{R}+3.14"},
  };
  for (const auto& [Typst, Latex] : Cases) {
    SCOPED_TRACE(Typst);
    const TReadResult Read = ReadTypst(QString::fromUtf8(Typst));
    ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
    EXPECT_EQ(Read.Data.toStdString(), Data(QString::fromUtf8(Latex)).toStdString());
  }
  // Primes are the prime accent (our LaTeX reader keeps an apostrophe); a string is text.
  EXPECT_TRUE(ReadTypst("x'").Data.contains("AccentPrime"));
  const TReadResult Words = ReadTypst("x \"if\" y");
  EXPECT_EQ(Words.Data, Data("x\\text{if}y"));
  EXPECT_TRUE(Words.Losses.isEmpty());
}

TEST(Typst, RefusesWhatItCannotHoldWithItsPlace) {
  const std::pair<const char*, int> Cases[] = {
      {"$ #let x = 1 $", 3}, {"a + foo", 5}, {"frac(a, b", 5}, {"x^", 2}, {"frac(a)", 1}, {"x_1_2", 4},
      {"mat(delim: \"/\", a)", 1}, {"colorbox(x)", 1},
  };
  for (const auto& [Typst, Column] : Cases) {
    SCOPED_TRACE(Typst);
    const TReadResult Read = ReadTypst(QString::fromUtf8(Typst));
    EXPECT_FALSE(Read.Ok());
    EXPECT_FALSE(Read.Error.isEmpty());
    EXPECT_EQ(Read.Column, Column) << Read.Message().toStdString();
  }
  EXPECT_FALSE(ReadTypst(QStringLiteral("a\u0001")).Ok());
}

// Every template with content in every slot, and the fuzz seeds and fixtures: each written
// formula compiles without a diagnostic and what it reads back to writes it again.
TEST(Typst, EveryTemplateCompilesAndReadsBackToTheSameTypst) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  QStringList Sources = EveryTemplateData();
  Sources += SeedData();
  QStringList Written;
  for (const QString& Source : Sources) Written << WriteTypst(ParseData(Source));
  const QStringList Diagnostics = TypstDiagnostics(Written);
  ASSERT_EQ(Diagnostics.size(), Written.size());
  for (qsizetype I = 0; I < Written.size(); ++I) {
    SCOPED_TRACE(Sources[I].toStdString() + "\n  as Typst: " + Written[I].toStdString());
    EXPECT_EQ(Diagnostics[I].toStdString(), "");
    const TReadResult Back = ReadTypst(Written[I]);
    ASSERT_TRUE(Back.Ok()) << Back.Message().toStdString();
    EXPECT_EQ(WriteTypst(ParseData(Back.Data)).toStdString(), Written[I].toStdString());
  }
  // What Typst has no construct for is written approximately and said so.
  QStringList Losses;
  WriteTypst(ParseData(TemplateData("LongDivision")), &Losses);
  EXPECT_EQ(Losses, QStringList{"a long division as a bracket and a bar"});
  WriteTypst(ParseData(Data("\\sum_i a + b")), &Losses);
  EXPECT_TRUE(Losses.isEmpty());
}

// Each name the reader knows is the character Typst's own sym module gives it (which adds
// the text presentation selector to characters that have an emoji form).
TEST(Typst, SymbolNamesAreTypstsOwn) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  QString Table;
  for (const auto& [Name, Char] : TypstSymbols())
    Table += QStringLiteral("(\"%1\", sym.%1, \"\\u{%2}\"),\n").arg(Name).arg(uint(Char), 0, 16);
  const QString Document = QStringLiteral("#let wrong = (\n%1).filter(t => str(t.at(1)).replace(\"\\u{fe0e}\", \"\") != t.at(2)).map(t => t.at(0))\n"
                                          "#if wrong.len() > 0 { panic(wrong.join(\", \")) }\n")
                               .arg(Table);
  const QStringList Diagnostics = TypstDiagnostics({Document});
  ASSERT_EQ(Diagnostics.size(), 1);
  EXPECT_EQ(Diagnostics.front().toStdString(), "");
  EXPECT_EQ(TypstSymbolChar("arrow.r"), U'\u2192');
  EXPECT_EQ(TypstSymbolName(U'\u2264'), "lt.eq");
}

// What Typst would read otherwise is written so that it reads back: letters apart (ab is
// a name), names and numbers whole, its syntax characters escaped, brackets without a
// partner escaped (they would pair with what follows or end a call), commas escaped in
// arguments, an empty argument as "", a big operator's sign alone escaped.
TEST(Typst, WritesWhatTypstWouldReadOtherwiseSoThatItReadsBack) {
  const std::pair<const char*, const char*> Cases[] = {
      {"a b \\sin x + 12.5", "$ a b sin x + 12.5 $"},
      {"\\#\\_ \\& /", "$ \\# \\_ \\& \\/ $"},
      {"[0, 1) + f(x)", "$ \\[ 0 , 1 \\) + f (x) $"},
      {"\\frac{a,b}{}", "$ frac(a \\, b, \"\") $"},
      {"\\left\\{ x \\right.", "$ lr(\\{ x) $"},
      {"{\\sum} x", "$ \\u{2211} x $"},
      {"\\sqrt[n]{x} \\binom{n}{k} \\tbinom{a}{b}", "$ root(n, x) binom(n, k) inline(binom(a, b)) $"},
      {"\\int\\limits_0^1 \\sum\\nolimits_i \\lim_{x} \\mathop{foo}\\limits_y",
       "$ limits(integral)_0^1 scripts(sum)_i lim_x op(f o o, limits: #true)_y $"},
  };
  for (const auto& [Latex, Expected] : Cases) {
    SCOPED_TRACE(Latex);
    const TReadResult Read = ReadLatex(QString::fromUtf8(Latex));
    ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
    const QString Written = WriteTypst(ParseData(Read.Data));
    EXPECT_EQ(Written.toStdString(), Expected);
    EXPECT_EQ(WriteTypst(ParseData(ReadTypst(Written).Data)).toStdString(), Expected);
  }
  // An operand the reader would run on past is not marked off in Typst: said so.
  TFormula Formula = ParseData(Data("\\sum_i{a} + b"));
  QStringList Losses;
  WriteTypst(Formula, &Losses);
  EXPECT_EQ(Losses, QStringList{"a big operator's operand not marked off"});
  EXPECT_EQ(WriteTypst(TFormula()), "$ $");
  EXPECT_EQ(WriteTypst(ParseData(Data("x")), nullptr, false), "x");
}
