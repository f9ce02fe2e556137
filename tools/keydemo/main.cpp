// keydemo: a window with one formula editor, for driving keys and mouse from outside (an X
// server with xdotool, see tools/xkeys-check.sh). It prints the editor's Data as a line
// "Data: <text>" (UTF-8) after every change and once more when it closes. Escape, which
// the editor leaves to its host, closes the window.
//
// With --modern the editor is in the Modern input style and a palette stands beside it;
// whenever the palette's buttons may have moved (shown, another group opened) it prints
// the screen position of the middle of every button that shows: "Button <group> <index>
// <x> <y>", group 0 being the category bar.

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTimer>
#include <cstdio>

#include "editor/Equations.h"
#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

namespace {
void PrintData(const TZelkEquation& Editor) {
  std::printf("Data: %s\n", Editor.GetData().toUtf8().constData());
  std::fflush(stdout);
}

void PrintButtons(const TSelectEquation& Palette) {
  for (const TToolButton* Button : Palette.findChildren<TToolButton*>()) {
    if (!Button->isVisible()) continue;
    const bool Category = Button->parentWidget()->parentWidget() == &Palette;
    const QPoint Middle = Button->mapToGlobal(Button->rect().center());
    std::printf("Button %d %d %d %d\n", Category ? 0 : Button->Tag(), Category ? Button->Tag() : Button->ImageIndex(),
                Middle.x(), Middle.y());
  }
  std::printf("Buttons done\n");
  std::fflush(stdout);
}

class TKeyDemo : public QWidget {
 public:
  explicit TKeyDemo(bool Modern) {
    setWindowTitle(QStringLiteral("keydemo"));
    auto* Layout = new QHBoxLayout(this);
    Layout->addWidget(Editor);
    Editor->setMinimumSize(600, 400);
    connect(Editor, &TZelkEquation::OnChange, this, [this] { PrintData(*Editor); });
    if (!Modern) return;
    Editor->SetInputStyle(TInputStyles::Modern);
    auto* Palette = new TSelectEquation(this);
    Palette->SetLanguage(TLanguages::lEnglish);
    Palette->SetZelkEquation(Editor);
    Palette->setMinimumWidth(320);
    Layout->addWidget(Palette);
    const auto Print = [Palette] { QTimer::singleShot(100, Palette, [Palette] { PrintButtons(*Palette); }); };
    QTimer::singleShot(0, Palette, [Palette, Print] {
      for (QStackedWidget* Pages : Palette->findChildren<QStackedWidget*>())
        connect(Pages, &QStackedWidget::currentChanged, Palette, Print);
      Print();
    });
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
  TKeyDemo Window(App.arguments().contains(QStringLiteral("--modern")));
  Window.show();
  return App.exec();
}
