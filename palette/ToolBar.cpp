#include "ToolBar.h"

#include <QMouseEvent>

#include "palette/FlowLayout.h"
#include "palette/ImageList.h"
#include "platform/Lists.h"

namespace {
// Room around the glyph for the button's frame, as a platform tool bar keeps.
constexpr int ButtonFrame = 3;
}  // namespace

TToolButton::TToolButton(QWidget* Parent) : QToolButton(Parent) {
  setAutoRaise(true);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TToolButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  auto* Bar = qobject_cast<TToolBar*>(parentWidget());
  if (Bar && Bar->Images()) setIcon(Bar->Images()->GetIcon(Value));
}

void TToolButton::SetDown(bool Value) {
  setCheckable(true);
  setChecked(Value);
}

void TToolButton::mouseMoveEvent(QMouseEvent* Event) {
  emit MouseMoved(this);
  QToolButton::mouseMoveEvent(Event);
}

TToolBar::TToolBar(QWidget* Parent, const TImageList* Images, int ButtonWidth, int ButtonHeight)
    : QWidget(Parent), FImages(Images), FButtonWidth(ButtonWidth), FButtonHeight(ButtonHeight) {
  new TFlowLayout(this);
}

TToolButton* TToolBar::AddButton() {
  auto* Button = new TToolButton(this);
  Button->setIconSize(QSize(FButtonWidth, FButtonHeight));
  Button->setFixedSize(FButtonWidth + 2 * ButtonFrame, FButtonHeight + 2 * ButtonFrame);
  layout()->addWidget(Button);
  FButtons.push_back(Button);
  return Button;
}

TToolButton* TToolBar::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount()) ListDetail::RaiseIndexError(Index, ButtonCount());
  return FButtons[Index];
}
