#include "EACursor.h"

#include "editor/ZelkEquation.h"
#include "model/EditArea.h"

TEACursor::TEACursor(TEditArea* Owner) : TZelkGraphic(Owner), FParent(Owner) {
  FBlinkTimer.setInterval(500);
  QObject::connect(&FBlinkTimer, &QTimer::timeout, this, [this] { RefreshVisible(); });
  FBlinkTimer.start();
}

void TEACursor::PutParent(TEditArea* Value) {
  FParent = Value;
  if (parentWidget() != Value) setParent(Value);
}

void TEACursor::SetComVisible(bool Value) {
  // A running timer keeps its rhythm: QTimer::start would begin a new interval.
  if (!Value)
    FBlinkTimer.stop();
  else if (!FBlinkTimer.isActive())
    FBlinkTimer.start();
  FComVisible = Value;
  RefreshVisible();
}

void TEACursor::RefreshVisible() {
  const TZelkEquation* Editor = FParent ? FParent->Editor() : nullptr;
  SetVisible(!Visible() && FComVisible && Editor && Editor->isEnabled());
}

void TEACursor::RefreshDimensions() {
  SetWidth(CaretWidth);
  SetHeight(Font().Size());
  RefreshVisible();
}

void TEACursor::Paint() {
  TCanvas& C = Canvas();
  C.Pen.Style = psSolid;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(Qt::black);
  C.Rectangle(0, 0, Width(), Height());
}
