// ZelkEqDemo: the formula editor and its palette on one window.
#include <QApplication>
#include <QIcon>

#include "demo/main.h"

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  // The application's title; as its display name Qt would append it to every window title.
  QApplication::setApplicationName(QStringLiteral("Zelk Eqations"));
  QApplication::setApplicationVersion(QStringLiteral(ZELK_DEMO_VERSION));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/ZelkEqDemo/ZelkEqDemo.png")));
  TfrmMain frmMain;
  frmMain.show();
  return QApplication::exec();
}
