// Renders a formula given as Data text into a picture; the format follows the output's
// extension (png, svg, pdf).
//
//   ZelkRenderFormula INPUT.txt OUTPUT.png|svg|pdf [POINT_SIZE] [--scale N] [--marks]
//                     [--transparent] [--typesetting classic|math]
//
// --marks draws the caret, the slot frames and the editor's frame as the editor shows
// them. Runs without a display (offscreen platform unless QT_QPA_PLATFORM says otherwise).

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <exception>

#include "editor/Equations.h"
#include "interchange/ImageExport.h"

namespace {
int Usage(const char* Program) {
  std::fprintf(stderr,
               "usage: %s INPUT.txt OUTPUT.png|svg|pdf [POINT_SIZE] [--scale N] [--marks] "
               "[--transparent] [--typesetting classic|math]\n",
               Program);
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QStringList Positional;
  TRenderOptions Options;
  TTypesetting Typesetting = TTypesettings::Classic;
  const QStringList Arguments = App.arguments().mid(1);
  for (int I = 0; I < Arguments.size(); ++I) {
    const QString& A = Arguments[I];
    if (A == QLatin1String("--marks")) {
      Options.EditingMarks = true;
    } else if (A == QLatin1String("--transparent")) {
      Options.Transparent = true;
    } else if (A == QLatin1String("--typesetting") && I + 1 < Arguments.size()) {
      const QString Name = Arguments[++I];
      if (Name != QLatin1String("classic") && Name != QLatin1String("math")) {
        std::fprintf(stderr, "--typesetting takes classic or math\n");
        return 2;
      }
      Typesetting = Name == QLatin1String("math") ? TTypesettings::Math : TTypesettings::Classic;
    } else if (A == QLatin1String("--scale") && I + 1 < Arguments.size()) {
      bool Ok = false;
      Options.Scale = Arguments[++I].toDouble(&Ok);
      if (!Ok || !(Options.Scale > 0) || Options.Scale > 64) {
        std::fprintf(stderr, "--scale takes a number above 0 and at most 64\n");
        return 2;
      }
    } else {
      Positional.append(A);
    }
  }
  if (Positional.size() < 2 || Positional.size() > 3) return Usage(argv[0]);
  TImageFormat Format;
  if (!ImageFormatOfFile(Positional[1], Format)) {
    std::fprintf(stderr, "the output must end in .png, .svg or .pdf\n");
    return 2;
  }
  QFile Input(Positional[0]);
  if (!Input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(Positional[0]));
    return 1;
  }
  TZelkEquation Editor;
  Editor.SetTypesetting(Typesetting);
  if (Positional.size() > 2) {
    const int Size = Positional[2].toInt();
    if (Size <= 0) {
      std::fprintf(stderr, "POINT_SIZE must be a whole number above 0\n");
      return 2;
    }
    QFont Font = Editor.font();
    Font.setPointSize(Size);
    Editor.setFont(Font);
  }
  try {
    Editor.SetData(QString::fromUtf8(Input.readAll()).trimmed());
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "cannot read the formula: %s\n", Error.what());
    return 1;
  }
  // With the marks the picture is the editor as shown, sized to its content.
  if (Options.EditingMarks) Editor.resize(Editor.RenderSize());
  QSaveFile Output(Positional[1]);
  QString Error;
  if (!Output.open(QIODevice::WriteOnly) || !WriteImage(Editor, Format, Output, Options, &Error) ||
      !Output.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(Positional[1]),
                 qPrintable(Error.isEmpty() ? Output.errorString() : Error));
    return 1;
  }
  return 0;
}
