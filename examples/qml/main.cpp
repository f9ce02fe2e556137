// Launches a QML file that uses the module ZelkEquations (Editor.qml by default), with the
// module of this build tree before the installed one.
//
//   ZelkQmlEditor [file.qml]

#include <QDir>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  const QStringList Arguments = App.arguments();
  const QString File = Arguments.size() > 1 ? Arguments[1] : QStringLiteral(ZELK_EXAMPLE_QML);
  QQmlApplicationEngine Engine;
  if (QDir(QStringLiteral(ZELK_QML_IMPORT_DIR)).exists()) Engine.addImportPath(QStringLiteral(ZELK_QML_IMPORT_DIR));
  Engine.load(QUrl::fromLocalFile(File));
  if (Engine.rootObjects().isEmpty()) return 1;
  return App.exec();
}
