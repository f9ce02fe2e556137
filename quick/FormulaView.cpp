#include "FormulaView.h"

#include <QPainter>

TFormulaView::TFormulaView(QQuickItem* Parent) : TQuickFormula(Parent) {
  SetBkColor(Qt::transparent);
  UpdateViewSize();
}

void TFormulaView::paint(QPainter* Painter) {
  TRenderOptions Options;
  // The formula's own background is opaque: a translucent one is laid under its ink.
  Options.Transparent = BkColor().alpha() < 255;
  if (Options.Transparent) Painter->fillRect(boundingRect(), BkColor());
  Render(*Painter, Options);
}
