#include "CustomControl.h"

#include <QPainter>
#include <exception>

TCustomControl::TCustomControl(QWidget* Parent) : QWidget(Parent) {
  setGeometry(0, 0, 0, 0);
  if (Parent) setVisible(true);
}

void TCustomControl::SetLeft(int Value) {
  if (Value != x()) move(Value, y());
}
void TCustomControl::SetTop(int Value) {
  if (Value != y()) move(x(), Value);
}
void TCustomControl::SetWidth(int Value) {
  if (Value != width()) resize(Value, height());
}
void TCustomControl::SetHeight(int Value) {
  if (Value != height()) resize(width(), Value);
}

void TCustomControl::SetFont(const TFont& Value) {
  if (FFont.Color == Value.Color && static_cast<const QFont&>(FFont) == Value) return;
  FFont = Value;
  Repaint();
}

void TCustomControl::SetVisible(bool Value) {
  if (Value != Visible()) setVisible(Value);
}

void TCustomControl::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  FCanvas.BeginPaint(&Painter);
  try {
    Paint();
  } catch (const std::exception&) {
    // A failed paint leaves the node blank rather than taking down the event loop.
  }
  FCanvas.EndPaint();
}
