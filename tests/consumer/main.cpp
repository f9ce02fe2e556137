// Uses the installed package as a client program of earlier releases does: the headers by
// their folders (the deprecated paths) and the language names at global scope, the two
// widgets created in code and from a form file through the installed Designer plugin.
// Usage: ZelkConsumer <designer plugin folder> <form file>; exits 0 when all is well.
#include <QApplication>
#include <QFile>
#include <QUiLoader>
#include <cstdio>
#include <memory>

#include "editor/ZelkEquation.h"
#include "palette/SelectEquation.h"

namespace {
int Fail(const char* What) {
  std::fprintf(stderr, "ZelkConsumer: %s\n", What);
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: ZelkConsumer <plugin folder> <form file>");
  QApplication Application(argc, argv);

  const QString Formula =
      "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
      "EditArea(ExtSymbol(8734))))";
  TZelkEquation Editor;
  Editor.SetData(Formula);
  if (Editor.GetData() != Formula) return Fail("the formula did not survive its text form");
  TSelectEquation Palette;
  Palette.SetZelkEquation(&Editor);
  Palette.SetLanguage(lDeutsche);
  if (Palette.Equation() != &Editor || Palette.Language() != lDeutsche)
    return Fail("the palette's properties did not hold");

  QUiLoader Loader;
  Loader.addPluginPath(QString::fromLocal8Bit(argv[1]));
  QFile File(QString::fromLocal8Bit(argv[2]));
  if (!File.open(QIODevice::ReadOnly)) return Fail("the form file cannot be read");
  std::unique_ptr<QWidget> Form(Loader.load(&File));
  if (!Form) return Fail("the form did not load");
  auto* Loaded = Form->findChild<TZelkEquation*>("Editor");
  if (!Loaded || Loaded->GetData() != "EditArea(Simple(a))")
    return Fail("the installed plugin did not create the editor from the form");
  if (!Form->findChild<TSelectEquation*>("SelectEquation1"))
    return Fail("the installed plugin did not create the palette from the form");
  std::printf("ZelkConsumer: package %s works\n", qPrintable(Editor.Version()));
  return 0;
}
