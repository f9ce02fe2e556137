// The readers on mangled input: no crash, no hang, a refusal or a formula; whatever is
// read writes back and reads again to itself.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <random>

#include "InterchangeSupport.h"
#include "interchange/AsciiMath.h"
#include "interchange/MathML.h"
#include "interchange/Typst.h"

namespace {
// Cuts, copies and swaps pieces of Text, and drops in characters the readers care about.
QString Mangle(QString Text, std::mt19937& Random) {
  static const QString Specials = QStringLiteral("{}[]()^_&\\%$#~<>/\"'=\n ");
  const int Steps = 1 + static_cast<int>(Random() % 4);
  for (int S = 0; S < Steps && !Text.isEmpty(); ++S) {
    const auto At = static_cast<qsizetype>(Random() % Text.size());
    const auto Length = static_cast<qsizetype>(Random() % 8);
    switch (Random() % 4) {
      case 0: Text.remove(At, Length); break;
      case 1: Text.insert(At, Specials[static_cast<qsizetype>(Random() % Specials.size())]); break;
      case 2: Text.insert(At, Text.mid(static_cast<qsizetype>(Random() % Text.size()), Length * 4)); break;
      default: Text[At] = QChar(static_cast<char16_t>(Random() % 0x3000)); break;
    }
  }
  return Text;
}

void ExpectStable(const TReadResult& Read) {
  if (!Read.Ok()) {
    EXPECT_TRUE(Read.Data.isEmpty());
    EXPECT_GE(Read.Line, 1);
    return;
  }
  const TFormula Formula = ParseData(Read.Data);
  EXPECT_EQ(ReadLatex(WriteLatex(Formula, false)).Data.toStdString(), Read.Data.toStdString());
  // Without the Data copy, MathML drops the characters XML cannot carry, and says so.
  const TReadResult Again = ReadMathML(WriteMathML(Formula, false));
  if (Again.Losses.filter("cannot carry").isEmpty()) {
    EXPECT_EQ(Again.Data.toStdString(), Read.Data.toStdString());
  }
}
}  // namespace

TEST(InterchangeRobustness, MangledLatexAndMathMLAreReadOrRefusedAndWhatIsReadIsStable) {
  QStringList Latex, MathML;
  for (const QString& Data : EveryTemplateData()) {
    Latex << WriteLatex(ParseData(Data), false);
    MathML << WriteMathML(ParseData(Data), false);
  }
  std::mt19937 Random(20261208);
  QElapsedTimer Clock;
  Clock.start();
  int Read = 0;
  for (int I = 0; I < 30000; ++I) {
    const QString L = Mangle(Latex[I % Latex.size()], Random);
    const TReadResult FromLatex = ReadLatex(L);
    SCOPED_TRACE(L.toStdString());
    ExpectStable(FromLatex);
    const QString M = Mangle(MathML[I % MathML.size()], Random);
    const TReadResult FromMathML = ReadMathML(M);
    SCOPED_TRACE(M.toStdString());
    ExpectStable(FromMathML);
    Read += FromLatex.Ok() + FromMathML.Ok();
  }
  // Both outcomes occur, and none takes long.
  EXPECT_GT(Read, 5000);
  EXPECT_LT(Read, 60000);
  EXPECT_LT(Clock.elapsed(), 60000);
}

// The same for Typst (what it reads writes Typst that reads to itself) and AsciiMath.
TEST(InterchangeRobustness, MangledTypstAndAsciiMathAreReadOrRefusedAndWhatIsReadIsStable) {
  QStringList Typst;
  for (const QString& Data : EveryTemplateData()) Typst << WriteTypst(ParseData(Data));
  const QStringList Ascii = ReadFile(QStringLiteral(ZELK_FIXTURES_DIR "/AsciiMath.txt")).split(u'\n', Qt::SkipEmptyParts);
  std::mt19937 Random(20261209);
  int Read = 0;
  for (int I = 0; I < 10000; ++I) {
    const QString T = Mangle(Typst[I % Typst.size()], Random);
    SCOPED_TRACE(T.toStdString());
    const TReadResult FromTypst = ReadTypst(T);
    ExpectStable(FromTypst);
    if (FromTypst.Ok()) {
      const QString Again = WriteTypst(ParseData(FromTypst.Data));
      EXPECT_EQ(WriteTypst(ParseData(ReadTypst(Again).Data)).toStdString(), Again.toStdString());
    }
    const QString A = Mangle(Ascii[I % Ascii.size()], Random);
    SCOPED_TRACE(A.toStdString());
    const TReadResult FromAscii = ReadAsciiMath(A);
    ExpectStable(FromAscii);
    Read += FromTypst.Ok() + FromAscii.Ok();
  }
  EXPECT_GT(Read, 2000);
  EXPECT_LT(Read, 20000);
}
