// ZelkEqDemo: the formula editor and its palette on one window.
//
//   ZelkEqDemo [--print-data] [FILE]
//     FILE          a formula as Data text to start with
//     --print-data  prints "Data: <text>" after every change, for scripts that drive the
//                   window from outside (tools/xtype-check.sh)
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QSettings>
#include <cstdio>

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
  QStringList Arguments = Application.arguments().mid(1);
  if (Arguments.removeAll(QStringLiteral("--print-data")) > 0)
    QObject::connect(frmMain.Equation(), &TZelkEquation::OnChange, &frmMain, [&frmMain] {
      std::printf("Data: %s\n", frmMain.Equation()->GetData().toUtf8().constData());
      std::fflush(stdout);
    });
  if (!Arguments.isEmpty()) {
    QFile Formula(Arguments.front());
    if (Formula.open(QIODevice::ReadOnly))
      frmMain.Equation()->PutData(QString::fromUtf8(Formula.readAll()).trimmed());
    else
      frmMain.ReadError()->setText(QStringLiteral("Cannot open ") + Formula.fileName());
  }
  frmMain.show();
  return QApplication::exec();
}
