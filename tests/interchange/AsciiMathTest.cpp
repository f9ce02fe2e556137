// AsciiMath read as MathJax's AsciiMath input reads it: for a corpus of what learning
// platforms store, the MathML we write of what we read has the structure of the MathML
// MathJax makes of the same text, or a loss is stated.
#include <gtest/gtest.h>

#include <iostream>

#include "InterchangeSupport.h"
#include "Validators.h"
#include "interchange/AsciiMath.h"
#include "interchange/MathML.h"

namespace {
// The same mark written as different characters: the spacing accents we write and the
// ASCII ones MathJax writes, a minus sign and a hyphen, two dots and three, the angle
// brackets and double bars of either.
QString Normalized(QString Structure) {
  const std::pair<const char*, const char*> Same[] = {
      {"\u02C6", "^"}, {"\u02DC", "~"}, {"\u203E", "\u00AF"}, {"\u02D9", "."}, {"\u00A8", ". ."}, {"\u2212", "-"},
      {"\u2026", ". . ."}, {"\u27E8", "\u3008"}, {"\u27E9", "\u3009"}, {"\u2016", "\u2225"}, {"\u0332", "_"},
      {"\u2329", "\u3008"}, {"\u232A", "\u3009"}};
  for (const auto& [Ours, Theirs] : Same) Structure.replace(QString::fromUtf8(Ours), QString::fromUtf8(Theirs));
  return Structure;
}
}  // namespace

TEST(AsciiMath, WhatMathJaxReadsAsAStructureReadsAsTheSameStructure) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  const QStringList Texts = ReadFile(QStringLiteral(ZELK_FIXTURES_DIR "/AsciiMath.txt")).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_GE(Texts.size(), 80);
  const QJsonArray Theirs = RunValidator("asciimath.js", QJsonArray::fromStringList(Texts));
  ASSERT_EQ(Theirs.size(), Texts.size());
  int Same = 0, Lossy = 0, Silent = 0;
  for (qsizetype I = 0; I < Texts.size(); ++I) {
    SCOPED_TRACE(Texts[I].toStdString());
    const TReadResult Ours = ReadAsciiMath(Texts[I]);
    ASSERT_TRUE(Ours.Ok()) << Ours.Message().toStdString();
    const QString Mine = Normalized(MathMLStructure(WriteMathML(ParseData(Ours.Data), false)));
    const QString Their = Normalized(MathMLStructure(Theirs[I].toString()));
    if (Mine == Their) {
      ++Same;
      continue;
    }
    ++(Ours.Losses.isEmpty() ? Silent : Lossy);
    if (qEnvironmentVariableIsSet("ZELK_CORPUS_VERBOSE"))
      std::cout << Texts[I].toStdString() << "\n  ours:    " << Mine.toStdString() << "\n  MathJax: " << Their.toStdString()
                << "\n";
  }
  std::cout << "AsciiMath, " << Texts.size() << " formulas: " << Same << " read as MathJax reads them, " << Lossy
            << " differ with a stated loss, " << Silent << " differ silently\n";
  // MathJax sets if, and, or as text; we read their letters, and say so.
  EXPECT_GE(Same, static_cast<int>(Texts.size()) - 2);
  EXPECT_EQ(Silent, 0);
}

TEST(AsciiMath, RefusesWhatIsIncompleteWithItsPlace) {
  const std::pair<const char*, int> Cases[] = {{"x^", 2}, {"(a + b", 1}, {"/b", 1}, {"frac(a)", 1}, {"text x", 1}};
  for (const auto& [Text, Column] : Cases) {
    SCOPED_TRACE(Text);
    const TReadResult Read = ReadAsciiMath(QString::fromUtf8(Text));
    EXPECT_FALSE(Read.Ok());
    EXPECT_EQ(Read.Column, Column) << Read.Message().toStdString();
  }
  // What stays is read as LaTeX would have it.
  EXPECT_EQ(ReadAsciiMath("sum_(i=1)^n i^2").Data, ReadLatex("\\sum_{i=1}^{n} i^{2}").Data);
  EXPECT_EQ(ReadAsciiMath("[[a,b],[c,d]]").Data, ReadLatex("\\begin{bmatrix}a&b\\\\c&d\\end{bmatrix}").Data);
}

// What platforms store reads as the LaTeX that means the same.
TEST(AsciiMath, ReadsAsTheSameLatex) {
  const std::pair<const char*, const char*> Cases[] = {
      {"f(x)/2", "\\frac{f\\left(x\\right)}{2}"},
      {"sin^2 x", "\\sin^{2} x"},
      {"{(1, x > 0),(0, x <= 0):}", "\\begin{cases}1&x>0\\\\0&x\\leq 0\\end{cases}"},
      {"((a,b),(c,d))", "\\begin{pmatrix}a&b\\\\c&d\\end{pmatrix}"},
      {"bbb R + bb x + cc A", "\\mathbb{R}+\\mathbf{x}+\\mathcal{A}"},
      {"root(3)(x) + sqrt(y)", "\\sqrt[3]{x}+\\sqrt{y}"},
      {"lim_(x->oo) 1/x = 0", "\\lim_{x\\to\\infty}\\frac{1}{x}=0"},
      {"a_(i,j) != b", "a_{i,j}\\neq b"},
  };
  for (const auto& [Ascii, Latex] : Cases) {
    SCOPED_TRACE(Ascii);
    const TReadResult Read = ReadAsciiMath(QString::fromUtf8(Ascii));
    ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
    EXPECT_EQ(Read.Data.toStdString(), ReadLatex(QString::fromUtf8(Latex)).Data.toStdString());
  }
}
