#include "EACursor.h"

#include <chrono>

#include "editor/EditorCore.h"
#include "model/EditArea.h"

TEACursor::TEACursor(TEditArea* Owner) : TZelkGraphic(Owner), FParent(Owner), FBlinkStart(Now()) {}

qint64 TEACursor::Now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int TEACursor::NextBlink() const {
  if (!Blinking()) return -1;
  const qint64 Elapsed = Now() - FBlinkStart;
  return static_cast<int>(BlinkInterval - Elapsed % BlinkInterval);
}

void TEACursor::PutParent(TEditArea* Value) {
  FParent = Value;
  if (ParentNode() != Value) SetParentNode(Value);
}

void TEACursor::SetComVisible(bool Value) {
  // A running clock keeps its rhythm: only a stopped one begins a new interval.
  if (!Value)
    FBlinkStart = -1;
  else if (!Blinking())
    FBlinkStart = Now();
  FComVisible = Value;
  RefreshVisible();
  if (TEditorCore* Editor = FParent ? FParent->Editor() : nullptr) Editor->ScheduleBlink();
}

void TEACursor::RefreshVisible() {
  const TEditorCore* Editor = FParent ? FParent->Editor() : nullptr;
  SetVisible(!Visible() && FComVisible && Editor && Editor->ViewEnabled());
}

void TEACursor::RefreshDimensions() {
  SetWidth(CaretWidth);
  SetHeight(Font().Size());
  RefreshVisible();
}

void TEACursor::Paint() {
  const TEditorCore* Editor = FParent ? FParent->Editor() : nullptr;
  if (!Host()->PaintingMarks() || (Editor && !Editor->ShowsCaret())) return;
  TCanvas& C = Canvas();
  C.Pen.Style = psSolid;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(Qt::black);
  C.Rectangle(0, 0, Width(), Height());
}
