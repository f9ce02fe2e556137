// Uses the installed package through the headers a new program includes and the Qt-style
// names only, with a language name of its own at global scope. Exits 0 when all is well.
#include <QApplication>
#include <ZelkEquations/Equation.h>
#include <ZelkEquations/Interchange.h>
#include <ZelkEquations/Palette.h>
#include <cstdio>

// The package's language names stay in its classes and namespace.
constexpr int lEnglish = 1;

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  Zelk::Equation Editor;
  Zelk::Palette Palette;
  Palette.setEquation(&Editor);
  Palette.setLanguage(Zelk::lEnglish);
  QString Announced;
  QObject::connect(&Editor, &Zelk::Equation::dataChanged, [&](const QString& Data) { Announced = Data; });
  Editor.setLatex(QStringLiteral("\\frac{a}{b}"));
  const QString Expected = QStringLiteral("EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))");
  if (Editor.data() != Expected || Announced != Expected || Palette.equation() != &Editor ||
      Palette.language() != Zelk::Language::lEnglish || lEnglish != 1) {
    std::fprintf(stderr, "ZelkQtNames: the Qt-style names did not hold\n");
    return 1;
  }
  std::printf("ZelkQtNames: %s\n", qPrintable(ReadMathML(Editor.mathML()).Data));
  return 0;
}
