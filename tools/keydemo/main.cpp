// keydemo: a window with one formula editor, for driving keys and mouse from outside (an X
// server with xdotool, see tools/xkeys-check.sh). It prints the editor's Data as a line
// "Data: <text>" (UTF-8) after every change and once more when it closes. Escape, which
// the editor leaves to its host, closes the window.

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <cstdio>

#include "editor/Equations.h"

namespace {
void PrintData(const TZelkEquation& Editor) {
  std::printf("Data: %s\n", Editor.GetData().toUtf8().constData());
  std::fflush(stdout);
}

class TKeyDemo : public QWidget {
 public:
  TKeyDemo() {
    setWindowTitle(QStringLiteral("keydemo"));
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Editor);
    Editor->setMinimumSize(600, 400);
    connect(Editor, &TZelkEquation::OnChange, this, [this] { PrintData(*Editor); });
  }
  ~TKeyDemo() override { PrintData(*Editor); }

 protected:
  void keyPressEvent(QKeyEvent* Event) override {
    if (Event->key() == Qt::Key_Escape) close();
  }

 private:
  TZelkEquation* Editor = new TZelkEquation(this);
};
}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  TKeyDemo Window;
  Window.show();
  return App.exec();
}
