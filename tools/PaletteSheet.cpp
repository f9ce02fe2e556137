// Renders the palette offscreen once for every category that can be shown, magnified
// without smoothing so that every glyph can be judged, into one contact sheet.
//
// Usage: QT_QPA_PLATFORM=offscreen PaletteSheet <output.png> [scale] [width]

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStackedWidget>
#include <vector>

#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  if (argc < 2) return 2;
  const int Scale = argc > 2 ? QString(argv[2]).toInt() : 3;
  const int Width = argc > 3 ? QString(argv[3]).toInt() : 460;
  TSelectEquation Palette;
  Palette.SetLanguage(TLanguages::lEnglish);
  Palette.resize(Width, 200);
  Palette.show();
  std::vector<QImage> Shots;
  for (int B = 0; B < Palette.CategoryBar()->ButtonCount(); ++B) {
    TToolButton* Category = Palette.CategoryBar()->Buttons(B);
    if (Category->isHidden()) continue;
    Category->click();
    Palette.BtMouseMove(Category);
    QApplication::processEvents();
    // Tall enough for the bar of the group shown.
    Palette.resize(Width, Palette.heightForWidth(Width) > 0 ? Palette.heightForWidth(Width) : 200);
    QApplication::processEvents();
    const QImage Shot = Palette.grab().toImage();
    Shots.push_back(Shot.scaled(Shot.size() * Scale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  }
  int SheetWidth = 0, SheetHeight = 0;
  for (const QImage& Shot : Shots) {
    SheetWidth = qMax(SheetWidth, Shot.width());
    SheetHeight += Shot.height() + 6;
  }
  QImage Sheet(SheetWidth, SheetHeight, QImage::Format_RGB32);
  Sheet.fill(QColor(90, 90, 90));
  QPainter P(&Sheet);
  int Y = 0;
  for (const QImage& Shot : Shots) {
    P.drawImage(0, Y, Shot);
    Y += Shot.height() + 6;
  }
  P.end();
  return Sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
