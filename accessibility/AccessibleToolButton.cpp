#include "AccessibleInterfaces.h"
#include "palette/ToolBar.h"

TAccessibleToolButton::TAccessibleToolButton(TToolButton* Button)
    : QAccessibleWidget(Button, QAccessible::Button) {}

QString TAccessibleToolButton::text(QAccessible::Text Kind) const {
  const QString Text = QAccessibleWidget::text(Kind);
  if (Kind == QAccessible::Name && Text.isEmpty()) return widget()->toolTip();
  return Text;
}

QAccessible::State TAccessibleToolButton::state() const {
  QAccessible::State State = QAccessibleWidget::state();
  const auto* Button = static_cast<const TToolButton*>(widget());
  State.pressed = Button->isDown() || Button->Down();
  return State;
}

QStringList TAccessibleToolButton::actionNames() const {
  return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void TAccessibleToolButton::doAction(const QString& Name) {
  if (Name == pressAction() && widget()->isEnabled())
    static_cast<TToolButton*>(widget())->click();
  else
    QAccessibleWidget::doAction(Name);
}
