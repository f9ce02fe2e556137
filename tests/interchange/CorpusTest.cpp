// The amsmath test document as a corpus of formulas other people wrote: each is read
// exactly, read with a stated loss, or refused with a message; whatever is read writes
// LaTeX that KaTeX parses and that reads back to the same formula.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <iostream>

#include "Validators.h"
#include "interchange/MathML.h"

namespace {
// Debian's texlive-latex-base-doc; its notice allows only unchanged copies, so it is read
// where the package puts it.
const QString TestMath = QStringLiteral("/usr/share/doc/texlive-doc/latex/amsmath/testmath.tex.gz");

struct TCorpusFormula {
  QString Text;
  bool Display;
};

QString Unzipped(const QString& Path) {
  QProcess Gzip;
  Gzip.start("gzip", {"-dc", Path});
  Gzip.waitForFinished(60000);
  return QString::fromUtf8(Gzip.readAllStandardOutput());
}

// The document body without comments and verbatim text.
QString Body(const QString& Source) {
  QString Text = Source.mid(qMax<qsizetype>(0, Source.indexOf("\\begin{document}")));
  Text.remove(QRegularExpression("\\\\begin\\{verbatim\\}.*?\\\\end\\{verbatim\\}",
                                 QRegularExpression::DotMatchesEverythingOption));
  Text.remove(QRegularExpression("\\\\verb(.).*?\\1"));
  Text.remove(QRegularExpression("(?<!\\\\)%[^\n]*"));
  return Text;
}

// $...$, \(...\), \[...\], $$...$$ and the display environments, whole.
std::vector<TCorpusFormula> Formulas(const QString& Body) {
  static const QRegularExpression Pattern(
      "\\$\\$(.+?)\\$\\$|(?<!\\\\)\\$(.+?)(?<!\\\\)\\$|\\\\\\((.+?)\\\\\\)|\\\\\\[(.+?)\\\\\\]|"
      "(\\\\begin\\{(equation|align|gather|multline|alignat|flalign)(\\*?)\\}.*?\\\\end\\{\\6\\7\\})",
      QRegularExpression::DotMatchesEverythingOption);
  std::vector<TCorpusFormula> Result;
  for (auto It = Pattern.globalMatch(Body); It.hasNext();) {
    const auto Match = It.next();
    if (!Match.captured(2).isNull()) Result.push_back({Match.captured(2), false});
    else if (!Match.captured(3).isNull()) Result.push_back({Match.captured(3), false});
    else if (!Match.captured(1).isNull()) Result.push_back({Match.captured(1), true});
    else if (!Match.captured(4).isNull()) Result.push_back({Match.captured(4), true});
    else Result.push_back({Match.captured(5), true});
  }
  return Result;
}
}  // namespace

TEST(Corpus, TheAmsmathTestDocumentIsReadExactlyWithLossOrRefusedWithAMessage) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  ASSERT_TRUE(QFile::exists(TestMath)) << "install texlive-latex-base-doc (tools/install-deps.sh)";
  const QString Source = Unzipped(TestMath);
  const std::vector<TCorpusFormula> Corpus = Formulas(Body(Source));
  // The document's own commands, as a reader of the document would have them.
  const TLatexMacros Macros = ReadLatexMacros(Source.left(Source.indexOf("\\begin{document}")));
  EXPECT_EQ(Macros.value("abs").Body, "\\left\\lvert#1\\right\\rvert");
  int Exact = 0, Lossy = 0, Refused = 0;
  QStringList Written, Data;
  QMap<QString, int> Reasons, LossReasons;
  for (const TCorpusFormula& Formula : Corpus) {
    TLatexReadOptions Options;
    Options.Display = Formula.Display;
    Options.Macros = Macros;
    const TReadResult Read = ReadLatex(Formula.Text, Options);
    if (!Read.Ok()) {
      ++Refused;
      EXPECT_FALSE(Read.Error.isEmpty());
      ++Reasons[Read.Error];
      if (qEnvironmentVariableIsSet("ZELK_CORPUS_VERBOSE")) std::cout << Read.Message().toStdString() << ": " << Formula.Text.toStdString() << "\n";
      continue;
    }
    ++(Read.Losses.isEmpty() ? Exact : Lossy);
    for (const QString& Loss : Read.Losses) ++LossReasons[Loss];
    Written << WriteLatex(ParseData(Read.Data), false);
    Data << Read.Data;
  }
  std::cout << "testmath.tex: " << Corpus.size() << " formulas, " << Exact << " read exactly, " << Lossy
            << " with a stated loss, " << Refused << " refused\n";
  for (auto It = Reasons.cbegin(); It != Reasons.cend(); ++It)
    if (It.value() > 2) std::cout << "  " << It.value() << " x " << It.key().toStdString() << "\n";
  for (auto It = LossReasons.cbegin(); It != LossReasons.cend(); ++It)
    if (It.value() > 2) std::cout << "  lost in " << It.value() << ": " << It.key().toStdString() << "\n";
  EXPECT_GT(Corpus.size(), 450u);
  EXPECT_GT(Exact + Lossy, static_cast<int>(Corpus.size()) / 2);

  // What was read writes LaTeX that KaTeX parses and that reads back to the same formula,
  // and valid MathML that does the same, all without the Data copy.
  const std::vector<TLatexCheck> Checks = CheckLatex(Written);
  ASSERT_EQ(Checks.size(), static_cast<size_t>(Written.size()));
  QStringList MathML;
  for (int I = 0; I < Written.size(); ++I) {
    SCOPED_TRACE(Written[I].toStdString());
    EXPECT_EQ(Checks[I].KatexError.toStdString(), "");
    EXPECT_EQ(ReadLatex(Written[I]).Data, Data[I]);
    MathML << WriteMathML(ParseData(Data[I]), false);
    EXPECT_EQ(ReadMathML(MathML.back()).Data, Data[I]);
  }
  EXPECT_EQ(ValidateMathML(MathML).toStdString(), "");
}
