// The amsmath test document as a corpus of formulas other people wrote: each is read
// exactly, read with a stated loss, or refused with a message; whatever is read writes
// LaTeX that KaTeX parses and that reads back to the same formula.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <iostream>

#include "InterchangeSupport.h"
#include "Validators.h"
#include "interchange/MathML.h"
#include "interchange/Typst.h"

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

// The formulas of the amsmath test document and the math sheet's reference formulas that
// our LaTeX reader takes (a document's own commands aside), with what it makes of them.
void ReadCorpus(std::vector<std::pair<QString, bool>>& Read, std::vector<TReadResult>& FromLatex) {
  std::vector<std::pair<QString, bool>> Corpus;
  for (const TCorpusFormula& Formula : Formulas(Body(Unzipped(TestMath)))) Corpus.push_back({Formula.Text, Formula.Display});
  static const QRegularExpression SheetRow("^\\| [\\w-]+ \\| `(.+)` \\| [\\d.]+ \\| [\\d.]+ \\|$", QRegularExpression::MultilineOption);
  const QString Sheet = ReadFile(QStringLiteral(ZELK_TEST_SOURCE_DIR "/../docs/math-sheet.md"));
  for (auto It = SheetRow.globalMatch(Sheet); It.hasNext();)
    Corpus.push_back({It.next().captured(1).replace("\\|", "|"), true});
  for (const auto& [Text, Display] : Corpus) {
    TLatexReadOptions Options;
    Options.Display = Display;
    const TReadResult Result = ReadLatex(Text, Options);
    if (!Result.Ok()) continue;
    Read.push_back({Text, Display});
    FromLatex.push_back(Result);
  }
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

// The formulas other people wrote, read by the programs they are written for: the MathML
// that Temml and KaTeX make of each formula of the amsmath test document and of the math
// sheet's reference formulas reads, with our MathML reader, to what our LaTeX reader makes
// of the formula, or one of the readings states a loss, or the MathML reader refuses it
// with a message. What still differs without a word is counted and may not grow: primes
// (u' is an apostrophe to our LaTeX reader, a prime over u in their MathML), amsmath's \dots
// that becomes \cdots between operators, \overset over an arrow, KaTeX's | as U+2223 and \,
// as a thin space character.
TEST(Corpus, WhatTemmlAndKatexWriteOfTheCorpusReadsAsItsLatex) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  ASSERT_TRUE(QFile::exists(TestMath)) << "install texlive-latex-base-doc (tools/install-deps.sh)";
  std::vector<std::pair<QString, bool>> Read;
  std::vector<TReadResult> FromLatex;
  ReadCorpus(Read, FromLatex);
  ASSERT_GE(Read.size(), 150u);
  const std::vector<TProducedMathML> Produced = ProducerMathML(Read);
  ASSERT_EQ(Produced.size(), Read.size());
  const bool Verbose = qEnvironmentVariableIsSet("ZELK_CORPUS_VERBOSE");
  for (const char* Producer : {"Temml", "KaTeX"}) {
    int Same = 0, Lossy = 0, Refused = 0, Silent = 0, Unwritten = 0;
    for (size_t I = 0; I < Read.size(); ++I) {
      const QString& MathML = QLatin1String(Producer) == QLatin1String("Temml") ? Produced[I].Temml : Produced[I].Katex;
      if (MathML.isEmpty()) {
        ++Unwritten;
        continue;
      }
      TReadResult Result = ReadMathML(MathML);
      // The minus sign is what TeX sets for -: the same formula.
      Result.Data.replace(QStringLiteral("Simple(\u2212)"), QStringLiteral("Simple(-)"));
      if (!Result.Ok()) {
        ++Refused;
        EXPECT_FALSE(Result.Error.isEmpty());
      } else if (Result.Data == FromLatex[I].Data) {
        ++Same;
      } else if (!Result.Losses.isEmpty() || !FromLatex[I].Losses.isEmpty()) {
        ++Lossy;
      } else {
        ++Silent;
        if (Verbose)
          std::cout << Producer << " differs without a word: " << Read[I].first.toStdString() << "\n  LaTeX:  "
                    << FromLatex[I].Data.toStdString() << "\n  MathML: " << Result.Data.toStdString() << "\n";
      }
      if (Verbose && Result.Data != FromLatex[I].Data)
        std::cout << Producer << ": " << Read[I].first.toStdString() << " -> "
                  << (Result.Ok() ? Result.Losses.join("; ") : Result.Error).toStdString() << "\n";
    }
    std::cout << Producer << " MathML of " << Read.size() << " formulas: " << Same << " read the same, " << Lossy
              << " differ with a stated loss, " << Refused << " refused, " << Silent << " differ silently, "
              << Unwritten << " not written by " << Producer << "\n";
    EXPECT_GE(Same, static_cast<int>(Read.size()) * 79 / 100) << Producer;
    // The known kinds (primes, \dots, KaTeX's | and \,) in the aligned lines read since.
    // KaTeX writes \cfrac as a fraction like any other, text holding math as words beside
    // the math (the text kind keeps it inside), and its equation numbers in <mtext>, which
    // read as text now rather than with a loss.
    EXPECT_LE(Silent, QLatin1String(Producer) == QLatin1String("Temml") ? 8 : 21) << Producer;
  }
}

// Every formula of the corpus written as Typst is set by the Typst compiler without a
// diagnostic, reads back to what writes the same Typst again, and to the same formula
// unless the writer or the reader states a loss.
TEST(Corpus, EveryFormulaWrittenAsTypstCompilesAndReadsBackToItself) {
  QString Why;
  ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  ASSERT_TRUE(QFile::exists(TestMath)) << "install texlive-latex-base-doc (tools/install-deps.sh)";
  std::vector<std::pair<QString, bool>> Read;
  std::vector<TReadResult> FromLatex;
  ReadCorpus(Read, FromLatex);
  ASSERT_GE(Read.size(), 150u);
  QStringList Written;
  std::vector<QStringList> WriterLosses;
  for (const TReadResult& Result : FromLatex) {
    WriterLosses.emplace_back();
    Written << WriteTypst(ParseData(Result.Data), &WriterLosses.back());
  }
  const QStringList Diagnostics = TypstDiagnostics(Written);
  ASSERT_EQ(Diagnostics.size(), Written.size());
  int Clean = 0, Same = 0, Lossy = 0, Silent = 0;
  for (qsizetype I = 0; I < Written.size(); ++I) {
    SCOPED_TRACE(Read[I].first.toStdString() + "\n  as Typst: " + Written[I].toStdString());
    EXPECT_EQ(Diagnostics[I].toStdString(), "");
    Clean += Diagnostics[I].isEmpty();
    const TReadResult Back = ReadTypst(Written[I]);
    ASSERT_TRUE(Back.Ok()) << Back.Message().toStdString();
    EXPECT_EQ(WriteTypst(ParseData(Back.Data)).toStdString(), Written[I].toStdString());
    if (Back.Data == FromLatex[I].Data) ++Same;
    else if (!Back.Losses.isEmpty() || !WriterLosses[I].isEmpty()) ++Lossy;
    else ++Silent;
    if (Back.Data != FromLatex[I].Data && qEnvironmentVariableIsSet("ZELK_CORPUS_VERBOSE"))
      std::cout << "Typst: " << Written[I].toStdString() << "\n  LaTeX: " << FromLatex[I].Data.toStdString()
                << "\n  Typst: " << Back.Data.toStdString() << "\n";
  }
  std::cout << "Typst of " << Written.size() << " formulas: " << Clean << " set without a diagnostic, " << Same
            << " read back the same, " << Lossy << " with a stated loss, " << Silent << " differ silently\n";
  EXPECT_GE(Same, static_cast<int>(Written.size()) * 9 / 10);
  EXPECT_LE(Silent, 10);
}

namespace {
// pandoc's output for a document, or a null string when pandoc does not run.
QString Pandoc(const QString& From, const QString& To, const QString& Document) {
  QProcess Process;
  QStringList Arguments{"-f", From, "-t", To, "--wrap=none"};
  if (To == QLatin1String("html")) Arguments << "--mathml";
  Process.start("pandoc", Arguments);
  if (!Process.waitForStarted(10000)) return QString();
  Process.write(Document.toUtf8());
  Process.closeWriteChannel();
  Process.waitForFinished(300000);
  return QString::fromUtf8(Process.readAllStandardOutput());
}

struct TCounts {
  int Same = 0, Lossy = 0, Silent = 0, Unread = 0;
};

// How what pandoc made of our text reads back, against the Data it was written from.
void Count(const TReadResult& Back, const QString& Data, TCounts& Counts) {
  if (!Back.Ok()) ++Counts.Unread;
  else if (Back.Data == Data) ++Counts.Same;
  else if (!Back.Losses.isEmpty()) ++Counts.Lossy;
  else ++Counts.Silent;
  if (Back.Ok() && Back.Data != Data && Back.Losses.isEmpty() && qEnvironmentVariableIsSet("ZELK_CORPUS_VERBOSE"))
    std::cout << "pandoc, silently:\n  ours:   " << Data.toStdString() << "\n  pandoc: " << Back.Data.toStdString() << "\n";
}
}  // namespace

// pandoc (Debian's, optional) reads the LaTeX and the MathML we write of the corpus: its
// MathML of our LaTeX and its LaTeX of our MathML read back to the formula, or a loss is
// stated. What still differs silently is counted and may not grow: pandoc marks every
// pair of parentheses and braces as fences (read as bracket elements), writes aligned
// lines as a plain table (read as a matrix) and a hyphen as a minus sign.
TEST(Corpus, PandocReadsOurLatexAndMathML) {
  if (Pandoc("latex", "html", "$x$").isNull()) GTEST_SKIP() << "pandoc is not installed (tools/install-deps.sh installs it)";
  ASSERT_TRUE(QFile::exists(TestMath)) << "install texlive-latex-base-doc (tools/install-deps.sh)";
  std::vector<std::pair<QString, bool>> Read;
  std::vector<TReadResult> FromLatex;
  ReadCorpus(Read, FromLatex);
  QString LatexDocument, HtmlDocument;
  for (const TReadResult& Result : FromLatex) {
    const TFormula Formula = ParseData(Result.Data);
    LatexDocument += "$$" + WriteLatex(Formula, false) + "$$\n\n";
    HtmlDocument += "<p>" + WriteMathML(Formula, false) + "</p>\n";
  }
  // Display math pandoc could not convert stays TeX in a span.
  static const QRegularExpression MathOut("<math\\b.*?</math>|<span class=\"math display\">.*?</span>",
                                          QRegularExpression::DotMatchesEverythingOption);
  QStringList Html;
  for (auto It = MathOut.globalMatch(Pandoc("latex", "html", LatexDocument)); It.hasNext();) Html << It.next().captured(0);
  ASSERT_EQ(Html.size(), static_cast<qsizetype>(FromLatex.size()));
  QStringList Latex = Pandoc("html", "latex", HtmlDocument).split("\n\n", Qt::SkipEmptyParts);
  ASSERT_EQ(Latex.size(), static_cast<qsizetype>(FromLatex.size()));
  TCounts FromOurLatex, FromOurMathML;
  int Unconverted = 0;
  for (size_t I = 0; I < FromLatex.size(); ++I) {
    const QString& Data = FromLatex[I].Data;
    if (Html[I].startsWith("<span")) {
      ++Unconverted;
      ++FromOurLatex.Unread;
    } else {
      Count(ReadMathML(Html[I]), Data, FromOurLatex);
    }
    QString Tex = Latex[I].trimmed();
    if (Tex.startsWith("\\[") && Tex.endsWith("\\]")) Tex = Tex.mid(2, Tex.size() - 4);
    Count(ReadLatex(Tex), Data, FromOurMathML);
  }
  const auto Print = [](const char* What, const TCounts& C, size_t Total) {
    std::cout << What << " of " << Total << " formulas: " << C.Same << " read back the same, " << C.Lossy
              << " with a stated loss, " << C.Silent << " differ silently, " << C.Unread << " not read\n";
  };
  Print("pandoc's MathML of our LaTeX", FromOurLatex, FromLatex.size());
  Print("pandoc's LaTeX of our MathML", FromOurMathML, FromLatex.size());
  // pandoc converts all of our LaTeX but \underrightarrow and \cfrac, which its TeX
  // reader (2.17) does not know.
  EXPECT_LE(Unconverted, 2);
  EXPECT_GE(FromOurLatex.Same, static_cast<int>(FromLatex.size()) * 3 / 4);
  EXPECT_GE(FromOurMathML.Same, static_cast<int>(FromLatex.size()) * 3 / 4);
  // pandoc sets text holding math as words beside the math, both ways.
  EXPECT_LE(FromOurLatex.Silent, 50);
  // It writes a continued fraction back as \frac and spaces as \mspace.
  EXPECT_LE(FromOurMathML.Silent, 93);
}
