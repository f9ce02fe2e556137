// Renders a formula given as Data text into a PNG, the editor sized to its content.
//
//   ZelkRenderFormula INPUT.txt OUTPUT.png [POINT_SIZE]
//
// Runs without a display (offscreen platform unless QT_QPA_PLATFORM says otherwise).

#include <QApplication>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <exception>

#include "editor/Equations.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s INPUT.txt OUTPUT.png [POINT_SIZE]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QFile Input(QString::fromLocal8Bit(argv[1]));
  if (!Input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  TZelkEquation Editor;
  if (argc > 3) {
    const int Size = QString::fromLocal8Bit(argv[3]).toInt();
    if (Size <= 0) {
      std::fprintf(stderr, "POINT_SIZE must be a whole number above 0\n");
      return 2;
    }
    QFont Font = Editor.font();
    Font.setPointSize(Size);
    Editor.setFont(Font);
  }
  try {
    Editor.SetData(QString::fromUtf8(Input.readAll()));
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "cannot read the formula: %s\n", Error.what());
    return 1;
  }
  const int FS = Editor.Font().Size();
  Editor.resize(Editor.CalcWidth() + FS, Editor.CalcHeight(Editor.LineCount()));
  if (!Editor.grab().toImage().save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
