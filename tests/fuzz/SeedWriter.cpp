// Writes the seeds of the LaTeX and MathML fuzz targets: every Data seed the editor reads
// whole, in both forms, with and without the exact copy.
//   ZelkFuzzSeeds DATA-SEEDS LATEX-SEEDS MATHML-SEEDS

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <exception>

#include "interchange/Formula.h"
#include "interchange/Latex.h"
#include "interchange/MathML.h"

namespace {
void Write(const QString& Path, const QString& Text) {
  QFile File(Path);
  if (File.open(QIODevice::WriteOnly)) File.write(Text.toUtf8());
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication Application(argc, argv);
  const QStringList Arguments = Application.arguments();
  if (Arguments.size() != 4) {
    std::fprintf(stderr, "usage: ZelkFuzzSeeds DATA-SEEDS LATEX-SEEDS MATHML-SEEDS\n");
    return 2;
  }
  const QDir Data(Arguments[1]), Latex(Arguments[2]), MathML(Arguments[3]);
  QDir().mkpath(Latex.path());
  QDir().mkpath(MathML.path());
  int Written = 0;
  for (const QString& Name : Data.entryList(QDir::Files)) {
    QFile File(Data.filePath(Name));
    // Long seeds only slow the fuzzer down; the short ones hold every construct.
    if (!File.open(QIODevice::ReadOnly) || File.size() > 4096) continue;
    TFormula Formula;
    try {
      Formula = ParseData(QString::fromUtf8(File.readAll()));
    } catch (const std::exception&) {
      continue;
    }
    if (!LimitProblem(Formula).isEmpty() || Formula.Lines.empty()) continue;
    Write(Latex.filePath(Name + ".tex"), WriteLatex(Formula, false));
    Write(Latex.filePath(Name + "-exact.tex"), WriteLatex(Formula, true));
    Write(MathML.filePath(Name + ".mml"), WriteMathML(Formula, false));
    Write(MathML.filePath(Name + "-exact.mml"), WriteMathML(Formula, true));
    ++Written;
  }
  std::printf("%d seeds written in each form\n", Written);
  return 0;
}
