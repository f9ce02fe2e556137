// ZelkEqDemo: the formula editor and its palette on one window.
//
//   ZelkEqDemo [FILE]     FILE: a formula as Data text to start with
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QSettings>

#include "demo/main.h"
#include "editor/ZelkEquation.h"

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  // The application's title; as its display name Qt would append it to every window title.
  QApplication::setApplicationName(QStringLiteral("Zelk Eqations"));
  QApplication::setApplicationVersion(QStringLiteral(ZELK_DEMO_VERSION));
  QApplication::setOrganizationName(QStringLiteral("ZelkEquations"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/ZelkEqDemo/ZelkEqDemo.png")));
  TfrmMain frmMain;
  QSettings Settings;
  frmMain.UseSettings(&Settings);
  if (argc > 1) {
    QFile Formula(QString::fromLocal8Bit(argv[1]));
    if (Formula.open(QIODevice::ReadOnly))
      frmMain.Equation()->PutData(QString::fromUtf8(Formula.readAll()).trimmed());
    else
      frmMain.ReadError()->setText(QStringLiteral("Cannot open ") + Formula.fileName());
  }
  frmMain.show();
  return QApplication::exec();
}
