// Which edit area holds the caret: activation, deactivation and the mouse.

#include <exception>

#include "accessibility/AccessibleEquation.h"
#include "editor/EACursor.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"

void TEditArea::SetActive(bool Value) {
  FActive = Value;
  if (Value)
    OnActive();
  else
    OnDeactive();
}

void TEditArea::OnActive() {
  if (FEditor) {
    TEditArea* Previous = FEditor->ActiveEditArea();
    if (Previous && Previous != this) Previous->SetActive(false);
    FEditor->SetActiveEditArea(this);
  }
  if (FOwner) FOwner->SetEditAreaIndex(FIndexInParent);
  Repaint();
  FCaret->SetComVisible(true);
  if (FEditor) FEditor->AccessibilityEvent(TFormulaEvent::CaretMoved);
}

void TEditArea::OnDeactive() {
  Repaint();
  FCaret->SetComVisible(false);
}

void TEditArea::WMLButtonDown() {
  if (FEditor) FEditor->FocusView();
  SetActive(true);
}

bool TEditArea::MouseDown(Qt::MouseButton Button, QPoint) {
  if (Button != Qt::LeftButton) return true;
  try {
    WMLButtonDown();
  } catch (const std::exception&) {
    // Activation is best effort: the press must not reach the event loop as an error.
  }
  return true;
}
